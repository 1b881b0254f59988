// Opening each page type and each inserter dialog through the sandbox, as an
// operator does: the plug-in loaded by path builds the page for a folder, the
// page takes in what its trackers and the server's services report, and it
// is closed again. Three servers: the demo server, the large one
// (--demo-size large: 2,000 channels, 300 templates, 500 scripts, 200 rules,
// 50 schedules, 20 loops) and the huge one (the large one scaled 10x). After
// the run it prints, per page, the time ratios large/demo and huge/large: a
// cost linear in the server's size shows at most 10 for the second.
// LargeScript is a script page for a 10,000-line script declaring 50
// parameters, Rule10 a rule page with ten actions whose three exports and
// three screenshots each list every channel; their rows also give their time
// as a multiple of the schedule page's on the same server.
//
// --instructions [PAGE] opens each page (or that one) five times under
// callgrind, one dump per opening; bench/sandbox-pages-instructions.sh reads
// them.

#include "bench/bench-support.h"
#include "bench/callgrind-counts.h"
#include "sandbox/demo-server.h"
#include "sandbox/navigator.h"
#include "sandbox/plugin-library.h"
#include "sandbox/server-services.h"
#include "sandbox/session.h"
#include "script-setup/inserters/events-inserter-dialog.h"
#include "script-setup/inserters/objects-inserter-dialog.h"
#include "script-setup/inserters/settings-inserter-dialog.h"
#include "script-setup/rule/rule-folder.h"

#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstring>
#include <map>
#include <memory>

namespace {

struct Server
{
    const char *name;
    std::unique_ptr<sandbox::Session> session;
    std::map<std::string, std::string> first_of_type; // type -> folder path
};

std::unique_ptr<sandbox::PluginLibrary> plugin;
Server *plugin_server = nullptr; // the server whose host the plug-in was handed
sandbox::Navigator *navigator = nullptr;

const char *const pages[] = {"ScriptFolder", "Rule",     "Script",       "CloudScript",
                             "StockScript",  "Schedule", "EmailAccount", "TemplateLoop",
                             "LargeScript",  "Rule10"};
const char *const dialogs[] = {"EventsInserter", "ObjectsInserter", "SettingsInserter"};

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

// Each export and screenshot lists every channel of the server.
void add_ten_action_rule(Server &server)
{
    auto &tree = server.session->tree();
    const std::string path = server.session->server_path() + "/scripts/bench-rule";
    tree.make_folder(path, "Rule");
    tree.put_string(path, "name", "Ten actions");
    tree.make_folder(path + "/stats");
    const QString channel =
        QString::fromStdString(tree.children(server.session->server_path() + "/channels").front() +
                               "_" + server.session->host().local_server_name());
    rule::StoredRule r;
    r.activation_code = rule::ON_SHORTCUT;
    r.activation_list = QStringList{"F5"};
    for (int i = 0; i < 3; ++i) {
        r.actions.push_back({rule::EXPORT_VIDEO, channel, "30,ss", QStringLiteral("e%1").arg(i)});
        r.actions.push_back({rule::TAKE_SCREENSHOT, channel, "0", QStringLiteral("s%1").arg(i)});
    }
    r.actions.push_back({rule::WAIT, "", "5", ""});
    r.actions.push_back({rule::CHANGE_SETTINGS, "a/b/c:integer", "5", ""});
    r.actions.push_back({rule::POS_REPORT, "", "13\n1\n", "p0"});
    r.actions.push_back({rule::SEND_EMAIL, "", "\na@b.c\nHi\ne0;s0;p0\nBody", ""});
    rule::save_stored_rule(tree.folder(path), r);
    server.first_of_type["Rule10"] = path;
}

void make_server(Server &server, const char *name, sandbox::SessionSource::Kind kind)
{
    server.name = name;
    QString error;
    server.session = sandbox::Session::open({kind, QString()}, &error);
    server.session->tree().set_call_log_size(0); // as the sandbox runs
    auto &tree = server.session->tree();
    const std::string scripts = server.session->server_path() + "/scripts";
    server.first_of_type["ScriptFolder"] = scripts;
    for (const auto &child : tree.children(scripts)) {
        const std::string path = scripts + "/" + child;
        const std::string type = tree.snapshot(path).type;
        server.first_of_type.emplace(type, path);
        if (type == "Script")
            server.first_of_type["LargeScript"] = path; // the last one
    }
    // Disabled, so the engine stand-in stays out of the measurement.
    const std::string &large = server.first_of_type.at("LargeScript");
    tree.put_string(large, "script", large_script());
    tree.put_string(large, "parameters", "");
    tree.put_integer(large, "enable", 0);
    add_ten_action_rule(server);
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

QWidget *create(Server &server, const std::string &what)
{
    auto &host = server.session->host();
    if (what == "EventsInserter")
        return new QEventsInserterDialog(&host, server.session->server_name(), nullptr,
                                         QEventsInserterDialog::CHECK_EVENTS, {});
    if (what == "ObjectsInserter")
        return new QObjectsInserterDialog(&host, server.session->server_name(), nullptr,
                                          QObjectsInserterDialog::SHOW_STATES |
                                              QObjectsInserterDialog::SHOW_VALUES |
                                              QObjectsInserterDialog::OBJECT_TEXT,
                                          {});
    auto &tree = server.session->tree();
    if (what == "SettingsInserter")
        return new QSettingsInserterDialog(tree.folder(server.first_of_type.at("Rule")), nullptr,
                                           1.0f, 0x26);
    auto factory = host.pages().factory(what == "LargeScript" ? "Script"
                                        : what == "Rule10"    ? "Rule"
                                                              : what);
    return factory->create(navigator, tree.folder(server.first_of_type.at(what)),
                           server.session->server_root());
}

// Until the page shows what its trackers and services report, then closed.
__attribute__((noinline)) void open_page_once(Server &server, const std::string &what)
{
    QWidget *page = create(server, what);
    QCoreApplication::processEvents();
    server.session->services().wait_idle();
    QCoreApplication::processEvents();
    delete page;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void open_page(benchmark::State &state, Server *server, std::string what)
{
    serve(*server);
    for (auto _ : state)
        open_page_once(*server, what);
    server->session->settle(1000);
}

void print_ratios(const std::map<std::string, double> &seconds, const Server servers[3])
{
    std::printf("\n%-18s %10s %10s %10s %12s %12s\n", "page (ms)", servers[0].name, servers[1].name,
                servers[2].name, "large/demo", "huge/large");
    auto row = [&](const char *what) {
        double t[3] = {0, 0, 0};
        for (int s = 0; s < 3; ++s) {
            auto it = seconds.find(std::string(what) + "/" + servers[s].name);
            if (it == seconds.end())
                return;
            t[s] = it->second;
        }
        std::printf("%-18s %10.2f %10.2f %10.2f %12.1f %12.1f\n", what, t[0] * 1e3, t[1] * 1e3,
                    t[2] * 1e3, t[1] / t[0], t[2] / t[1]);
    };
    for (const char *page : pages)
        row(page);
    for (const char *dialog : dialogs)
        row(dialog);
    for (const std::string page : {"LargeScript", "Rule10"}) {
        std::printf("%-18s", (page + "/Sched").c_str());
        for (int s = 0; s < 3; ++s) {
            auto it = seconds.find(page + "/" + servers[s].name);
            auto schedule = seconds.find(std::string("Schedule/") + servers[s].name);
            if (it != seconds.end() && schedule != seconds.end())
                std::printf(" %10.1f", it->second / schedule->second);
        }
        std::printf("\n");
    }
}

// Five openings of everything, each counted on its own.
void count_instructions(Server servers[3], const char *only)
{
    auto count = [&](const char *what) {
        if (only && std::strcmp(only, what) != 0)
            return;
        for (int s = 0; s < 3; ++s) {
            serve(servers[s]);
            for (int n = 1; n <= 5; ++n) {
                CALLGRIND_ZERO_STATS;
                CALLGRIND_TOGGLE_COLLECT;
                open_page_once(servers[s], what);
                CALLGRIND_TOGGLE_COLLECT;
                const std::string name =
                    std::string(what) + " " + servers[s].name + " " + std::to_string(n);
                CALLGRIND_DUMP_STATS_AT(name.c_str());
            }
            servers[s].session->settle(1000);
        }
    };
    for (const char *page : pages)
        count(page);
    for (const char *dialog : dialogs)
        count(dialog);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qt_argc = 1;
    QApplication app(qt_argc, argv);
    Server servers[3];
    make_server(servers[0], "demo", sandbox::SessionSource::DEMO);
    make_server(servers[1], "large", sandbox::SessionSource::LARGE);
    sandbox::set_large_server_size(sandbox::LargeServerSize().scaled(10));
    make_server(servers[2], "huge", sandbox::SessionSource::LARGE);
    plugin.reset(new sandbox::PluginLibrary(servers[0].session->host().log()));
    QString error;
    if (!plugin->load(sandbox::default_plugin_path(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    navigator = new sandbox::Navigator(&app);
    if (argc > 1 && std::strcmp(argv[1], "--instructions") == 0) {
        count_instructions(servers, argc > 2 ? argv[2] : nullptr);
    } else {
        for (const auto &list : {std::vector<const char *>(std::begin(pages), std::end(pages)),
                                 std::vector<const char *>(std::begin(dialogs), std::end(dialogs))})
            for (const char *what : list)
                for (int s = 0; s < 3; ++s)
                    benchmark::RegisterBenchmark(
                        (std::string(what) + "/" + servers[s].name).c_str(), open_page, &servers[s],
                        std::string(what))
                        ->Unit(benchmark::kMillisecond);
        benchmark::Initialize(&argc, argv);
        TimesReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        print_ratios(reporter.seconds, servers);
    }
    if (plugin_server)
        plugin->done();
    return 0;
}
