#pragma once
// The plug-in's log lines with their levels, newest at the bottom. Lines may
// be written on any thread; the pane picks them up from the host's kept log.

#include <QTreeWidget>

class QTimer;

namespace memory_host {
class KeptLog;
}

namespace sandbox {

class LogPane : public QTreeWidget
{
    Q_OBJECT
public:
    LogPane(memory_host::KeptLog &log, QWidget *parent = nullptr);

    // Shows the lines written since the last look.
    void refresh();
    void clear_lines();

private:
    memory_host::KeptLog &log_;
    size_t shown_ = 0;
    QTimer *timer_;
};

} // namespace sandbox
