// The rule page's action rows: one editor per action kind, and removing and
// reordering rows.

#include "script-setup/rule-page/setup-rule.h"

#include "plugin/host.h"
#include "plugin/module-state.h"
#include "qt4-pavo7/reusable/channels-box.h"
#include "script-setup/editor/highlighter.h"
#include "script-setup/inserters/objects-inserter-dialog.h"
#include "script-setup/inserters/settings-inserter-dialog.h"
#include "script-setup/page-support.h"
#include "script-setup/rule-page/attachments-list.h"
#include "script-setup/rule-page/enabler-disabler.h"
#include "script-setup/rule-page/grid-widget.h"
#include "script-setup/rule-page/line-text-edit.h"
#include "script-setup/rule-page/page-style.h"
#include "script-setup/rule/rule-texts.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegExpValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <memory>

namespace {

QSpinBox *seconds_box(int minimum, QWidget *parent, const QWidget *page)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(QStringLiteral("seconds"));
    spin->setRange(minimum, 86400);
    spin->setSuffix(QStringLiteral(" sec"));
    spin->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    rule_page::keep_frame_style(spin, page);
    return spin;
}

QGridLayout *inner_grid(QHBoxLayout *row, int stretch, QWidget **holder)
{
    *holder = new QWidget;
    auto *grid = new QGridLayout(*holder);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(6);
    row->addWidget(*holder, stretch);
    return grid;
}

// The delete button and the arrows at the right end of an inner grid's line 0.
void place_buttons(QGridLayout *grid, int column, QToolButton *remove, QToolButton *up,
                   QToolButton *down)
{
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(remove);
    buttons->addWidget(up);
    buttons->addWidget(down);
    grid->addLayout(buttons, 0, column, Qt::AlignTop);
}

// Long channel, account or report names must not widen the page beyond its
// pane; the list itself still shows them whole.
void narrow(QComboBox *box)
{
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(8);
}

QComboBox *combo(const char *name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    narrow(box);
    return box;
}

// A sound the list does not hold (yet) stays shown, so that saving before
// the service has listed the sounds keeps it.
void select_sound(QComboBox *box, const QString &sound)
{
    if (sound.isEmpty())
        return;
    int index = box->findText(sound, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        box->addItem(sound);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

bool read_number(const QString &text, int *value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok)
        *value = v;
    return ok;
}

} // namespace

void QSetupRule::action_add()
{
    ++action_count_;
    if (action_count_ >= rule::MAX_ACTIONS) {
        add_label_->hide();
        action_links_->hide();
    }
}

void QSetupRule::action_remove()
{
    --action_count_;
    if (action_count_ < rule::MAX_ACTIONS) {
        add_label_->show();
        action_links_->show();
    }
}

QString QSetupRule::action_name(const QString &given) const
{
    if (!given.isEmpty())
        return given;
    Rizurividuvez::HostRoot *host = module_state::host();
    return host ? from_utf8(host->new_guid()) : QString();
}

QSetupRule::ActionRow QSetupRule::start_action_row(int kind, const QString &caption,
                                                   bool shared_arrows, const QString &name)
{
    action_add();
    modified_ = true;
    touch();
    ActionRow row;
    row.layout = action_grid_->append_row();
    QWidget *owner = action_grid_->row(action_grid_->count() - 1);
    action_grid_->set_row_data(action_grid_->count() - 1, kind);
    row.caption = new QLabel(caption, owner);
    row.caption->setObjectName(name.isEmpty() ? QStringLiteral("caption") : name);
    row.caption->setFixedWidth(int(150 * size_factor_));
    row.caption->setWordWrap(true);
    row.caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    row.remove = new QToolButton(owner);
    row.remove->setObjectName(QStringLiteral("delete_action"));
    row.remove->setIcon(page_support::icon(":/gtk-icons/gtk-delete.png", QStyle::SP_TrashIcon));
    row.remove->setIconSize(page_support::icon_size());
    connect(row.remove, &QToolButton::clicked, this, &QSetupRule::delete_action);
    row.up = new QToolButton(owner);
    row.up->setObjectName(QStringLiteral("up"));
    row.up->setIcon(page_support::icon(":/panel/menu-up-arrow.png", QStyle::SP_ArrowUp));
    row.down = new QToolButton(owner);
    row.down->setObjectName(QStringLiteral("down"));
    row.down->setIcon(page_support::icon(":/panel/menu-down-arrow.png", QStyle::SP_ArrowDown));
    const QSize arrow(int(16 * size_factor_), int(16 * size_factor_));
    row.up->setIconSize(arrow);
    row.down->setIconSize(arrow);
    if (shared_arrows) {
        connect(row.up, &QToolButton::clicked, this, &QSetupRule::up_down_button_clicked);
        connect(row.down, &QToolButton::clicked, this, &QSetupRule::up_down_button_clicked);
    } else {
        connect(row.up, &QToolButton::clicked, this, &QSetupRule::up_button_clicked_cl);
        connect(row.down, &QToolButton::clicked, this, &QSetupRule::down_button_clicked_cl);
    }
    return row;
}

void QSetupRule::add_wait(QString, QString action_params, QString)
{
    ActionRow row = start_action_row(rule::WAIT, tr("Wait (seconds): "), true);
    auto *spin = seconds_box(1, row.caption->parentWidget(), this);
    int seconds = 0;
    if (read_number(action_params, &seconds))
        spin->setValue(seconds);
    connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, &QSetupRule::edited);
    row.layout->addWidget(row.caption, 1);
    row.layout->addWidget(spin, 3);
    row.layout->addWidget(row.remove);
    row.layout->addWidget(row.up);
    row.layout->addWidget(row.down);
}

void QSetupRule::add_sound(QString, QString action_params, QString)
{
    ActionRow row = start_action_row(rule::PLAY_SOUND, tr("Play sound:") + QLatin1Char(' '), true);
    auto *box = combo("sounds_box", row.caption->parentWidget());
    for (const std::string &s : sounds_cache_)
        box->addItem(from_utf8(s));
    select_sound(box, action_params);
    connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this, &QSetupRule::edited);
    row.layout->addWidget(row.caption, 1);
    row.layout->addWidget(box, 3);
    row.layout->addWidget(row.remove);
    row.layout->addWidget(row.up);
    row.layout->addWidget(row.down);
}

void QSetupRule::update_sounds()
{
    for (auto *box : action_grid_->findChildren<QComboBox *>(QStringLiteral("sounds_box"))) {
        const QSignalBlocker block(box);
        const QString was = box->currentText();
        box->clear();
        for (const std::string &s : sounds_cache_)
            box->addItem(from_utf8(s));
        select_sound(box, was);
    }
}

// A selector of the server's channels; every row shares the list of the first.
Reusable::QChannelsBox *QSetupRule::channels_box(QWidget *parent)
{
    auto *like = action_grid_->findChild<Reusable::QChannelsBox *>();
    auto *box = like ? Reusable::QChannelsBox::copy_of(*like, parent)
                     : new Reusable::QChannelsBox(server_root_, parent);
    box->setObjectName(QStringLiteral("channel"));
    narrow(box);
    return box;
}

void QSetupRule::refresh_channels()
{
    // The rows share one list: reading it again updates every row and keeps
    // the channel each row shows.
    if (auto *any = action_grid_->findChild<Reusable::QChannelsBox *>())
        any->set_server(server_root_);
}

void QSetupRule::add_export_video(QString action, QString action_params, QString action_name_)
{
    ActionRow row = start_action_row(rule::EXPORT_VIDEO, tr("Export video: "), false,
                                     action_name(action_name_));
    QWidget *holder;
    QGridLayout *grid = inner_grid(row.layout, 3, &holder);
    auto *channels = channels_box(holder);
    auto *spin = seconds_box(1, holder, this);
    auto *substream = new QCheckBox(tr("substream"), holder);
    substream->setObjectName(QStringLiteral("substream"));
    if (!action.isEmpty()) {
        const QSignalBlocker b1(channels), b2(spin);
        channels->set_channel(action);
    } else {
        channels->select_first_channel();
    }
    const QStringList parts = action_params.split(QLatin1Char(','));
    int seconds = 0;
    if (read_number(parts[0], &seconds))
        spin->setValue(seconds);
    if (parts.size() > 1)
        substream->setChecked(parts[1] == QLatin1String("ss"));
    connect(channels, &Reusable::QChannelsBox::data_updated, this, &QSetupRule::edited);
    connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, &QSetupRule::edited);
    connect(substream, &QCheckBox::toggled, this, &QSetupRule::edited);
    row.layout->insertWidget(0, row.caption, 1);
    grid->addWidget(channels, 0, 0);
    grid->addWidget(spin, 0, 1);
    grid->addWidget(substream, 0, 2);
    place_buttons(grid, 3, row.remove, row.up, row.down);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 1);
}

void QSetupRule::add_take_screenshot(QString action, QString action_params, QString action_name_)
{
    ActionRow row =
        start_action_row(rule::TAKE_SCREENSHOT, tr("Take Screenshot:") + QLatin1Char(' '), false,
                         action_name(action_name_));
    QWidget *holder;
    QGridLayout *grid = inner_grid(row.layout, 3, &holder);
    auto *channels = channels_box(holder);
    auto *spin = seconds_box(0, holder, this);
    {
        const QSignalBlocker b1(channels), b2(spin);
        if (!action.isEmpty())
            channels->set_channel(action);
        else
            channels->select_first_channel();
        int seconds = 0;
        if (read_number(action_params, &seconds))
            spin->setValue(seconds);
    }
    connect(channels, &Reusable::QChannelsBox::data_updated, this, &QSetupRule::edited);
    connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, &QSetupRule::edited);
    row.layout->insertWidget(0, row.caption, 1);
    grid->addWidget(channels, 0, 0);
    grid->addWidget(spin, 0, 1);
    place_buttons(grid, 2, row.remove, row.up, row.down);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 1);
}

void QSetupRule::add_pos_report_export(QString action, QString action_params, QString action_name_)
{
    ActionRow row =
        start_action_row(rule::POS_REPORT, tr("Export Tillora report") + QStringLiteral(": "),
                         false, action_name(action_name_));
    QWidget *holder;
    QGridLayout *grid = inner_grid(row.layout, 3, &holder);
    auto *report = combo("report", holder);
    const std::pair<const char *, int> reports[] = {
        {QT_TR_NOOP("Events vs Operators"), 1},
        {QT_TR_NOOP("Events vs Devices"), 2},
        {QT_TR_NOOP("Goods vs Cashiers"), 3},
        {QT_TR_NOOP("Discount Cards vs Cashiers"), 4},
        {QT_TR_NOOP("Cashiers vs Total Receipt Prices Report"), 5},
        {QT_TR_NOOP("Cashiers vs Receipt Durations Report"), 6},
        {QT_TR_NOOP("Terminals vs Receipt Durations Report"), 7},
        {QT_TR_NOOP("Cashiers Statistics"), 13},
        {QT_TR_NOOP("Goods Statistics"), 9},
        {QT_TR_NOOP("Violations Report"), 10},
        {QT_TR_NOOP("Incidents Report"), 11},
        {QT_TR_NOOP("Goods vs Terminals"), 12},
        {QT_TR_NOOP("Average Incidents Review Duration"), 14}};
    for (const auto &r : reports)
        report->addItem(tr(r.first), r.second);
    auto *interval = combo("interval", holder);
    interval->addItem(tr("24 hours"), 0);
    interval->addItem(tr("Week"), 1);
    interval->addItem(tr("Month"), 2);
    int value = 0;
    if (read_number(action, &value) && report->findData(value) >= 0)
        report->setCurrentIndex(report->findData(value));
    if (read_number(action_params, &value) && value >= 0 && value < interval->count())
        interval->setCurrentIndex(value);
    for (QComboBox *box : {report, interval})
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this, &QSetupRule::edited);
    row.layout->insertWidget(0, row.caption, 1);
    grid->addWidget(new QLabel(QStringLiteral("%1:").arg(tr("Report type")), holder), 0, 0);
    grid->addWidget(report, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("%1:").arg(tr("Interval")), holder), 1, 0);
    grid->addWidget(interval, 1, 1);
    place_buttons(grid, 2, row.remove, row.up, row.down);
    grid->setColumnStretch(1, 1);
}

void QSetupRule::add_settings_change(QString action, QString action_params, QString)
{
    ActionRow row =
        start_action_row(rule::CHANGE_SETTINGS, tr("Change setting:") + QLatin1Char(' '), false);
    QWidget *holder;
    row.layout->addWidget(row.caption, 0);
    QGridLayout *grid = inner_grid(row.layout, 1, &holder);
    rule_page::keep_frame_style(holder, this);
    auto *setting = new QLabel(holder);
    setting->setObjectName(QStringLiteral("setting"));
    QFont f = setting->font();
    f.setBold(true);
    setting->setFont(f);
    setting->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *value = new QLineTextEdit(1, holder);
    value->setObjectName(QStringLiteral("setting_value"));
    new Highlighter(value->document());
    value->cap_height(int(25 * size_factor_));
    value->setLineWrapMode(QTextEdit::NoWrap);
    value->installEventFilter(this);
    auto *insert = new QPushButton(tr("Insert"), holder);
    insert->setObjectName(QStringLiteral("insert_button"));
    insert->setMenu(inserter_menu_);
    grid->addWidget(setting, 0, 0);
    place_buttons(grid, 1, row.remove, row.up, row.down);
    grid->addWidget(value, 1, 0);
    grid->addWidget(insert, 1, 1);
    grid->setColumnStretch(0, 1);
    connect(value, &QLineTextEdit::plain_text_changed, this, &QSetupRule::edited);
    if (action.isEmpty()) {
        auto *dialog = new QSettingsInserterDialog(folder_, this, size_factor_, 0x1e);
        dialog->setObjectName(QStringLiteral("change_setting_dialog"));
        rule_page::keep_frame_style(dialog, this);
        connect(dialog, &QSettingsInserterDialog::accepted, setting, &QLabel::setText);
        connect(dialog, &QSettingsInserterDialog::accepted_type, value,
                &QLineTextEdit::setPlaceholder);
        QToolButton *remove = row.remove;
        connect(dialog, &QDialog::rejected, remove, &QToolButton::click);
        dialog->show();
    } else {
        setting->setText(action.section(QLatin1Char(':'), 0, 0));
        value->setPlaceholder(action.section(QLatin1Char(':'), 1));
        value->setPlainText(action_params);
    }
    value->setFocus();
}

void QSetupRule::add_method(QString action, QString action_params, QString)
{
    ActionRow row = start_action_row(rule::CALL_METHOD, tr("Call method: "), false);
    QWidget *holder;
    row.layout->addWidget(row.caption, 1);
    QGridLayout *grid = inner_grid(row.layout, 3, &holder);
    holder->setObjectName(QStringLiteral("method_grid"));
    auto *method = new QLabel(holder);
    method->setObjectName(QStringLiteral("method"));
    auto *object = new QLabel(holder);
    object->setObjectName(QStringLiteral("object"));
    for (QLabel *l : {method, object}) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    method->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(method, 0, 0);
    grid->addWidget(new QLabel(tr("of object"), holder), 0, 1);
    grid->addWidget(object, 0, 2);
    grid->addItem(new QSpacerItem(10, 10, QSizePolicy::Expanding), 0, 3);
    place_buttons(grid, 4, row.remove, row.up, row.down);
    if (action.isEmpty()) {
        auto *dialog = new QObjectsInserterDialog(module_state::host(), server_name_, this, 0x903,
                                                  std::set<std::string>());
        dialog->setObjectName(QStringLiteral("method_dialog"));
        rule_page::keep_frame_style(dialog, this);
        connect(dialog, &QObjectsInserterDialog::accepted, this,
                [this](const QString &m) { update_method(m); });
        connect(dialog, &QDialog::rejected, row.remove, &QToolButton::click);
        dialog->show();
    } else {
        update_method(action.remove(QLatin1String("object(\"")).remove(QLatin1String("\")")),
                      action_params);
    }
}

void QSetupRule::update_method(QString method, QString args)
{
    QWidget *row = action_grid_->row(action_grid_->count() - 1);
    auto *holder = row->findChild<QWidget *>(QStringLiteral("method_grid"));
    if (!holder)
        return;
    auto *grid = static_cast<QGridLayout *>(holder->layout());
    const int open = method.indexOf(QLatin1Char('('));
    const QString target = open < 0 ? method : method.left(open);
    const int dot = target.lastIndexOf(QLatin1Char('.'));
    holder->findChild<QLabel *>(QStringLiteral("object"))->setText(target.left(dot));
    holder->findChild<QLabel *>(QStringLiteral("method"))->setText(target.mid(dot + 1));
    if (open < 0)
        return;
    const int close = method.lastIndexOf(QLatin1Char(')'));
    const QString inner = method.mid(open + 1, close > open ? close - open - 1 : -1);
    if (inner.trimmed().isEmpty())
        return;
    const QStringList values = args.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    int line = 1;
    for (const QString &part : inner.split(QLatin1Char(','))) {
        const QString p = part.trimmed();
        const QString type = p.section(QLatin1Char('_'), 0, 0);
        const QString name = p.section(QLatin1Char('_'), 1);
        auto *edit = new QLineEdit(holder);
        edit->setObjectName(QStringLiteral("parameter"));
        edit->setProperty("type", type);
        edit->setProperty("name", name);
        edit->setPlaceholderText(
            type == QLatin1String("string")
                ? QStringLiteral("\"%1 %2\"").arg(translate_type(type), tr("in quotes"))
                : translate_type(type));
        if (line - 1 < values.size())
            edit->setText(values[line - 1].trimmed());
        connect(edit, &QLineEdit::textChanged, this, &QSetupRule::edited);
        grid->addWidget(new QLabel(translate_name(name), holder), line, 0);
        grid->addWidget(edit, line, 1, 1, 3);
        ++line;
    }
    modified_ = true;
    touch();
}

void QSetupRule::add_send_mail(QString, QString action_params, QString)
{
    ActionRow row =
        start_action_row(rule::SEND_EMAIL, tr("Send E-Mail:") + QLatin1Char(' '), false);
    QWidget *holder;
    row.layout->addWidget(row.caption, 1);
    QGridLayout *grid = inner_grid(row.layout, 3, &holder);
    const QStringList lines = action_params.split(QLatin1Char('\n'));
    const QString stored_account = lines.value(0);

    auto *account = combo("account", holder);
    try {
        Settings parent;
        {
            FolderLock guard(folder_);
            parent = folder_->parent();
        }
        std::vector<std::string> names;
        if (parent) {
            FolderLock guard(parent);
            names = parent->ls();
        }
        for (const std::string &n : names) {
            Settings sub;
            if (parent) {
                FolderLock guard(parent);
                sub = parent->subdir(n, 0);
            }
            if (!sub)
                continue;
            FolderLock guard(sub);
            if (sub->type() == "EmailAccount")
                account->addItem(from_utf8(sub->get_string_or("name", n)), from_utf8(n));
        }
    } catch (const std::exception &e) {
        VX_LOG(2, "RULE GUI: cannot load: %s\n", e.what());
    }
    const int selected = account->findData(stored_account);
    if (selected >= 0 && !stored_account.isEmpty()) {
        account->setCurrentIndex(selected);
    } else {
        // An account that is gone stays stored until the operator picks another.
        account->insertItem(0, stored_account, stored_account);
        account->setCurrentIndex(0);
    }
    auto *to = new QLineEdit(lines.value(1), holder);
    to->setObjectName(QStringLiteral("recipients"));
    to->setValidator(new QRegExpValidator(
        QRegExp(QStringLiteral("((\\w)+([-+\\.]\\w+)*@\\w+([-\\.]\\w+)*[,]?[ ]?)+")), to));
    auto *attachments = new AttachmentsList(action_grid_, holder);
    auto *subject = new QLineEdit(lines.value(2), holder);
    subject->setObjectName(QStringLiteral("subject"));
    subject->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("[^\n]*")), subject));
    auto *message = new QPlainTextEdit(holder);
    message->setObjectName(QStringLiteral("message"));
    message->setTabChangesFocus(true); // as every other field of the page
    const QString text = lines.mid(4).join(QLatin1Char('\n'));
    message->setPlainText(text.isEmpty() ? tr("Message text") : text);
    message->setMaximumHeight(int(80 * size_factor_));

    grid->addWidget(new QLabel(tr("From:"), holder), 0, 0);
    grid->addWidget(account, 0, 1);
    place_buttons(grid, 2, row.remove, row.up, row.down);
    grid->addWidget(new QLabel(tr("To:"), holder), 1, 0);
    grid->addWidget(to, 1, 1);
    grid->addWidget(attachments, 2, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Subject:"), holder), 3, 0);
    grid->addWidget(subject, 3, 1);
    grid->addWidget(message, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    attachments->update(true);
    attachments->set_cheched_files(lines.value(3).split(QLatin1Char(';'), Qt::SkipEmptyParts));
    auto *enabler = new EnablerDisabler(holder);
    for (QWidget *w : std::initializer_list<QWidget *>{to, attachments, subject, message})
        enabler->add(w);
    enabler->set_enabled(account->currentText());
    connect(account, qOverload<int>(&QComboBox::currentIndexChanged), enabler,
            [enabler, account] { enabler->set_enabled(account->currentText()); });
    connect(account, qOverload<int>(&QComboBox::currentIndexChanged), this, &QSetupRule::edited);
    connect(to, &QLineEdit::textChanged, this, &QSetupRule::edited);
    connect(subject, &QLineEdit::textChanged, this, &QSetupRule::edited);
    connect(message, &QPlainTextEdit::textChanged, this, &QSetupRule::edited);
    connect(attachments, &AttachmentsList::selected_files_changed, this, &QSetupRule::edited);
    connect(this, &QSetupRule::actions_order_changed, attachments,
            [attachments] { attachments->update(); });
}

void QSetupRule::delete_action()
{
    const int index = action_grid_->find(qobject_cast<QWidget *>(sender())).first;
    if (index < 0)
        return;
    QWidget *row = action_grid_->row(index);
    if (current_edit_ && row->isAncestorOf(current_edit_))
        current_edit_ = nullptr;
    if (current_insert_button_ && row->isAncestorOf(current_insert_button_))
        current_insert_button_ = nullptr;
    action_grid_->remove_row(index);
    modified_ = true;
    touch();
    action_remove();
    Q_EMIT actions_order_changed();
}

void QSetupRule::move_action(int from, int to)
{
    if (from < 0 || to < 0 || to >= action_grid_->count())
        return;
    action_grid_->move_row(from, to);
    modified_ = true;
    touch();
    Q_EMIT actions_order_changed();
}

void QSetupRule::up_button_clicked_cl()
{
    const int index = action_grid_->find(qobject_cast<QWidget *>(sender())).first;
    move_action(index, index - 1);
}

void QSetupRule::down_button_clicked_cl()
{
    const int index = action_grid_->find(qobject_cast<QWidget *>(sender())).first;
    move_action(index, index + 1);
}

void QSetupRule::up_down_button_clicked()
{
    const auto *button = qobject_cast<QWidget *>(sender());
    const int index = action_grid_->find(button).first;
    move_action(index, index + (button->objectName() == QLatin1String("up") ? -1 : 1));
}

QString QSetupRule::translate_name(QString name)
{
    return rule::translate_name(name);
}

QString QSetupRule::translate_type(QString type)
{
    return rule::translate_type(type);
}

QString QSetupRule::retranslate_type(QString type)
{
    return rule::retranslate_type(type);
}

QString QSetupRule::retranslate_color(QString color)
{
    return rule::retranslate_color(color);
}
