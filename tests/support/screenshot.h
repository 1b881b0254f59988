#pragma once
// Saves a picture of a widget when VX_SCREENSHOT_DIR is set, so that a page
// can be looked at after a test run: VX_SCREENSHOT_DIR=/tmp/shots ctest ...

#include <QDir>
#include <QWidget>

inline void save_screenshot(QWidget *widget, const QString &name)
{
    const QString dir = qEnvironmentVariable("VX_SCREENSHOT_DIR");
    if (dir.isEmpty() || !widget)
        return;
    QDir().mkpath(dir);
    widget->grab().save(dir + "/" + name + ".png");
}
