#pragma once
// The header of a script: the leading comment lines (its description), the
// first string literal after them (the XML declaration of its parameters),
// the resources block a publish writes, and the body. Plain logic: QtCore,
// QtXml and Boost.Regex only.

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
// Where the lines a description can come from end: past the first line that
// is neither blank nor a comment; -1 when there is no such line.
int description_end(const QString &editor_text);

// A text translated through a translation-source document; unchanged when there is
// no finished translation or the document does not parse.
QString translate(const QString &text, const std::string &actual_ts);

// The declaration with its captions and string_list items translated, serialised with
// indentation 1; unchanged when `actual_ts` is empty or does not parse.
std::string translate_declaration(const std::string &declaration, const std::string &actual_ts);

// The same readings without regular expressions, in time linear in the text.
// They give what the expressions give wherever those finish; the functions
// above use them when a match gives up.
namespace linear {
Parts split(const std::string &text);
// The leading comment block of a description ("#" lines after blank lines),
// line ends included; empty when the text does not start with one.
std::string comment_block(const std::string &text);
} // namespace linear

// The regular-expression readings alone: false when the matcher gave up (too
// complex, out of stack, over its step budget), with the reason in `failure`.
namespace expression {
bool split(const std::string &text, Parts &out, std::string *failure = nullptr);
// The docstring of split, read no further than the docstring.
bool docstring(const std::string &text, std::string &out, std::string *failure = nullptr);
bool comment_block(const std::string &text, std::string &out, std::string *failure = nullptr);
} // namespace expression

} // namespace script_header
