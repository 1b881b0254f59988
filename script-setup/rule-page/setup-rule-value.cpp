// The rule page between its controls and the rule value: loading a stored
// rule into the controls and reading the controls back.

#include "script-setup/rule-page/setup-rule.h"

#include "qt4-pavo7/reusable/channels-box.h"
#include "script-setup/rule-page/attachments-list.h"
#include "script-setup/rule-page/grid-widget.h"
#include "script-setup/rule-page/line-text-edit.h"
#include "script-setup/rule/rule-folder.h"
#include "script-setup/rule/rule-texts.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

void QSetupRule::load()
{
    const Filling filling(filling_);
    int count = 0, activation = rule::NO_ACTIVATION;
    try {
        FolderLock guard(folder_);
        count = folder_->get_integer_or("action_count", 0);
        activation = folder_->get_integer_or("activation_type", rule::NO_ACTIVATION);
    } catch (const std::exception &e) {
        VX_LOG(2, "RULE GUI: cannot load: %s\n", e.what());
    }
    if (count == 0 && activation == rule::NO_ACTIVATION) {
        condition_frame_->hide();
        actions_frame_->hide();
        return;
    }
    const rule::StoredRule stored = rule::load_stored_rule(folder_);
    typedef void (QSetupRule::*ListForm)(QStringList, QStringList, QStringList);
    ListForm form = nullptr;
    switch (stored.activation_code) {
    case rule::ON_SHORTCUT:
        form = &QSetupRule::add_activation_on_shortcut;
        break;
    case rule::ON_SETTINGS_CHANGE:
        form = &QSetupRule::add_activation_on_settings_change;
        break;
    case rule::ON_STATE_CHANGE:
        form = &QSetupRule::add_activation_on_state_change;
        break;
    case rule::ON_EVENT:
        form = &QSetupRule::add_activation_on_event;
        break;
    case rule::ON_SCHEDULE:
        form = &QSetupRule::add_activation_on_schedule;
        break;
    case rule::ON_ACTION_RUN:
        form = &QSetupRule::add_activation_on_action;
        break;
    default:
        break;
    }
    if (form)
        (this->*form)(stored.activation_list, stored.activation_names, stored.activation_params);
    else
        actions_frame_->show();
    if (!stored.condition.trimmed().isEmpty()) {
        always_link_->hide();
        write_link_->hide();
        add_condition_button_->show();
        for (const rule::ConditionRow &row : rule::split_condition(stored.condition))
            add_condition(row.text, row.disjunct_by_or);
    }
    for (const rule::StoredAction &s : stored.actions) {
        rule::Action a;
        if (!rule::decode_action(s, &a) || (a.code == rule::PLAY_SOUND && !sound_allowed_))
            continue;
        switch (s.code) {
        case rule::CALL_METHOD:
            add_method(s.action, s.params, s.name);
            break;
        case rule::WAIT:
            add_wait(s.action, s.params, s.name);
            break;
        case rule::PLAY_SOUND:
            add_sound(s.action, s.params, s.name);
            break;
        case rule::EXPORT_VIDEO:
            add_export_video(s.action, s.params, s.name);
            break;
        case rule::CHANGE_SETTINGS:
            add_settings_change(s.action, s.params, s.name);
            break;
        case rule::SEND_EMAIL:
            add_send_mail(s.action, s.params, s.name);
            break;
        case rule::TAKE_SCREENSHOT:
            add_take_screenshot(s.action, s.params, s.name);
            break;
        case rule::POS_REPORT:
            // The report row takes its two numbers apart.
            add_pos_report_export(QString::number(a.report), QString::number(a.interval), s.name);
            break;
        }
    }
}

void QSetupRule::read_activation(rule::Activation *a) const
{
    a->code = activation_kind_;
    // A page never shown has no controls and holds nothing.
    if (shortcut_edit_) {
        a->shortcut = shortcut_edit_->text();
        a->panel_shortcut = panel_box_->currentData().toString();
    }
    a->settings = settings_edit_->text();
    a->state_objects = state_objects_edit_->text();
    a->event_types = event_types_edit_->text();
    a->all_objects = !objects_filter_link_->text().contains(QLatin1String("gref"));
    a->objects = objects_edit_->text();
    if (schedule_box_) {
        a->schedule = schedule_box_->currentText();
        a->zone = zone_box_->currentText();
    }
}

rule::Action QSetupRule::read_action(int index) const
{
    rule::Action a;
    a.code = action_grid_->row_data(index).toInt();
    const QWidget *row = action_grid_->row(index);
    const QString caption = action_grid_->row_layout(index)->itemAt(0)->widget()->objectName();
    auto text_of = [row](const char *name) {
        const auto *l = row->findChild<QLabel *>(QString::fromLatin1(name));
        return l ? l->text() : QString();
    };
    auto *spin = row->findChild<QSpinBox *>(QStringLiteral("seconds"));
    auto *channels = row->findChild<Reusable::QChannelsBox *>();
    if (spin)
        a.seconds = spin->value();
    if (channels) {
        a.channel = channels->channel();
        a.channel_name = channels->currentText();
    }
    switch (a.code) {
    case rule::CALL_METHOD:
        a.object = text_of("object");
        a.method = text_of("method");
        for (const QLineEdit *e : row->findChildren<QLineEdit *>(QStringLiteral("parameter")))
            a.parameters.push_back(
                {e->property("type").toString(), e->property("name").toString(), e->text()});
        break;
    case rule::PLAY_SOUND:
        a.sound = row->findChild<QComboBox *>(QStringLiteral("sounds_box"))->currentText();
        break;
    case rule::EXPORT_VIDEO:
        a.substream = row->findChild<QCheckBox *>(QStringLiteral("substream"))->isChecked();
        a.output_name = caption;
        break;
    case rule::CHANGE_SETTINGS: {
        a.setting = text_of("setting");
        const auto *value = row->findChild<QLineTextEdit *>(QStringLiteral("setting_value"));
        const QString type = rule::retranslate_type(value->placeholderText());
        a.setting_type = type.isEmpty() ? value->placeholderText() : type;
        a.setting_value = value->toPlainText();
        break;
    }
    case rule::SEND_EMAIL:
        a.account =
            row->findChild<QComboBox *>(QStringLiteral("account"))->currentData().toString();
        a.recipients = row->findChild<QLineEdit *>(QStringLiteral("recipients"))->text();
        a.subject = row->findChild<QLineEdit *>(QStringLiteral("subject"))->text();
        for (const std::string &f : row->findChild<AttachmentsList *>()->checked_files())
            a.attachments << from_utf8(f);
        a.message = row->findChild<QPlainTextEdit *>(QStringLiteral("message"))->toPlainText();
        break;
    case rule::TAKE_SCREENSHOT:
        a.output_name = caption;
        break;
    case rule::POS_REPORT:
        a.report = row->findChild<QComboBox *>(QStringLiteral("report"))->currentData().toInt();
        a.interval = row->findChild<QComboBox *>(QStringLiteral("interval"))->currentData().toInt();
        a.output_name = caption;
        break;
    default:
        break;
    }
    return a;
}

std::vector<rule::KnownObject> QSetupRule::known_objects() const
{
    std::vector<rule::KnownObject> known;
    for (const Rizurividuvez::ObjectRecord &o : objects_cache_)
        known.push_back({from_utf8(o.name), from_utf8(o.guid)});
    return known;
}

rule::Rule QSetupRule::rule_value() const
{
    rule::Rule r;
    read_activation(&r.activation);
    for (int i = 0; i < condition_grid_->count(); ++i) {
        const QWidget *row = condition_grid_->row(i);
        const QString text =
            row->findChild<QLineTextEdit *>(QStringLiteral("condition"))->toPlainText();
        // An empty line would leave a dangling "and" in the script.
        if (text.trimmed().isEmpty())
            continue;
        r.conditions.push_back(
            {text, row->findChild<QRadioButton *>(QStringLiteral("or"))->isChecked()});
    }
    for (int i = 0; i < action_grid_->count(); ++i)
        r.actions.push_back(read_action(i));
    r.known_objects = known_objects();
    r.server_name = QString::fromStdString(server_name_);
    return r;
}
