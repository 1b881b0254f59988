#pragma once
// The rule page: a wizard in three steps, how the rule is activated, an
// optional condition and up to ten actions. It reads its controls into a
// rule::Rule and hands that to the stored form and the generator.

#include "plugin/dava-dodazi-service.h"
#include "plugin/rizurividuvez.h"
#include "script-setup/rule/rule.h"
#include "script-setup/rule/variable-names.h"

#include <QMap>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <list>
#include <set>
#include <string>
#include <vector>

class DavaDodaziServiceReceiverImp;
class QAbstractButton;
class QAutoConnect;
class QCheckBox;
class QComboBox;
class QDirTracker;
class QFrame;
class QGridWidget;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QLineTextEdit;
class QMenu;
class QPushButton;
class QSettingsInserterDialog;
class QStackedWidget;
class QToolButton;
namespace Reusable {
class QChannelsBox;
class QImageSelector;
class OurMessageBox;
} // namespace Reusable

class QSetupRule : public QWidget
{
    Q_OBJECT
public:
    QSetupRule(QObject *navigator, Settings folder, Settings server_root);
    ~QSetupRule() override;

    bool modified() const { return modified_; }
    int activation_kind() const { return activation_kind_; }
    // The rule as the controls show it.
    rule::Rule rule_value() const;
    QGridWidget *condition_grid() const { return condition_grid_; }
    QGridWidget *action_grid() const { return action_grid_; }
    int action_count() const { return action_count_; }
    // Where the last error popup was placed, in global coordinates.
    QPoint error_anchor() const { return error_anchor_; }
    const std::set<std::string> &chosen_event_types() const { return event_types_; }
    const std::set<std::string> &chosen_objects() const { return objects_; }

    // Whether the host runs on an Arm processor (no sound there); may throw.
    static void set_arm_platform_query(std::function<bool()> query);

Q_SIGNALS:
    void actions_order_changed();

public Q_SLOTS:
    void show_events_filter_dialog();
    void events_filter(QString event_list);
    void show_objects_filter_dialog();
    void objects_filter(QString object_list);
    void reset_objects_filter();
    void show_settings_filter_dialog();
    void settings_filter(QString settings_list);
    void ask_reset_rule();
    void reset_rule(int force = 0x400000);
    void reset_rule_settings(bool reset_activation = true, bool reset_condition = true,
                             bool reset_actions = true, bool reset_script = true);
    void link_activated(QString link);
    void stats_changed();
    void update_inserter_menu();
    void insert_event_name();
    void insert_event_member();
    void insert_origin_name();
    void insert_origin_guid();
    void insert_text(QString text);
    void replace_condition(int r);
    void show_settings_dialog();
    void show_objects_dialog();
    void fake_roots(int activation, QSettingsInserterDialog *dialog);
    Rizurividuvez::EventType get_event_by_name(const std::string &name) const;
    void objects_list_changed();
    void events_list_changed();
    void sounds_list_changed();
    void update_sounds();
    QString generate_variable_name(QString from);
    QString check_unique_var_name(QString var_name);
    void add_activation_on_shortcut(bool show_dialog = true, bool changed = true);
    void add_activation_on_action(bool show_dialog = true, bool changed = true);
    void add_activation_on_settings_change(bool show_dialog = true, bool changed = true);
    void add_activation_on_state_change(bool show_dialog = true, bool changed = true);
    void add_activation_on_event(bool show_dialog = true, bool changed = true);
    void add_activation_on_schedule(bool show_dialog = true, bool changed = true);
    void add_activation_on_shortcut(QStringList activation_list, QStringList activation_names,
                                    QStringList activation_params);
    void add_activation_on_action(QStringList activation_list, QStringList activation_names,
                                  QStringList activation_params);
    void add_activation_on_settings_change(QStringList activation_list,
                                           QStringList activation_names,
                                           QStringList activation_params);
    void add_activation_on_state_change(QStringList activation_list, QStringList activation_names,
                                        QStringList activation_params);
    void add_activation_on_event(QStringList activation_list, QStringList activation_names,
                                 QStringList activation_params);
    void add_activation_on_schedule(QStringList activation_list, QStringList activation_names,
                                    QStringList activation_params);
    void add_condition(QString condition = QString(), bool disjunct_by_or = false);
    void delete_condition();
    void condition_up_down_button_clicked();
    void populate_schedules();
    void restore_combobox_value(QComboBox *box, QString text_was);
    void shortcut_update_onrelease_state(bool on_release_value);
    void convert_to_script();
    void save_button_clicked();
    void delete_button_clicked();
    void delete_confirmed(int r);
    void touch();
    // Actions
    void add_method(QString action = QString(), QString action_params = QString(),
                    QString action_name = QString());
    void update_method(QString method, QString args = QString());
    void add_wait(QString action = QString(), QString action_params = QString(),
                  QString action_name = QString());
    void add_sound(QString action = QString(), QString action_params = QString(),
                   QString action_name = QString());
    void add_send_mail(QString action = QString(), QString action_params = QString(),
                       QString action_name = QString());
    void add_pos_report_export(QString action = QString(), QString action_params = QString(),
                               QString action_name = QString());
    void add_export_video(QString action = QString(), QString action_params = QString(),
                          QString action_name = QString());
    void add_take_screenshot(QString action = QString(), QString action_params = QString(),
                             QString action_name = QString());
    void add_settings_change(QString action = QString(), QString action_params = QString(),
                             QString action_name = QString());
    void delete_action();
    void action_add();
    void action_remove();
    void up_down_button_clicked();
    void up_button_clicked_cl();
    void down_button_clicked_cl();
    QString translate_name(QString name);
    QString translate_type(QString type);
    QString retranslate_type(QString type);
    QString retranslate_color(QString color);
    // The script of the stored rule, stored in "script".
    void generate_script();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    typedef void (QSetupRule::*Adder)(QString, QString, QString);
    struct ActionEntry
    {
        QString key;
        QString caption;
        Adder adder;
    };

    // Tab follows the reading order of the rows as they stand now.
    void update_tab_order();

    // setup-rule-form.cpp
    void build_layout();
    void build_activation_pages();
    void fill_activation_page(QWidget *page);
    void build_condition_frame(QWidget *parent);
    void build_actions_frame(QWidget *parent);
    void build_action_registry();
    // setup-rule-activation.cpp
    void switch_to(int kind, QWidget *page);
    QLineEdit *filter_edit(int kind) const;
    void refresh_channels();
    Reusable::QChannelsBox *channels_box(QWidget *parent);
    // setup-rule-actions.cpp
    struct ActionRow
    {
        QHBoxLayout *layout;
        QLabel *caption;
        QToolButton *remove;
        QToolButton *up;
        QToolButton *down;
    };
    // Counts the action, appends its row with a caption (named `name` when
    // given) and the delete and arrow buttons, not yet placed.
    ActionRow start_action_row(int kind, const QString &caption, bool shared_arrows,
                               const QString &name = QString());
    QString action_name(const QString &given) const;
    void move_action(int from, int to);
    rule::Action read_action(int row) const;
    std::vector<rule::KnownObject> known_objects() const;
    // setup-rule-value.cpp
    void load();
    void read_activation(rule::Activation *a) const;
    // setup-rule.cpp
    void show_error_popup(const QString &error, int line);
    void set_current_choice(QLabel *label, bool current);
    // An operator's change of a control: the rule is modified, unless the
    // page is filling its controls itself.
    void edited();
    // Makes every link of the label reachable with Tab and followed with
    // Enter or Space.

    QObject *navigator_;
    Settings folder_;
    Settings stats_;
    boost::shared_ptr<QDirTracker> stats_tracker_;
    bool can_view_ = false;
    bool can_change_ = false;
    bool sound_allowed_ = true;
    QAutoConnect *autoconnect_ = nullptr;
    Reusable::QImageSelector *image_ = nullptr;
    QMap<QString, ActionEntry> action_registry_;
    std::set<std::string> event_types_;
    std::set<std::string> objects_;
    std::list<std::string> settings_;
    QGridWidget *condition_grid_ = nullptr;
    QGridWidget *action_grid_ = nullptr;
    QPushButton *current_insert_button_ = nullptr;
    QLineTextEdit *current_edit_ = nullptr;
    rule::VariableNames used_names_;
    QPointer<Reusable::OurMessageBox> replace_box_;
    QAbstractButton *replace_button_ = nullptr;
    QAbstractButton *insert_button_ = nullptr;
    Settings server_root_;
    std::string server_name_;
    boost::shared_ptr<DavaDodaziServiceReceiverImp> receiver_;
    bool modified_ = false;
    int activation_kind_ = rule::NO_ACTIVATION;
    float size_factor_ = 1.0f;
    std::vector<Rizurividuvez::ObjectRecord> objects_cache_;
    std::vector<std::string> sounds_cache_;
    std::vector<Rizurividuvez::EventType> event_types_cache_;
    QString last_inserted_text_;
    QMenu *inserter_menu_ = nullptr;
    int action_count_ = 0;
    QPoint error_anchor_;
    int filling_ = 0; // while above 0, control changes are the page's own
    struct Filling
    {
        explicit Filling(int &depth)
            : depth(depth)
        {
            ++depth;
        }
        ~Filling() { --depth; }
        int &depth;
    };

    // Widgets
    QLineEdit *name_ = nullptr;
    QPushButton *delete_button_ = nullptr;
    QLabel *run_count_ = nullptr;
    QLabel *error_count_ = nullptr;
    QStackedWidget *activation_stack_ = nullptr;
    QWidget *chooser_page_ = nullptr;
    QWidget *events_page_ = nullptr;
    QLineEdit *event_types_edit_ = nullptr;
    QLabel *all_objects_link_ = nullptr;
    QLabel *objects_filter_link_ = nullptr;
    QLineEdit *objects_edit_ = nullptr;
    QToolButton *objects_button_ = nullptr;
    QWidget *shortcut_page_ = nullptr;
    QLineEdit *shortcut_edit_ = nullptr;
    QCheckBox *on_release_ = nullptr;
    QComboBox *panel_box_ = nullptr;
    QWidget *schedule_page_ = nullptr;
    QComboBox *schedule_box_ = nullptr;
    QComboBox *zone_box_ = nullptr;
    QWidget *state_page_ = nullptr;
    QLineEdit *state_objects_edit_ = nullptr;
    QWidget *settings_page_ = nullptr;
    QLineEdit *settings_edit_ = nullptr;
    QWidget *action_page_ = nullptr;
    QFrame *condition_frame_ = nullptr;
    QLabel *condition_title_ = nullptr;
    QLabel *always_link_ = nullptr;
    QLabel *write_link_ = nullptr;
    QToolButton *add_condition_button_ = nullptr;
    QFrame *actions_frame_ = nullptr;
    QLabel *add_label_ = nullptr;
    QLabel *action_links_ = nullptr;
    QPushButton *save_button_ = nullptr;
    QPushButton *clipboard_button_ = nullptr;
    QPushButton *reset_button_ = nullptr;
};
