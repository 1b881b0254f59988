// The template loop page's bound on a stored order and its plain logic
// (bench_sandbox_pages measures ordinary openings). Baselines in the same run:
// splitting the stored order at spaces without reading it, and four plain
// replaces on the script text instead of the one-pass substitution.

#include "bench/bench-support.h"
#include "memory-host/memory-host.h"
#include "plugin/entry.h"
#include "script-setup/loop/loop-script.h"
#include "script-setup/loop/templates-order.h"
#include "script-setup/setup-loop.h"
#include "utils/logging.h"

#include <memory>
#include <string>

namespace {

const char *const loop_path = "/DEMO/scripts/loop1";

std::string stored_order(int elements, int kind)
{
    std::vector<loop::LoopEntry> entries;
    for (int i = 0; i < elements; ++i)
        entries.push_back({QByteArray((kind ? "ch" : "t") + QByteArray::number(i % 10)), 5, kind});
    return loop::format_templates_order(entries);
}

std::unique_ptr<memory_host::MemoryHost> make_server(const std::string &order)
{
    auto host = std::make_unique<memory_host::MemoryHost>();
    auto &tree = host->tree();
    for (int t = 0; t < 10; ++t)
        tree.put_string("/DEMO/templates/t" + std::to_string(t), "name",
                        "Template " + std::to_string(t));
    tree.make_folder(loop_path, "TemplateLoop");
    tree.put_string(loop_path, "name", "Lobby");
    tree.put_string(loop_path, "shortcut", "F5");
    tree.put_integer(loop_path, "monitor_n", 1);
    tree.put_string(loop_path, "templates_order", order);
    return host;
}

void open_page(benchmark::State &state, const std::string &order)
{
    auto host = make_server(order);
    logging_facility::set_sink(host->log_sink());
    for (auto _ : state) {
        QSetupLoop page(nullptr, host->tree().folder(loop_path), host->server_root());
        benchmark::DoNotOptimize(&page);
        state.PauseTiming();
        host->tree().clear_calls();
        state.ResumeTiming();
    }
    logging_facility::set_sink({});
}

// Opening stays bounded: an order far past the bound costs what the bound does.
void BM_OpenLoopPage_1000Templates(benchmark::State &state)
{
    open_page(state, stored_order(1000, loop::TEMPLATE));
}

void BM_OpenLoopPage_OrderOf50MB(benchmark::State &state)
{
    open_page(state, stored_order(50 << 20 >> 3, loop::TEMPLATE));
}

void BM_SplitOrderAtSpaces_200(benchmark::State &state)
{
    const std::string text = stored_order(200, loop::CHANNEL);
    for (auto _ : state) {
        std::vector<std::string> tokens;
        for (size_t start = 0, end; start <= text.size(); start = end + 1) {
            end = std::min(text.find(' ', start), text.size());
            tokens.push_back(text.substr(start, end - start));
        }
        benchmark::DoNotOptimize(tokens);
    }
}

void BM_ParseTemplatesOrder_200(benchmark::State &state)
{
    const std::string text = stored_order(200, loop::CHANNEL);
    for (auto _ : state)
        benchmark::DoNotOptimize(loop::parse_templates_order(text));
}

loop::LoopScriptInput script_input()
{
    loop::LoopScriptInput in;
    in.monitor = 2;
    in.shortcut = QStringLiteral("Ctrl+F2");
    in.operator_gui = "{op-1}";
    in.entries = loop::parse_templates_order(stored_order(20, loop::TEMPLATE)).entries;
    return in;
}

void BM_ReplaceFourTimes_LoopScript20(benchmark::State &state)
{
    const QString text = QString::fromLatin1(loop::loop_script_template());
    const QString sequence = loop::element_sequence(script_input().entries);
    for (auto _ : state) {
        QString s = text;
        s.replace(QLatin1String("%1"), QStringLiteral("2"));
        s.replace(QLatin1String("%2"), sequence);
        s.replace(QLatin1String("%3"), QStringLiteral("{op-1}"));
        s.replace(QLatin1String("%4"), QStringLiteral("Ctrl+F2"));
        benchmark::DoNotOptimize(s);
    }
}

void BM_GenerateLoopScript20(benchmark::State &state)
{
    const loop::LoopScriptInput in = script_input();
    for (auto _ : state)
        benchmark::DoNotOptimize(loop::generate_loop_script(in));
}

} // namespace

BENCHMARK(BM_OpenLoopPage_1000Templates)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLoopPage_OrderOf50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitOrderAtSpaces_200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseTemplatesOrder_200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReplaceFourTimes_LoopScript20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GenerateLoopScript20)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    return run_offscreen_benchmarks(argc, argv);
}
