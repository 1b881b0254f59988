#pragma once
// "Used by:" with one link per rule or loop that refers to the page's own
// object; a click asks the host to open that folder. Hidden while nothing
// refers to the object. Follows the server's folders while the page is open.

#include "plugin/rizurividuvez.h"
#include "script-setup/references/references.h"

#include "qt4-pavo7/reusable/link-label.h"

#include <QLabel>
#include <QStringList>

namespace references {

class ReferenceIndex;

class UsedByLinks : public Reusable::QLinkLabel
{
    Q_OBJECT
public:
    // kind says how users name the object: SCHEDULE by its "name",
    // EMAIL_ACCOUNT and TEMPLATE by its folder name. caption is the page's
    // translated "Used by:".
    UsedByLinks(QObject *navigator, const Settings &folder, const Settings &server_root, Kind kind,
                const QString &caption, QWidget *parent);
    ~UsedByLinks() override;

    // The users' names, in folder order.
    QStringList user_names() const;
    // The page's translated delete question for the object called `name`:
    // `unused` with %1 the name; `one` or `many` with %2 the users' names
    // (`many` also %3, their count).
    QString delete_question(const QString &name, const QString &unused, const QString &one,
                            const QString &many) const;

Q_SIGNALS:
    void cd_to_parent(QString path);

private:
    std::vector<const Referrer *> users() const;
    void refresh();

    Kind kind_;
    QString caption_;
    std::string guid_;
    boost::shared_ptr<ReferenceIndex> index_;
};

// The rules and loops with a reference that leads nowhere, for the scripts
// folder page: its translated caption for one of them and for %1 of them,
// then one link each. Hidden while nothing is broken.
class BrokenLinks : public Reusable::QLinkLabel
{
    Q_OBJECT
public:
    BrokenLinks(const Settings &server_root, const QString &one, const QString &many,
                QWidget *parent);
    ~BrokenLinks() override;

Q_SIGNALS:
    // The folder path of the link clicked.
    void open_folder(QString path);

private:
    void refresh();

    QString one_;
    QString many_;
    boost::shared_ptr<ReferenceIndex> index_;
};

} // namespace references
