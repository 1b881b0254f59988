#pragma once
// Picks objects of the server, and optionally one property (state or
// method) of the selected object and one value of that state; hands the
// choice back as Python text. The flags decide the panes and the text.

#include <QDialog>
#include <QModelIndexList>
#include <QPointer>
#include <QStringList>
#include <set>
#include <string>

class QComboBox;
class QListWidget;
class QMessageBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace Rizurividuvez {
class HostRoot;
}
namespace Reusable {
class ObjectsSelectingTree;
}

class QObjectsInserterDialog : public QDialog
{
    Q_OBJECT
public:
    enum Flags {
        SHOW_METHODS = 0x2,
        SHOW_STATES = 0x4,
        SHOW_VALUES = 0x8,
        CHECK_OBJECTS = 0x10,
        RESULT_PROPERTIES = 0x20,
        RESULT_VALUES = 0x40,
        OBJECT_TEXT = 0x80,
        METHOD_TEXT = 0x100,
        STATE_TEXT = 0x200,
        CONDITION_TEXT = 0x400,
        STRIP_WRAPPERS = 0x800,
    };

    // Deletes itself when closed; the caller connects and calls show.
    QObjectsInserterDialog(Rizurividuvez::HostRoot *host, const std::string &server_name,
                           QWidget *parent, int flags, const std::set<std::string> &preselection);
    ~QObjectsInserterDialog() override;

    // Event types the caller reacts to: OK warns when the checked objects
    // raise none of some of them.
    void set_event_types(const std::set<std::string> &event_types);

Q_SIGNALS:
    void accepted(QString result);
    void check_my_items_please();

public Q_SLOTS:
    void objects_model_reset();
    void objects_selected(QModelIndexList selected_indexes);
    void properties_selected();
    void property_clicked(QTreeWidgetItem *item, int column);
    void state_values_selected();
    void ok_button_clicked();
    void cancel_button_clicked();
    void operation_changed(int index);
    void proceed_confirmed(int r);

private:
    QString property_text(const QTreeWidgetItem *item) const;
    bool has_silent_event_types(const QStringList &checked) const;
    void finish();

    int flags_;
    QString result_;
    QString single_text_;
    bool model_ready_ = false;
    std::set<std::string> preselection_;
    QStringList checked_objects_;
    QStringList chosen_properties_;
    QStringList chosen_values_;
    std::set<std::string> event_types_;
    QString object_;       // the selected object's name
    QString object_class_; // and its class

    Reusable::ObjectsSelectingTree *objects_tree_;
    QTreeWidget *property_tree_;
    QComboBox *operation_box_;
    QListWidget *values_list_;
    QPointer<QMessageBox> events_question_;
};
