// The widgets of the schedule page and their arrangement.

#include "script-setup/setup-schedule.h"

#include "qt4-pavo7/reusable/scheduler-widget.h"
#include "script-setup/page-support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

// The resource icon, or a swatch of the grid colour where the client ships none.
QIcon fill_icon(const char *resource, int colour)
{
    if (QFile::exists(QString::fromLatin1(resource)))
        return QIcon(QString::fromLatin1(resource));
    const int side = page_support::scaled(14);
    QPixmap swatch(side, side);
    swatch.fill(Reusable::QSchedulerWidget::colour_of(colour));
    QPainter painter(&swatch);
    painter.setPen(Reusable::QSchedulerWidget::colour_of(colour).darker(150));
    painter.drawRect(0, 0, side - 1, side - 1);
    return QIcon(swatch);
}

template <class W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

void QSetupSchedule::build_form()
{
    name_ = named(new QLineEdit, "name");
    auto *name_label = new QLabel(tr("Schedule name:"));
    name_label->setBuddy(name_);

    enable_ = named(new QCheckBox(tr("&Enable schedule")), "enable");
    delete_button_ = named(new QPushButton(tr("Delete...")), "delete_button");
    const char *delete_icon = ":/gtk-icons/gtk-delete.png";
    delete_button_->setIcon(page_support::icon(delete_icon, QStyle::SP_TrashIcon));

    grid_ = named(new Reusable::QSchedulerWidget, "schedule_frame");
    snap_ = named(new QCheckBox(tr("&Snap to 30 minutes")), "snap");
    // The grid starts snapping; the box says so from the start.
    snap_->setChecked(grid_->snap());

    modify_group_ = named(new QGroupBox(tr("Modify")), "modify_group");
    dayofweek1_ = named(new QComboBox, "dayofweek1");
    dayofweek2_ = named(new QComboBox, "dayofweek2");
    time1_ = named(new QTimeEdit, "time1");
    time2_ = named(new QTimeEdit, "time2");
    for (QTimeEdit *edit : {time1_, time2_})
        edit->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    auto *from_label = new QLabel(tr("&from"));
    from_label->setBuddy(dayofweek1_);
    auto *to_label = new QLabel(tr("&to"));
    to_label->setBuddy(dayofweek2_);
    fillred_ = named(new QPushButton, "fillred");
    fillblue_ = named(new QPushButton, "fillblue");
    fillgreen_ = named(new QPushButton, "fillgreen");
    fillred_->setIcon(fill_icon(":/settings/schedule-red.png", 1));
    fillblue_->setIcon(fill_icon(":/settings/schedule-blue.png", 2));
    fillgreen_->setIcon(fill_icon(":/settings/schedule-green.png", 0));

    auto *modify = new QGridLayout(modify_group_);
    modify->addWidget(from_label, 0, 0);
    modify->addWidget(dayofweek1_, 0, 1);
    modify->addWidget(time1_, 0, 2);
    modify->addWidget(to_label, 1, 0);
    modify->addWidget(dayofweek2_, 1, 1);
    modify->addWidget(time2_, 1, 2);
    modify->setColumnStretch(3, 1);
    modify->addWidget(fillred_, 0, 4);
    modify->addWidget(fillblue_, 1, 4);
    modify->addWidget(fillgreen_, 2, 4);

    channels_box_ =
        named(new QGroupBox(tr("Channel record mode control")), "affected_channels_box");
    channels_box_->setCheckable(true);
    channels_box_->setChecked(false);
    channels_list_ = named(new QListWidget, "channels_list");
    select_all_ = named(new QPushButton(tr("Select all")), "select_all_btn");
    select_none_ = named(new QPushButton(tr("Select none")), "select_none_btn");
    auto *channel_buttons = new QHBoxLayout;
    channel_buttons->addWidget(select_all_);
    channel_buttons->addWidget(select_none_);
    channel_buttons->addStretch(1);
    auto *channels = new QVBoxLayout(channels_box_);
    channels->addWidget(channels_list_, 1);
    channels->addLayout(channel_buttons);

    auto *name_row = new QHBoxLayout;
    name_row->addWidget(name_label);
    name_row->addWidget(name_, 1);
    auto *enable_row = new QHBoxLayout;
    enable_row->addWidget(enable_);
    enable_row->addStretch(1);
    enable_row->addWidget(delete_button_);
    auto *grid_row = new QHBoxLayout;
    grid_row->addWidget(grid_);
    grid_row->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(name_row);
    layout->addLayout(enable_row);
    layout->addLayout(grid_row);
    layout->addWidget(snap_);
    layout->addWidget(modify_group_);
    layout->addWidget(channels_box_, 1);
}
