// The rule page's activation: switching to a kind, its filter dialogs,
// shortcut capture and schedules.

#include "script-setup/rule-page/setup-rule.h"

#include "plugin/module-state.h"
#include "qt4-pavo7/reusable/channels-box.h"
#include "script-setup/inserters/events-inserter-dialog.h"
#include "script-setup/inserters/objects-inserter-dialog.h"
#include "script-setup/inserters/settings-inserter-dialog.h"
#include "script-setup/rule-page/grid-widget.h"
#include "script-setup/rule-page/page-style.h"
#include "script-setup/wizard/dava-dodazi-receiver.h"
#include "utils/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>
#include <memory>

namespace {

QString joined(const QStringList &items)
{
    return items.join(QStringLiteral("; "));
}

// The non-empty trimmed ";"-parts of a dialog's "@"-joined result, with the
// wrappers of its references removed.
QString unwrap(QString list, const char *prefix)
{
    return list.remove(QLatin1String(prefix))
        .remove(QLatin1String("\")"))
        .replace(QLatin1Char('@'), QLatin1Char(';'));
}

QStringList parts(const QString &text)
{
    QStringList out;
    for (const QString &p : text.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty())
            out << p.trimmed();
    return out;
}

} // namespace

void QSetupRule::switch_to(int kind, QWidget *page)
{
    activation_kind_ = kind;
    fill_activation_page(page);
    chooser_page_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    page->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    page->adjustSize();
    activation_stack_->setCurrentWidget(page);
    condition_frame_->show();
    set_current_choice(always_link_, true);
    actions_frame_->show();
}

void QSetupRule::add_activation_on_event(bool show_dialog, bool changed)
{
    switch_to(rule::ON_EVENT, events_page_);
    set_current_choice(all_objects_link_, true);
    if (show_dialog)
        show_events_filter_dialog();
    modified_ = changed;
    touch();
}

void QSetupRule::add_activation_on_shortcut(bool, bool changed)
{
    switch_to(rule::ON_SHORTCUT, shortcut_page_);
    shortcut_edit_->setMaximumWidth(int(250 * size_factor_));
    connect(on_release_, &QCheckBox::clicked, this, &QSetupRule::shortcut_update_onrelease_state,
            Qt::UniqueConnection);
    modified_ = changed;
    touch();
}

void QSetupRule::add_activation_on_schedule(bool, bool changed)
{
    switch_to(rule::ON_SCHEDULE, schedule_page_);
    populate_schedules();
    modified_ = changed;
    touch();
}

void QSetupRule::add_activation_on_state_change(bool show_dialog, bool changed)
{
    switch_to(rule::ON_STATE_CHANGE, state_page_);
    if (show_dialog)
        show_objects_filter_dialog();
    modified_ = changed;
    touch();
}

void QSetupRule::add_activation_on_settings_change(bool show_dialog, bool changed)
{
    switch_to(rule::ON_SETTINGS_CHANGE, settings_page_);
    if (show_dialog)
        show_settings_filter_dialog();
    modified_ = changed;
    touch();
}

void QSetupRule::add_activation_on_action(bool, bool changed)
{
    switch_to(rule::ON_ACTION_RUN, action_page_);
    modified_ = changed;
    touch();
}

void QSetupRule::add_activation_on_event(QStringList list, QStringList, QStringList params)
{
    add_activation_on_event(false, false);
    event_types_edit_->setText(joined(list));
    for (const QString &t : list)
        event_types_.insert(to_utf8(t));
    if (!params.isEmpty() && params[0] != QLatin1String("*")) {
        set_current_choice(objects_filter_link_, true);
        set_current_choice(all_objects_link_, false);
        objects_edit_->show();
        objects_button_->show();
        objects_edit_->setText(joined(params));
        for (const QString &o : params)
            objects_.insert(to_utf8(o));
    }
    modified_ = true;
    touch();
}

void QSetupRule::add_activation_on_shortcut(QStringList list, QStringList, QStringList)
{
    add_activation_on_shortcut(false, false);
    shortcut_edit_->setText(list.value(0));
    on_release_->setChecked(list.value(0).contains(QLatin1String("_Released")));
    if (list.size() == 2) {
        const int index = panel_box_->findData(list[1], Qt::UserRole, Qt::MatchExactly);
        if (index >= 0)
            panel_box_->setCurrentIndex(index);
    }
}

void QSetupRule::add_activation_on_settings_change(QStringList list, QStringList, QStringList)
{
    add_activation_on_settings_change(false, false);
    settings_edit_->setText(joined(list));
    for (const QString &s : list)
        settings_.push_back(to_utf8(s));
}

void QSetupRule::add_activation_on_state_change(QStringList list, QStringList, QStringList)
{
    add_activation_on_state_change(false, false);
    state_objects_edit_->setText(joined(list));
    for (const QString &o : list)
        objects_.insert(to_utf8(o));
}

void QSetupRule::add_activation_on_schedule(QStringList list, QStringList, QStringList params)
{
    add_activation_on_schedule(false, false);
    schedule_box_->addItem(list.value(0));
    schedule_box_->setCurrentIndex(schedule_box_->count() - 1);
    const int zone =
        zone_box_->findText(params.value(0), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (zone >= 0)
        zone_box_->setCurrentIndex(zone);
}

void QSetupRule::add_activation_on_action(QStringList, QStringList, QStringList)
{
    add_activation_on_action(false, false);
}

void QSetupRule::show_events_filter_dialog()
{
    auto *dialog = new QEventsInserterDialog(module_state::host(), server_name_, this,
                                             QEventsInserterDialog::CHECK_EVENTS, event_types_);
    dialog->setObjectName(QStringLiteral("events_filter_dialog"));
    rule_page::keep_frame_style(dialog, this);
    connect(dialog, &QEventsInserterDialog::accepted, this, &QSetupRule::events_filter);
    connect(dialog, &QDialog::rejected, this, [this] { reset_rule(); });
    dialog->show();
}

void QSetupRule::show_objects_filter_dialog()
{
    auto *dialog = new QObjectsInserterDialog(module_state::host(), server_name_, this, 0x791,
                                              std::set<std::string>(objects_));
    dialog->setObjectName(QStringLiteral("objects_filter_dialog"));
    rule_page::keep_frame_style(dialog, this);
    event_types_.erase(std::string());
    dialog->set_event_types(event_types_);
    connect(dialog, &QObjectsInserterDialog::accepted, this, &QSetupRule::objects_filter);
    connect(dialog, &QDialog::rejected, this, &QSetupRule::reset_objects_filter);
    dialog->show();
}

void QSetupRule::show_settings_filter_dialog()
{
    auto *dialog = new QSettingsInserterDialog(folder_, this, size_factor_, 0x23);
    dialog->setObjectName(QStringLiteral("settings_filter_dialog"));
    rule_page::keep_frame_style(dialog, this);
    QStringList paths;
    for (const std::string &s : settings_)
        paths << from_utf8(s);
    dialog->preselect(paths);
    connect(dialog, &QSettingsInserterDialog::accepted, this, &QSetupRule::settings_filter);
    connect(dialog, &QDialog::rejected, this, [this] { reset_rule(); });
    dialog->show();
}

void QSetupRule::events_filter(QString event_list)
{
    modified_ = true;
    touch();
    event_types_.clear();
    if (event_list.trimmed().isEmpty()) {
        event_types_edit_->clear();
        return;
    }
    const QString text = event_list.replace(QLatin1Char('@'), QLatin1Char(';'));
    event_types_edit_->setText(text);
    for (const QString &p : parts(text))
        event_types_.insert(to_utf8(p));
}

void QSetupRule::objects_filter(QString object_list)
{
    modified_ = true;
    touch();
    QLineEdit *edit =
        activation_kind_ == rule::ON_STATE_CHANGE ? state_objects_edit_ : objects_edit_;
    objects_.clear();
    if (object_list.isEmpty()) {
        edit->clear();
        if (activation_kind_ == rule::ON_EVENT) {
            set_current_choice(objects_filter_link_, false);
            set_current_choice(all_objects_link_, true);
            objects_edit_->hide();
            objects_button_->hide();
        }
        return;
    }
    const QString text = unwrap(object_list, "object(\"");
    edit->setText(text);
    for (const QString &p : parts(text))
        objects_.insert(to_utf8(p));
}

void QSetupRule::settings_filter(QString settings_list)
{
    modified_ = true;
    touch();
    settings_.clear();
    if (settings_list.isEmpty()) {
        settings_edit_->clear();
        return;
    }
    const QString text = unwrap(settings_list, "settings(\"");
    settings_edit_->setText(text);
    for (const QString &p : parts(text))
        settings_.push_back(to_utf8(p));
}

void QSetupRule::reset_objects_filter()
{
    if (activation_kind_ != rule::ON_EVENT)
        return;
    objects_.clear();
    set_current_choice(all_objects_link_, true);
    set_current_choice(objects_filter_link_, false);
    objects_edit_->clear();
    objects_edit_->hide();
    objects_button_->hide();
}

void QSetupRule::shortcut_update_onrelease_state(bool on_release_value)
{
    QString text = shortcut_edit_->text();
    if (text.isEmpty())
        return;
    modified_ = true;
    const int cut = text.indexOf(QLatin1String("_Released"));
    if (cut >= 0)
        text.truncate(cut);
    if (on_release_value)
        text += QLatin1String("_Released");
    shortcut_edit_->setText(text);
    touch();
}

void QSetupRule::populate_schedules()
{
    const QSignalBlocker block(schedule_box_);
    schedule_box_->clear();
    for (const Rizurividuvez::ObjectRecord &o : objects_cache_)
        if (o.class_name == "Schedule" &&
            (o.parent_id == server_name_ || o.parent_id == server_name_ + "S"))
            schedule_box_->addItem(from_utf8(o.name));
}

void QSetupRule::restore_combobox_value(QComboBox *box, QString text_was)
{
    const QSignalBlocker block(box);
    if (text_was.isEmpty() && box->count()) {
        box->setCurrentIndex(0);
        return;
    }
    int index = box->findText(text_was, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        box->addItem(text_was);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

void QSetupRule::objects_list_changed()
{
    // The rows read the channels when they were built; the first list only
    // tells that the service is there.
    const Filling filling(filling_);
    const bool first_list = objects_cache_.empty();
    receiver_->take_objects(objects_cache_);
    if (activation_kind_ == rule::ON_SCHEDULE) {
        const QString was = schedule_box_->currentText();
        populate_schedules();
        restore_combobox_value(schedule_box_, was);
    }
    if (!first_list)
        refresh_channels();
}

void QSetupRule::events_list_changed()
{
    receiver_->take_event_types(event_types_cache_);
}

void QSetupRule::sounds_list_changed()
{
    const Filling filling(filling_);
    receiver_->take_sounds(sounds_cache_);
    update_sounds();
}

Rizurividuvez::EventType QSetupRule::get_event_by_name(const std::string &name) const
{
    for (const Rizurividuvez::EventType &e : event_types_cache_)
        if (e.name == name)
            return e;
    return Rizurividuvez::EventType();
}
