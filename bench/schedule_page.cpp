// Opening a schedule page on a large server: 2,000 channels and 50 schedules.
// Baselines in the same run: the same page on a server without channels or
// other schedules, and the host reads of the channel list without any widget.

#include "memory-host/memory-host.h"
#include "script-setup/schedule-channels.h"
#include "script-setup/setup-schedule.h"
#include "utils/logging.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

const char *const schedule_path = "/DEMO/scripts/sch0";

std::string guid(int n)
{
    return "{channel-" + std::to_string(n) + "}";
}

void make_schedule(memory_host::MemoryTree &tree, int n, int channels)
{
    const std::string path = "/DEMO/scripts/sch" + std::to_string(n);
    tree.make_folder(path, "Schedule");
    for (const char *key : {"schedule_mo", "schedule_tu", "schedule_we", "schedule_th",
                            "schedule_fr", "schedule_sa", "schedule_su"})
        tree.put_string(path, key, "0,28800,1,36000,2,64800,1,72000,0");
    // Each schedule lists 20 channels of its own; every fifth controls them.
    std::string list;
    for (int c = 0; c < 20 && channels > 0; ++c)
        list += (c ? "," : "") + guid((n * 20 + c) % channels);
    tree.put_string(path, "affected_channels", list);
    tree.put_integer(path, "affect_channels_record_mode", n % 5 == 0 ? 1 : 0);
    tree.put_string(path, "name", "Schedule " + std::to_string(n));
    tree.put_integer(path, "enable", 1);
}

std::unique_ptr<memory_host::MemoryHost> make_server(int channels, int schedules)
{
    auto host = std::make_unique<memory_host::MemoryHost>();
    auto &tree = host->tree();
    tree.make_folder("/DEMO/scripts", "ScriptFolder");
    tree.make_folder("/DEMO/channels");
    for (int n = 0; n < std::max(1, schedules); ++n)
        make_schedule(tree, n, channels);
    for (int c = 0; c < channels; ++c) {
        const std::string path = "/DEMO/channels/" + guid(c);
        tree.make_folder(path, "Channel");
        tree.put_string(path, "name", "Camera " + std::to_string(c));
        tree.put_integer(path, "archive_zombie_flag", c % 50 == 49 ? 1 : 0);
        if (c % 10 == 9)
            tree.set_rights(path, 0xff & ~4);
    }
    return host;
}

void open_page(benchmark::State &state, int channels, int schedules)
{
    auto host = make_server(channels, schedules);
    logging_facility::set_sink(host->log_sink());
    for (auto _ : state) {
        QSetupSchedule page(nullptr, host->tree().folder(schedule_path), host->server_root());
        benchmark::DoNotOptimize(&page);
        state.PauseTiming();
        host->tree().clear_calls(); // the host's call log is the test's, not the page's
        state.ResumeTiming();
    }
    logging_facility::set_sink({});
}

void BM_OpenSchedulePage_2000Channels_50Schedules(benchmark::State &state)
{
    open_page(state, 2000, 50);
}

void BM_OpenSchedulePage_EmptyServer(benchmark::State &state)
{
    open_page(state, 0, 1);
}

void BM_ReadScheduleChannels_2000Channels_50Schedules(benchmark::State &state)
{
    auto host = make_server(2000, 50);
    logging_facility::set_sink(host->log_sink());
    const Settings schedule = host->tree().folder(schedule_path);
    const Settings root = host->server_root();
    for (auto _ : state) {
        benchmark::DoNotOptimize(schedule_page::read_schedule_channels(schedule, root));
        state.PauseTiming();
        host->tree().clear_calls();
        state.ResumeTiming();
    }
    logging_facility::set_sink({});
}

} // namespace

BENCHMARK(BM_OpenSchedulePage_EmptyServer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadScheduleChannels_2000Channels_50Schedules)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSchedulePage_2000Channels_50Schedules)->Unit(benchmark::kMillisecond);

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
