// The widgets of the template loop page and their arrangement.

#include "script-setup/setup-loop.h"

#include "script-setup/loop/templates-order.h"
#include "script-setup/page-support.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

template <class W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton *button(const QString &caption, const char *name, const char *icon,
                    QStyle::StandardPixmap fallback)
{
    auto *b = named(new QPushButton(caption), name);
    b->setIcon(page_support::icon(icon, fallback));
    return b;
}

QLabel *heading(const QString &text)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

void QSetupLoop::build_form()
{
    auto *name_label = named(new QLabel(tr("Loop name:")), "loopNameLabel");
    name_ = named(new QLineEdit, "name");
    name_label->setBuddy(name_);
    auto *monitor_label = new QLabel(tr("Monitor number:"));
    monitor_ = named(new QSpinBox, "monitor_n");
    monitor_label->setBuddy(monitor_);
    enable_ = named(new QCheckBox(tr("Enable")), "enable");
    delete_btn_ =
        button(tr("Delete..."), "delete_btn", ":/gtk-icons/gtk-delete.png", QStyle::SP_TrashIcon);

    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    activation_frame_ = named(new QFrame, "activationFrame");
    shortcut_ = named(new QLineEdit, "shortcut");
    shortcut_->setPlaceholderText(tr("Type shortcut"));
    shortcut_->setFixedWidth(page_support::scaled(200));
    auto *activation = new QVBoxLayout(activation_frame_);
    activation->addWidget(heading(tr("Activation on shortcut")));
    activation->addWidget(shortcut_);

    actions_frame_ = named(new QFrame, "actionsFrame");
    element_list_ = named(new QVBoxLayout, "loop_element_list");
    add_template_btn_ = button(tr("Add template"), "add_template_btn", ":/gtk-icons/gtk-add.png",
                               QStyle::SP_FileDialogNewFolder);
    add_channel_btn_ = button(tr("Add channel"), "add_channel_btn", ":/gtk-icons/gtk-add.png",
                              QStyle::SP_FileDialogNewFolder);
    auto *add_row = new QHBoxLayout;
    add_row->addWidget(add_template_btn_);
    add_row->addWidget(add_channel_btn_);
    add_row->addStretch(1);
    too_long_ = named(new QLabel(tr("This loop order is too long to show whole: only its first "
                                    "%1 elements are listed. The stored order is kept unless "
                                    "you change the list.")
                                     .arg(loop::max_loop_elements)),
                      "order_too_long");
    too_long_->setWordWrap(true);
    too_long_->hide();
    auto *actions = new QVBoxLayout(actions_frame_);
    actions->addWidget(heading(tr("Loop order")));
    actions->addWidget(too_long_);
    actions->addLayout(element_list_);
    actions->addLayout(add_row);

    auto *content = new QWidget;
    content->setBackgroundRole(QPalette::Base);
    auto *frames = new QVBoxLayout(content);
    frames->addWidget(activation_frame_);
    frames->addWidget(actions_frame_);
    frames->addStretch(1);
    auto *scroll = new QScrollArea;
    scroll->setFocusPolicy(Qt::NoFocus); // its rows take the focus, it needs none
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    scroll->setBackgroundRole(QPalette::Base);
    scroll->setAutoFillBackground(true);

    save_btn_ =
        button(tr("Save and Run"), "save_btn", ":/gtk-icons/gtk-execute.png", QStyle::SP_MediaPlay);
    to_script_btn_ = button(tr("Script to the clipboard"), "to_script_btn",
                            ":/gtk-icons/gtk-copy.png", QStyle::SP_FileDialogContentsView);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(save_btn_);
    bottom->addWidget(to_script_btn_);
    bottom->addStretch(1);

    auto *grid = new QGridLayout(this);
    grid->addWidget(name_label, 0, 0);
    grid->addWidget(name_, 0, 1, 1, 2);
    grid->addWidget(monitor_label, 0, 3);
    grid->addWidget(monitor_, 0, 4);
    grid->addWidget(enable_, 1, 0, 1, 2);
    grid->addWidget(delete_btn_, 1, 6, Qt::AlignRight);
    grid->addWidget(line, 2, 0, 1, 7);
    grid->addWidget(scroll, 3, 0, 1, 7);
    grid->addLayout(bottom, 4, 0, 1, 7);
    // The name takes most of the free width, so longer names show whole.
    grid->setColumnStretch(2, 2);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(3, 1);
}
