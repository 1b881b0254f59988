// What opening a script costs in its header: the split, the declaration and
// the description, as the script page runs them. Texts: an ordinary
// 10,000-line script, and one-megabyte headers on which the expressions give
// up. Baseline in the same run: the linear reading of the same text alone.

#include "script-setup/script/script-header.h"
#include "utils/text.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

std::string ordinary_script()
{
    std::string s = "# -*- coding: utf-8 -*-\n# Ordinary script\n\"\"\"<parameters>\n";
    for (int i = 0; i < 50; ++i)
        s += " <parameter><type>integer</type><id>p" + std::to_string(i) + "</id></parameter>\n";
    s += "</parameters>\"\"\"\n";
    for (int i = 0; s.size() < 400000; ++i)
        s += "value_" + std::to_string(i) + " = object('Camera').state('signal')\n";
    return s;
}

std::string repeated(const std::string &piece, const std::string &tail)
{
    std::string s;
    while (s.size() < (1 << 20))
        s += piece;
    return s + tail;
}

const std::string &text(int kind)
{
    static const std::string texts[] = {
        ordinary_script(),
        repeated("#\n\n", "'''<parameters/>'''\nx = 1\n"),
        repeated("\n", "x = 1\n"),
        repeated("# comment line\n \t\n", "run()\n"),
    };
    return texts[kind];
}

const char *const names[] = {"ordinary 10k lines", "1 MB comment/blank pairs",
                             "1 MB blank lines, no docstring", "1 MB comment lines, code"};

void open_header(benchmark::State &state)
{
    const std::string &t = text(static_cast<int>(state.range(0)));
    const QString editor_text = from_utf8(t);
    for (auto _ : state) {
        benchmark::DoNotOptimize(script_header::split(t));
        benchmark::DoNotOptimize(script_header::declaration(t));
        benchmark::DoNotOptimize(script_header::description_text(editor_text, ""));
    }
    state.SetLabel(names[state.range(0)]);
}

void linear_split(benchmark::State &state)
{
    const std::string &t = text(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(script_header::linear::split(t));
    state.SetLabel(names[state.range(0)]);
}

BENCHMARK(open_header)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(linear_split)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
