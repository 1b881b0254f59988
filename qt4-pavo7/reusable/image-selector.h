#pragma once
// A picture the operator picks from a file, kept as text (PNG, Base64) so
// that it can live in a settings key.

#include <QImage>
#include <QString>
#include <QWidget>

class QToolButton;

namespace Reusable {

class QImageSelector : public QWidget
{
    Q_OBJECT
public:
    // The picture is shown in a display_size square; a chosen file is scaled
    // to fit image_width x image_height, keeping its aspect.
    QImageSelector(int display_size, int image_width, int image_height, QWidget *parent = nullptr);
    ~QImageSelector() override;

    // Empty when there is no picture. Text that is not a picture is kept as
    // it was given (nothing stored is lost) and shown as an empty picture.
    QString image_text() const { return image_text_; }
    void set_image_text(const QString &text);
    // The picture the text holds; null when there is none or it is no picture.
    QImage image() const;

    // Reads, scales and keeps the picture of the file; false, and nothing
    // changed, when the file is no picture.
    bool choose_file(const QString &path);
    void clear();

Q_SIGNALS:
    void image_changed();

private:
    void browse();
    void show_image();

    int display_size_;
    int image_width_;
    int image_height_;
    QString image_text_;
    QToolButton *button_;
};

} // namespace Reusable
