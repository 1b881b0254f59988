#include "script-setup/inserters/inserter-text.h"

#include <gtest/gtest.h>

using namespace inserter_text;

namespace {

// The objects dialog test shows methods of integers and strings.
TEST(InserterText, MethodSignaturesNameTypesAndArguments)
{
    using Rizurividuvez::CatalogueMethod;
    const std::pair<CatalogueMethod, const char *> cases[] = {
        {{"reboot", {}}, "reboot()"},
        {{"zoom", {{"f", 22}, {"odd", 7}}}, "zoom(real_f, _odd)"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.second, method_signature(c.first));
}

} // namespace
