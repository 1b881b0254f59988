#include "sandbox/engine/headless-fire.h"

#include <QEventLoop>
#include <QJsonDocument>

namespace sandbox {

int fire_headless(Session &session, const std::vector<FireRequest> &requests,
                  const EngineSettings &settings, std::FILE *out, std::FILE *err)
{
    ScriptEnvironment environment(session);
    environment.set_settings(settings);
    QEventLoop loop;
    int status = 0;
    QObject::connect(&environment, &ScriptEnvironment::entry, [out](const QJsonObject &entry) {
        const QByteArray line = QJsonDocument(entry).toJson(QJsonDocument::Compact);
        std::fprintf(out, "%s\n", line.constData());
    });
    QObject::connect(&environment, &ScriptEnvironment::idle, &loop, &QEventLoop::quit);
    QObject::connect(&environment, &ScriptEnvironment::failed, &loop,
                     [&loop, &status, err](const QString &reason) {
                         std::fprintf(err, "quorix-sandbox: %s\n", qPrintable(reason));
                         status = 1;
                         loop.quit();
                     });
    QString error;
    if (!environment.fire(requests, &error)) {
        std::fprintf(err, "quorix-sandbox: --fire: %s\n", qPrintable(error));
        return 1;
    }
    loop.exec();
    std::fflush(out);
    return status;
}

} // namespace sandbox
