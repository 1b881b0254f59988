#include "script-setup/editor/python-syntax.h"

#include <QRegExp>

#include <algorithm>
#include <array>
#include <cstring>

// One pass over the line finds every word, quote and "#"; the rules are then
// settled per word and per quote instead of running one regular expression
// per rule and word, which is what made long scripts slow to colour.

namespace python_syntax {
namespace {

// The words of the word rules, separated by blanks.
const char grammar_terms[] =
    "stringliteral stringprefix shortstring longstring shortstringitem longstringitem "
    "shortstringchar longstringchar stringescapeseq bytesliteral bytesprefix shortbytes "
    "longbytes shortbytesitem longbytesitem shortbyteschar longbyteschar bytesescapeseq integer "
    "decimalinteger nonzerodigit digit octinteger hexinteger bininteger octdigit hexdigit "
    "bindigit floatnumber pointfloat exponentfloat intpart fraction exponent imagnumber";
const char keywords[] =
    "False class try finally is return True def from nonlocal while and del global not with as "
    "elif if or yield assert else import pass break continue except for in raise lambda";
const char script_api_names[] =
    "host timeout stats settings object activate_on_shortcut activate_on_events "
    "activate_on_state_changes activate_on_changes activate_on_pos_events "
    "activate_on_pos_incidents search_pos_events search_pos_incidents pos_process_archive "
    "pos_fraud pos_incident_create generate_pos_report pos_import_detector "
    "activate_on_lpr_events activate_on_people_detection_events "
    "activate_on_deep_detection_events activate_on_shelf_detection_events "
    "activate_on_research_events remove_on_research_detections_event construct_emblist_record "
    "construct_user_emblist lpr_get_user_records lpr_emblist_delete_item "
    "lpr_emblist_upsert_item lpr_emblist_update_item lpr_emblist_append_item "
    "lpr_get_user_emblists lpr_delete_emblist lpr_append_emblist lpr_update_emblist "
    "send_mail_from_account get_archive_export_status visible_templates all_visible_templates "
    "alert message error question ask fire_alarm exthttp_add_handler";

enum : uint8_t { word_char = 1, letter = 2 };

constexpr std::array<uint8_t, 128> make_ascii_classes()
{
    std::array<uint8_t, 128> table{};
    for (int c = 0; c < 128; ++c) {
        const bool is_letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (is_letter)
            table[c] = word_char | letter;
        else if ((c >= '0' && c <= '9') || c == '_')
            table[c] = word_char;
    }
    return table;
}
constexpr std::array<uint8_t, 128> ascii_classes = make_ascii_classes();

inline bool is_ascii_word(ushort u)
{
    return u < 128 && (ascii_classes[u] & word_char);
}

// A word character as the word boundaries of the rules see it.
inline bool is_word(ushort u)
{
    if (u < 128)
        return ascii_classes[u] & word_char;
    const QChar c(u);
    return c.isLetterOrNumber() || c.isMark();
}

// Open addressing over the 113 words; a word is found by its length and
// first, middle and last characters before the full comparison.
class WordTable
{
public:
    enum { max_length = 40 };

    WordTable()
    {
        insert_all(grammar_terms, grammar_term);
        insert_all(keywords, keyword);
        insert_all(script_api_names, script_api);
    }

    Kind find(const ushort *s, int length) const
    {
        if (length < 2 || length > max_length)
            return plain;
        for (unsigned slot = hash(s, length);; slot = (slot + 1) & mask) {
            const Entry &e = entries_[slot];
            if (!e.word)
                return plain;
            if (e.length == length && std::equal(s, s + length, e.word))
                return e.kind;
        }
    }

private:
    enum { size = 1024, mask = size - 1 };
    struct Entry
    {
        const char *word = nullptr;
        int length = 0;
        Kind kind = plain;
    };

    template <typename C> static unsigned hash(const C *s, int length)
    {
        const unsigned first = static_cast<unsigned char>(s[0]);
        const unsigned middle = static_cast<unsigned char>(s[length / 2]);
        const unsigned last = static_cast<unsigned char>(s[length - 1]);
        return (first * 31u + middle * 17u + last * 131u + static_cast<unsigned>(length) * 7u) &
               mask;
    }

    void insert_all(const char *words, Kind kind)
    {
        for (const char *word = words; *word;) {
            const char *end = std::strchr(word, ' ');
            const int length = static_cast<int>(end ? end - word : std::strlen(word));
            insert(word, length, kind);
            word += end ? length + 1 : length;
        }
    }

    void insert(const char *word, int length, Kind kind)
    {
        unsigned slot = hash(word, length);
        while (entries_[slot].word) {
            // A word listed twice keeps the later rule's kind, as it would on screen.
            if (entries_[slot].length == length &&
                std::equal(word, word + length, entries_[slot].word))
                break;
            slot = (slot + 1) & mask;
        }
        entries_[slot] = Entry{word, length, std::max(kind, entries_[slot].kind)};
    }

    std::array<Entry, size> entries_;
};

const WordTable &word_table()
{
    static const WordTable table;
    return table;
}

inline void raise(uint8_t *kinds, int from, int to, uint8_t kind)
{
    for (int i = from; i < to; ++i)
        kinds[i] = std::max(kinds[i], kind);
}

// Settles the word starting at start and returns where it ends. A word is a
// maximal run of word characters, so "\b" of the rules can only fall on its
// ends; a word with a character outside [A-Za-z0-9_] matches no rule.
int scan_word(const ushort *s, int n, int start, uint8_t *kinds)
{
    int end = start;
    while (end < n && is_ascii_word(s[end]))
        ++end;
    const int ascii_end = end;
    while (end < n && is_word(s[end]))
        ++end;
    if (end != ascii_end)
        return end;

    const int length = end - start;
    uint8_t kind = plain;
    int after = end;
    while (after < n && QChar::isSpace(s[after]))
        ++after;
    if (after < n && s[after] == '(')
        kind = call;
    kind = std::max<uint8_t>(kind, word_table().find(s + start, length));
    if (kind < class_name && s[start] == 'Q' && length >= 2 &&
        std::all_of(s + start + 1, s + end, [](ushort u) { return ascii_classes[u] & letter; }))
        kind = class_name;
    if (kind != plain)
        std::memset(kinds + start, kind, static_cast<size_t>(length));
    return end;
}

inline int find_char(const ushort *s, int n, int from, ushort c)
{
    for (int i = from; i < n; ++i)
        if (s[i] == c)
            return i;
    return -1;
}

// Where the quoted string opened at open ends (its closing quote), or -1.
// Inside it a backslash must start an escape: a quote, "|", a backslash,
// b f n r t v, or x, X or "|" with two hex digits ("|" counting as one).
int string_end(const ushort *s, int n, int open, ushort quote)
{
    auto is_hex = [](ushort u) {
        return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f') ||
               u == '|';
    };
    int i = open + 1;
    while (i < n) {
        const ushort u = s[i];
        if (u == quote)
            return i;
        if (u != '\\') {
            ++i;
            continue;
        }
        const ushort e = i + 1 < n ? s[i + 1] : 0;
        if (e == '\'' || e == '|' || e == 'b' || e == 'f' || e == 'n' || e == 'r' || e == 't' ||
            e == 'v' || e == '"' || e == '\\')
            i += 2;
        else if ((e == 'x' || e == 'X') && i + 3 < n && is_hex(s[i + 2]) && is_hex(s[i + 3]))
            i += 4;
        else
            return -1;
    }
    return -1;
}

// Each quote rule searches the whole line on its own: after a match it goes
// on behind the closing quote, after a quote that opens nothing at the next
// quote.
void mark_strings(const ushort *s, int n, int first, ushort quote, uint8_t kind, uint8_t *kinds)
{
    for (int open = first; open >= 0;) {
        const int close = string_end(s, n, open, quote);
        if (close >= 0)
            raise(kinds, open, close + 1, kind);
        open = find_char(s, n, (close >= 0 ? close : open) + 1, quote);
    }
}

int find_triple(const ushort *s, int n, int from, ushort quote)
{
    for (int i = std::max(from, 0); i + 2 < n; ++i)
        if (s[i] == quote && s[i + 1] == quote && s[i + 2] == quote)
            return i;
    return -1;
}

// The long-string step as the editor has always done it: a string that opens
// and closes on one line is coloured three characters past its end, and the
// next search starts there; a line continuing a string uses no such offset.
// Without kinds it only settles the state.
bool multiline_step(const ushort *s, int n, ushort quote, int open_state, int previous_state,
                    int &state, uint8_t *kinds)
{
    int start = 0;
    int add = 0;
    if (previous_state != open_state) {
        start = find_triple(s, n, 0, quote);
        add = 3;
    }
    while (start >= 0) {
        const int end = find_triple(s, n, start + add, quote);
        int length;
        if (end < 0) {
            state = open_state;
            length = n - start;
        } else {
            state = closed;
            length = end - start + 3;
        }
        if (kinds)
            std::memset(kinds + start, multiline_string,
                        static_cast<size_t>(std::min(n, start + length + add) - start));
        start = find_triple(s, n, start + length + add, quote);
    }
    return state == open_state;
}

} // namespace

Kind word_kind(const QString &word)
{
    return word_table().find(reinterpret_cast<const ushort *>(word.constData()), word.size());
}

int classify_line(const QChar *text, int n, int previous_state, uint8_t *kinds)
{
    const ushort *s = reinterpret_cast<const ushort *>(text);
    if (n > 0) // an empty block hands in no buffer at all
        std::memset(kinds, plain, static_cast<size_t>(n));
    int first_single = -1, first_double = -1, first_hash = -1;
    int singles = 0, doubles = 0;
    for (int i = 0; i < n;) {
        const ushort u = s[i];
        if (is_ascii_word(u)) {
            i = scan_word(s, n, i, kinds);
            continue;
        }
        if (u == '\'') {
            if (!singles++)
                first_single = i;
        } else if (u == '"') {
            if (!doubles++)
                first_double = i;
        } else if (u == '#') {
            if (first_hash < 0)
                first_hash = i;
        } else if (u >= 128 && is_word(u)) {
            while (i < n && is_word(s[i]))
                ++i;
            continue;
        }
        ++i;
    }
    if (singles)
        mark_strings(s, n, first_single, '\'', single_quoted, kinds);
    if (doubles)
        mark_strings(s, n, first_double, '"', double_quoted, kinds);
    if (first_hash >= 0)
        std::memset(kinds + first_hash, comment, static_cast<size_t>(n - first_hash));

    int state = closed;
    const bool double_open =
        (doubles >= 3 || previous_state == open_double_triple) &&
        multiline_step(s, n, '"', open_double_triple, previous_state, state, kinds);
    if (!double_open && (singles >= 3 || previous_state == open_single_triple))
        multiline_step(s, n, '\'', open_single_triple, previous_state, state, kinds);
    return state;
}

int line_state(const QChar *text, int n, int previous_state)
{
    const ushort *s = reinterpret_cast<const ushort *>(text);
    int state = closed;
    if (!multiline_step(s, n, '"', open_double_triple, previous_state, state, nullptr))
        multiline_step(s, n, '\'', open_single_triple, previous_state, state, nullptr);
    return state;
}

void mark_tabs(const QChar *text, int length, uint8_t *kinds)
{
    for (int i = 0; i < length; ++i)
        if (text[i] == QLatin1Char('\t'))
            kinds[i] = tab;
}

bool mark_literal(const QChar *text, int n, const QString &literal, bool case_sensitive,
                  uint8_t *kinds)
{
    const ushort *s = reinterpret_cast<const ushort *>(text);
    const ushort *p = reinterpret_cast<const ushort *>(literal.constData());
    const int m = literal.size();
    if (!case_sensitive && std::any_of(s, s + n, [](ushort u) { return u >= 128; }))
        return false;
    auto folded = [case_sensitive](ushort u) {
        return !case_sensitive && u >= 'A' && u <= 'Z' ? ushort(u + 32) : u;
    };
    for (int i = 0; i + m <= n;) {
        int k = 0;
        while (k < m && folded(s[i + k]) == p[k])
            ++k;
        if (k == m) {
            std::memset(kinds + i, search_match, static_cast<size_t>(m));
            i += m;
        } else {
            ++i;
        }
    }
    return true;
}

void mark_search(const QString &text, QRegExp &expression, uint8_t *kinds)
{
    if (expression.isEmpty())
        return;
    for (int at = expression.indexIn(text); at >= 0; at = expression.indexIn(text, at)) {
        const int length = expression.matchedLength();
        if (length <= 0)
            break;
        std::memset(kinds + at, search_match,
                    static_cast<size_t>(std::min(length, text.size() - at)));
        at += length;
    }
}

QString indentation_after(const QString &previous_line)
{
    int end = 0;
    while (end < previous_line.size() &&
           (previous_line[end] == QLatin1Char(' ') || previous_line[end] == QLatin1Char('\t')))
        ++end;
    QString indentation = previous_line.left(end);
    if (previous_line.trimmed().endsWith(QLatin1Char(':')))
        indentation += QLatin1Char('\t');
    return indentation;
}

} // namespace python_syntax
