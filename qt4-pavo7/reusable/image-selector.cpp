#include "qt4-pavo7/reusable/image-selector.h"

#include <QAction>
#include <QBuffer>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

namespace Reusable {

QImageSelector::QImageSelector(int display_size, int image_width, int image_height, QWidget *parent)
    : QWidget(parent)
    , display_size_(display_size)
    , image_width_(image_width)
    , image_height_(image_height)
    , button_(new QToolButton(this))
{
    button_->setAutoRaise(true);
    button_->setIconSize(QSize(display_size_, display_size_));
    button_->setToolTip(tr("Click to choose an image"));
    // Right clicks reach this widget, whose actions form the context menu.
    button_->setContextMenuPolicy(Qt::NoContextMenu);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(button_);

    auto *clear_action = new QAction(tr("Clear"), this);
    addAction(clear_action);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(button_, &QToolButton::clicked, this, &QImageSelector::browse);
    connect(clear_action, &QAction::triggered, this, &QImageSelector::clear);
    show_image();
}

QImageSelector::~QImageSelector() = default;

void QImageSelector::set_image_text(const QString &text)
{
    image_text_ = text;
    show_image();
}

bool QImageSelector::choose_file(const QString &path)
{
    QImage image(path);
    if (image.isNull())
        return false;
    if (image_width_ > 0 && image_height_ > 0)
        image = image.scaled(image_width_, image_height_, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return false;
    image_text_ = QString::fromLatin1(png.toBase64());
    show_image();
    Q_EMIT image_changed();
    return true;
}

void QImageSelector::clear()
{
    image_text_.clear();
    show_image();
    Q_EMIT image_changed();
}

void QImageSelector::browse()
{
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Choose an image"), QString(),
                                     tr("Images (*.png *.jpg *.jpeg *.bmp *.gif);;All files (*)"));
    if (!path.isEmpty() && !choose_file(path))
        QMessageBox::warning(this, tr("Image"), tr("Cannot read an image from %1.").arg(path));
}

QImage QImageSelector::image() const
{
    QImage image;
    if (!image_text_.isEmpty())
        image.loadFromData(QByteArray::fromBase64(image_text_.toLatin1()));
    return image;
}

void QImageSelector::show_image()
{
    const QImage image = this->image();
    QPixmap pixmap(display_size_, display_size_);
    pixmap.fill(Qt::transparent);
    if (!image.isNull()) {
        pixmap = QPixmap::fromImage(image.scaled(display_size_, display_size_, Qt::KeepAspectRatio,
                                                 Qt::SmoothTransformation));
    } else {
        // An empty selector still shows where to click: a dashed frame.
        QPainter painter(&pixmap);
        QPen pen(palette().color(QPalette::Mid));
        pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    }
    button_->setIcon(QIcon(pixmap));
}

} // namespace Reusable
