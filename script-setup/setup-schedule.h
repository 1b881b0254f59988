#pragma once
// The page of one weekly schedule: the grid of its seven days, the precise
// "Modify" controls, its name and enable flag, and the channels whose record
// mode it controls. Every change is written at once; there is no save.

#include "plugin/rizurividuvez.h"

#include <QWidget>
#include <map>
#include <set>
#include <string>

class QAutoConnect;
class QCheckBox;
class QComboBox;
class QDirTracker;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimeEdit;

namespace Reusable {
class QSchedulerWidget;
}
namespace references {
class UsedByLinks;
}

class QSetupSchedule : public QWidget
{
    Q_OBJECT
public:
    QSetupSchedule(QObject *navigator, Settings folder, Settings server_root);
    ~QSetupSchedule() override;

public Q_SLOTS:
    void snap_toggled(bool b);
    void rect_changed();
    void controls_changed();
    void fill_red();
    void fill_green();
    void fill_blue();
    void unserialize_from_dir();
    void serialize_to_dir();
    void delete_button_clicked();
    void delete_confirmed(int r);
    void dir_values_changed();
    void dir_rights_changed();
    void list_item_clicked(QListWidgetItem *item);
    void channels_box_clicked(bool state);
    void channels_select_all();
    void channels_select_none();

private:
    void build_form();
    void scale_grid();
    void fill_day_combos();
    void prepare_fill_buttons();
    void set_fill_captions(bool record_mode);
    void connect_controls();
    void build_channel_list();
    void check_own_channels();

    QObject *navigator_;
    Settings folder_;
    Settings server_root_;
    QAutoConnect *autoconnect_ = nullptr;
    boost::shared_ptr<QDirTracker> tracker_;
    std::set<std::string> own_channels_;
    std::set<std::string> used_elsewhere_;
    std::map<QListWidgetItem *, std::string> item_to_guid;
    bool updating_controls_ = false;

    QLineEdit *name_ = nullptr;
    QCheckBox *enable_ = nullptr;
    QPushButton *delete_button_ = nullptr;
    Reusable::QSchedulerWidget *grid_ = nullptr;
    QCheckBox *snap_ = nullptr;
    QGroupBox *modify_group_ = nullptr;
    QComboBox *dayofweek1_ = nullptr;
    QComboBox *dayofweek2_ = nullptr;
    QTimeEdit *time1_ = nullptr;
    QTimeEdit *time2_ = nullptr;
    QPushButton *fillred_ = nullptr;
    QPushButton *fillblue_ = nullptr;
    QPushButton *fillgreen_ = nullptr;
    QGroupBox *channels_box_ = nullptr;
    QListWidget *channels_list_ = nullptr;
    QPushButton *select_all_ = nullptr;
    QPushButton *select_none_ = nullptr;
    references::UsedByLinks *used_by_ = nullptr;
};
