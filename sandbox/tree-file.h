#pragma once
// Tree files: the settings tree in the in-memory host's JSON form, plus the
// members the tree loader leaves alone (the "services" lists). A file given
// to the sandbox is saved back after every change, atomically.

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <json/value.h>
#include <string>

class QTimer;

namespace memory_host {
class MemoryTree;
struct FolderSnapshot;
} // namespace memory_host

namespace sandbox {

struct TreeDocument
{
    std::string text;        // the whole file, which the tree loader takes as is
    Json::Value extra;       // top-level members other than the tree's own
    std::string server_name; // the first folder of type "Server", else "DEMO"
};

bool parse_tree_document(const std::string &text, TreeDocument &out, std::string *error);
// The tree as save_tree_json writes it, with the extra members added back.
std::string compose_tree_document(const memory_host::FolderSnapshot &root,
                                  const Json::Value &extra);

// Test seam of write_file_atomically: asked before each step ("create",
// "write", "flush", "rename"); a non-zero errno makes that step fail so.
using SaveFault = std::function<int(const char *step)>;

// Writes to a temporary file beside the target and renames it over the
// target, so that readers (and a sandbox killed mid-save) see the old file or
// the new one, never a mix. A symbolic link is written through to its
// target; a target the user may not write is refused. On failure the target
// is as it was and no temporary file is left.
bool write_file_atomically(const QString &path, const std::string &data, QString *error,
                           const SaveFault &fault = {});

// Saves the tree to its file shortly after changes stop coming.
class TreeFile : public QObject
{
    Q_OBJECT
public:
    TreeFile(memory_host::MemoryTree &tree, const QString &path, const Json::Value &extra,
             QObject *parent = nullptr);

    QString path() const { return path_; }
    // May be called from any thread; the save happens on this object's thread.
    void mark_dirty();
    bool dirty() const { return dirty_; }
    bool save_now(QString *error = nullptr);
    void set_delay(int ms);
    void set_fault(SaveFault fault) { fault_ = std::move(fault); }

Q_SIGNALS:
    void saved(QString path);
    void save_failed(QString path, QString error);

private:
    memory_host::MemoryTree &tree_;
    QString path_;
    Json::Value extra_;
    QTimer *timer_;
    std::atomic<bool> dirty_{false};
    SaveFault fault_;
};

} // namespace sandbox
