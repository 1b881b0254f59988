#pragma once
// The scripting environment of one served server: a python3 child process
// that runs the server's enabled rules, scripts and template loops (the
// Python side is quorix_env.py). The sandbox talks to it in JSON lines:
// it loads the scripts, fires what the operator fires, answers the
// scripts' settings reads from the tree, writes their settings and
// statistics into the tree, and relays every trace entry. Nothing here
// waits for the child: the window stays responsive whatever a script does.

#include "sandbox/engine/fire-request.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <vector>

class QProcess;
class QTimer;

namespace sandbox {

class Session;

struct EngineSettings
{
    bool real_clock = false;    // false: virtual time jumps to the next timer
    bool traced = true;         // false: only errors and statistics come back
    double time_limit_s = 10;   // for one step of a script (a load, a handler, a timer)
    int memory_mb = 1024;       // address space of the whole child
    qint64 horizon_ms = 600000; // how far an instant clock runs after a firing
};

class ScriptEnvironment : public QObject
{
    Q_OBJECT
public:
    explicit ScriptEnvironment(Session &session, QObject *parent = nullptr);
    ~ScriptEnvironment() override;

    void set_settings(const EngineSettings &settings);
    const EngineSettings &settings() const { return settings_; }
    QJsonArray objects() const; // what object() and events can name

    // Fires every request at time 0, in order, then runs the clock (instant)
    // or lets it run for the horizon (real speed). Starts the child and loads
    // the scripts first when needed. False, with the reason, when a request
    // cannot be fired; nothing is sent then.
    bool fire(const std::vector<FireRequest> &requests, QString *error);
    // The scripts changed: the next firing starts from a fresh child.
    void invalidate();
    void stop();
    bool running() const { return process_ != nullptr; }
    bool busy() const { return busy_; }
    QString script_name(const QString &folder) const;

Q_SIGNALS:
    void entry(QJsonObject entry);
    // The clock stopped: nothing is left to run within the horizon.
    void idle();
    void failed(QString reason);

private:
    bool start(QString *error);
    void load_scripts();
    void send(const QJsonObject &command);
    void read_output();
    void handle(const QJsonObject &message);
    void answer_read(const QJsonObject &message);
    void write_value(const QJsonObject &message);
    void write_stats(const QJsonObject &message);
    void child_ended();
    void watchdog();
    void mark_dirty();

    Session &session_;
    EngineSettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    QProcess *process_ = nullptr;
    QTimer *watchdog_;
    bool busy_ = false;
    bool stale_ = false;
    qint64 last_heard_ms_ = 0;
    std::map<QString, QString> names_;
    QJsonArray known_objects_;
    QString current_script_; // the folder of the last entry, for a stuck child
};

} // namespace sandbox
