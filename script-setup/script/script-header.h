#pragma once
#include <QString>
#include <string>

namespace script_header {

// The four parts of a script's header. Never throws; falls back to a linear
// reading where the regular expressions give up.
struct Parts
{
    std::string header_comment;  // leading blank/comment lines, each with its line end
    std::string docstring;       // the first string literal after them, with its quotes
    std::string resources_block; // the block a publish writes, up to the resources_check line
    std::string body;            // the rest
};
Parts split(const std::string &text);

// The text between the docstring's quotes; empty without a docstring.
std::string declaration(const std::string &text);

// The translated description shown above the parameters (comment block of the
// editor text, coding lines dropped, hashes stripped, trimmed); empty when the
// text does not start with a comment block. `actual_ts` may be empty.
QString description_text(const QString &editor_text, const std::string &actual_ts);

// A text translated through a translation-source document; unchanged when there is
// no finished translation or the document does not parse.
QString translate(const QString &text, const std::string &actual_ts);

// The declaration with its captions and string_list items translated, serialised with
// indentation 1; unchanged when `actual_ts` is empty or does not parse.
std::string translate_declaration(const std::string &declaration, const std::string &actual_ts);

} // namespace script_header
