#pragma once
// The page of the server's scripts folder: how many objects of each kind it
// holds, and a link per kind that asks the server to create a new one.

#include "plugin/rizurividuvez.h"

#include <QWidget>
#include <array>

class QDirTracker;
class QLabel;

class QSetupScriptsFolder : public QWidget
{
    Q_OBJECT
public:
    QSetupScriptsFolder(QObject *navigator, Settings folder, Settings server_root);
    ~QSetupScriptsFolder() override;

Q_SIGNALS:
    void cd_to_parent(QString path);

public Q_SLOTS:
    void link_clicked(QString link);
    void subdir_added(QString path, QString child);
    void subdir_removed(QString path, QString child);

private:
    enum Kind { SCRIPT, RULE, SCHEDULE, ACCOUNT, LOOP, KIND_COUNT };

    void track();
    void update_counts();

    QObject *navigator_;
    Settings folder_;
    Settings server_root_;
    boost::shared_ptr<QDirTracker> tracker_;
    unsigned tracker_generation_ = 0;
    std::array<int, KIND_COUNT> counts_{};
    std::array<QLabel *, KIND_COUNT> links_{};
    std::array<QLabel *, KIND_COUNT> count_labels_{};
};
