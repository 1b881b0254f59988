#include "script-setup/loop/templates-order.h"

#include <gtest/gtest.h>

using loop::LoopEntry;
using loop::TemplatesOrder;

namespace {

// The page tests read the common forms; these are the corners.
TEST(TemplatesOrder, ReadsEveryStoredForm)
{
    const struct
    {
        const char *text;
        std::vector<LoopEntry> entries;
        TemplatesOrder::Fault fault;
        const char *error; // part of the conversion error text
    } cases[] = {
        {"", {}, TemplatesOrder::NONE, ""},
        {" g1:7:0  g2:3:1 ", {{"g1", 7, 0}, {"g2", 3, 1}}, TemplatesOrder::NONE, ""},
        {"g1:+0:0 g2:99:2", {{"g1", 0, 0}, {"g2", 99, 2}}, TemplatesOrder::NONE, ""},
        {"g1:5:0:9", {}, TemplatesOrder::BAD_FIELDS, ""},
        {"g1: 5:0", {}, TemplatesOrder::BAD_NUMBER, "''"}, // "g1:" is guid and seconds
        {"g1:-:0", {}, TemplatesOrder::BAD_NUMBER, "'-'"},
        {"g1:-2147483648:0", {{"g1", -2147483647 - 1, 0}}, TemplatesOrder::NONE, ""},
        {"g1:2147483648:0", {}, TemplatesOrder::BAD_NUMBER, "out of range"},
        {"g1:99999999999999999999:0", {}, TemplatesOrder::BAD_NUMBER, "out of range"},
    };
    for (const auto &c : cases) {
        const TemplatesOrder order = loop::parse_templates_order(c.text);
        EXPECT_EQ(c.entries, order.entries) << c.text;
        EXPECT_EQ(c.fault, order.fault) << c.text;
        EXPECT_NE(std::string::npos, order.error.find(c.error)) << c.text << ": " << order.error;
    }
}

} // namespace
