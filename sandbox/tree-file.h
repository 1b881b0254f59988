#pragma once
// Tree files: the settings tree in the in-memory host's JSON form, plus the
// members the tree loader leaves alone (the "services" lists). A file given
// to the sandbox is saved back after every change, atomically, on a worker
// thread so that the pages never wait for the disk.

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <json/value.h>
#include <string>
#include <thread>

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

// Saves the tree to its file shortly after changes stop coming. The save
// copies the tree and writes it on a worker thread; a failed save keeps the
// changes pending and is retried with a growing pause.
class TreeFile : public QObject
{
    Q_OBJECT
public:
    // holds_tree: the file already holds this tree, so a save that would
    // write the same text is skipped.
    TreeFile(memory_host::MemoryTree &tree, const QString &path, const Json::Value &extra,
             bool holds_tree, QObject *parent = nullptr);
    ~TreeFile() override;

    QString path() const { return path_; }
    // May be called from any thread.
    void mark_dirty();
    // Changes that are not in the file yet.
    bool dirty() const { return changes_ != saved_changes_; }
    // Saves on the calling thread, after a save in progress has ended.
    bool save_now(QString *error = nullptr);
    // Waits for a save in progress and takes its outcome.
    void wait();
    int failures() const { return failures_; }
    QString last_error() const { return last_error_; }
    void set_delay(int ms) { delay_ms_ = ms; }
    void set_fault(SaveFault fault) { fault_ = std::move(fault); }

Q_SIGNALS:
    void saved(QString path);
    void save_failed(QString path, QString error);

private:
    struct Outcome
    {
        unsigned long long changes = 0; // the changes the written copy holds
        bool ok = false;
        bool wrote = false;
        std::size_t hash = 0;
        QString error;
    };
    Outcome write_tree(unsigned long long changes, const SaveFault &fault,
                       std::size_t skip_if_hash) const;
    void start_save();
    void take(const Outcome &outcome);

    memory_host::MemoryTree &tree_;
    QString path_;
    Json::Value extra_;
    QTimer *timer_;
    int delay_ms_;
    int retry_ms_ = 0;
    std::atomic<unsigned long long> changes_{0};
    std::atomic<unsigned long long> saved_changes_{0};
    std::size_t written_hash_ = 0; // of the text the file holds, 0 when unknown
    std::thread worker_;
    Outcome worker_outcome_;
    SaveFault fault_;
    int failures_ = 0;
    QString last_error_;
};

} // namespace sandbox
