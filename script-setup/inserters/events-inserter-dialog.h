#pragma once
// Picks event types from a tree of object classes and the events each class
// raises; hands them back joined by "@" (mode 1) or the clicked item's text.
// Feeds itself from the server's rule-wizard service.

#include "plugin/dava-dodazi-service.h"

#include <QDialog>
#include <QStringList>
#include <map>
#include <set>

class DavaDodaziServiceReceiverImp;
class QTreeWidget;
class QTreeWidgetItem;
class TreeWidgetQuicksearch;

namespace Reusable {
class QClearableEdit;
}

class QEventsInserterDialog : public QDialog
{
    Q_OBJECT
public:
    enum Mode {
        CHECK_EVENTS = 1,  // events carry check boxes; the result lists the ticked ones
        CHECK_CLASSES = 2, // class items carry check boxes too
    };

    // Deletes itself when closed; the caller connects accepted and rejected
    // and calls show.
    QEventsInserterDialog(Rizurividuvez::HostRoot *host, const std::string &server_name,
                          QWidget *parent, int mode, const std::set<std::string> &preselection);
    ~QEventsInserterDialog() override;

Q_SIGNALS:
    void accepted(QString result);

public Q_SLOTS:
    void events_list_changed();
    void objects_list_changed();
    void ok_button_clicked();
    void cancel_button_clicked();
    void item_clicked(QTreeWidgetItem *item, int column);
    void traverse_tree(QTreeWidgetItem *parent = nullptr);

private:
    void collect_checked();

    int mode_;
    QString result_;
    QString clicked_text_;
    boost::shared_ptr<DavaDodaziServiceReceiverImp> receiver_;
    std::map<int, Rizurividuvez::EventType> event_types_;
    std::map<std::string, Rizurividuvez::ObjectClass> classes_;
    QStringList checked_;
    std::set<std::string> preselection_;
    Rizurividuvez::HostRoot *host_;

    Reusable::QClearableEdit *quick_edit_;
    QTreeWidget *tree_;
    TreeWidgetQuicksearch *quicksearch_;
};
