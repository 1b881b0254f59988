// Opening each page type through the sandbox, as an operator does: the
// plug-in loaded by path builds the page for a folder and the page takes in
// what its trackers report. The baseline, in the same run, is the same page
// type on the demo server; the figure is the large server's
// (--demo-size large: 2,000 channels, 300 templates, 500 scripts, 200 rules,
// 50 schedules, 20 loops). VX_BENCH_ITERATIONS fixes the iteration count,
// for runs under callgrind, counting only the page openings:
//   VX_BENCH_ITERATIONS=5 valgrind --tool=callgrind --toggle-collect='*open_page_once*'
//       build/bench/bench_sandbox_pages --benchmark_filter=Rule

#include "sandbox/navigator.h"
#include "sandbox/plugin-library.h"
#include "sandbox/session.h"

#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

struct Server
{
    std::unique_ptr<sandbox::Session> session;
    std::map<std::string, std::string> first_of_type; // type -> folder path
};

std::unique_ptr<sandbox::PluginLibrary> plugin;
Server *plugin_server = nullptr; // the server whose host the plug-in was handed
sandbox::Navigator *navigator = nullptr;

Server make_server(sandbox::SessionSource::Kind kind)
{
    Server server;
    QString error;
    server.session = sandbox::Session::open({kind, QString()}, &error);
    auto &tree = server.session->tree();
    const std::string scripts = server.session->server_path() + "/scripts";
    server.first_of_type["ScriptFolder"] = scripts;
    for (const auto &name : tree.children(scripts)) {
        const std::string path = scripts + "/" + name;
        server.first_of_type.emplace(tree.snapshot(path).type, path);
    }
    return server;
}

// The plug-in serves one host at a time, as in the client.
void serve(Server &server)
{
    if (plugin_server == &server)
        return;
    if (plugin_server)
        plugin->done();
    plugin->init(&server.session->host());
    plugin->after_load();
    plugin_server = &server;
}

__attribute__((noinline)) void open_page_once(Server &server, const std::string &type)
{
    auto factory = server.session->host().pages().factory(type);
    auto &tree = server.session->tree();
    const std::string &path = server.first_of_type.at(type);
    QWidget *page = factory->create(navigator, tree.folder(path), server.session->server_root());
    QCoreApplication::processEvents(); // the trackers' first reports
    delete page;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void open_page(benchmark::State &state, Server *server, std::string type)
{
    serve(*server);
    for (auto _ : state)
        open_page_once(*server, type);
    // Let the services deliver to the receivers the pages registered.
    server->session->settle(1000);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qt_argc = 1;
    QApplication app(qt_argc, argv);
    Server demo = make_server(sandbox::SessionSource::DEMO);
    Server large = make_server(sandbox::SessionSource::LARGE);
    plugin.reset(new sandbox::PluginLibrary(demo.session->host().log()));
    QString error;
    if (!plugin->load(sandbox::default_plugin_path(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    navigator = new sandbox::Navigator(&app);
    const int iterations = qEnvironmentVariableIntValue("VX_BENCH_ITERATIONS");
    for (const char *type : {"ScriptFolder", "Rule", "Script", "CloudScript", "StockScript",
                             "Schedule", "EmailAccount", "TemplateLoop"})
        for (auto server : {std::make_pair("demo", &demo), std::make_pair("large", &large)}) {
            auto *b = benchmark::RegisterBenchmark((std::string(type) + "/" + server.first).c_str(),
                                                   open_page, server.second, std::string(type));
            b->Unit(benchmark::kMillisecond);
            if (iterations > 0)
                b->Iterations(iterations);
        }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (plugin_server)
        plugin->done();
    return 0;
}
