#pragma once
// The page of one template loop: its name, enable flag, shortcut and monitor,
// and the ordered templates and channels that the monitor cycles through.
// Plain fields are written at once; the element list and the generated
// script are stored by "Save and Run".

#include "plugin/rizurividuvez.h"
#include "script-setup/loop/loop-element.h"

#include <QByteArray>
#include <QWidget>
#include <string>

class LoopElement;
class ObjectsListReceiver;
class QAutoConnect;
class QCheckBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

namespace loop {
struct LoopEntry;
}

class QSetupLoop : public QWidget
{
    Q_OBJECT
public:
    QSetupLoop(QObject *navigator, Settings folder, Settings server_root);
    ~QSetupLoop() override;

public Q_SLOTS:
    void add_template(QByteArray guid = QByteArray(), int timeout = 5);
    void add_channel(QByteArray guid = QByteArray(), int timeout = 5);
    void remove_loop_element();
    void move_loop_element_up();
    void move_loop_element_down();
    void objects_list_changed();
    void keyPressEvent(QKeyEvent *e) override;
    void touch();
    void convert_to_script();
    void save_button_clicked();
    void delete_button_clicked();
    void delete_confirmed(int r);

public:
    Q_INVOKABLE QString generate_script();

protected:
    bool focusNextPrevChild(bool next) override;

private:
    // Tab follows the reading order of the rows as they stand now.
    void update_tab_order();
    // After "Add template" or "Add channel": the keyboard goes on in the new row.
    void focus_new_row();
    void build_form();
    void start_receiver();
    void load_templates();
    void add_row(LoopElement *row);
    // A row added, removed, moved or changed.
    void list_changed();
    int index_of_sender() const;
    std::vector<loop::LoopEntry> entries() const;
    // False when the host would not tell.
    bool read_rights(bool *writable);
    void apply_rights();

    QObject *navigator_;
    QByteArray operator_gui_;
    boost::shared_ptr<ObjectsListReceiver> receiver_;
    TemplateCatalogue templates_;
    Settings folder_;
    QAutoConnect *autoconnect_ = nullptr;
    Settings server_root_;
    std::string server_name_;
    bool modified_ = false;
    bool list_edited_ = false;
    // A stored order longer than the page shows, kept as it was read.
    std::string kept_order_;
    bool writable_ = true; // as last read

    QLineEdit *name_ = nullptr;
    QSpinBox *monitor_ = nullptr;
    QCheckBox *enable_ = nullptr;
    QPushButton *delete_btn_ = nullptr;
    QFrame *activation_frame_ = nullptr;
    QLineEdit *shortcut_ = nullptr;
    QFrame *actions_frame_ = nullptr;
    QVBoxLayout *element_list_ = nullptr;
    QLabel *too_long_ = nullptr;
    QPushButton *add_template_btn_ = nullptr;
    QPushButton *add_channel_btn_ = nullptr;
    QPushButton *save_btn_ = nullptr;
    QPushButton *to_script_btn_ = nullptr;
    std::vector<LoopElement *> rows_;
    Reusable::QChannelsBox *channel_list_ = nullptr; // hidden; what channel rows list
};
