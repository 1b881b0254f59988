#pragma once
// Stands in for the host's navigator: records every folder a page asks to open.

#include <QObject>
#include <QStringList>

class RecordingNavigator : public QObject
{
    Q_OBJECT
public:
    QStringList paths;

public Q_SLOTS:
    void cd_slot(QString path) { paths << path; }
};
