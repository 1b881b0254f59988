#pragma once
// Captures a function-key combination into the loop's shortcut field: a key
// press replaces the text with its key sequence when that names an F key,
// and nothing can be typed into the field by hand.

#include <QObject>

class ShortcutEventFilter : public QObject
{
    Q_OBJECT
public:
    explicit ShortcutEventFilter(QObject *parent = nullptr);
    ~ShortcutEventFilter() override;

    bool eventFilter(QObject *watched, QEvent *event) override;

    // The text a key press gives, or an empty text when it is refused.
    static QString shortcut_text(int key, Qt::KeyboardModifiers modifiers);
};
