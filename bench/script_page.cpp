// Opening a script page for a 10,000-line script that declares 50
// parameters, on the large demo server (--demo-size large), through the
// plug-in loaded by path. The baseline, in the same run, is opening the
// schedule page of the same server; the figure is the ratio of the two.

#include "sandbox/navigator.h"
#include "sandbox/plugin-library.h"
#include "sandbox/session.h"

#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<sandbox::Session> session;
sandbox::Navigator *navigator = nullptr;
std::string script_path;
std::string schedule_path;

std::string parameter(int n)
{
    static const char *const types[] = {"string", "integer", "float",    "boolean",
                                        "time",   "date",    "checkbox", "string_from_list"};
    static const char *const values[] = {"gate",     "5",          "1.5", "True",
                                         "07:30:00", "01.02.2024", "1",   "b"};
    const int kind = n % 8;
    std::string p = " <parameter>\n  <type>" + std::string(types[kind]) + "</type>\n  <id>p" +
                    std::to_string(n) + "</id>\n  <name>Parameter " + std::to_string(n) +
                    "</name>\n  <value>" + values[kind] + "</value>\n";
    if (kind == 1)
        p += "  <min>0</min>\n  <max>10</max>\n  <suffix> s</suffix>\n";
    if (kind == 7)
        p += "  <string_list>a,b,c</string_list>\n";
    return p + " </parameter>\n";
}

std::string large_script()
{
    std::string text = "# -*- coding: utf-8 -*-\n# Gate control\n# Opens gates for known cars.\n"
                       "\"\"\"<parameters>\n <company>ACME</company>\n <title>Gates</title>\n"
                       " <version>3</version>\n";
    for (int n = 0; n < 50; ++n)
        text += parameter(n);
    text += "</parameters>\"\"\"\n";
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    for (int n = lines; n < 10000; n += 2)
        text += "def handler_" + std::to_string(n) + "(event):\n    log('gate %s' % event)\n";
    return text;
}

void add_script(sandbox::Session &s)
{
    // A copy of a demo script's folder with the large text; disabled, so the
    // engine stand-in stays out of the measurement.
    auto &tree = s.tree();
    const std::string scripts = s.server_path() + "/scripts";
    for (const auto &name : tree.children(scripts)) {
        const std::string path = scripts + "/" + name;
        const std::string type = tree.snapshot(path).type;
        if (type == "Script" && script_path.empty()) {
            script_path = path;
            tree.put_string(path, "script", large_script());
            tree.put_string(path, "parameters", "");
            tree.put_integer(path, "enable", 0);
        }
        if (type == "Schedule" && schedule_path.empty())
            schedule_path = path;
    }
}

__attribute__((noinline)) void open_page_once(const std::string &type, const std::string &path)
{
    auto factory = session->host().pages().factory(type);
    QWidget *page =
        factory->create(navigator, session->tree().folder(path), session->server_root());
    QCoreApplication::processEvents();
    delete page;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void open_page(benchmark::State &state, std::string type, const std::string *path)
{
    for (auto _ : state)
        open_page_once(type, *path);
    session->settle(1000);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qt_argc = 1;
    QApplication app(qt_argc, argv);
    QString error;
    session = sandbox::Session::open({sandbox::SessionSource::LARGE, QString()}, &error);
    if (!session) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    add_script(*session);
    sandbox::PluginLibrary plugin(session->host().log());
    if (!plugin.load(sandbox::default_plugin_path(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    plugin.init(&session->host());
    plugin.after_load();
    navigator = new sandbox::Navigator(&app);
    benchmark::RegisterBenchmark("OpenSchedulePage/large", open_page, std::string("Schedule"),
                                 &schedule_path)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("OpenScriptPage_10000Lines_50Parameters/large", open_page,
                                 std::string("Script"), &script_path)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    plugin.done();
    session.reset();
    return 0;
}
