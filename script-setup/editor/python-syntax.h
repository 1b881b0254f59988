#pragma once
// Python colouring of one line of a script, without any widget: which kind of
// text every character is, and whether a triple-quoted string stays open.
// The kinds are ordered by precedence: where two rules cover a character,
// the later kind wins.

#include <QChar>
#include <QString>

#include <cstdint>

class QRegExp;

namespace python_syntax {

enum Kind : uint8_t {
    plain,
    call,         // a word followed by "(" (blanks allowed in between)
    grammar_term, // the words of the language reference grammar
    keyword,
    class_name,    // Q followed by letters
    single_quoted, // '...' on one line
    double_quoted, // "..." on one line
    script_api,    // the server's script interface
    comment,
    multiline_string,
    tab,
    search_match,
    kind_count
};

// Block states: 0 closed, or the kind of triple-quoted string left open.
enum State { closed = 0, open_single_triple = 1, open_double_triple = 2 };

// The kind of a word of the word rules (grammar term, keyword, script API),
// or plain when the word is none of them.
Kind word_kind(const QString &word);

// Fills kinds[0, length) with the winning syntax kind of every character of
// the line and returns the line's state; previous_state is the state of the
// line above (-1 when there is none).
int classify_line(const QChar *text, int length, int previous_state, uint8_t *kinds);

// The state classify_line returns, found without classifying: it depends on
// the triple quotes alone.
int line_state(const QChar *text, int length, int previous_state);

// Marks every tab character.
void mark_tabs(const QChar *text, int length, uint8_t *kinds);

// Marks every occurrence of a text as mark_search does for its escaped
// pattern, compared character by character; a literal for any case must be
// ASCII and in lower case. Returns false, marking nothing, when the case does
// not matter and the line is not ASCII.
bool mark_literal(const QChar *text, int length, const QString &literal, bool case_sensitive,
                  uint8_t *kinds);

// Marks every match of the search expression, stopping at the first empty
// match (an empty pattern marks nothing).
void mark_search(const QString &text, QRegExp &expression, uint8_t *kinds);

// What Return puts at the start of the new line: the leading blanks and tabs
// of the line above, plus a tab when that line opens a block (ends in ":").
QString indentation_after(const QString &previous_line);

} // namespace python_syntax
