// The rule page's widgets, in the order they are shown.

#include "script-setup/rule-page/setup-rule.h"

#include "qt4-pavo7/reusable/image-selector.h"
#include "qt4-pavo7/reusable/link-label.h"
#include "script-setup/page-support.h"
#include "script-setup/rule-page/grid-widget.h"
#include "script-setup/rule-page/page-style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel *bold(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(QStringLiteral("<b>%1</b>").arg(text), parent);
    return label;
}

QLabel *link(const char *key, const QString &caption, QWidget *parent)
{
    auto *label =
        new Reusable::QLinkLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(key, caption), parent);
    label->setObjectName(QString::fromLatin1(key));
    return label;
}

QVBoxLayout *vbox(QWidget *w, int left = 0, int top = 0)
{
    auto *box = new QVBoxLayout(w);
    box->setContentsMargins(left, top, 0, 0);
    box->setSpacing(6);
    return box;
}

QToolButton *dots(const char *name, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setText(QStringLiteral("..."));
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLineEdit *filter(const char *name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setFocusPolicy(Qt::NoFocus); // filled only through the dialogs
    return e;
}

void fill_titled(QWidget *page, const QString &title, QGridLayout **grid,
                 const QString &hint = QString())
{
    auto *box = vbox(page);
    box->addWidget(bold(title, page));
    auto *inner = new QWidget(page);
    auto *inner_box = vbox(inner, 10);
    if (!hint.isEmpty())
        inner_box->addWidget(new QLabel(hint, inner));
    *grid = new QGridLayout;
    (*grid)->setSpacing(6);
    inner_box->addLayout(*grid);
    box->addWidget(inner);
    box->addStretch(1);
}

QWidget *titled_page(QStackedWidget *stack, const QString &title, QGridLayout **grid,
                     const QString &hint = QString())
{
    auto *page = new QWidget(stack);
    fill_titled(page, title, grid, hint);
    stack->addWidget(page);
    return page;
}

QWidget *empty_page(QStackedWidget *stack)
{
    auto *page = new QWidget(stack);
    stack->addWidget(page);
    return page;
}

} // namespace

void QSetupRule::build_layout()
{
    setContextMenuPolicy(Qt::CustomContextMenu);
    auto *top = new QGridLayout(this);
    top->setSpacing(6);
    for (int c : {2, 3, 4})
        top->setColumnStretch(c, 1);

    auto *image_layout = new QVBoxLayout;
    image_layout->setObjectName(QStringLiteral("image_layout"));
    image_ = new Reusable::QImageSelector(int(64 * size_factor_), int(128 * size_factor_),
                                          int(128 * size_factor_), this);
    image_->setObjectName(QStringLiteral("image"));
    image_layout->insertWidget(0, image_);
    top->addLayout(image_layout, 0, 0, 2, 1);

    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("name"));
    auto *name_label = new QLabel(tr("Rule name:"), this);
    name_label->setBuddy(name_);
    top->addWidget(name_label, 0, 1);
    top->addWidget(name_, 0, 2, 1, 2);
    auto *enable = new QCheckBox(tr("Enable"), this);
    enable->setObjectName(QStringLiteral("enable"));
    top->addWidget(enable, 1, 1);
    delete_button_ = new QPushButton(tr("Delete..."), this);
    delete_button_->setObjectName(QStringLiteral("delete_button"));
    delete_button_->setIcon(page_support::icon(":/gtk-icons/gtk-delete.png", QStyle::SP_TrashIcon));
    delete_button_->setMinimumWidth(115);
    top->addWidget(delete_button_, 1, 2);
    top->addItem(new QSpacerItem(10, 10, QSizePolicy::Expanding), 0, 4);
    top->addWidget(new QLabel(tr("Run count:"), this), 0, 5);
    top->addWidget(new QLabel(tr("Error count:"), this), 1, 5);
    for (QLabel **count : {&run_count_, &error_count_}) {
        *count = new QLabel(QStringLiteral("0"), this);
        QFont f = (*count)->font();
        f.setBold(true);
        (*count)->setFont(f);
        (*count)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    run_count_->setObjectName(QStringLiteral("run_count"));
    run_count_->setMinimumWidth(40);
    error_count_->setObjectName(QStringLiteral("error_count"));
    top->addWidget(run_count_, 0, 6);
    top->addWidget(error_count_, 1, 6);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    rule_page::keep_frame_style(line, this); // its gap shows, the line does not
    top->addWidget(line, 2, 0, 1, 7);

    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scroll_area"));
    scroll->setFocusPolicy(Qt::NoFocus); // its rows take the focus, it needs none
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setBackgroundRole(QPalette::Base);
    scroll->setAutoFillBackground(true);
    auto *contents = new QWidget;
    auto *contents_box = vbox(contents);
    activation_stack_ = new QStackedWidget(contents);
    activation_stack_->setObjectName(QStringLiteral("activation_stack"));
    build_activation_pages();
    contents_box->addWidget(activation_stack_);
    build_condition_frame(contents);
    build_actions_frame(contents);
    contents_box->addWidget(condition_frame_, 1);
    contents_box->addWidget(actions_frame_, 1);
    contents_box->addStretch(10);
    scroll->setWidget(contents);
    top->addWidget(scroll, 3, 0, 1, 7);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    save_button_ = new QPushButton(
        page_support::icon(":/gtk-icons/gtk-execute.png", QStyle::SP_DialogApplyButton),
        tr("Save and Run"), this);
    save_button_->setObjectName(QStringLiteral("save_button"));
    clipboard_button_ =
        new QPushButton(page_support::icon(":/gtk-icons/gtk-copy.png", QStyle::SP_FileIcon),
                        tr("Script to the clipboard"), this);
    clipboard_button_->setObjectName(QStringLiteral("clipboard_button"));
    reset_button_ = new QPushButton(
        page_support::icon(":/other/resetproperty.png", QStyle::SP_DialogResetButton),
        tr("Reset rule"), this);
    reset_button_->setObjectName(QStringLiteral("reset_button"));
    buttons->addWidget(save_button_);
    buttons->addWidget(clipboard_button_);
    buttons->addStretch(1);
    buttons->addWidget(reset_button_);
    top->addLayout(buttons, 4, 0, 1, 6);
}

void QSetupRule::build_activation_pages()
{
    // The chooser and the pages of one line get their widgets when they are
    // first shown (most rules never show another page than their own). The
    // taller pages are built now: the stack is as high as its highest page.
    QStackedWidget *stack = activation_stack_;
    chooser_page_ = empty_page(stack);
    chooser_page_->setObjectName(QStringLiteral("chooser_page"));

    QGridLayout *grid;
    events_page_ = titled_page(stack, tr("Activation on event"), &grid);
    event_types_edit_ = filter("event_types", events_page_);
    grid->addWidget(new QLabel(tr("Event Types:"), events_page_), 0, 0);
    grid->addWidget(event_types_edit_, 0, 1, 1, 3);
    auto *events_button = dots("event_types_button", events_page_);
    grid->addWidget(events_button, 0, 4);
    grid->addWidget(new QLabel(tr("Objects:"), events_page_), 1, 0);
    all_objects_link_ = link("activate_on_all_objects_events", tr("All objects"), events_page_);
    objects_filter_link_ = link("objects_filter", tr("Filter..."), events_page_);
    grid->addWidget(all_objects_link_, 1, 1);
    grid->addWidget(objects_filter_link_, 1, 2);
    objects_edit_ = filter("objects", events_page_);
    grid->addWidget(objects_edit_, 1, 3);
    objects_button_ = dots("objects_button", events_page_);
    grid->addWidget(objects_button_, 1, 4);
    grid->setColumnStretch(3, 1);

    shortcut_page_ = empty_page(stack);
    schedule_page_ = empty_page(stack);

    state_page_ =
        titled_page(stack, tr("Activation on state change"), &grid, tr("Please, select objects:"));
    state_objects_edit_ = filter("state_objects", state_page_);
    grid->addWidget(new QLabel(tr("Objects:"), state_page_), 0, 0);
    grid->addWidget(state_objects_edit_, 0, 1, 1, 2);
    grid->addWidget(dots("state_objects_button", state_page_), 0, 3);
    grid->setColumnStretch(1, 1);

    settings_page_ = titled_page(stack, tr("Activation on settings change"), &grid,
                                 tr("Please, select settings:"));
    settings_edit_ = filter("settings", settings_page_);
    grid->addWidget(new QLabel(tr("Settings:"), settings_page_), 0, 0);
    grid->addWidget(settings_edit_, 0, 1, 1, 2);
    grid->addWidget(dots("settings_button", settings_page_), 0, 3);
    grid->setColumnStretch(1, 1);

    action_page_ = empty_page(stack);
    stack->setCurrentIndex(0);
}

void QSetupRule::fill_activation_page(QWidget *page)
{
    if (page->layout())
        return;
    if (page == chooser_page_) {
        auto *box = vbox(chooser_page_);
        box->addWidget(bold(tr("Activation"), chooser_page_));
        auto *links = new QWidget(chooser_page_);
        auto *links_box = vbox(links, 10);
        links_box->addWidget(new QLabel(tr("Please, select type of activation:"), links));
        links_box->addWidget(link("activate_on_event", tr("On event"), links));
        links_box->addWidget(link("activate_on_shortcut", tr("On shortcut"), links));
        links_box->addWidget(link("activate_on_schedule", tr("On schedule"), links));
        links_box->addWidget(link("activate_on_state_change", tr("On state change"), links));
        links_box->addWidget(link("activate_on_settings_change", tr("On settings change"), links));
        auto *on_action = link("activate_on_action", tr("On action run"), links);
        on_action->hide();
        links_box->addWidget(on_action);
        box->addWidget(links);
        box->addStretch(1);
        for (QLabel *l : links->findChildren<QLabel *>())
            connect(l, &QLabel::linkActivated, this, &QSetupRule::link_activated);
        return;
    }
    QGridLayout *grid;
    if (page == shortcut_page_) {
        fill_titled(shortcut_page_, tr("Activation on shortcut"), &grid);
        shortcut_edit_ = new QLineEdit(shortcut_page_);
        shortcut_edit_->setObjectName(QStringLiteral("shortcut"));
        shortcut_edit_->setPlaceholderText(tr("Type shortcut"));
        shortcut_edit_->setMaximumWidth(int(250 * size_factor_));
        on_release_ = new QCheckBox(tr("On Release"), shortcut_page_);
        on_release_->setObjectName(QStringLiteral("on_release"));
        panel_box_ = new QComboBox(shortcut_page_);
        panel_box_->setObjectName(QStringLiteral("panel"));
        panel_box_->setMaxVisibleItems(15);
        grid->addWidget(new QLabel(tr("On Keyboard:"), shortcut_page_), 0, 0);
        grid->addWidget(shortcut_edit_, 0, 1);
        grid->addWidget(on_release_, 0, 2);
        grid->addItem(new QSpacerItem(20, 10), 0, 3);
        grid->addWidget(new QLabel(tr("On Panel:"), shortcut_page_), 0, 4);
        grid->addWidget(panel_box_, 0, 5);
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(5, 1);
        shortcut_edit_->installEventFilter(this);
        panel_box_->addItem(tr("None"), QString());
        for (int i = 1; i <= 10; ++i)
            panel_box_->addItem(tr("User function") + QStringLiteral(" U%1").arg(i),
                                QStringLiteral("U%1").arg(i));
        connect(panel_box_, qOverload<int>(&QComboBox::currentIndexChanged), this,
                &QSetupRule::edited);
    } else if (page == schedule_page_) {
        fill_titled(schedule_page_, tr("Activation on schedule"), &grid);
        schedule_box_ = new QComboBox(schedule_page_);
        schedule_box_->setObjectName(QStringLiteral("schedule"));
        zone_box_ = new QComboBox(schedule_page_);
        zone_box_->setObjectName(QStringLiteral("zone"));
        zone_box_->setMaximumWidth(120);
        grid->addWidget(new QLabel(tr("When schedule"), schedule_page_), 0, 0);
        grid->addWidget(schedule_box_, 0, 1);
        grid->addWidget(new QLabel(tr("enters"), schedule_page_), 0, 2);
        grid->addWidget(zone_box_, 0, 3);
        grid->addWidget(new QLabel(tr("zone"), schedule_page_), 0, 4);
        grid->addItem(new QSpacerItem(20, 10), 0, 5); // keeps "zone" off the edge
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(3, 1);
        zone_box_->addItems({tr("Green"), tr("Red"), tr("Blue")});
        for (QComboBox *box : {schedule_box_, zone_box_})
            connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this,
                    &QSetupRule::edited);
    } else if (page == action_page_) {
        auto *action_box = vbox(action_page_);
        action_box->addWidget(bold(tr("Activation on action run"), action_page_));
        action_box->addStretch(1);
    }
}

void QSetupRule::build_condition_frame(QWidget *parent)
{
    condition_frame_ = new QFrame(parent);
    condition_frame_->setObjectName(QStringLiteral("condition_frame"));
    auto *box = vbox(condition_frame_, 0, 20);
    condition_title_ = bold(tr("Condition"), condition_frame_);
    box->addWidget(condition_title_);
    auto *inner = new QWidget(condition_frame_);
    auto *inner_box = vbox(inner, 10);
    always_link_ = link("condition_always", tr("Always"), inner);
    write_link_ = link("write_condition", tr("Write..."), inner);
    inner_box->addWidget(always_link_);
    inner_box->addWidget(write_link_);
    condition_grid_ = new QGridWidget(inner);
    condition_grid_->setObjectName(QStringLiteral("condition_grid"));
    inner_box->addWidget(condition_grid_);
    add_condition_button_ = new QToolButton(inner);
    add_condition_button_->setObjectName(QStringLiteral("add_condition"));
    add_condition_button_->setText(tr("Add condition"));
    add_condition_button_->setIcon(
        page_support::icon(":/gtk-icons/gtk-add.png", QStyle::SP_FileDialogNewFolder));
    add_condition_button_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    inner_box->addWidget(add_condition_button_);
    box->addWidget(inner);
}

void QSetupRule::build_actions_frame(QWidget *parent)
{
    actions_frame_ = new QFrame(parent);
    actions_frame_->setObjectName(QStringLiteral("actions_frame"));
    auto *box = vbox(actions_frame_, 0, 20);
    box->addWidget(bold(tr("Actions"), actions_frame_));
    auto *inner = new QWidget(actions_frame_);
    auto *inner_box = vbox(inner, 10);
    action_grid_ = new QGridWidget(inner);
    action_grid_->setObjectName(QStringLiteral("action_grid"));
    inner_box->addWidget(action_grid_);
    auto *add_row = new QHBoxLayout;
    add_row->setSpacing(6);
    add_label_ = new QLabel(tr("Add:"), inner);
    add_label_->setObjectName(QStringLiteral("add_label"));
    add_label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    action_links_ = new Reusable::QLinkLabel(QString(), inner);
    action_links_->setObjectName(QStringLiteral("action_links"));
    action_links_->setWordWrap(true);
    add_row->addWidget(add_label_);
    add_row->addWidget(action_links_, 1);
    inner_box->addLayout(add_row);
    box->addWidget(inner);
}

void QSetupRule::build_action_registry()
{
    const ActionEntry entries[] = {
        {QStringLiteral("call_method"), tr("Action"), &QSetupRule::add_method},
        {QStringLiteral("wait"), tr("Wait"), &QSetupRule::add_wait},
        {QStringLiteral("play_sound"), tr("Play Sound"), &QSetupRule::add_sound},
        {QStringLiteral("change_settings"), tr("Change Settings"),
         &QSetupRule::add_settings_change},
        {QStringLiteral("export_video"), tr("Export Video"), &QSetupRule::add_export_video},
        {QStringLiteral("take_screenshot"), tr("Screenshot"), &QSetupRule::add_take_screenshot},
        {QStringLiteral("send_email"), tr("Send E-mail"), &QSetupRule::add_send_mail},
        {QStringLiteral("generate_export"), tr("Generate Tillora Report"),
         &QSetupRule::add_pos_report_export},
    };
    QStringList links;
    for (const ActionEntry &e : entries) {
        if (e.key == QLatin1String("play_sound") && !sound_allowed_)
            continue;
        action_registry_.insert(e.key, e);
        links << QStringLiteral("<a href=\"%1\">%2</a>").arg(e.key, e.caption);
    }
    action_links_->setText(links.join(QStringLiteral("&nbsp;&nbsp; ")));
}
