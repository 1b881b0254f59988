#include "sandbox/engine/headless-fire.h"

#include "sandbox/engine/engine-ui.h"
#include "sandbox/engine/trace-pane.h"
#include "sandbox/main-window.h"

#include <QEventLoop>
#include <QJsonDocument>

namespace sandbox {
namespace {

// Runs the event loop until the environment's clock stops; false on failure.
bool wait_for_idle(ScriptEnvironment &environment, std::FILE *err)
{
    QEventLoop loop;
    bool ok = true;
    QObject::connect(&environment, &ScriptEnvironment::idle, &loop, &QEventLoop::quit);
    QObject::connect(&environment, &ScriptEnvironment::failed, &loop,
                     [&loop, &ok, err](const QString &reason) {
                         std::fprintf(err, "quorix-sandbox: %s\n", qPrintable(reason));
                         ok = false;
                         loop.quit();
                     });
    loop.exec();
    return ok;
}

} // namespace

int fire_headless(Session &session, const std::vector<FireRequest> &requests,
                  const EngineSettings &settings, std::FILE *out, std::FILE *err)
{
    ScriptEnvironment environment(session);
    environment.set_settings(settings);
    QObject::connect(&environment, &ScriptEnvironment::entry, [out](const QJsonObject &entry) {
        const QByteArray line = QJsonDocument(entry).toJson(QJsonDocument::Compact);
        std::fprintf(out, "%s\n", line.constData());
    });
    QString error;
    if (!environment.fire(requests, &error)) {
        std::fprintf(err, "quorix-sandbox: --fire: %s\n", qPrintable(error));
        return 1;
    }
    const bool ok = wait_for_idle(environment, err);
    std::fflush(out);
    return ok ? 0 : 1;
}

bool fire_in_window(MainWindow &window, const std::vector<FireRequest> &requests,
                    const EngineSettings &settings)
{
    ScriptEnvironment &environment = *window.engine_ui()->environment();
    environment.set_settings(settings);
    QString error;
    if (!environment.fire(requests, &error)) {
        std::fprintf(stderr, "quorix-sandbox: --fire: %s\n", qPrintable(error));
        return false;
    }
    window.show_trace();
    window.engine_ui()->trace_pane()->forget_last_fired();
    const bool ok = wait_for_idle(environment, stderr);
    window.engine_ui()->trace_pane()->show_last_fired();
    return ok;
}

} // namespace sandbox
