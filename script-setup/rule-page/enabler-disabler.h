#pragma once
// Switches a group of controls at once, driven by a combo box or check box.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

class EnablerDisabler : public QObject
{
    Q_OBJECT
public:
    explicit EnablerDisabler(QObject *parent = nullptr)
        : QObject(parent)
    {}
    void add(QWidget *w) { widgets_.push_back(w); }

public Q_SLOTS:
    void set_enabled(bool on)
    {
        for (const QPointer<QWidget> &w : widgets_)
            if (w)
                w->setEnabled(on);
    }
    void set_enabled(int on) { set_enabled(on != 0); }
    void set_disabled(int off) { set_enabled(off == 0); }
    void set_enabled(const QString &text) { set_enabled(!text.isEmpty()); }

private:
    std::vector<QPointer<QWidget>> widgets_;
};
