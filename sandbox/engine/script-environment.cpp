#include "sandbox/engine/script-environment.h"

#include "memory-host/memory-host.h"
#include "sandbox/script-engine.h"
#include "sandbox/server-services.h"
#include "sandbox/session.h"
#include "sandbox/tree-file.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTimer>

// Outside any namespace, as Qt's resource initialisers are declared.
static void init_engine_resource()
{
    Q_INIT_RESOURCE(engine);
}

namespace sandbox {
namespace {

using memory_host::Value;

QJsonValue json_of(const Value &v)
{
    if (v.type == 'i')
        return v.integer;
    if (v.type == 'r')
        return v.real;
    return QString::fromStdString(v.text);
}

Value value_of(const QJsonValue &v)
{
    if (v.isBool())
        return Value::of_integer(v.toBool() ? 1 : 0);
    if (v.isDouble()) {
        const double d = v.toDouble();
        if (d == static_cast<double>(static_cast<int>(d)))
            return Value::of_integer(static_cast<int>(d));
        return Value::of_real(d);
    }
    return Value::of_string(v.toString().toStdString());
}

const char *const script_types[] = {"Rule", "Script", "TemplateLoop"};

qint64 now_ms()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

ScriptEnvironment::ScriptEnvironment(Session &session, QObject *parent)
    : QObject(parent)
    , session_(session)
    , watchdog_(new QTimer(this))
{
    watchdog_->setInterval(250);
    connect(watchdog_, &QTimer::timeout, this, &ScriptEnvironment::watchdog);
}

ScriptEnvironment::~ScriptEnvironment()
{
    stop();
}

void ScriptEnvironment::set_settings(const EngineSettings &settings)
{
    settings_ = settings;
    invalidate();
}

QJsonArray ScriptEnvironment::objects() const
{
    QJsonArray out;
    auto add = [&out](const Rizurividuvez::CatalogueObject &o) {
        out.append(QJsonObject{{"guid", QString::fromStdString(o.guid)},
                               {"name", QString::fromStdString(o.name)},
                               {"class", QString::fromStdString(o.class_name)}});
    };
    for (const auto &o : session_.services().catalogue().catalogue.objects)
        add(o);
    for (const auto &o : objects_from_tree(session_.tree(), session_.server_name()))
        add(o);
    return out;
}

QString ScriptEnvironment::script_name(const QString &folder) const
{
    const auto found = names_.find(folder);
    return found == names_.end() ? folder.section('/', -1) : found->second;
}

void ScriptEnvironment::invalidate()
{
    stale_ = true;
}

void ScriptEnvironment::stop()
{
    watchdog_->stop();
    busy_ = false;
    if (!process_)
        return;
    QProcess *process = process_;
    process_ = nullptr;
    process->disconnect(this);
    process->kill();
    process->waitForFinished(2000);
    delete process;
}

bool ScriptEnvironment::fire(const std::vector<FireRequest> &requests, QString *error)
{
    // The list is long on a large server; it changes only with the tree's
    // structure, which makes the environment stale.
    if (stale_ || known_objects_.isEmpty())
        known_objects_ = objects();
    std::vector<QJsonObject> commands;
    for (const FireRequest &request : requests) {
        commands.push_back(
            fire_command(session_.tree(), session_.server_path(), known_objects_, request, error));
        if (commands.back().isEmpty())
            return false;
    }
    if (stale_)
        stop();
    if (!process_ && !start(error))
        return false;
    for (const QJsonObject &command : commands)
        send(command);
    send({{"op", "run"}, {"horizon", settings_.horizon_ms}});
    busy_ = true;
    last_heard_ms_ = now_ms();
    watchdog_->start();
    return true;
}

bool ScriptEnvironment::start(QString *error)
{
    if (!ScriptEngine::python_available()) {
        *error = tr("python3 is not installed; scripts cannot run");
        return false;
    }
    stale_ = false;
    // A fresh folder for every child: what one run left behind does not
    // leak into the next.
    work_.reset(new QTemporaryDir);
    init_engine_resource();
    QFile source(QStringLiteral(":/engine/quorix_env.py"));
    const QString program = work_->filePath(QStringLiteral("quorix_env.py"));
    if (!work_->isValid() || !source.copy(program)) {
        *error = tr("cannot prepare the scripts' folder %1").arg(work_->path());
        return false;
    }
    process_ = new QProcess(this);
    process_->setWorkingDirectory(work_->path());
    connect(process_, &QProcess::readyReadStandardOutput, this, &ScriptEnvironment::read_output);
    connect(process_, &QProcess::readyReadStandardError, this, [this] {
        for (const QByteArray &line : process_->readAllStandardError().split('\n'))
            if (!line.trimmed().isEmpty())
                session_.host().log().write(2, "ENGINE: " + line.toStdString() + "\n");
    });
    connect(process_, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            &ScriptEnvironment::child_ended);
    process_->start(QStringLiteral("python3"), {QStringLiteral("-B"), program});
    if (!process_->waitForStarted(5000)) {
        *error = tr("python3 did not start: %1").arg(process_->errorString());
        delete process_;
        process_ = nullptr;
        return false;
    }
    send({{"op", "init"},
          {"server", QString::fromStdString(session_.server_path())},
          {"work", work_->path()},
          {"clock", settings_.real_clock ? "real" : "instant"},
          {"trace", settings_.traced},
          {"time_limit", settings_.time_limit_s},
          {"memory_mb", settings_.memory_mb},
          {"objects", known_objects_},
          {"exec_encoded", exec_encoded_source()}});
    load_scripts();
    return true;
}

void ScriptEnvironment::load_scripts()
{
    memory_host::MemoryTree &tree = session_.tree();
    const std::string folder = session_.server_path() + "/scripts";
    names_.clear();
    for (const std::string &child : tree.children(folder)) {
        const std::string path = folder + "/" + child;
        const memory_host::FolderSnapshot s = tree.snapshot(path);
        const bool runs = std::any_of(std::begin(script_types), std::end(script_types),
                                      [&s](const char *t) { return s.type == t; });
        const auto script = s.keys.find("script");
        const auto enable = s.keys.find("enable");
        if (!runs || script == s.keys.end() || script->second.text.empty() ||
            (enable != s.keys.end() && enable->second.integer == 0))
            continue;
        QJsonObject stats;
        const auto stats_folder = s.folders.find("stats");
        if (stats_folder != s.folders.end())
            for (const auto &key : stats_folder->second.keys)
                stats[QString::fromStdString(key.first)] = json_of(key.second);
        const auto name = s.keys.find("name");
        const auto parameters = s.keys.find("parameters");
        const QString path_text = QString::fromStdString(path);
        names_[path_text] =
            name == s.keys.end() ? QString() : QString::fromStdString(name->second.text);
        send({{"op", "load"},
              {"folder", path_text},
              {"type", QString::fromStdString(s.type)},
              {"name", names_[path_text]},
              {"script", QString::fromStdString(script->second.text)},
              {"parameters", parameters == s.keys.end()
                                 ? QString()
                                 : QString::fromStdString(parameters->second.text)},
              {"stats", stats}});
    }
}

void ScriptEnvironment::send(const QJsonObject &command)
{
    if (!process_)
        return;
    process_->write(QJsonDocument(command).toJson(QJsonDocument::Compact) + '\n');
}

void ScriptEnvironment::read_output()
{
    // A handler may stop the child; read from it only while it is there.
    while (process_ && process_->canReadLine()) {
        const QByteArray line = process_->readLine();
        QJsonParseError parse;
        const QJsonDocument document = QJsonDocument::fromJson(line, &parse);
        if (parse.error != QJsonParseError::NoError) {
            session_.host().log().write(2, "ENGINE: unreadable: " + line.trimmed().toStdString() +
                                               "\n");
            continue;
        }
        last_heard_ms_ = now_ms();
        handle(document.object());
    }
}

void ScriptEnvironment::handle(const QJsonObject &message)
{
    const QString type = message["t"].toString();
    if (type == "trace") {
        QJsonObject entry = message;
        entry.remove("t");
        const QString script = entry["script"].toString();
        if (!script.isEmpty()) {
            current_script_ = script;
            entry["name"] = script_name(script);
        }
        if (entry["what"] == "mail") {
            // Scripts name the account by its folder; people know it by its name.
            const std::string account =
                session_.server_path() + "/scripts/" + entry["account"].toString().toStdString();
            if (session_.tree().has(account, "name"))
                entry["account_name"] =
                    QString::fromStdString(session_.tree().string_value(account, "name"));
        }
        Q_EMIT this->entry(entry);
    } else if (type == "read") {
        answer_read(message);
    } else if (type == "write") {
        write_value(message);
    } else if (type == "stats") {
        write_stats(message);
    } else if (type == "idle") {
        busy_ = false;
        watchdog_->stop();
        Q_EMIT idle();
    }
}

void ScriptEnvironment::answer_read(const QJsonObject &message)
{
    memory_host::MemoryTree &tree = session_.tree();
    const std::string path = message["path"].toString().toStdString();
    const std::string key = message["key"].toString().toStdString();
    QJsonObject reply{{"op", "reply"}, {"id", message["id"]}};
    const bool found = tree.folder(path) && tree.has(path, key);
    reply["found"] = found;
    if (found)
        reply["value"] = json_of(tree.value(path, key));
    send(reply);
}

void ScriptEnvironment::write_value(const QJsonObject &message)
{
    memory_host::MemoryTree &tree = session_.tree();
    const std::string path = message["path"].toString().toStdString();
    const std::string server = session_.server_path();
    if (path.compare(0, server.size(), server) != 0 || !tree.folder(path)) {
        session_.host().log().write(2, "ENGINE: a script wrote into " + path +
                                           ", which is not a folder of the server\n");
        return;
    }
    tree.put(path, message["key"].toString().toStdString(), value_of(message["value"]));
    mark_dirty();
}

void ScriptEnvironment::write_stats(const QJsonObject &message)
{
    memory_host::MemoryTree &tree = session_.tree();
    const std::string folder = message["folder"].toString().toStdString();
    const std::string stats = folder + "/stats";
    if (!tree.folder(stats))
        return; // the kind keeps no statistics (a template loop)
    const QJsonObject values = message["values"].toObject();
    // The page hears of the change once, with every statistic in place.
    int left = values.size();
    for (auto it = values.begin(); it != values.end(); ++it)
        tree.put(stats, it.key().toStdString(), value_of(it.value()), --left == 0);
    mark_dirty();
}

void ScriptEnvironment::mark_dirty()
{
    if (TreeFile *file = session_.tree_file())
        file->mark_dirty();
}

void ScriptEnvironment::watchdog()
{
    // The child stops a step at the time limit itself; this is for a child
    // stuck where it cannot (inside a library call).
    if (!busy_ || now_ms() - last_heard_ms_ < qint64(settings_.time_limit_s * 1000) + 5000)
        return;
    const QString script = current_script_;
    stop();
    const QString message = tr("the environment stopped answering and was ended");
    if (!script.isEmpty())
        write_stats(QJsonObject{
            {"folder", script},
            {"values",
             QJsonObject{{"error_count", session_.tree().integer_value(
                                             script.toStdString() + "/stats", "error_count") +
                                             1},
                         {"last_error_line", -1},
                         {"last_error", message}}}});
    Q_EMIT entry(
        QJsonObject{{"what", "error"}, {"script", script}, {"line", -1}, {"message", message}});
    Q_EMIT failed(message);
}

void ScriptEnvironment::child_ended()
{
    QProcess *process = process_;
    process_ = nullptr;
    watchdog_->stop();
    const bool was_busy = busy_;
    busy_ = false;
    if (process)
        process->deleteLater();
    const QString reason =
        tr("the scripting environment ended (status %1)").arg(process ? process->exitCode() : -1);
    session_.host().log().write(2, "ENGINE: " + reason.toStdString() + "\n");
    if (was_busy)
        Q_EMIT failed(reason);
}

} // namespace sandbox
