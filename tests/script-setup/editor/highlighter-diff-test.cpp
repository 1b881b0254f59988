// The fast Highlighter against the literal rules on the generated script and
// on random lines made of what the rules trip over; both give each kind a
// tagged format of its own.

#include "script-setup/editor/highlighter.h"
#include "tests/script-setup/editor/literal-highlighter.h"
#include "tests/script-setup/editor/python-sample.h"

#include <QCoreApplication>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <random>

namespace {

using namespace python_syntax;

QString describe(const QTextBlock &block)
{
    QString out = QStringLiteral("state %1:").arg(block.userState());
    for (const QTextLayout::FormatRange &r : block.layout()->formats())
        out += QStringLiteral(" [%1+%2 kind %3]")
                   .arg(r.start)
                   .arg(r.length)
                   .arg(r.format.property(QTextFormat::UserProperty).toInt());
    return out;
}

// Empty when both documents are coloured alike.
std::string first_difference(const QTextDocument &expected, const QTextDocument &actual)
{
    for (QTextBlock e = expected.begin(), a = actual.begin(); e.isValid() || a.isValid();
         e = e.next(), a = a.next())
        if (!e.isValid() || !a.isValid() || e.userState() != a.userState() ||
            e.layout()->formats() != a.layout()->formats())
            return QStringLiteral("block %1 \"%2\"\n  expected %3\n  actual   %4")
                .arg(e.blockNumber())
                .arg(e.text(), describe(e), describe(a))
                .toStdString();
    return {};
}

// The product loads its text as the editor does: what it leaves to the
// slices is coloured once the events are processed (settle).
struct HighlightedPair
{
    explicit HighlightedPair(const QString &text, const QString &search = {}, bool settled = true)
    {
        KindFormats formats;
        for (int kind = call; kind < kind_count; ++kind) {
            formats[kind] = product.format_of(Kind(kind));
            formats[kind].setProperty(QTextFormat::UserProperty, kind);
            product.set_format_of(Kind(kind), formats[kind]);
        }
        literal = std::make_unique<LiteralHighlighter>(&expected, formats);
        const QString escaped = QRegExp::escape(search);
        literal->set_search(escaped, false);
        product.set_search_pattern(escaped);
        for (QTextDocument *doc : {&expected, &actual}) {
            doc->setDocumentLayout(new QPlainTextDocumentLayout(doc));
            doc->setPlainText(text);
        }
        if (settled)
            settle();
    }
    std::string difference() const { return first_difference(expected, actual); }
    void settle()
    {
        for (int round = 0; product.colouring_pending() && round < 100000; ++round)
            QCoreApplication::processEvents();
        ASSERT_FALSE(product.colouring_pending());
    }
    // The same edit in both documents: at the start of a line, remove some
    // characters and insert a text.
    void edit(int line, int removed, const QString &inserted)
    {
        for (QTextDocument *doc : {&expected, &actual}) {
            QTextCursor cursor(doc->findBlockByNumber(line));
            cursor.setPosition(cursor.position() + removed, QTextCursor::KeepAnchor);
            cursor.insertText(inserted);
        }
    }

    QTextDocument expected, actual;
    std::unique_ptr<LiteralHighlighter> literal;
    Highlighter product{&actual};
};

QString random_lines(int count, unsigned seed)
{
    static const QStringList pieces = {
        "'",    "\"",    "\\",      "|",      "x",     "X",       "#",    "\t",     " ",
        "(",    ")",     "a",       "Q",      "é",     "\u0301",  "_",    "1",      "F",
        "if",   "def",   "print",   "object", "digit", "QWidget", "'''",  "\"\"\"", "\\x4F",
        "\\|",  "\\|a1", "\u00a0",  "日",     "Qé",    "\\'",     "\\\"", "lambda", "Qt5",
        "\\\\", "ß",     "\u2003(", "in",     "x0",    "ſelf",    "SELF"};
    std::mt19937 random(seed);
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        QString line;
        for (int p = static_cast<int>(random() % 24); p > 0; --p)
            line += pieces[static_cast<int>(random() % pieces.size())];
        lines << line;
    }
    return lines.join('\n');
}

TEST(HighlighterDifferential, GeneratedScriptRandomLinesAndSearchMatches)
{
    EXPECT_EQ("", HighlightedPair(generated_python_script(3000)).difference());
    for (unsigned seed = 1; seed <= 4; ++seed)
        EXPECT_EQ("", HighlightedPair(random_lines(1500, seed)).difference()) << seed;

    HighlightedPair pair(random_lines(800, 9) + "\n" + generated_python_script(200));
    for (const char *text : {".", "É", "q", "\\|", "'''", "\t", "self", "sElF"})
        for (bool case_sensitive : {false, true}) {
            const QString escaped = QRegExp::escape(QString::fromUtf8(text));
            pair.literal->set_search(escaped, case_sensitive);
            pair.product.set_search_pattern(escaped);
            pair.product.set_search_case_sensitive(case_sensitive);
            pair.literal->rehighlight();
            pair.product.rehighlight();
            EXPECT_EQ("", pair.difference()) << text;
        }
}

// Loading leaves most lines to the slices: lines asked for meanwhile, edits
// above, across and below the lines still waiting, and a triple quote that
// turns everything below into a string all end as the literal rules colour
// them, search marks included.
TEST(HighlighterDifferential, SlicesEditsAndShownLinesMeanwhile)
{
    const QString text = generated_python_script(3000) + "\n" + random_lines(600, 5);
    for (const char *search : {"", "self"}) {
        HighlightedPair pair(text, search, false);
        ASSERT_TRUE(pair.product.colouring_pending()) << "a whole script waits for slices";

        // Lines shown far down are coloured at once, their states carried down.
        const QTextBlock first = pair.actual.findBlockByNumber(2001);
        const QTextBlock last = pair.actual.findBlockByNumber(2040);
        pair.product.colour_now(first, last);
        for (QTextBlock e = pair.expected.findBlockByNumber(2001), a = first;;
             e = e.next(), a = a.next()) {
            EXPECT_EQ(describe(e).toStdString(), describe(a).toStdString()) << a.blockNumber();
            if (a == last)
                break;
        }
        ASSERT_TRUE(pair.product.colouring_pending());

        QCoreApplication::processEvents();                    // a slice or so
        pair.edit(3300, 2, "x");                              // below the waiting lines' mark
        pair.edit(3300, 0, "\"\"\"");                         // ... opening a string there
        pair.edit(10, 0, "\"\"\"\n# opened\n");               // above it: all below turns
        pair.edit(Highlighter::slice_lines - 20, 300, "def"); // across it
        pair.edit(1500, 0, "\tif ready:\n\t\treturn '#'\n");
        pair.settle();
        EXPECT_EQ("", pair.difference()) << search;

        pair.edit(12, 0, "'''"); // settled: an edit runs on as far as states change
        EXPECT_EQ("", pair.difference()) << search;
    }
}

} // namespace
