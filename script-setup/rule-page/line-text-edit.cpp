#include "script-setup/rule-page/line-text-edit.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>

QLineTextEdit::QLineTextEdit(int lines, QWidget *parent)
    : QTextEdit(parent)
    , lines_(lines)
{
    setAcceptRichText(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    installEventFilter(this);
    connect(this, &QTextEdit::textChanged, this, &QLineTextEdit::adjustTextEditSize);
    connect(this, &QTextEdit::textChanged, this, [this] {
        const QString text = toPlainText();
        if (text == last_text_)
            return;
        last_text_ = text;
        Q_EMIT plain_text_changed();
    });
    adjustTextEditSize();
}

QLineTextEdit::~QLineTextEdit() = default;

QSize QLineTextEdit::sizeHint() const
{
    return QSize(QTextEdit::sizeHint().width(), height());
}

void QLineTextEdit::adjustTextEditSize()
{
    const int text = int(document()->documentLayout()->documentSize().height());
    const int lines = lines_ * fontMetrics().lineSpacing() + int(2 * document()->documentMargin());
    int h = std::max(text, lines) + 2 * frameWidth();
    if (height_cap_ > 0)
        h = std::min(h, height_cap_);
    setFixedHeight(h);
}

void QLineTextEdit::cap_height(int pixels)
{
    height_cap_ = pixels;
    adjustTextEditSize();
}

void QLineTextEdit::changeEvent(QEvent *event)
{
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        // A new style sheet brings the font before the frame width; the
        // height needs the frame the style gives now.
        setFrameStyle(frameStyle());
        adjustTextEditSize();
    }
}

bool QLineTextEdit::eventFilter(QObject *watched, QEvent *event)
{
    // A condition is one logical line: Return must not split it.
    if (watched == this && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QTextEdit::eventFilter(watched, event);
}
