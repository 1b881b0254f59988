#pragma once
// The runs of the scripts, newest at the bottom: each run a heading with
// its script and what started it, and under it what the run did, at its
// virtual time.

#include <QHash>
#include <QJsonObject>
#include <QTreeWidget>

namespace sandbox {

class TracePane : public QTreeWidget
{
    Q_OBJECT
public:
    enum Column { TIME, WHAT };

    explicit TracePane(QWidget *parent = nullptr);

    void add(const QJsonObject &entry);
    void clear_runs();
    // Scrolls the run that the last firing started to the top.
    void show_last_fired();
    void forget_last_fired() { last_fired_ = nullptr; }
    // Hides the runs that only loaded a script without a word of their own.
    void set_hide_loading(bool hide) { hide_loading_ = hide; }

private:
    QTreeWidgetItem *run_item(const QJsonObject &entry);

    QHash<QString, QTreeWidgetItem *> runs_;
    QTreeWidgetItem *last_fired_ = nullptr;
    bool hide_loading_ = true;
};

} // namespace sandbox
