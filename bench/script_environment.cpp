// Firing one event at the 200 rules of the large server (--demo-size large),
// each enabled and listening for it on every object: events per second
// through the scripting environment, traced as the window traces and
// untraced. The untraced run, in the same process, is the baseline of the
// trace's overhead. The child process and the loading of every script happen
// before the timing starts.

#include "sandbox/engine/script-environment.h"
#include "sandbox/session.h"
#include "script-setup/rule/rule-script.h"

#include <QApplication>
#include <QEventLoop>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<sandbox::Session> session;
std::string channel; // where the event happens

void prepare_server()
{
    QString error;
    session = sandbox::Session::open({sandbox::SessionSource::LARGE, QString()}, &error);
    rule::Rule r;
    r.server_name = QString::fromStdString(session->server_name());
    r.activation.code = rule::ON_EVENT;
    r.activation.event_types = QStringLiteral("Motion Detected");
    rule::Action sound;
    sound.code = rule::PLAY_SOUND;
    sound.sound = QStringLiteral("bell.wav");
    r.actions = {sound};
    const std::string script = rule::generate_script(r, {}).text.toStdString();
    auto &tree = session->tree();
    const std::string scripts = session->server_path() + "/scripts";
    for (const auto &name : tree.children(scripts)) {
        const std::string path = scripts + "/" + name;
        if (tree.snapshot(path).type == "Rule") {
            tree.put_string(path, "script", script);
            tree.put_integer(path, "enable", 1);
        }
    }
    channel = session->server_path() + "/channels/" +
              tree.children(session->server_path() + "/channels").front();
}

void fire_once(sandbox::ScriptEnvironment &environment, QEventLoop &loop)
{
    QString error;
    if (!environment.fire({{QString::fromStdString(channel), "event", "Motion Detected"}}, &error))
        return;
    loop.exec();
}

void BM_EventAt200Rules(benchmark::State &state)
{
    sandbox::ScriptEnvironment environment(*session);
    sandbox::EngineSettings settings;
    settings.traced = state.range(0) != 0;
    settings.horizon_ms = 0;
    environment.set_settings(settings);
    long entries = 0;
    QObject::connect(&environment, &sandbox::ScriptEnvironment::entry, [&entries] { ++entries; });
    QEventLoop loop;
    QObject::connect(&environment, &sandbox::ScriptEnvironment::idle, &loop, &QEventLoop::quit);
    QObject::connect(&environment, &sandbox::ScriptEnvironment::failed, &loop, &QEventLoop::quit);
    fire_once(environment, loop); // starts the child and loads every script
    entries = 0;
    for (auto _ : state)
        fire_once(environment, loop);
    state.SetItemsProcessed(state.iterations());
    state.counters["entries_per_event"] =
        benchmark::Counter(static_cast<double>(entries) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_EventAt200Rules)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("traced")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepare_server();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    session.reset();
    return 0;
}
