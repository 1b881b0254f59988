#pragma once
// The files an e-mail row can attach: one check box per export, screenshot
// or report row above it, keyed by that row's action name.

#include <QCheckBox>
#include <QStringList>
#include <QWidget>
#include <list>
#include <string>

class QGridWidget;
class QVBoxLayout;

class FileAttachment : public QCheckBox
{
    Q_OBJECT
public:
    FileAttachment(const QString &action_name, QWidget *parent);
    QString action_name() const { return objectName(); }
    int row = -1; // of the action that produces the file, as last seen

public Q_SLOTS:
    void update(QString new_text);
};

class AttachmentsList : public QWidget
{
    Q_OBJECT
public:
    AttachmentsList(QGridWidget *actions, QWidget *parent);
    ~AttachmentsList() override;

    // The entries' action names in row order, checked or not.
    QStringList entries() const;

public Q_SLOTS:
    void update(bool force = false);
    void sort_attachments();
    std::list<std::string> checked_files() const;
    void set_cheched_files(const QStringList &checked);

Q_SIGNALS:
    void selected_files_changed();

private:
    QGridWidget *actions_;
    QVBoxLayout *box_;
    QStringList pending_; // checked names whose rows are not built yet
};
