// The rule page: construction, link dispatch, saving, resetting, deleting,
// statistics and the keyboard.

#include "script-setup/rule-page/setup-rule.h"

#include "plugin/host.h"
#include "plugin/module-state.h"
#include "qt4-pavo7/reusable/image-selector.h"
#include "qt4-pavo7/reusable/our-message-box.h"
#include "qt4-pavo7/reusable/popup.h"
#include "qt4-setup/src/dir-tracker.h"
#include "qt4-setup/src/settings-autoconnect.h"
#include "script-setup/inserters/host-scale.h"
#include "script-setup/page-support.h"
#include "script-setup/references/reference-marks.h"
#include "script-setup/rule-page/grid-widget.h"
#include "script-setup/rule-page/line-text-edit.h"
#include "script-setup/rule-page/page-style.h"
#include "script-setup/rule/rule-folder.h"
#include "script-setup/rule/rule-script.h"
#include "script-setup/wizard/dava-dodazi-receiver.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QSysInfo>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

std::function<bool()> &arm_query()
{
    static std::function<bool()> query = [] {
        return QSysInfo::currentCpuArchitecture().startsWith(QLatin1String("arm"));
    };
    return query;
}

} // namespace

void QSetupRule::set_arm_platform_query(std::function<bool()> query)
{
    arm_query() = std::move(query);
}

QSetupRule::QSetupRule(QObject *navigator, Settings folder, Settings server_root)
    : navigator_(navigator)
    , folder_(folder)
    , server_root_(server_root)
{
    try {
        FolderLock guard(server_root_);
        server_name_ = server_root_->name();
    } catch (const std::exception &e) {
        VX_LOG(2, "RULE GUI: cannot load: %s\n", e.what());
    }
    Rizurividuvez::HostRoot *host = module_state::host();
    size_factor_ = host_size_factor(host);
    try {
        sound_allowed_ = !arm_query()();
    } catch (const std::exception &e) {
        VX_LOG(2, "QSetupRule: error func is_arm_platform - %s\n", e.what());
    }

    build_layout();
    int rights = 0;
    try {
        FolderLock guard(folder_);
        rights = folder_->rights();
    } catch (const std::exception &e) {
        VX_LOG(2, "RULE GUI: cannot load: %s\n", e.what());
    }
    can_view_ = rights & 8;
    can_change_ = rights & 64;
    if (!can_view_) {
        fill_activation_page(chooser_page_);
        setEnabled(false);
        return;
    }

    objects_edit_->hide();
    objects_button_->hide();
    connect(findChild<QToolButton *>("event_types_button"), &QToolButton::clicked, this,
            &QSetupRule::show_events_filter_dialog);
    for (const char *name : {"objects_button", "state_objects_button"})
        connect(findChild<QToolButton *>(name), &QToolButton::clicked, this,
                &QSetupRule::show_objects_filter_dialog);
    connect(findChild<QToolButton *>("settings_button"), &QToolButton::clicked, this,
            &QSetupRule::show_settings_filter_dialog);
    add_condition_button_->hide();
    connect(add_condition_button_, &QToolButton::clicked, this, [this] { add_condition(); });

    build_action_registry();
    // After the registry: the action links get their text there.
    for (QLabel *l : findChildren<QLabel *>())
        if (l->text().contains(QLatin1String("href=")))
            connect(l, &QLabel::linkActivated, this, &QSetupRule::link_activated);
    activation_kind_ = rule::NO_ACTIVATION;

    inserter_menu_ = new QMenu(this);
    inserter_menu_->setObjectName(QStringLiteral("inserter_menu"));
    rule_page::keep_frame_style(inserter_menu_, this);
    connect(inserter_menu_->addAction(tr("Settings values")), &QAction::triggered, this,
            &QSetupRule::show_settings_dialog);
    connect(inserter_menu_->addAction(tr("Objects state")), &QAction::triggered, this,
            &QSetupRule::show_objects_dialog);
    connect(inserter_menu_, &QMenu::aboutToShow, this, &QSetupRule::update_inserter_menu);

    connect(save_button_, &QPushButton::clicked, this, &QSetupRule::save_button_clicked);
    connect(delete_button_, &QPushButton::clicked, this, &QSetupRule::delete_button_clicked);
    connect(clipboard_button_, &QPushButton::clicked, this, &QSetupRule::convert_to_script);
    connect(reset_button_, &QPushButton::clicked, this, &QSetupRule::ask_reset_rule);
    page_support::save_key(this, &QSetupRule::save_button_clicked);

    receiver_ = DavaDodaziServiceReceiverImp::create(server_name_, false);
    connect(receiver_.get(), &DavaDodaziServiceReceiverImp::objects_list_changed, this,
            &QSetupRule::objects_list_changed, Qt::QueuedConnection);
    connect(receiver_.get(), &DavaDodaziServiceReceiverImp::events_list_changed, this,
            &QSetupRule::events_list_changed, Qt::QueuedConnection);
    connect(receiver_.get(), &DavaDodaziServiceReceiverImp::sounds_list_changed, this,
            &QSetupRule::sounds_list_changed, Qt::QueuedConnection);
    if (host)
        host->register_consumer(receiver_);

    autoconnect_ = new QAutoConnect(folder_, this);
    autoconnect_->connect_widget(name_);
    autoconnect_->connect_widget(findChild<QCheckBox *>("enable"));
    autoconnect_->connect_widget(image_);
    autoconnect_->load_values();
    autoconnect_->connect_signals(true);

    try {
        FolderLock guard(folder_);
        stats_ = folder_->subdir("stats", 0);
    } catch (const std::exception &e) {
        VX_LOG(2, "RULE GUI: cannot load: %s\n", e.what());
    }
    if (stats_) {
        stats_tracker_ = QDirTracker::create("QSetupRule", stats_);
        stats_tracker_->subscribe(Rizurividuvez::Dir::OWN_VALUES);
    }

    load();
    if (activation_stack_->currentWidget() == chooser_page_)
        fill_activation_page(chooser_page_);
    references::ReferenceMarks::for_rule(this, folder_, server_root_, action_grid_);

    if (stats_tracker_) {
        connect(stats_tracker_.get(), qOverload<QString>(&QDirTracker::values_changed), this,
                &QSetupRule::stats_changed, Qt::QueuedConnection);
        // The counters show before the first run is reported.
        QMetaObject::invokeMethod(this, &QSetupRule::stats_changed, Qt::QueuedConnection);
    }
    page_support::scale_page(this);
    update_tab_order();
    modified_ = false;
    touch();
}

QSetupRule::~QSetupRule()
{
    if (receiver_) {
        save_button_clicked();
        receiver_->detach();
        receiver_.reset();
    }
}

void QSetupRule::touch()
{
    save_button_->setEnabled(modified_ && can_change_);
    for (QWidget *w : std::initializer_list<QWidget *>{
             delete_button_, activation_stack_, condition_frame_, actions_frame_, reset_button_})
        w->setEnabled(can_change_);
}

void QSetupRule::edited()
{
    if (filling_)
        return;
    modified_ = true;
    touch();
}

void QSetupRule::set_current_choice(QLabel *label, bool current)
{
    QString text = label->text();
    if (current) {
        text.replace(text.indexOf(QLatin1String("href")), 4, QStringLiteral("gref"));
        label->setStyleSheet(
            page_support::scaled_sheet(this, QStringLiteral(" QLabel { font-style: italic; } ")));
    } else {
        text.replace(QLatin1String("gref"), QLatin1String("href"));
        label->setStyleSheet(QString());
    }
    label->setText(text);
    // The current choice is no link: no Tab stop either.
    label->setFocusPolicy(current ? Qt::NoFocus : Qt::StrongFocus);
}

void QSetupRule::link_activated(QString link)
{
    if (link == QLatin1String("activate_on_event"))
        add_activation_on_event(true);
    if (link == QLatin1String("activate_on_all_objects_events")) {
        set_current_choice(objects_filter_link_, false);
        set_current_choice(all_objects_link_, true);
        objects_edit_->clear();
        objects_.clear();
        objects_edit_->hide();
        objects_button_->hide();
    }
    if (link == QLatin1String("objects_filter")) {
        set_current_choice(all_objects_link_, false);
        set_current_choice(objects_filter_link_, true);
        show_objects_filter_dialog();
        objects_edit_->show();
        objects_button_->show();
    }
    if (link == QLatin1String("activate_on_shortcut"))
        add_activation_on_shortcut(true);
    if (link == QLatin1String("activate_on_action"))
        add_activation_on_action(true);
    if (link == QLatin1String("activate_on_state_change")) {
        activation_kind_ = rule::ON_STATE_CHANGE;
        add_activation_on_state_change(true);
    }
    if (link == QLatin1String("activate_on_settings_change")) {
        activation_kind_ = rule::ON_SETTINGS_CHANGE;
        add_activation_on_settings_change(true);
    }
    if (link == QLatin1String("activate_on_schedule"))
        add_activation_on_schedule(true);
    if (link == QLatin1String("condition_always")) {
        add_condition_button_->hide();
        current_insert_button_ = nullptr;
        current_edit_ = nullptr;
        condition_grid_->clear();
        always_link_->show();
        write_link_->show();
    }
    if (link == QLatin1String("write_condition")) {
        always_link_->hide();
        write_link_->hide();
        add_condition_button_->show();
        add_condition();
    }
    const auto entry = action_registry_.constFind(link);
    if (entry != action_registry_.constEnd())
        (this->*entry->adder)(QString(), QString(), QString());
    modified_ = true;
    touch();
}

void QSetupRule::save_button_clicked()
{
    if (!modified_ || !can_change_)
        return;
    rule::save_rule(folder_, rule_value(), used_names_);
    modified_ = false;
    touch();
    used_names_.clear();
}

void QSetupRule::generate_script()
{
    rule::store_script(folder_, rule::script_to_save(rule_value(), used_names_));
}

// What Save would store from the controls as they are; the stored rule and
// its script stay as they were.
void QSetupRule::convert_to_script()
{
    QApplication::clipboard()->setText(rule::script_to_save(rule_value(), used_names_));
}

void QSetupRule::ask_reset_rule()
{
    auto *box = new Reusable::OurMessageBox(
        QMessageBox::Question, tr("Reset Confirmation"),
        tr("Are you sure you want to reset rule '%1'?").arg(name_->text()),
        QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(QStringLiteral("reset_box"));
    rule_page::keep_frame_style(box, this);
    connect(box, &QMessageBox::finished, this, &QSetupRule::reset_rule);
    box->show();
}

QLineEdit *QSetupRule::filter_edit(int kind) const
{
    switch (kind) {
    case rule::ON_SHORTCUT:
        return shortcut_edit_;
    case rule::ON_SETTINGS_CHANGE:
        return settings_edit_;
    case rule::ON_STATE_CHANGE:
        return state_objects_edit_;
    case rule::ON_EVENT:
        return event_types_edit_;
    default:
        return nullptr;
    }
}

void QSetupRule::reset_rule(int force)
{
    if (force == QMessageBox::No)
        return;
    if (force == QMessageBox::Cancel) {
        // A cancelled filter dialog: the rule stays when its filter holds something.
        const QLineEdit *edit = filter_edit(activation_kind_);
        if (edit && !edit->text().isEmpty())
            return;
    }
    modified_ = false;
    touch();
    activation_kind_ = rule::NO_ACTIVATION;
    for (QWidget *page : {events_page_, shortcut_page_, state_page_, settings_page_})
        page->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    fill_activation_page(chooser_page_);
    chooser_page_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    chooser_page_->adjustSize();
    condition_frame_->hide();
    set_current_choice(always_link_, true);
    actions_frame_->hide();
    activation_stack_->setCurrentIndex(0);
    reset_rule_settings(true, true, true, true);
    for (QLineEdit *e :
         {event_types_edit_, objects_edit_, shortcut_edit_, state_objects_edit_, settings_edit_})
        if (e) // a page never shown has none
            e->clear();
    current_edit_ = nullptr;
    current_insert_button_ = nullptr;
    condition_grid_->clear();
    action_grid_->clear();
    action_count_ = 0;
    add_label_->show();
    action_links_->show();
    always_link_->show();
    write_link_->show();
    add_condition_button_->hide();
    used_names_.clear();
    objects_.clear();
    event_types_.clear();
    settings_.clear();
}

void QSetupRule::reset_rule_settings(bool reset_activation, bool reset_condition,
                                     bool reset_actions, bool reset_script)
{
    rule::ResetParts parts;
    parts.activation = reset_activation;
    parts.condition = reset_condition;
    parts.actions = reset_actions;
    parts.script = reset_script;
    rule::reset_rule_settings(folder_, parts);
}

void QSetupRule::delete_button_clicked()
{
    auto *box = new Reusable::OurMessageBox(
        QMessageBox::Question, tr("Delete Confirmation"),
        tr("Are you sure you want to delete rule '%1'?").arg(name_->text()),
        QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(QStringLiteral("delete_box"));
    rule_page::keep_frame_style(box, this);
    connect(box, &QMessageBox::finished, this, &QSetupRule::delete_confirmed);
    box->show();
}

void QSetupRule::delete_confirmed(int r)
{
    if (r == QMessageBox::Yes)
        rule::delete_rule(folder_);
}

void QSetupRule::stats_changed()
{
    if (!stats_)
        return;
    int runs = 0, errors = 0, line = -1;
    std::string error;
    try {
        FolderLock guard(stats_);
        runs = stats_->get_integer("run_count");
        errors = stats_->get_integer("error_count");
        error = stats_->get_string("last_error");
        line = stats_->get_integer("last_error_line");
    } catch (const std::exception &e) {
        VX_LOG(2, "RULE GUI: cannot load: %s\n", e.what());
        return;
    }
    run_count_->setText(QString::number(runs));
    error_count_->setText(QString::number(errors));
    if (!error.empty())
        show_error_popup(from_utf8(error), line);
}

void QSetupRule::show_error_popup(const QString &error, int line)
{
    std::string script;
    try {
        FolderLock guard(folder_);
        script = folder_->get_string_or("script", std::string());
    } catch (const std::exception &e) {
        VX_LOG(2, "RULE GUI: cannot load: %s\n", e.what());
    }
    const QStringList lines = from_utf8(script).split(QLatin1Char('\n'));
    QPoint anchor = name_->mapToGlobal(QPoint(name_->width(), name_->height() / 2));
    const int shift150 = int(150 * size_factor_), shift100 = int(100 * size_factor_);
    if (line >= 1 && line <= lines.size() - 1) {
        for (int i = line - 1; i >= 0; --i) {
            const QString text = lines[i].trimmed();
            if (text == QLatin1String("# ACTIVATION")) {
                anchor = activation_stack_->mapToGlobal(QPoint(shift150, 0));
            } else if (text == QLatin1String("# CONDITION")) {
                anchor = condition_title_->mapToGlobal(QPoint(shift100, 0));
            } else if (text.startsWith(QLatin1String("# ACTION_"))) {
                // The generator numbers the actions from 0, as the rows are.
                const int n = text.mid(9).toInt();
                if (n >= 0 && n < action_grid_->count())
                    anchor = action_grid_->row(n)->mapToGlobal(QPoint(shift150, 0));
            } else if (text == QLatin1String("# ACTIONS")) {
                anchor = actions_frame_->mapToGlobal(QPoint(shift100, 0));
            } else {
                continue;
            }
            break;
        }
    }
    error_anchor_ = anchor;
    // One error at a time: a single Escape or click puts it away.
    for (Reusable::QPopup *shown : findChildren<Reusable::QPopup *>("error_popup"))
        shown->close();
    auto *popup = new Reusable::QPopup(this);
    popup->setObjectName(QStringLiteral("error_popup"));
    rule_page::keep_frame_style(popup, this);
    popup->box()->addWidget(new QLabel(QStringLiteral("<b>Error occured</b>"), popup));
    auto *text = new QLabel(error, popup);
    text->setWordWrap(true);
    popup->box()->addWidget(text);
    popup->show_at(anchor);
}

void QSetupRule::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_S && event->modifiers() == Qt::ControlModifier) {
        save_button_clicked();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool QSetupRule::focusNextPrevChild(bool next)
{
    update_tab_order();
    return QWidget::focusNextPrevChild(next);
}

void QSetupRule::update_tab_order()
{
    QWidgetList order = page_support::reading_order(this);
    // A row's delete button and arrows follow its fields, wherever they are drawn.
    for (const QGridWidget *grid : {condition_grid_, action_grid_})
        for (int r = 0; r < grid->count(); ++r) {
            QWidget *row = grid->row(r);
            // A row's controls are neighbours in the layouts.
            int first = -1;
            QWidgetList fields, buttons;
            for (int i = 0; i < order.size(); ++i) {
                if (!row->isAncestorOf(order[i]))
                    continue;
                if (first < 0)
                    first = i;
                const QString name = order[i]->objectName();
                const bool button = name == QLatin1String("delete_condition") ||
                                    name == QLatin1String("delete_action") ||
                                    name == QLatin1String("up") || name == QLatin1String("down");
                (button ? buttons : fields) << order[i];
            }
            fields += buttons;
            for (int i = 0; i < fields.size(); ++i)
                order[first + i] = fields[i];
        }
    page_support::chain_tabs(order);
}

bool QSetupRule::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == shortcut_edit_ && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Keys that can never be a shortcut keep their usual job.
        if (page_support::passes_capture(key))
            return false;
        QString text =
            QKeySequence(int(key->modifiers()) | key->key()).toString(QKeySequence::PortableText);
        if (on_release_->isChecked())
            text += QLatin1String("_Released");
        if (text.contains(QLatin1Char('F')) && text.size() >= 2) {
            shortcut_edit_->setText(text);
            modified_ = true;
            touch();
        }
        return true;
    }
    if (auto *edit = qobject_cast<QLineTextEdit *>(watched)) {
        if (event->type() == QEvent::FocusIn) {
            const int row = condition_grid_->find(edit).first;
            if (row >= 0) {
                if (current_insert_button_)
                    current_insert_button_->hide();
                current_insert_button_ =
                    condition_grid_->row(row)->findChild<QPushButton *>("insert_button");
                if (current_insert_button_)
                    current_insert_button_->show();
            }
            current_edit_ = edit;
        }
    }
    return QWidget::eventFilter(watched, event);
}
