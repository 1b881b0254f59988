#pragma once
// The colouring rules applied literally, one regular expression after
// another; the fast Highlighter must give the same formats and block states.
// Shared with bench/highlighter.cpp as the baseline.

#include "script-setup/editor/python-syntax.h"

#include <QFile>
#include <QRegExp>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <array>
#include <vector>

using KindFormats = std::array<QTextCharFormat, python_syntax::kind_count>;

class LiteralHighlighter : public QSyntaxHighlighter
{
public:
    LiteralHighlighter(QTextDocument *document, const KindFormats &formats)
        : QSyntaxHighlighter(document)
        , formats_(formats)
        , triple_double_(QStringLiteral("\"\"\""))
        , triple_single_(QStringLiteral("'''"))
    {
        using namespace python_syntax;
        // The word lists: grammar terms, keywords, then the script's own functions.
        QFile file(QStringLiteral(VX_SOURCE_DIR "/tests/data/editor/python-words.txt"));
        file.open(QIODevice::ReadOnly);
        const QStringList words = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'));
        add(R"(\b[A-Za-z0-9_]+(?=[\s]*\())", call);
        add_words(words[0], grammar_term);
        add_words(words[1], keyword);
        add(R"(\bQ[A-Za-z]+\b)", class_name);
        add(R"re(((')((([^'\\])|((\\)(['|b|f|n|r|t|v|"|\\]))|((\\)(([x|X])([0-9|A-F|a-f]{2}))))*)(')))re",
            single_quoted);
        add(R"re(((")((([^"\\])|((\\)(['|b|f|n|r|t|v|"|\\]))|((\\)(([x|X])([0-9|A-F|a-f]{2}))))*)(")))re",
            double_quoted);
        add_words(words[2], script_api);
        add(R"(#[^\n]*)", comment);
    }

    void set_search(const QString &escaped_pattern, bool case_sensitive)
    {
        search_ =
            QRegExp(escaped_pattern, case_sensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    }

protected:
    void highlightBlock(const QString &text) override
    {
        for (auto &rule : rules_) {
            int index = rule.first.indexIn(text);
            while (index >= 0) {
                const int length = rule.first.matchedLength();
                setFormat(index, length, formats_[rule.second]);
                index = rule.first.indexIn(text, index + length);
            }
        }
        setCurrentBlockState(0);
        if (!multiline(text, triple_double_, 2))
            multiline(text, triple_single_, 1);
        for (int i = 0; i < text.size(); ++i)
            if (text[i] == QLatin1Char('\t'))
                setFormat(i, 1, formats_[python_syntax::tab]);
        if (!search_.pattern().isEmpty()) {
            int index = search_.indexIn(text);
            while (index >= 0 && search_.matchedLength() > 0) {
                setFormat(index, search_.matchedLength(), formats_[python_syntax::search_match]);
                index = search_.indexIn(text, index + search_.matchedLength());
            }
        }
    }

private:
    void add(const char *pattern, python_syntax::Kind kind)
    {
        rules_.emplace_back(QRegExp(QString::fromLatin1(pattern), Qt::CaseSensitive), kind);
    }
    // One rule per word, as many as there are words.
    void add_words(const QString &words, python_syntax::Kind kind)
    {
        for (const QString &w : words.split(QLatin1Char(' ')))
            rules_.emplace_back(QRegExp("\\b" + w + "\\b", Qt::CaseSensitive), kind);
    }

    bool multiline(const QString &text, const QRegExp &delimiter, int in_state)
    {
        int start = 0;
        int add = 0;
        if (previousBlockState() != in_state) {
            start = delimiter.indexIn(text);
            add = delimiter.matchedLength();
        }
        while (start >= 0) {
            const int end = delimiter.indexIn(text, start + add);
            int length;
            if (end == -1) {
                setCurrentBlockState(in_state);
                length = text.length() - start;
            } else {
                setCurrentBlockState(0);
                length = end - start + delimiter.matchedLength();
            }
            setFormat(start, length + add, formats_[python_syntax::multiline_string]);
            start = delimiter.indexIn(text, start + length + add);
        }
        return currentBlockState() == in_state;
    }

    KindFormats formats_;
    std::vector<std::pair<QRegExp, python_syntax::Kind>> rules_;
    QRegExp triple_double_;
    QRegExp triple_single_;
    QRegExp search_;
};
