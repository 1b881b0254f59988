#pragma once
// Text placed inside the string literals of generated Python scripts so that
// Python reads back exactly the text, whatever quotes, backslashes or line
// breaks it holds. Plain text comes out unchanged.

#include <QString>

// For a literal between `quote`s (' or "): backslashes, that quote and
// control characters become escapes.
QString python_escaped(const QString &text, char quote);

// For a literal between ''' and ''': line feeds and tabs stay as they are;
// backslashes, control characters and the quotes that would end the literal
// early (one followed by another, or the last character) become escapes.
QString python_triple_quoted(const QString &text);

// For a raw literal r"...": true when the text can stand there unchanged.
bool python_raw_safe(const QString &text);
