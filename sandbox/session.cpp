#include "sandbox/session.h"

#include "memory-host/tree-json.h"
#include "sandbox/demo-server.h"
#include "sandbox/object-kinds.h"
#include "sandbox/script-engine.h"
#include "sandbox/server-services.h"
#include "sandbox/server-simulator.h"
#include "sandbox/tree-file.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace sandbox {

namespace {

bool read_file(const QString &path, std::string &text, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    text = file.readAll().toStdString();
    return true;
}

void write_files(const QString &folder, const std::map<std::string, std::string> &files)
{
    for (const auto &file : files) {
        QFile out(folder + "/" + QString::fromStdString(file.first));
        QDir().mkpath(QFileInfo(out.fileName()).path());
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write(file.second.data(), static_cast<qint64>(file.second.size()));
    }
}

} // namespace

std::unique_ptr<Session> Session::open(const SessionSource &source, QString *error)
{
    std::string text;
    QString description;
    switch (source.kind) {
    case SessionSource::DEMO:
        text = demo_server_document();
        description = QStringLiteral("demo server, in memory");
        break;
    case SessionSource::LARGE:
        text = large_server_document();
        description = QStringLiteral("large demo server, in memory");
        break;
    case SessionSource::FILE:
        if (!read_file(source.file, text, error))
            return nullptr;
        description = source.file;
        break;
    }
    TreeDocument document;
    std::string problem;
    if (!parse_tree_document(text, document, &problem)) {
        if (error)
            *error =
                source.kind == SessionSource::FILE
                    ? QStringLiteral("%1: %2").arg(source.file, QString::fromStdString(problem))
                    : QString::fromStdString(problem);
        return nullptr;
    }
    std::unique_ptr<Session> session(new Session(document.server_name, description));
    if (!session->load(document, error))
        return nullptr;
    if (source.kind == SessionSource::FILE)
        session->persist_to(source.file, document.extra, true);
    return session;
}

Session::Session(const std::string &server_name, const QString &description)
    : server_name_(server_name)
    , description_(description)
    , host_(new memory_host::MemoryHost(server_name))
    , services_(new ServerServices(server_name))
    , simulator_(new ServerSimulator(*host_, this))
{
    services_->offer_to(*host_);
    tree().set_write_hook([this](const std::string &path, const std::string &key) {
        simulator_->value_written(path, key);
        if (tree_file_)
            tree_file_->mark_dirty();
    });
    connect(simulator_, &ServerSimulator::key_written, this, &Session::key_written);
    connect(simulator_, &ServerSimulator::folder_created, this, &Session::structure_changed);
    connect(simulator_, &ServerSimulator::folder_erased, this, &Session::structure_changed);
    connect(simulator_, &ServerSimulator::schedules_changed, this, &Session::refresh_tree_objects);
    // What the server does itself (creations, statistics) is saved as well;
    // the pages' own writes are marked by the hook.
    auto mark_dirty = [this] {
        if (tree_file_)
            tree_file_->mark_dirty();
    };
    connect(simulator_, &ServerSimulator::key_written, this, mark_dirty);
    connect(&simulator_->engine(), &ScriptEngine::stats_written, this, mark_dirty);
}

Session::~Session()
{
    tree().set_write_hook({});
    QString ignored;
    finish_saving(&ignored);
    delete tree_file_; // before the tree its worker copies goes
}

bool Session::finish_saving(QString *error)
{
    if (!tree_file_)
        return true;
    tree_file_->wait();
    if (tree_file_->dirty())
        tree_file_->save_now();
    if (tree_file_->failures() == 0)
        return true;
    *error =
        tree_file_->dirty()
            ? QStringLiteral("the last changes are not saved: %1").arg(tree_file_->last_error())
            : QStringLiteral("saving failed at times: %1").arg(tree_file_->last_error());
    return false;
}

QString Session::description() const
{
    return tree_file_ ? tree_file_->path() : description_;
}

bool Session::load(const TreeDocument &document, QString *error)
{
    ServiceCatalogue catalogue;
    std::string problem;
    const Json::Value services = document.extra.get("services", Json::Value());
    if (!parse_service_catalogue(services, server_name_, catalogue, &problem) ||
        !memory_host::load_tree_json(tree(), document.text, &problem)) {
        if (error)
            *error = QString::fromStdString(problem);
        return false;
    }
    extra_ = document.extra;
    // The host's stock folder holds the stock scripts' files, its data
    // directory the scripts' data folders.
    write_files(QString::fromStdString(host_->stock_directory()) + "/scripts-stock",
                catalogue.stock_files);
    write_files(QString::fromStdString(host_->data_directory()), catalogue.data_files);
    // The server publishes the names of the next objects it will create.
    const std::string scripts = server_path() + "/scripts";
    if (tree().folder(scripts))
        for (const auto &kind : creatable_kinds()) {
            const std::string key = std::string(kind.kind) + "_new_guid";
            if (tree().string_value(scripts, key).empty())
                tree().put(scripts, key, memory_host::Value::of_string(host_->new_guid()), false);
        }
    services_->set_catalogue(catalogue);
    refresh_tree_objects();
    return true;
}

void Session::refresh_tree_objects()
{
    services_->set_tree_objects(objects_from_tree(tree(), server_name_));
}

void Session::persist_to(const QString &path, const Json::Value &extra, bool holds_tree)
{
    delete tree_file_;
    tree_file_ = new TreeFile(tree(), path, extra, holds_tree, this);
    connect(tree_file_, &TreeFile::saved, this, &Session::saved);
    connect(tree_file_, &TreeFile::save_failed, this, &Session::save_failed);
    Q_EMIT file_changed(tree_file_->path());
}

bool Session::save_as(const QString &path, QString *error)
{
    persist_to(path, extra_, false);
    return tree_file_->save_now(error);
}

bool Session::open_file(const QString &path, QString *error)
{
    // Changes that cannot reach their file stay served rather than replaced.
    QString unsaved;
    if (tree_file_ && tree_file_->dirty() && !tree_file_->save_now(&unsaved)) {
        if (error)
            *error = QStringLiteral("The changes are not saved to %1 (%2); the served tree "
                                    "stays until they are.")
                         .arg(tree_file_->path(), unsaved);
        return false;
    }
    std::string text;
    if (!read_file(path, text, error))
        return false;
    TreeDocument document;
    std::string problem;
    if (!parse_tree_document(text, document, &problem)) {
        if (error)
            *error = QString::fromStdString(problem);
        return false;
    }
    if (document.server_name != server_name_) {
        if (error)
            *error = QStringLiteral("The file holds server \"%1\"; this sandbox serves \"%2\". "
                                    "Start the sandbox with --tree to serve it.")
                         .arg(QString::fromStdString(document.server_name),
                              QString::fromStdString(server_name_));
        return false;
    }
    if (!load(document, error))
        return false;
    persist_to(path, document.extra, true);
    Q_EMIT structure_changed();
    return true;
}

void Session::settle(int max_ms)
{
    QElapsedTimer clock;
    clock.start();
    int quiet_rounds = 0;
    while (quiet_rounds < 3 && clock.elapsed() < max_ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        services_->wait_idle();
        if (simulator_->idle()) {
            ++quiet_rounds;
        } else {
            quiet_rounds = 0;
            QThread::msleep(2);
        }
    }
}

} // namespace sandbox
