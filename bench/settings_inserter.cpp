// Opening the settings inserter on a server with 50,000 keys: 50 areas of
// 20 devices with 50 keys each. Baseline in the same run: the host reads of
// the same tree without any widget.

#include "memory-host/memory-host.h"
#include "script-setup/inserters/settings-inserter-dialog.h"
#include "script-setup/inserters/settings-tree.h"
#include "utils/logging.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

const char *const rule_path = "/DEMO/scripts/rule1";

std::unique_ptr<memory_host::MemoryHost> make_host()
{
    std::unique_ptr<memory_host::MemoryHost> host(new memory_host::MemoryHost);
    auto &tree = host->tree();
    tree.make_folder(rule_path, "Rule");
    for (int a = 0; a < 50; ++a)
        for (int d = 0; d < 20; ++d) {
            const std::string path =
                "/DEMO/area" + std::to_string(a) + "/device" + std::to_string(d);
            tree.make_folder(path);
            tree.put_string(path, "name", "Device " + std::to_string(d));
            for (int k = 1; k < 50; ++k)
                tree.put_integer(path, "option_" + std::to_string(k), k);
        }
    return host;
}

void BM_ReadSettingsTree_50000Keys(benchmark::State &state)
{
    auto host = make_host();
    for (auto _ : state) {
        SettingsNode node =
            read_settings_tree(settings_tree_top(host->tree().folder(rule_path)), {});
        benchmark::DoNotOptimize(node.folders.size());
        host->tree().clear_calls();
    }
}

void BM_OpenSettingsInserter_50000Keys(benchmark::State &state)
{
    auto host = make_host();
    for (auto _ : state) {
        auto *dialog =
            new QSettingsInserterDialog(host->tree().folder(rule_path), nullptr, 1.0f, 0x26);
        dialog->show();
        QApplication::processEvents();
        delete dialog;
        host->tree().clear_calls();
    }
}

} // namespace

BENCHMARK(BM_ReadSettingsTree_50000Keys)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSettingsInserter_50000Keys)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
