#include "qt4-setup/src/dir-tracker.h"

#include "utils/logging.h"
#include "utils/text.h"

#include <QThread>
#include <mutex>

namespace {

using Rizurividuvez::Dir;

void register_types()
{
    static std::once_flag once;
    std::call_once(once, [] { qRegisterMetaType<Settings>("Settings"); });
}

// A folder's path or name as text. A folder the host no longer describes
// (erased, rights withdrawn) gives nothing, and its text signal is skipped.
bool text_of(std::string (Dir::*what)(), const Settings &folder, QString *out)
{
    if (!folder)
        return false;
    try {
        *out = from_utf8(((*folder).*what)());
        return true;
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
        return false;
    }
}

} // namespace

QDirTracker::QDirTracker(const char *name, Settings folder)
    : HostListener(name)
    , folder_(folder)
{
    setObjectName(QString::fromLatin1(name ? name : ""));
}

QDirTracker::~QDirTracker() = default;

boost::shared_ptr<QDirTracker> QDirTracker::create(const char *name, Settings folder)
{
    register_types();
    // The host drops its reference on whatever thread notified last; a QObject
    // must only be deleted on its own thread.
    boost::shared_ptr<QDirTracker> tracker(new QDirTracker(name, folder), [](QDirTracker *t) {
        if (QThread::currentThread() == t->thread())
            delete t;
        else
            t->deleteLater();
    });
    tracker->self_ = tracker;
    return tracker;
}

bool QDirTracker::subscribe(int mask)
{
    const boost::shared_ptr<QDirTracker> me = self_.lock();
    if (!folder_ || !me)
        return false;
    try {
        folder_->subscribe(me, mask);
        return true;
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
        return false;
    }
}

void QDirTracker::host_values_changed(const Settings &folder)
{
    if (!folder)
        return;
    QString path;
    if (text_of(&Dir::path, folder, &path))
        Q_EMIT values_changed(path);
    Q_EMIT values_changed(folder);
}

void QDirTracker::host_subdir_added(const Settings &parent, const Settings &child)
{
    if (!parent || !child)
        return;
    QString path, name;
    if (text_of(&Dir::path, parent, &path) && text_of(&Dir::name, child, &name))
        Q_EMIT subdir_added(path, name);
    Q_EMIT subdir_added(parent, child);
}

void QDirTracker::host_subdir_removed(const Settings &parent, const Settings &child)
{
    if (!parent || !child)
        return;
    QString path, name;
    if (text_of(&Dir::path, parent, &path) && text_of(&Dir::name, child, &name))
        Q_EMIT subdir_removed(path, name);
    Q_EMIT subdir_removed(parent, child);
}

void QDirTracker::host_subdir_rights_changed(const Settings &parent, const Settings &child)
{
    QString path, name;
    if (text_of(&Dir::path, parent, &path) && text_of(&Dir::name, child, &name))
        Q_EMIT folder_effective_rights_changed(path, name);
}

void QDirTracker::host_rights_changed(const Settings &folder)
{
    QString path;
    if (text_of(&Dir::path, folder, &path))
        Q_EMIT effective_rights_changed(path);
}

void QDirTracker::host_erased(const Settings &folder)
{
    QString path;
    if (text_of(&Dir::path, folder, &path))
        Q_EMIT dir_erased(path);
}
