// The rule page's condition lines: rows joined by AND or OR, the "Insert"
// menu and the variable names of inserted references.

#include "script-setup/rule-page/setup-rule.h"

#include "plugin/module-state.h"
#include "qt4-pavo7/reusable/our-message-box.h"
#include "script-setup/editor/highlighter.h"
#include "script-setup/inserters/objects-inserter-dialog.h"
#include "script-setup/inserters/settings-inserter-dialog.h"
#include "script-setup/page-support.h"
#include "script-setup/rule-page/grid-widget.h"
#include "script-setup/rule-page/line-text-edit.h"
#include "script-setup/rule-page/page-style.h"
#include "utils/text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *tool_button(const char *name, const char *icon, QStyle::StandardPixmap fallback,
                         QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(page_support::icon(icon, fallback));
    b->setIconSize(page_support::icon_size());
    return b;
}

} // namespace

void QSetupRule::add_condition(QString condition, bool disjunct_by_or)
{
    QHBoxLayout *row = condition_grid_->append_row();
    const int index = condition_grid_->count() - 1;
    QWidget *owner = condition_grid_->row(index);
    auto *column = new QWidget(owner);
    rule_page::keep_frame_style(column, this);
    auto *box = new QVBoxLayout(column);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(6);
    auto *junction = new QWidget(column);
    junction->setObjectName(QStringLiteral("junction"));
    auto *junction_box = new QHBoxLayout(junction);
    junction_box->setContentsMargins(0, 0, 0, 0);
    auto *and_button = new QRadioButton(tr("AND"), junction);
    and_button->setObjectName(QStringLiteral("and"));
    auto *or_button = new QRadioButton(tr("OR"), junction);
    or_button->setObjectName(QStringLiteral("or"));
    and_button->setChecked(!disjunct_by_or);
    or_button->setChecked(disjunct_by_or);
    junction_box->addWidget(and_button);
    junction_box->addWidget(or_button);
    junction_box->addStretch(1);
    connect(and_button, &QRadioButton::toggled, this, &QSetupRule::edited);
    junction->setVisible(index != 0);
    box->addWidget(junction);

    auto *line = new QHBoxLayout;
    line->setSpacing(6);
    auto *edit = new QLineTextEdit(1, column);
    edit->setObjectName(QStringLiteral("condition"));
    new Highlighter(edit->document());
    edit->installEventFilter(this);
    edit->setPlaceholder(tr("Enter logical expression"));
    if (!condition.isEmpty())
        edit->setPlainText(condition);
    connect(edit, &QLineTextEdit::plain_text_changed, this, &QSetupRule::edited);
    auto *insert = new QPushButton(tr("Insert"), column);
    insert->setObjectName(QStringLiteral("insert_button"));
    insert->setMenu(inserter_menu_);
    insert->hide();
    auto *remove =
        tool_button("delete_condition", ":/gtk-icons/gtk-delete.png", QStyle::SP_TrashIcon, column);
    connect(remove, &QToolButton::clicked, this, &QSetupRule::delete_condition);
    auto *up = tool_button("up", ":/panel/menu-up-arrow.png", QStyle::SP_ArrowUp, column);
    auto *down = tool_button("down", ":/panel/menu-down-arrow.png", QStyle::SP_ArrowDown, column);
    for (QToolButton *b : {up, down})
        connect(b, &QToolButton::clicked, this, &QSetupRule::condition_up_down_button_clicked);
    line->addWidget(edit, 1);
    line->addWidget(insert);
    line->addWidget(remove);
    line->addWidget(up);
    line->addWidget(down);
    box->addLayout(line);
    row->addWidget(column);
    if (!filling_) {
        // The focus may only come when a dialog above the page closes: the
        // new row is the one insertions go to now.
        if (current_insert_button_)
            current_insert_button_->hide();
        current_insert_button_ = insert;
        current_edit_ = edit;
        insert->show();
    }
    edit->setFocus();
}

void QSetupRule::delete_condition()
{
    const int index = condition_grid_->find(qobject_cast<QWidget *>(sender())).first;
    if (index < 0)
        return;
    if (current_edit_ && condition_grid_->find(current_edit_).first == index)
        current_edit_ = nullptr;
    condition_grid_->remove_row(index);
    if (index == 0 && condition_grid_->count())
        condition_grid_->row(0)->findChild<QWidget *>("junction")->hide();
    if (!condition_grid_->count()) {
        always_link_->show();
        write_link_->show();
        add_condition_button_->hide();
    }
    current_insert_button_ = nullptr;
    modified_ = true;
    touch();
}

void QSetupRule::condition_up_down_button_clicked()
{
    const auto *button = qobject_cast<QWidget *>(sender());
    const int index = condition_grid_->find(button).first;
    if (index < 0)
        return;
    const int to = index + (button->objectName() == QLatin1String("up") ? -1 : 1);
    if (to < 0 || to >= condition_grid_->count())
        return;
    condition_grid_->move_row(index, to);
    for (int i = 0; i < condition_grid_->count(); ++i)
        condition_grid_->row(i)->findChild<QWidget *>("junction")->setVisible(i != 0);
    modified_ = true;
    touch();
}

void QSetupRule::update_inserter_menu()
{
    const QList<QAction *> actions = inserter_menu_->actions();
    const QIcon variable = page_support::icon(":/settings/variable.png", QStyle::SP_FileIcon);
    if (activation_kind_ == rule::ON_SETTINGS_CHANGE) {
        actions[0]->setIcon(variable);
        actions[1]->setIcon(QIcon());
    } else if (activation_kind_ == rule::ON_STATE_CHANGE) {
        actions[0]->setIcon(QIcon());
        actions[1]->setIcon(variable);
    }
    if (activation_kind_ != rule::ON_EVENT)
        return;
    for (int i = 2; i < actions.size(); ++i) {
        inserter_menu_->removeAction(actions[i]);
        if (QMenu *sub = actions[i]->menu())
            sub->deleteLater();
    }
    auto *types = new QMenu(tr("Event type"), inserter_menu_);
    for (const std::string &type_name : event_types_) {
        const Rizurividuvez::EventType type = get_event_by_name(type_name);
        const QString name = from_utf8(type_name);
        auto *sub = new QMenu(name, inserter_menu_);
        auto add = [&](QMenu *menu, const QString &title, const QString &data,
                       void (QSetupRule::*slot)()) {
            QAction *a = menu->addAction(title);
            a->setData(data);
            connect(a, &QAction::triggered, this, slot);
        };
        add(sub, tr("origin name"), name, &QSetupRule::insert_origin_name);
        add(sub, tr("origin guid"), name, &QSetupRule::insert_origin_guid);
        for (const std::string &member : type.members)
            if (!member.empty())
                add(sub, from_utf8(member), name, &QSetupRule::insert_event_member);
        add(types, tr("Equals ") + from_utf8(type.name), from_utf8(type.name),
            &QSetupRule::insert_event_name);
        inserter_menu_->addMenu(sub);
    }
    if (types->actions().isEmpty())
        delete types;
    else
        inserter_menu_->addMenu(types);
}

namespace {

void insert_at_cursor(QLineTextEdit *edit, const QString &text)
{
    if (!edit)
        return;
    edit->textCursor().insertText(text);
    edit->setFocus();
}

} // namespace

void QSetupRule::insert_event_name()
{
    auto *a = qobject_cast<QAction *>(sender());
    last_inserted_text_ = QStringLiteral("event.type == \"%1\"").arg(a->data().toString());
    insert_at_cursor(current_edit_, last_inserted_text_);
}

void QSetupRule::insert_event_member()
{
    auto *a = qobject_cast<QAction *>(sender());
    last_inserted_text_ =
        QStringLiteral("event.type == \"%1\" and event.%2").arg(a->data().toString(), a->text());
    insert_at_cursor(current_edit_, last_inserted_text_);
}

void QSetupRule::insert_origin_name()
{
    last_inserted_text_ = QStringLiteral("object(event.origin).name == ");
    insert_at_cursor(current_edit_, last_inserted_text_);
}

void QSetupRule::insert_origin_guid()
{
    last_inserted_text_ = QStringLiteral("object(event.origin).guid == ");
    insert_at_cursor(current_edit_, last_inserted_text_);
}

void QSetupRule::insert_text(QString text)
{
    if (!current_edit_)
        return;
    last_inserted_text_ = text;
    if (current_edit_->toPlainText().isEmpty()) {
        insert_at_cursor(current_edit_, text);
    } else {
        replace_box_ = new Reusable::OurMessageBox(
            QMessageBox::Question, tr("Replace Confirmation"),
            tr("Do you want to replace existing condition?"), QMessageBox::NoButton, this);
        replace_box_->setObjectName(QStringLiteral("replace_box"));
        rule_page::keep_frame_style(replace_box_, this);
        replace_button_ = replace_box_->addButton(tr("Replace"), QMessageBox::ActionRole);
        insert_button_ = replace_box_->addButton(tr("Insert"), QMessageBox::ActionRole);
        connect(replace_box_, &QMessageBox::finished, this, &QSetupRule::replace_condition);
        replace_box_->show();
    }
    modified_ = true;
    touch();
}

void QSetupRule::replace_condition(int)
{
    if (!replace_box_ || !current_edit_)
        return;
    const QAbstractButton *clicked = replace_box_->clickedButton();
    if (clicked == replace_button_) {
        current_edit_->selectAll();
        current_edit_->textCursor().insertText(last_inserted_text_);
    } else if (clicked == insert_button_) {
        current_edit_->textCursor().insertText(last_inserted_text_);
    }
    current_edit_->setFocus();
    modified_ = true;
    touch();
}

void QSetupRule::show_settings_dialog()
{
    auto *dialog = new QSettingsInserterDialog(folder_, this, size_factor_, 0x26);
    dialog->setObjectName(QStringLiteral("settings_dialog"));
    rule_page::keep_frame_style(dialog, this);
    fake_roots(activation_kind_, dialog);
    connect(dialog, &QSettingsInserterDialog::accepted, this, &QSetupRule::insert_text);
    dialog->show();
}

void QSetupRule::show_objects_dialog()
{
    auto *dialog = new QObjectsInserterDialog(module_state::host(), server_name_, this, 0x78d,
                                              std::set<std::string>());
    dialog->setObjectName(QStringLiteral("objects_dialog"));
    rule_page::keep_frame_style(dialog, this);
    fake_roots(rule::ON_STATE_CHANGE, nullptr);
    connect(dialog, &QObjectsInserterDialog::accepted, this, &QSetupRule::insert_text);
    dialog->show();
}

void QSetupRule::fake_roots(int activation, QSettingsInserterDialog *dialog)
{
    // The generated script names each watched setting; the dialog offers
    // those names so that a condition refers to the same variables.
    if (activation == rule::ON_SETTINGS_CHANGE && dialog)
        for (const QString &part : settings_edit_->text().split(QLatin1Char(';'))) {
            const QString path = part.trimmed();
            if (!path.isEmpty())
                dialog->add_named_root(
                    generate_variable_name(QStringLiteral("settings(\"%1\")").arg(path)), path);
        }
    used_names_.clear();
}

QString QSetupRule::generate_variable_name(QString from)
{
    return used_names_.generate(from);
}

QString QSetupRule::check_unique_var_name(QString var_name)
{
    return used_names_.make_unique(var_name);
}
