// Script texts as an operator may type them: the header split and the
// description must agree with their linear readings wherever the expressions
// finish, and the declared parameters must save and read back the same.

#include "fuzz/schedule-fuzz-support.h"
#include "qt4-pavo7/reusable/parameter-records.h"
#include "script-setup/script/script-header.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using schedule_fuzz::require;

bool same(const script_header::Parts &a, const script_header::Parts &b)
{
    return a.header_comment == b.header_comment && a.docstring == b.docstring &&
           a.resources_block == b.resources_block && a.body == b.body;
}

// Attributes are kept as written, except that a document drops text of
// blanks only.
QMap<QString, QString> stored_form(QMap<QString, QString> attributes)
{
    for (QString &value : attributes)
        if (value.trimmed().isEmpty())
            value.clear();
    return attributes;
}

bool same(const Reusable::ParameterRecord &a, const Reusable::ParameterRecord &b)
{
    return a.type == b.type && a.id == b.id && a.name == b.name && a.value == b.value &&
           stored_form(a.attributes) == stored_form(b.attributes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    schedule_fuzz::quiet_log();
    const std::string text(reinterpret_cast<const char *>(data), size);

    const script_header::Parts linear = script_header::linear::split(text);
    require(linear.header_comment + linear.docstring + linear.resources_block + linear.body ==
            text);
    script_header::Parts by_expression;
    if (script_header::expression::split(text, by_expression))
        require(same(by_expression, linear));
    std::string block;
    if (script_header::expression::comment_block(text, block))
        require(block == script_header::linear::comment_block(text));

    const Reusable::ParameterList declared =
        Reusable::parse_parameters(script_header::declaration(text));
    const Reusable::ParameterList stored =
        Reusable::parse_parameters(Reusable::format_values(declared.items));
    require(stored.parsed && stored.items.size() == declared.items.size());
    for (size_t i = 0; i < stored.items.size(); ++i)
        require(same(stored.items[i], declared.items[i]));
    return 0;
}
