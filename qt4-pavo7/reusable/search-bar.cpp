#include "qt4-pavo7/reusable/search-bar.h"

#include "plugin/module-state.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QToolButton>

namespace Reusable {
namespace {

QString bar_text(const char *text)
{
    return QCoreApplication::translate("QHtmlTabPage", text);
}

QToolButton *tool_button(QWidget *parent, const char *name, const QString &text,
                         const QKeySequence &shortcut)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setToolTip(text);
    button->setShortcut(shortcut);
    button->setAutoRaise(true);
    return button;
}

// The host's magnifier, or a drawn one when the host has no such image.
QPixmap search_pixmap(int size)
{
    // A copy, not a literal: the host may keep the path in a cache of its own.
    const QString path = QString::fromLatin1(":/gui/gui-search16.png");
    Rizurividuvez::HostRoot *host = module_state::host();
    if (host && host->setup_pages() && host->setup_pages()->ui_scale()) {
        const QPixmap scaled = host->setup_pages()->ui_scale()->scaled_pixmap(path);
        if (!scaled.isNull())
            return scaled;
    }
    QPixmap pixmap(path);
    if (!pixmap.isNull())
        return pixmap;
    pixmap = QPixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 90, 90), size / 8.0));
    const double r = size * 0.3;
    painter.drawEllipse(QPointF(size * 0.4, size * 0.4), r, r);
    painter.setPen(QPen(QColor(90, 90, 90), size / 6.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(size * 0.62, size * 0.62), QPointF(size * 0.9, size * 0.9));
    return pixmap;
}

} // namespace

QSearchBar::QSearchBar(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);

    close_button_ = tool_button(this, "close", bar_text("Close"), QKeySequence(Qt::Key_Escape));
    close_button_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    layout->addWidget(close_button_);

    auto *icon = new QLabel(this);
    icon->setPixmap(search_pixmap(16));
    layout->addWidget(icon);

    line_edit_ = new QLineEdit(this);
    line_edit_->setObjectName(QStringLiteral("search_text"));
    layout->addWidget(line_edit_, 1);

    next_button_ = tool_button(this, "find_next", bar_text("Find next"), QKeySequence(Qt::Key_F3));
    next_button_->setArrowType(Qt::DownArrow);
    layout->addWidget(next_button_);
    previous_button_ = tool_button(this, "find_previous", bar_text("Find previous"),
                                   QKeySequence(Qt::SHIFT + Qt::Key_F3));
    previous_button_->setArrowType(Qt::UpArrow);
    layout->addWidget(previous_button_);

    case_sensitive_ = new QCheckBox(bar_text("Case sensitive"), this);
    case_sensitive_->setObjectName(QStringLiteral("case_sensitive"));
    layout->addWidget(case_sensitive_);

    connect(close_button_, &QToolButton::clicked, this, &QSearchBar::hide);
    auto forward = [this] {
        emit search_requested(line_edit_->text(), false);
    };
    connect(line_edit_, &QLineEdit::returnPressed, this, forward);
    connect(line_edit_, &QLineEdit::textChanged, this, forward);
    connect(next_button_, &QToolButton::clicked, this, forward);
    connect(previous_button_, &QToolButton::clicked, this,
            [this] { emit search_requested(line_edit_->text(), true); });
    connect(case_sensitive_, &QCheckBox::toggled, this, &QSearchBar::case_sensitivity_changed);
    QFrame::setVisible(false);
}

QSearchBar::~QSearchBar() = default;

void QSearchBar::setVisible(bool visible)
{
    const bool changed = isHidden() == visible;
    QFrame::setVisible(visible);
    if (changed)
        emit visibility_changed(visible);
}

void QSearchBar::start_search(const QString &text)
{
    show();
    line_edit_->setText(text);
    line_edit_->setFocus();
    line_edit_->selectAll();
}

} // namespace Reusable
