#pragma once
// One served server: the in-memory host with its settings tree, the server's
// services, the server simulator, and (with a tree file) the saving of every
// change. The plug-in is handed this session's host.

#include "memory-host/memory-host.h"

#include <QObject>
#include <QString>
#include <json/value.h>
#include <memory>

namespace sandbox {

class ServerServices;
class ServerSimulator;
class TreeFile;
struct TreeDocument;

struct SessionSource
{
    enum Kind { DEMO, LARGE, FILE };
    Kind kind = DEMO;
    QString file; // for FILE
};

class Session : public QObject
{
    Q_OBJECT
public:
    static std::unique_ptr<Session> open(const SessionSource &source, QString *error);
    ~Session() override;

    memory_host::MemoryHost &host() { return *host_; }
    memory_host::MemoryTree &tree() { return host_->tree(); }
    std::string server_name() const { return server_name_; }
    std::string server_path() const { return "/" + server_name_; }
    Settings server_root() { return host_->server_root(); }
    ServerSimulator &simulator() { return *simulator_; }
    ServerServices &services() { return *services_; }
    TreeFile *tree_file() { return tree_file_; } // null while the tree lives in memory only
    QString description() const;

    // Writes the tree to the file and keeps saving there from now on.
    bool save_as(const QString &path, QString *error);
    // Replaces the tree by the file's (which must serve the same server) and
    // keeps saving there from now on.
    bool open_file(const QString &path, QString *error);
    // Waits for the file's saves and saves what is still pending. False, with
    // the last reason, when any save of this session's file failed.
    bool finish_saving(QString *error);
    // Lets queued work, the simulator and the services finish (bounded).
    void settle(int max_ms = 3000);

Q_SIGNALS:
    void structure_changed(); // folders were created, erased or replaced
    void key_written(QString path, QString key);
    void file_changed(QString path);
    void saved(QString path);
    void save_failed(QString path, QString error);

private:
    Session(const std::string &server_name, const QString &description);
    bool load(const TreeDocument &document, QString *error);
    void persist_to(const QString &path, const Json::Value &extra, bool holds_tree);
    void refresh_tree_objects();

    std::string server_name_;
    QString description_;
    std::unique_ptr<memory_host::MemoryHost> host_;
    std::unique_ptr<ServerServices> services_;
    ServerSimulator *simulator_;
    TreeFile *tree_file_ = nullptr;
    Json::Value extra_;
};

} // namespace sandbox
