#pragma once
// Deleter for a QObject held by shared references that other threads share:
// the last reference may go on a service thread, but a QObject is destroyed
// in its own thread.

#include <QObject>
#include <QThread>

struct DeleteInOwnThread
{
    void operator()(QObject *object) const
    {
        if (!object)
            return;
        if (object->thread() == QThread::currentThread())
            delete object;
        else
            object->deleteLater();
    }
};
