// Colouring a generated 10,000-line script: the product Highlighter against
// the literal rules (one regular expression after another), KDE's syntax
// highlighter with its Python definition when it was found at build time,
// and a highlighter that does nothing (the framework's own floor); the
// "-search" variants also mark every "self", as with the search bar open. Prints
// the time ratios of one run; `--instructions` runs each variant once for
// bench/highlighter-instructions.sh under callgrind.

#include "script-setup/editor/highlighter.h"
#include "bench/bench-support.h"
#include "bench/callgrind-counts.h"
#include "tests/script-setup/editor/literal-highlighter.h"
#include "tests/script-setup/editor/python-sample.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#ifdef VX_HAVE_KSYNTAXHIGHLIGHTING
#include <KSyntaxHighlighting/Definition>
#include <KSyntaxHighlighting/Repository>
#include <KSyntaxHighlighting/SyntaxHighlighter>
#include <KSyntaxHighlighting/Theme>
#endif

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace {

const int script_lines = 10000;

const QString &script()
{
    static const QString text = generated_python_script(script_lines);
    return text;
}

class EmptyHighlighter : public QSyntaxHighlighter
{
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString &) override {}
};

// A document as the editor holds it, with one highlighter of the variant.
struct Colouring
{
    QTextDocument document;
    std::unique_ptr<QSyntaxHighlighter> highlighter;
#ifdef VX_HAVE_KSYNTAXHIGHLIGHTING
    KSyntaxHighlighting::Repository repository;
#endif

    explicit Colouring(std::string variant)
    {
        document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
        const std::string search_suffix = "-search";
        const bool search = variant.size() > search_suffix.size() &&
                            variant.compare(variant.size() - search_suffix.size(),
                                            search_suffix.size(), search_suffix) == 0;
        if (search)
            variant.resize(variant.size() - search_suffix.size());
        const QString pattern = QRegExp::escape(QStringLiteral("self"));
        if (variant == "product") {
            auto product = std::make_unique<Highlighter>(&document);
            if (search)
                product->set_search_pattern(pattern);
            highlighter = std::move(product);
        } else if (variant == "literal") {
            KindFormats formats;
            Highlighter defaults(nullptr);
            for (int k = python_syntax::call; k < python_syntax::kind_count; ++k)
                formats[k] = defaults.format_of(python_syntax::Kind(k));
            auto literal = std::make_unique<LiteralHighlighter>(&document, formats);
            if (search)
                literal->set_search(pattern, false);
            highlighter = std::move(literal);
        } else if (variant == "empty") {
            highlighter = std::make_unique<EmptyHighlighter>(&document);
        }
#ifdef VX_HAVE_KSYNTAXHIGHLIGHTING
        else if (variant == "ksyntaxhighlighting") {
            auto *kde = new KSyntaxHighlighting::SyntaxHighlighter(&document);
            kde->setTheme(repository.defaultTheme(KSyntaxHighlighting::Repository::LightTheme));
            kde->setDefinition(repository.definitionForName(QStringLiteral("Python")));
            highlighter.reset(kde);
        }
#endif
        // Attached to an empty document, so that edits are coloured at once
        // (a highlighter put on a full document waits for the event loop).
        load();
    }

    // Sets the script's text; the product's slices run from the event loop.
    void load()
    {
        document.setPlainText(script());
    }
    void settle()
    {
        auto *product = dynamic_cast<Highlighter *>(highlighter.get());
        while (product && product->colouring_pending())
            QCoreApplication::processEvents();
    }

    // Colours the whole script as the editor asks for it: the product's own
    // pass hides the base class's.
    void rehighlight()
    {
        if (auto *product = dynamic_cast<Highlighter *>(highlighter.get()))
            product->rehighlight();
        else
            highlighter->rehighlight();
    }

    // Where a keystroke goes: after the first word of the middle line.
    QTextCursor middle()
    {
        QTextCursor cursor(document.findBlockByNumber(script_lines / 2));
        cursor.movePosition(QTextCursor::NextWord);
        return cursor;
    }
    // Types one character there or takes it back, up to the line laid out
    // for the screen: a highlighter may leave that to the next paint.
    void keystroke(QTextCursor cursor, bool insert)
    {
        if (insert)
            cursor.insertText(QStringLiteral("x"));
        else
            cursor.deleteChar();
        document.documentLayout()->blockBoundingRect(cursor.block());
    }
};

std::vector<std::string> variants()
{
    std::vector<std::string> names = {"product", "product-search", "literal", "literal-search",
                                      "empty"};
#ifdef VX_HAVE_KSYNTAXHIGHLIGHTING
    names.push_back("ksyntaxhighlighting");
#endif
    return names;
}

void BM_Highlight(benchmark::State &state, std::string variant)
{
    Colouring colouring(variant);
    colouring.settle();
    for (auto _ : state)
        colouring.rehighlight();
}

void BM_Keystroke(benchmark::State &state, std::string variant)
{
    Colouring colouring(variant);
    colouring.settle();
    bool insert = true;
    for (auto _ : state) {
        state.PauseTiming();
        const QTextCursor cursor = colouring.middle();
        state.ResumeTiming();
        colouring.keystroke(cursor, insert);
        insert = !insert;
    }
}

void print_ratios(const std::map<std::string, double> &seconds)
{
    for (const char *kind : {"Highlight", "Keystroke"}) {
        const std::string prefix = std::string("BM_") + kind + "/";
        const auto base = seconds.find(prefix + "literal");
        if (base == seconds.end())
            continue;
        std::printf("\n%s, time against the literal rules (same run):\n", kind);
        for (const auto &[name, time] : seconds)
            if (name.rfind(prefix, 0) == 0)
                std::printf("  %-32s %10.3f ms  %6.3f\n", name.c_str(), time * 1e3,
                            time / base->second);
    }
}

// One slice of the product's colouring of a freshly loaded script.
void BM_Slice(benchmark::State &state)
{
    Colouring colouring("product");
    for (auto _ : state) {
        state.PauseTiming();
        colouring.load();
        state.ResumeTiming();
        QCoreApplication::processEvents();
    }
}

// Instructions of one part, as one callgrind dump.
template <typename Part> void count(const std::string &name, Part part)
{
    CALLGRIND_ZERO_STATS;
    CALLGRIND_TOGGLE_COLLECT;
    part();
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT(name.c_str());
}

// One run of each variant with collection on, one callgrind dump per part:
// loading the script (the product leaves most of it to its slices), one
// slice, colouring the whole script, one keystroke.
void count_instructions()
{
    for (const std::string &variant : variants()) {
        // The names must outlive the client requests, which keep only a pointer.
        const std::string highlight = "highlight " + variant;
        const std::string keystroke = "keystroke " + variant;
        Colouring colouring(variant);
        colouring.settle();
        count("load " + variant, [&] { colouring.load(); });
        if (variant == "product")
            count("slice " + variant, [] { QCoreApplication::processEvents(); });
        colouring.settle();
        // Warm the text shaper's caches, which the first variant would pay for.
        colouring.keystroke(colouring.middle(), true);
        colouring.keystroke(colouring.middle(), false);
        count(highlight, [&] { colouring.rehighlight(); });
        const QTextCursor cursor = colouring.middle();
        count(keystroke, [&] { colouring.keystroke(cursor, true); });
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--instructions") == 0) {
        count_instructions();
        return 0;
    }
    benchmark::RegisterBenchmark("BM_Slice/product", BM_Slice)->Unit(benchmark::kMillisecond);
    for (const std::string &variant : variants()) {
        benchmark::RegisterBenchmark(("BM_Highlight/" + variant).c_str(), BM_Highlight, variant)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_Keystroke/" + variant).c_str(), BM_Keystroke, variant)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    TimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    print_ratios(reporter.seconds);
    benchmark::Shutdown();
    return 0;
}
