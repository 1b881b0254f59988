// The header readings in one pass over the text. Each step follows the path
// the expressions' backtracking settles on, so the results agree with them.

#include "script-setup/script/script-header.h"

#include <cstring>

namespace script_header {
namespace linear {
namespace {

const char RESOURCES_CHECK[] = "vxutils.resources_check(script_path, resources)";

bool is_blank(char c)
{
    return c == '\t' || c == '\n' || c == ' ' || c == '\r';
}

bool starts_with(const std::string &text, size_t pos, const char *what)
{
    return text.compare(pos, std::strlen(what), what) == 0;
}

// End of the leading blank and comment lines: each line of the block ends
// with its line end, so the block stops after the last line end that closes
// a blank run or a comment.
size_t header_end(const std::string &text)
{
    size_t pos = 0;
    for (;;) {
        size_t q = pos;
        size_t last_newline = std::string::npos;
        while (q < text.size() && is_blank(text[q])) {
            if (text[q] == '\n')
                last_newline = q;
            ++q;
        }
        if (q < text.size() && text[q] == '#') {
            const size_t end = text.find('\n', q);
            if (end != std::string::npos) {
                pos = end + 1;
                continue;
            }
        }
        return last_newline == std::string::npos ? pos : last_newline + 1;
    }
}

// Length of the string literal starting at pos, 0 for none; the forms are
// tried in the order the expression lists them.
size_t docstring_length(const std::string &text, size_t pos)
{
    for (const char *quotes : {"\"\"\"", "'''"}) {
        if (starts_with(text, pos, quotes)) {
            const size_t close = text.find(quotes, pos + 3);
            if (close != std::string::npos)
                return close + 3 - pos;
        }
    }
    if (pos >= text.size())
        return 0;
    const size_t line_end = text.find('\n', pos + 1);
    const size_t limit = line_end == std::string::npos ? text.size() : line_end;
    if (text[pos] == '"') {
        const size_t close = text.find_first_of("\"\n", pos + 1);
        if (close != std::string::npos && text[close] == '"')
            return close + 1 - pos;
    } else if (text[pos] == '\'') {
        // Greedy: the last quote on the line closes it.
        const size_t close = text.rfind('\'', limit - 1);
        if (close != std::string::npos && close > pos)
            return close + 1 - pos;
    }
    return 0;
}

size_t resources_length(const std::string &text, size_t pos)
{
    size_t word = pos;
    while (word < text.size() && text[word] == '\n')
        ++word;
    if (!starts_with(text, word, "resources"))
        return 0;
    // The expression's ".*" is greedy: the last check line closes the block.
    const size_t check = text.rfind(RESOURCES_CHECK);
    if (check == std::string::npos || check < word + std::strlen("resources"))
        return 0;
    size_t end = check + std::strlen(RESOURCES_CHECK);
    while (end < text.size() && text[end] == '\n')
        ++end;
    return end - pos;
}

} // namespace

Parts split(const std::string &text)
{
    Parts parts;
    size_t pos = header_end(text);
    parts.header_comment = text.substr(0, pos);
    const size_t doc = docstring_length(text, pos);
    parts.docstring = text.substr(pos, doc);
    pos += doc;
    const size_t resources = resources_length(text, pos);
    parts.resources_block = text.substr(pos, resources);
    parts.body = text.substr(pos + resources);
    return parts;
}

std::string comment_block(const std::string &text)
{
    // Blank lines first: up to the last line end of the leading blank run.
    size_t start = 0;
    for (size_t q = 0; q < text.size() && is_blank(text[q]); ++q)
        if (text[q] == '\n')
            start = q + 1;
    size_t end = start;
    while (end < text.size() && text[end] == '#') {
        const size_t line_end = text.find('\n', end);
        if (line_end == std::string::npos)
            break;
        end = line_end + 1;
    }
    return text.substr(start, end - start);
}

} // namespace linear
} // namespace script_header
