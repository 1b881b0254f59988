#include "script-setup/loop/shortcut-filter.h"

#include "script-setup/page-support.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

ShortcutEventFilter::ShortcutEventFilter(QObject *parent)
    : QObject(parent)
{}

ShortcutEventFilter::~ShortcutEventFilter() = default;

QString ShortcutEventFilter::shortcut_text(int key, Qt::KeyboardModifiers modifiers)
{
    const QString text =
        QKeySequence(key | static_cast<int>(modifiers)).toString(QKeySequence::NativeText);
    // A lone "F" is the letter, not a function key.
    if (text.contains(QLatin1Char('F'), Qt::CaseSensitive) && text.size() > 1)
        return text;
    return QString();
}

bool ShortcutEventFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched)
        return true;
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    // Keys that can never be a shortcut keep their usual job.
    if (page_support::passes_capture(key))
        return false;
    const QString text = shortcut_text(key->key(), key->modifiers());
    if (!text.isEmpty())
        if (auto *edit = qobject_cast<QLineEdit *>(watched))
            edit->setText(text);
    return true;
}
