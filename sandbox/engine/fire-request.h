#pragma once
// What an operator fires at the scripts: a shortcut, an event on an object,
// a settings change, a schedule entering a zone, a rule run as an action, or
// what the operator's GUI reports (focus, layout, template). It becomes one
// command for the scripting environment.

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace memory_host {
class MemoryTree;
}

namespace sandbox {

struct FireRequest
{
    QString path;     // a folder of the tree, an object's guid or name, or "-"
    QString kind;     // one of fire_kinds()
    QString argument; // the key, event type, zone colour, ...
};

// The kinds, with what their path and argument mean, for usage texts.
QStringList fire_kinds();
QString fire_kinds_help();

// The environment's "fire" command, or an empty object and the reason.
// `objects` lists the server's objects (guid, name, class) so that an event
// can name its origin either way.
QJsonObject fire_command(memory_host::MemoryTree &tree, const std::string &server_path,
                         const QJsonArray &objects, const FireRequest &request, QString *error);

} // namespace sandbox
