#include "sandbox/engine/fire-request.h"

#include "memory-host/memory-tree.h"

#include <QJsonArray>

namespace sandbox {
namespace {

struct Kind
{
    const char *name;
    const char *path;     // what PATH names; null: not used
    const char *argument; // what ARGUMENT holds; null: none
};

const Kind kinds[] = {
    {"shortcut", nullptr, "the key sequence, such as F5"},
    {"release", nullptr, "the key sequence released"},
    {"event", "the object (folder, guid or name)", "the event type"},
    {"settings", "the folder that changed", nullptr},
    {"schedule", "the schedule's folder", "the zone entered: Green, Red or Blue"},
    {"state", "the object (folder, guid or name)", "KEY=VALUE, its new state"},
    {"action", "the rule's folder", nullptr},
    {"focus", nullptr, "the channel's guid"},
    {"layout", nullptr, "MONITOR:LAYOUT"},
    {"template", nullptr, "MONITOR:TEMPLATE_GUID"},
};

const Kind *kind_named(const QString &name)
{
    for (const Kind &k : kinds)
        if (name == QLatin1String(k.name))
            return &k;
    return nullptr;
}

// The guid and the name an object is known by, from its folder or the list.
QJsonArray object_ids(memory_host::MemoryTree &tree, const QJsonArray &objects, const QString &path)
{
    QStringList ids;
    if (path.startsWith('/') && tree.folder(path.toStdString())) {
        ids << path.section('/', -1);
        const QString name = QString::fromStdString(tree.string_value(path.toStdString(), "name"));
        if (!name.isEmpty())
            ids << name;
    } else {
        for (const QJsonValue &o : objects)
            if (o["guid"].toString() == path || o["name"].toString() == path)
                ids << o["guid"].toString() << o["name"].toString();
    }
    ids.removeDuplicates();
    return QJsonArray::fromStringList(ids);
}

} // namespace

QStringList fire_kinds()
{
    QStringList out;
    for (const Kind &k : kinds)
        out << QString::fromLatin1(k.name);
    return out;
}

QString fire_kinds_help()
{
    QString text;
    for (const Kind &k : kinds)
        text +=
            QStringLiteral("    %1%2%3\n")
                .arg(QString::fromLatin1(k.name), -10)
                .arg(k.path ? QStringLiteral("PATH: %1").arg(QLatin1String(k.path))
                            : QStringLiteral("PATH: -"))
                .arg(k.argument ? QStringLiteral("; ARGUMENT: %1").arg(QLatin1String(k.argument))
                                : QString());
    return text;
}

QJsonObject fire_command(memory_host::MemoryTree &tree, const std::string &server_path,
                         const QJsonArray &objects, const FireRequest &request, QString *error)
{
    const Kind *kind = kind_named(request.kind);
    if (!kind) {
        *error = QStringLiteral("unknown kind %1; kinds: %2")
                     .arg(request.kind, fire_kinds().join(QStringLiteral(", ")));
        return QJsonObject();
    }
    if (kind->argument && request.argument.isEmpty()) {
        *error = QStringLiteral("%1 needs an argument: %2")
                     .arg(request.kind, QLatin1String(kind->argument));
        return QJsonObject();
    }
    QJsonObject command{{"op", "fire"}, {"kind", request.kind}};
    const QString &path = request.path;
    const QString folder_path =
        path.startsWith('/') ? path : QString::fromStdString(server_path) + '/' + path;
    const bool needs_folder =
        request.kind == "settings" || request.kind == "schedule" || request.kind == "action";
    if (needs_folder && !tree.folder(folder_path.toStdString())) {
        *error = QStringLiteral("there is no folder %1").arg(path);
        return QJsonObject();
    }
    if (request.kind == "event" || request.kind == "state" || request.kind == "schedule") {
        const QJsonArray ids = object_ids(tree, objects, needs_folder ? folder_path : path);
        if (ids.isEmpty()) {
            *error = QStringLiteral("there is no object %1").arg(path);
            return QJsonObject();
        }
        command["ids"] = ids;
    }
    if (request.kind == "event") {
        command["type"] = request.argument;
    } else if (request.kind == "schedule") {
        if (!QStringList{"Green", "Red", "Blue"}.contains(request.argument)) {
            *error = QStringLiteral("a zone is Green, Red or Blue, not %1").arg(request.argument);
            return QJsonObject();
        }
        command["kind"] = "state";
        command["state"] = QJsonObject{{"color", request.argument}};
    } else if (request.kind == "state") {
        const int equals = request.argument.indexOf('=');
        if (equals <= 0) {
            *error = QStringLiteral("a state is KEY=VALUE, not %1").arg(request.argument);
            return QJsonObject();
        }
        command["state"] =
            QJsonObject{{request.argument.left(equals), request.argument.mid(equals + 1)}};
    } else if (needs_folder) {
        command["key"] = folder_path;
    } else {
        command["key"] = request.argument;
    }
    return command;
}

} // namespace sandbox
