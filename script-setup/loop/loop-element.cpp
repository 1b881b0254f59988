#include "script-setup/loop/loop-element.h"

#include "qt4-pavo7/reusable/channels-box.h"
#include "script-setup/loop/templates-order.h"
#include "script-setup/page-support.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *tool_button(const char *name, const char *icon, QStyle::StandardPixmap fallback,
                         const QString &tip)
{
    auto *button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(page_support::icon(icon, fallback));
    button->setIconSize(page_support::icon_size());
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

} // namespace

LoopElement::LoopElement(QWidget *parent)
    : QWidget(parent)
{}

LoopElement::~LoopElement() = default;

int LoopElement::timeout() const
{
    return time_spin_->value();
}

void LoopElement::set_timeout(int seconds)
{
    const QSignalBlocker blocker(time_spin_);
    time_spin_->setValue(loop::clamp_seconds(seconds));
}

void LoopElement::build(const char *icon, QWidget *selection_widget)
{
    Q_ASSERT_X(selection_widget, "LoopElement::build", "selection_widget");
    auto *icon_label = new QLabel;
    icon_label->setPixmap(page_support::scale_pixmap(page_support::pixmap(
        icon, kind() == 0 ? QStyle::SP_FileDialogDetailedView : QStyle::SP_DesktopIcon, 16)));
    selection_widget->setObjectName(QStringLiteral("selection"));
    selection_widget->setFixedWidth(page_support::scaled(400));

    time_spin_ = new QSpinBox;
    time_spin_->setObjectName(QStringLiteral("seconds"));
    time_spin_->setFixedWidth(page_support::scaled(60));
    time_spin_->setRange(1, 60);
    time_spin_->setValue(5);
    time_spin_->setSuffix(QLatin1Char(' ') +
                          QCoreApplication::translate("QSetupTemplateLoop", "s"));
    connect(time_spin_, qOverload<int>(&QSpinBox::valueChanged), this, &LoopElement::changed);

    QToolButton *remove = tool_button("remove_btn", ":/gtk-icons/gtk-delete.png",
                                      QStyle::SP_DialogDiscardButton, tr("Remove"));
    QToolButton *up =
        tool_button("up_btn", ":/panel/menu-up-arrow.png", QStyle::SP_ArrowUp, tr("Move up"));
    QToolButton *down = tool_button("down_btn", ":/panel/menu-down-arrow.png", QStyle::SP_ArrowDown,
                                    tr("Move down"));
    connect(remove, &QToolButton::clicked, this, &LoopElement::remove_me);
    connect(up, &QToolButton::clicked, this, &LoopElement::move_me_up);
    connect(down, &QToolButton::clicked, this, &LoopElement::move_me_down);

    auto *arrows = new QVBoxLayout;
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(up);
    arrows->addWidget(down);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(page_support::scaled(12));
    row->addWidget(icon_label);
    row->addWidget(selection_widget);
    row->addWidget(time_spin_);
    row->addWidget(remove);
    row->addLayout(arrows);
    row->addStretch(1);
}

Template::Template(const TemplateCatalogue &catalogue, const QByteArray &guid, QWidget *parent)
    : LoopElement(parent)
{
    combo_ = new QComboBox;
    for (const auto &entry : catalogue) {
        index_of_guid_[entry.first] = combo_->count();
        // Latin-1 both ways keeps any byte of the guid as it was.
        combo_->addItem(entry.second, QString::fromLatin1(entry.first.data(),
                                                          static_cast<int>(entry.first.size())));
    }
    const auto known = index_of_guid_.find(guid.toStdString());
    if (known != index_of_guid_.end())
        combo_->setCurrentIndex(known->second);
    build(":/other/layout.png", combo_);
    connect(combo_, qOverload<int>(&QComboBox::currentIndexChanged), this, &LoopElement::changed);
}

Template::~Template() = default;

QByteArray Template::guid() const
{
    return combo_->currentData(Qt::UserRole).toString().toLatin1();
}

Channel::Channel(const Reusable::QChannelsBox &channels, const QByteArray &guid, QWidget *parent)
    : LoopElement(parent)
{
    channels_ = Reusable::QChannelsBox::copy_of(channels);
    if (guid.isEmpty())
        channels_->select_first_channel();
    else
        channels_->set_channel_guid(guid);
    build(":/settings/camera.png", channels_);
    connect(channels_, &Reusable::QChannelsBox::data_updated, this, &LoopElement::changed);
}

Channel::~Channel() = default;

QByteArray Channel::guid() const
{
    return channels_->channel_guid();
}
