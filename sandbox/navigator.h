#pragma once
// The host's navigator as pages see it: the slot cd_slot(QString) asks the
// host to select and open the folder of that path.

#include <QObject>
#include <QString>

namespace sandbox {

class Navigator : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

public Q_SLOTS:
    void cd_slot(QString path) { Q_EMIT open_requested(path); }

Q_SIGNALS:
    void open_requested(QString path);
};

} // namespace sandbox
