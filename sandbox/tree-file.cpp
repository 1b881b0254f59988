#include "sandbox/tree-file.h"

#include "memory-host/tree-json.h"

#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <json/json.h>
#include <memory>
#include <sys/stat.h>
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

std::string compose_tree_document(const memory_host::FolderSnapshot &root, const Json::Value &extra)
{
    Json::Value json = memory_host::tree_json_value(root);
    if (extra.isObject())
        for (const auto &name : extra.getMemberNames())
            json[name] = extra[name];
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "  ";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, json) + "\n";
}

namespace {

// The file a path names once symbolic links are followed; it need not exist
// yet. Empty when the links loop.
QString follow_links(const QString &path)
{
    QString file = path;
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(file);
        if (!info.isSymLink())
            return file;
        file = info.symLinkTarget();
    }
    return QString();
}

// Root may replace anything; a file without any write bit was made read-only
// on purpose, and replacing it by rename would bypass that.
bool user_may_write(const QByteArray &file, const struct stat &status)
{
    if (::access(file.constData(), W_OK) != 0)
        return false;
    return ::geteuid() != 0 || (status.st_mode & 0222) != 0;
}

} // namespace

bool write_file_atomically(const QString &path, const std::string &data, QString *error,
                           const SaveFault &fault)
{
    const QString followed = follow_links(path);
    const QByteArray target = QFile::encodeName(followed);
    const QByteArray temporary = target + ".saving";
    int fd = -1;
    auto fail = [&](const char *what, const QByteArray &file, int code) {
        if (fd >= 0)
            ::close(fd);
        if (fd != -1)
            ::unlink(temporary.constData());
        if (error)
            *error = QStringLiteral("%1 %2: %3")
                         .arg(QString::fromLatin1(what), QFile::decodeName(file),
                              QString::fromLocal8Bit(std::strerror(code)));
        return false;
    };
    auto injected = [&](const char *step) {
        return fault ? fault(step) : 0;
    };
    if (followed.isEmpty())
        return fail("cannot follow", QFile::encodeName(path), ELOOP);

    mode_t mode = 0644;
    struct stat status;
    if (::stat(target.constData(), &status) == 0) {
        if (!user_may_write(target, status)) {
            if (error)
                *error = QStringLiteral("%1 is read-only; it is not saved over").arg(followed);
            return false;
        }
        mode = status.st_mode & 07777; // the new file keeps the old one's permissions
    }
    // A temporary left by a killed sandbox goes; O_EXCL keeps a link planted
    // under its name from redirecting the write.
    ::unlink(temporary.constData());
    if (const int code = injected("create"))
        return fail("cannot create", temporary, code);
    fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return fail("cannot create", temporary, errno);
    ::fchmod(fd, mode);
    // An injected write failure writes half first, as a filling disk does.
    const int write_fault = injected("write");
    const char *p = data.data();
    size_t left = write_fault ? data.size() / 2 : data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail("cannot write", temporary, n < 0 ? errno : ENOSPC);
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (write_fault)
        return fail("cannot write", temporary, write_fault);
    // The data must be on disk before the rename makes it the file.
    if (const int code = injected("flush"))
        return fail("cannot flush", temporary, code);
    if (::fsync(fd) != 0)
        return fail("cannot flush", temporary, errno);
    const int closing = ::close(fd);
    fd = -2; // closed, but the temporary is still there
    if (closing != 0)
        return fail("cannot close", temporary, errno);
    if (const int code = injected("rename"))
        return fail("cannot rename", temporary, code);
    if (::rename(temporary.constData(), target.constData()) != 0)
        return fail("cannot rename", temporary, errno);
    // The rename itself reaches the disk with the folder's entry.
    const int dir = ::open(QFile::encodeName(QFileInfo(followed).absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

TreeFile::TreeFile(memory_host::MemoryTree &tree, const QString &path, const Json::Value &extra,
                   bool holds_tree, QObject *parent)
    : QObject(parent)
    , tree_(tree)
    , path_(QFileInfo(path).absoluteFilePath())
    , extra_(extra)
    , timer_(new QTimer(this))
    // Short enough that a killed sandbox loses at most a fraction of a
    // second, long enough that typing a name saves once, not per key.
    , delay_ms_(150)
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &TreeFile::start_save);
    if (holds_tree)
        written_hash_ =
            std::hash<std::string>()(compose_tree_document(tree_.snapshot("/"), extra_));
}

TreeFile::~TreeFile()
{
    if (worker_.joinable())
        worker_.join();
}

void TreeFile::mark_dirty()
{
    ++changes_;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!timer_->isActive() && !worker_.joinable())
                timer_->start(retry_ms_ ? retry_ms_ : delay_ms_);
        },
        Qt::QueuedConnection);
}

TreeFile::Outcome TreeFile::write_tree(unsigned long long changes, const SaveFault &fault,
                                       std::size_t skip_if_hash) const
{
    Outcome out;
    out.changes = changes;
    const std::string text = compose_tree_document(tree_.snapshot("/"), extra_);
    out.hash = std::hash<std::string>()(text);
    if (skip_if_hash != 0 && out.hash == skip_if_hash) {
        out.ok = true; // writes that stored the values already there
        return out;
    }
    out.ok = out.wrote = write_file_atomically(path_, text, &out.error, fault);
    return out;
}

void TreeFile::start_save()
{
    if (worker_.joinable() || !dirty())
        return; // take() starts the next one
    worker_ = std::thread([this, changes = changes_.load(), fault = fault_, skip = written_hash_] {
        worker_outcome_ = write_tree(changes, fault, skip);
        QMetaObject::invokeMethod(
            this, [this] { wait(); }, Qt::QueuedConnection);
    });
}

void TreeFile::wait()
{
    if (!worker_.joinable())
        return;
    worker_.join();
    take(worker_outcome_);
}

void TreeFile::take(const Outcome &outcome)
{
    if (outcome.ok) {
        saved_changes_ = std::max(saved_changes_.load(), outcome.changes);
        written_hash_ = outcome.hash;
        retry_ms_ = 0;
        if (outcome.wrote)
            Q_EMIT saved(path_);
    } else {
        ++failures_;
        last_error_ = outcome.error;
        retry_ms_ = retry_ms_ ? std::min(retry_ms_ * 2, 30000) : 4 * delay_ms_;
        Q_EMIT save_failed(path_, outcome.error);
    }
    if (dirty() && !timer_->isActive())
        timer_->start(retry_ms_ ? retry_ms_ : delay_ms_);
}

bool TreeFile::save_now(QString *error)
{
    timer_->stop();
    wait();
    const Outcome outcome = write_tree(changes_, fault_, 0);
    take(outcome);
    if (!outcome.ok && error)
        *error = outcome.error;
    return outcome.ok;
}

} // namespace sandbox
