#pragma once
// A stand-in for the server's script engine: whenever the "script" of an
// enabled rule or script changes it counts a run and, when python3 is
// installed, compiles the text and reports the syntax error the way the
// engine's statistics do, so that the pages' error marking can be seen.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <deque>
#include <string>

class QProcess;

namespace memory_host {
class MemoryTree;
}

namespace sandbox {

struct SyntaxCheck
{
    bool ran = false; // false: the checker could not run
    bool ok = false;
    int line = -1;
    std::string message;
};

// Reads what the checker program prints: "OK", or "ERROR", a tab, the line
// (-1 when unknown), a tab and the message.
SyntaxCheck parse_check_output(const QByteArray &output);

class ScriptEngine : public QObject
{
    Q_OBJECT
public:
    explicit ScriptEngine(memory_host::MemoryTree &tree, QObject *parent = nullptr);
    ~ScriptEngine() override;

    static bool python_available();
    // Runs the folder's script (asynchronously when python3 checks it).
    void run(const std::string &folder_path);
    bool idle() const { return !process_ && queue_.empty(); }

Q_SIGNALS:
    void stats_written(QString folder_path);

private:
    void start_next();
    void finish(const std::string &folder_path, const SyntaxCheck &check);

    memory_host::MemoryTree &tree_;
    std::deque<std::string> queue_;
    QProcess *process_ = nullptr;
    std::string running_;
};

} // namespace sandbox
