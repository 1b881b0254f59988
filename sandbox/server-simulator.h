#pragma once
// What the server does with what the pages write: creates and erases the
// objects of a scripts folder, keeps the script languages, and runs scripts
// through the engine stand-in. Like a server it acts after the page's write
// series is over, never inside it.

#include "sandbox/object-kinds.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <string>

namespace memory_host {
class MemoryHost;
}

namespace sandbox {

class ScriptEngine;

class ServerSimulator : public QObject
{
    Q_OBJECT
public:
    explicit ServerSimulator(memory_host::MemoryHost &host, QObject *parent = nullptr);
    ~ServerSimulator() override;

    // A page wrote the key (called by the tree's write hook, on any thread);
    // the server acts on it from this object's event loop.
    void value_written(const std::string &path, const std::string &key);
    bool idle() const;
    ScriptEngine &engine() { return *engine_; }

    // Creates an object folder with the keys its type needs, named by the
    // guid (a fresh one when empty or taken), with a unique name. Returns its path.
    std::string create_object(const std::string &parent_path, const CreatableKind &kind,
                              std::string guid);

Q_SIGNALS:
    void folder_created(QString path);
    void folder_erased(QString path);
    void schedules_changed();
    // Every write a page made, relayed on this object's thread.
    void key_written(QString path, QString key);

private:
    void handle(const std::string &path, const std::string &key);
    void create_requested(const std::string &path, const CreatableKind &kind);
    void erase_requested(const std::string &path, const std::string &key,
                         const CreatableKind &kind);
    void translation_command(const std::string &path, const std::string &key);
    void force_run(const std::string &path);
    std::string folder_type(const std::string &path);
    std::string unique_name(const std::string &parent_path, const CreatableKind &kind);
    void log(int level, const std::string &line);

    memory_host::MemoryHost &host_;
    ScriptEngine *engine_;
    std::atomic<int> pending_{0};
};

} // namespace sandbox
