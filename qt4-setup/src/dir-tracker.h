#pragma once
// Turns the host's change notifications for one folder into Qt signals.
//
// The host may notify on any thread; signals are emitted on that thread, so
// pages connect with Qt::QueuedConnection to be called on their own. The
// tracker listens for as long as someone holds the reference create() gave.

#include "plugin/rizurividuvez.h"

#include <QMetaType>
#include <QObject>
#include <QString>
#include <boost/weak_ptr.hpp>

Q_DECLARE_METATYPE(Settings)

namespace dir_tracker_detail {

// Takes the host's calls under the host's names and hands them on, so that
// QDirTracker can give its signals the same names.
class HostListener : public Rizurividuvez::Dir::Notification
{
public:
    using Notification::Notification;
    void subdir_added(Settings parent, Settings child) final { host_subdir_added(parent, child); }
    void subdir_removed(Settings parent, Settings child) final
    {
        host_subdir_removed(parent, child);
    }
    void subdir_rights_changed(Settings parent, Settings child) final
    {
        host_subdir_rights_changed(parent, child);
    }
    void values_changed(Settings folder) final { host_values_changed(folder); }
    void rights_changed(Settings folder) final { host_rights_changed(folder); }
    void erased(Settings folder) final { host_erased(folder); }

private:
    virtual void host_subdir_added(const Settings &parent, const Settings &child) = 0;
    virtual void host_subdir_removed(const Settings &parent, const Settings &child) = 0;
    virtual void host_subdir_rights_changed(const Settings &parent, const Settings &child) = 0;
    virtual void host_values_changed(const Settings &folder) = 0;
    virtual void host_rights_changed(const Settings &folder) = 0;
    virtual void host_erased(const Settings &folder) = 0;
};

} // namespace dir_tracker_detail

class QDirTracker : public QObject, public dir_tracker_detail::HostListener
{
    Q_OBJECT
public:
    // name is for diagnostics (the page class, e.g. "QScheduleTracker"). The
    // reference may be released on any thread: off the tracker's own thread
    // it is deleted later by that thread's event loop.
    static boost::shared_ptr<QDirTracker> create(const char *name, Settings folder);
    ~QDirTracker() override;

    // Subscribes to the folder with Dir::OWN_VALUES, Dir::SUBDIRS or both.
    // A refusal is logged and answered with false.
    bool subscribe(int mask);

    Settings folder() const { return folder_; }

    // The folder signals take const references, as the host's handlers of the
    // same names take values: connect them with qOverload<const Settings &>.
    // Their Qt signature is "(Settings)". Hiding the host's handlers here is
    // the point, so clang's warning about it is off for these declarations.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Woverloaded-virtual"
#endif
Q_SIGNALS:
    void values_changed(QString path);
    void values_changed(const Settings &folder);
    void subdir_added(QString path, QString child);
    void subdir_added(const Settings &parent, const Settings &child);
    void subdir_removed(QString path, QString child);
    void subdir_removed(const Settings &parent, const Settings &child);
    void folder_effective_rights_changed(QString path, QString child);
    void effective_rights_changed(QString path);
    void dir_erased(QString path);
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

private:
    QDirTracker(const char *name, Settings folder);

    void host_subdir_added(const Settings &parent, const Settings &child) override;
    void host_subdir_removed(const Settings &parent, const Settings &child) override;
    void host_subdir_rights_changed(const Settings &parent, const Settings &child) override;
    void host_values_changed(const Settings &folder) override;
    void host_rights_changed(const Settings &folder) override;
    void host_erased(const Settings &folder) override;

    Settings folder_;
    boost::weak_ptr<QDirTracker> self_;
};
