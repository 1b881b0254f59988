#include "sandbox/server-simulator.h"

#include "memory-host/memory-host.h"
#include "sandbox/script-engine.h"

#include <QFile>
#include <QStringList>
#include <set>

namespace sandbox {
namespace {

using memory_host::Value;

// A command key the server has acted on is emptied without a notification:
// nobody needs to hear that it was consumed.
void consume(memory_host::MemoryTree &tree, const std::string &path, const std::string &key)
{
    Value v = tree.value(path, key);
    v.text.clear();
    tree.put(path, key, v, false);
}

bool erase_matches(const CreatableKind &kind, const std::string &type)
{
    // The script pages of all three kinds of script delete through "script_erase".
    if (std::string(kind.kind) == "script")
        return type == "Script" || type == "CloudScript" || type == "StockScript";
    return type == kind.type;
}

} // namespace

ServerSimulator::ServerSimulator(memory_host::MemoryHost &host, QObject *parent)
    : QObject(parent)
    , host_(host)
    , engine_(new ScriptEngine(host.tree(), this))
{}

ServerSimulator::~ServerSimulator() = default;

void ServerSimulator::value_written(const std::string &path, const std::string &key)
{
    ++pending_;
    QMetaObject::invokeMethod(
        this,
        [this, path, key] {
            --pending_;
            handle(path, key);
        },
        Qt::QueuedConnection);
}

bool ServerSimulator::idle() const
{
    return pending_ == 0 && engine_->idle();
}

void ServerSimulator::handle(const std::string &path, const std::string &key)
{
    memory_host::MemoryTree &tree = host_.tree();
    if (!tree.folder(path))
        return;
    Q_EMIT key_written(QString::fromStdString(path), QString::fromStdString(key));

    for (const auto &kind : creatable_kinds()) {
        const std::string prefix = kind.kind;
        if (key == prefix + "_create_now" && tree.has(path, prefix + "_new_guid"))
            return create_requested(path, kind);
        if (key == prefix + "_erase")
            return erase_requested(path, key, kind);
    }
    if (key == "add_language" || key == "lupdate")
        return translation_command(path, key);
    if (key == "force_run" && folder_type(path) == "StockScript")
        return force_run(path);
    if (key == "script" || key == "name" || key == "language") {
        const std::string type = folder_type(path);
        if (type == "Script" && key != "name")
            engine_->refresh_actual_ts(path);
        if (key == "script" && (type == "Rule" || type == "Script") &&
            tree.integer_value(path, "enable") != 0)
            engine_->run(path);
        if (key == "name" && type == "Schedule")
            Q_EMIT schedules_changed();
    }
}

std::string ServerSimulator::folder_type(const std::string &path)
{
    return host_.tree().snapshot(path).type;
}

std::string ServerSimulator::unique_name(const std::string &parent_path, const CreatableKind &kind)
{
    memory_host::MemoryTree &tree = host_.tree();
    std::set<std::string> taken;
    for (const auto &child : tree.children(parent_path)) {
        const std::string path = parent_path + "/" + child;
        if (tree.has(path, "name"))
            taken.insert(tree.string_value(path, "name"));
    }
    std::string name = kind.base_name;
    for (int n = 2; taken.count(name); ++n)
        name = std::string(kind.base_name) + " " + std::to_string(n);
    return name;
}

std::string ServerSimulator::create_object(const std::string &parent_path,
                                           const CreatableKind &kind, std::string guid)
{
    memory_host::MemoryTree &tree = host_.tree();
    if (guid.empty() || guid.find('/') != std::string::npos ||
        tree.folder(parent_path + "/" + guid))
        guid = host_.new_guid();
    const std::string path = parent_path + "/" + guid;
    const std::string name = unique_name(parent_path, kind);
    // Keys go in before the folder is announced, so that a page counting it
    // finds it complete.
    tree.make_folder(path, kind.type);
    for (const auto &entry : object_keys(kind.type))
        tree.put(path, entry.key, entry.value, false);
    tree.put(path, "name", Value::of_string(name), false);
    const auto stats = stats_keys(kind.type);
    if (!stats.empty()) {
        tree.make_folder(path + "/stats");
        for (const auto &entry : stats)
            tree.put(path + "/stats", entry.key, entry.value, false);
    }
    return path;
}

void ServerSimulator::create_requested(const std::string &path, const CreatableKind &kind)
{
    memory_host::MemoryTree &tree = host_.tree();
    const std::string guid_key = std::string(kind.kind) + "_new_guid";
    const std::string created = create_object(path, kind, tree.string_value(path, guid_key));
    // The next request gets a name nobody has used yet.
    tree.put_string(path, guid_key, host_.new_guid());
    log(1, "SERVER: created " + std::string(kind.type) + " " + created + "\n");
    Q_EMIT folder_created(QString::fromStdString(created));
    if (std::string(kind.type) == "Schedule")
        Q_EMIT schedules_changed();
}

void ServerSimulator::erase_requested(const std::string &path, const std::string &key,
                                      const CreatableKind &kind)
{
    memory_host::MemoryTree &tree = host_.tree();
    const std::string child = tree.string_value(path, key);
    if (child.empty())
        return;
    const std::string target = path + "/" + child;
    consume(tree, path, key);
    if (child.find('/') != std::string::npos || !tree.folder(target)) {
        log(2, "SERVER: " + key + ": no folder '" + child + "' in " + path + "\n");
        return;
    }
    const std::string type = folder_type(target);
    if (!erase_matches(kind, type)) {
        log(2, "SERVER: " + key + ": '" + child + "' is a " + type + ", not erased\n");
        return;
    }
    tree.erase(target);
    log(1, "SERVER: erased " + type + " " + target + "\n");
    Q_EMIT folder_erased(QString::fromStdString(target));
    if (type == "Schedule")
        Q_EMIT schedules_changed();
}

void ServerSimulator::translation_command(const std::string &path, const std::string &key)
{
    memory_host::MemoryTree &tree = host_.tree();
    QStringList codes;
    for (const QString &code : QString::fromStdString(tree.string_value(path, key)).split(','))
        if (!code.trimmed().isEmpty())
            codes << code.trimmed().toLower();
    consume(tree, path, key);
    if (codes.isEmpty())
        return;
    if (key == "add_language")
        for (const QString &code : codes)
            engine_->add_language(path, code);
    else {
        // Only languages that have translations are refreshed.
        const QStringList available =
            QString::fromStdString(tree.string_value(path, "available_languages")).split(',');
        QStringList known;
        for (const QString &code : codes)
            if (available.contains(code) || available.contains(" " + code))
                known << code;
        engine_->update_languages(path, known);
    }
    log(1, "SERVER: " + path + " " + key + " " + codes.join(',').toStdString() + ", translations " +
               tree.string_value(path, "available_languages") + "\n");
}

void ServerSimulator::force_run(const std::string &path)
{
    memory_host::MemoryTree &tree = host_.tree();
    if (tree.integer_value(path, "force_run") == 0)
        return;
    // Acted on, it goes back to 0 as quietly as a command key is emptied.
    tree.put(path, "force_run", Value::of_integer(0), false);
    const QString file = QString::fromStdString(tree.string_value(path, "file"));
    if (file.isEmpty() || file.contains('/') || file.contains('\\') || file == "..") {
        log(2, "SERVER: force_run " + path + ": no stock file '" + file.toStdString() + "'\n");
        return;
    }
    QFile script(QString::fromStdString(host_.stock_directory()) + "/scripts-stock/" + file);
    if (!script.open(QIODevice::ReadOnly)) {
        log(2, "SERVER: force_run " + path + ": cannot read " + script.fileName().toStdString() +
                   "\n");
        return;
    }
    log(1, "SERVER: force_run " + path + ": running " + script.fileName().toStdString() + "\n");
    engine_->run_text(path, script.readAll().toStdString());
}

void ServerSimulator::log(int level, const std::string &line)
{
    host_.log().write(level, line);
}

} // namespace sandbox
