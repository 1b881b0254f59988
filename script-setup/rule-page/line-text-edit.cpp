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
    adjustTextEditSize();
}

QLineTextEdit::~QLineTextEdit() = default;

QSize QLineTextEdit::sizeHint() const
{
    return QSize(QTextEdit::sizeHint().width(), height());
}

void QLineTextEdit::adjustTextEditSize()
{
    const int line = fontMetrics().lineSpacing();
    const int text = int(document()->documentLayout()->documentSize().height());
    const int margins = 2 * frameWidth() + int(2 * document()->documentMargin());
    const int h =
        std::max(text, lines_ * line + int(2 * document()->documentMargin())) + 2 * frameWidth();
    setFixedHeight(std::max(h, lines_ * line + margins));
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
