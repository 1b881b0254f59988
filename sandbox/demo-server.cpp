#include "sandbox/demo-server.h"

#include <QFile>

// Outside any namespace, as Qt's resource initialisers are declared.
static void init_demo_resource()
{
    Q_INIT_RESOURCE(sandbox_demo);
}

namespace sandbox {

std::string demo_server_document()
{
    init_demo_resource();
    QFile file(QStringLiteral(":/sandbox/demo-server.json"));
    if (!file.open(QIODevice::ReadOnly))
        return std::string();
    return file.readAll().toStdString();
}

} // namespace sandbox
