// Opening a rule page with ten actions on the large demo server (2,000
// channels): three exports and three screenshots each list every channel.
// The baseline, in the same run and on the same server, is opening the
// schedule page. Aim: one 60 Hz frame (16.7 ms).

#include "plugin/entry.h"
#include "sandbox/navigator.h"
#include "sandbox/session.h"
#include "script-setup/rule-page/setup-rule.h"
#include "script-setup/rule/rule-folder.h"
#include "script-setup/setup-schedule.h"
#include "utils/logging.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<sandbox::Session> server;
sandbox::Navigator *navigator = nullptr;
std::string rule_path, schedule_path;

std::string first_channel()
{
    const std::string channels = server->server_path() + "/channels";
    return server->tree().children(channels).front() + "_" + server->host().local_server_name();
}

void make_ten_action_rule()
{
    const std::string scripts = server->server_path() + "/scripts";
    rule_path = scripts + "/bench-rule";
    auto &tree = server->tree();
    tree.make_folder(rule_path, "Rule");
    tree.put_string(rule_path, "name", "Ten actions");
    tree.make_folder(rule_path + "/stats");
    for (const auto &name : tree.children(scripts))
        if (tree.snapshot(scripts + "/" + name).type == "Schedule")
            schedule_path = scripts + "/" + name;
    rule::StoredRule r;
    r.activation_code = rule::ON_SHORTCUT;
    r.activation_list = QStringList{"F5"};
    const QString channel = QString::fromStdString(first_channel());
    for (int i = 0; i < 3; ++i) {
        r.actions.push_back({rule::EXPORT_VIDEO, channel, "30,ss", QStringLiteral("e%1").arg(i)});
        r.actions.push_back({rule::TAKE_SCREENSHOT, channel, "0", QStringLiteral("s%1").arg(i)});
    }
    r.actions.push_back({rule::WAIT, "", "5", ""});
    r.actions.push_back({rule::CHANGE_SETTINGS, "a/b/c:integer", "5", ""});
    r.actions.push_back({rule::POS_REPORT, "", "13\n1\n", "p0"});
    r.actions.push_back({rule::SEND_EMAIL, "", "\na@b.c\nHi\ne0;s0;p0\nBody", ""});
    rule::save_stored_rule(tree.folder(rule_path), r);
}

template <class Page> void open_page(benchmark::State &state, const std::string *path)
{
    for (auto _ : state) {
        auto *page = new Page(navigator, server->tree().folder(*path), server->server_root());
        QCoreApplication::processEvents();
        delete page;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    server->settle(1000);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qt_argc = 1;
    QApplication app(qt_argc, argv);
    QString error;
    server = sandbox::Session::open({sandbox::SessionSource::LARGE, QString()}, &error);
    if (!server) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    logging_facility::set_sink({});
    vx_init(&server->host());
    navigator = new sandbox::Navigator(&app);
    make_ten_action_rule();
    benchmark::RegisterBenchmark("Schedule/large", open_page<QSetupSchedule>, &schedule_path)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Rule10/large", open_page<QSetupRule>, &rule_path)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    vx_done();
    server.reset();
    return 0;
}
