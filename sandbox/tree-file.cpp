#include "sandbox/tree-file.h"

#include "memory-host/tree-json.h"

#include <QFileInfo>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <json/json.h>
#include <memory>
#include <unistd.h>

namespace sandbox {

bool parse_tree_document(const std::string &text, TreeDocument &out, std::string *error)
{
    Json::Value json;
    std::string problem;
    if (!memory_host::read_json_document(text, json, &problem) || !json.isObject()) {
        if (error)
            *error = problem.empty() ? "the file is not a JSON object" : problem;
        return false;
    }
    out.text = text;
    out.extra = Json::Value(Json::objectValue);
    for (const auto &name : json.getMemberNames())
        if (name != "type" && name != "rights" && name != "keys" && name != "folders")
            out.extra[name] = json[name];
    out.server_name.clear();
    const Json::Value &folders = json["folders"];
    if (folders.isObject()) {
        for (const auto &name : folders.getMemberNames())
            if (folders[name].isObject() && folders[name]["type"].asString() == "Server") {
                out.server_name = name;
                break;
            }
    }
    if (out.server_name.empty())
        out.server_name = "DEMO";
    return true;
}

std::string compose_tree_document(memory_host::MemoryTree &tree, const Json::Value &extra)
{
    const std::string tree_text = memory_host::save_tree_json(tree);
    if (!extra.isObject() || extra.empty())
        return tree_text;
    Json::Value json;
    Json::Reader().parse(tree_text, json);
    for (const auto &name : extra.getMemberNames())
        json[name] = extra[name];
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "  ";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, json) + "\n";
}

bool write_file_atomically(const QString &path, const QByteArray &data, QString *error,
                           const std::function<bool()> &before_rename)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = target + ".saving";
    auto fail = [&](const char *what) {
        if (error)
            *error = QStringLiteral("%1 %2: %3")
                         .arg(QString::fromLatin1(what), QFile::decodeName(temporary),
                              QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    };
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return fail("cannot create");
    const char *p = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            return fail("cannot write");
        }
        p += n;
        left -= n;
    }
    // The data must be on disk before the rename makes it the file.
    if (::fsync(fd) != 0) {
        ::close(fd);
        return fail("cannot flush");
    }
    if (::close(fd) != 0)
        return fail("cannot close");
    if (before_rename && !before_rename()) {
        if (error)
            *error = QStringLiteral("save of %1 interrupted before the rename").arg(path);
        return false;
    }
    if (::rename(temporary.constData(), target.constData()) != 0)
        return fail("cannot rename");
    return true;
}

TreeFile::TreeFile(memory_host::MemoryTree &tree, const QString &path, const Json::Value &extra,
                   QObject *parent)
    : QObject(parent)
    , tree_(tree)
    , path_(QFileInfo(path).absoluteFilePath())
    , extra_(extra)
    , timer_(new QTimer(this))
{
    // Short enough that a killed sandbox loses at most a fraction of a
    // second, long enough that typing a name saves once, not per key.
    timer_->setInterval(150);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] { save_now(); });
}

void TreeFile::set_delay(int ms)
{
    timer_->setInterval(ms);
}

void TreeFile::mark_dirty()
{
    dirty_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!timer_->isActive())
                timer_->start();
        },
        Qt::QueuedConnection);
}

bool TreeFile::save_now(QString *error)
{
    timer_->stop();
    dirty_ = false;
    const std::string text = compose_tree_document(tree_, extra_);
    QString problem;
    if (!write_file_atomically(path_, QByteArray(text.data(), static_cast<int>(text.size())),
                               &problem, before_rename_)) {
        dirty_ = true;
        if (error)
            *error = problem;
        Q_EMIT save_failed(path_, problem);
        return false;
    }
    Q_EMIT saved(path_);
    return true;
}

} // namespace sandbox
