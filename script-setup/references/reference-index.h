#pragma once
// Every reference of one server's rules, template loops and schedules, and
// what they resolve to. Built once per server from its folders (each read in
// one locked series) and kept current by folder notifications; it never
// writes. Pages of the same server share one index, so opening a page does
// not read the server again. GUI thread only.

#include "plugin/rizurividuvez.h"
#include "script-setup/references/server-reader.h"

#include <QObject>
#include <map>
#include <memory>
#include <vector>

class DavaDodaziServiceReceiverImp;
class QDirTracker;

namespace references {

class ReferenceIndex : public QObject
{
    Q_OBJECT
public:
    // The index of the server whose root this is, built on first use.
    static boost::shared_ptr<ReferenceIndex> of_server(const Settings &server_root);
    // Lets go of the kept indexes (pages still holding one keep theirs).
    static void forget_all();
    ~ReferenceIndex() override;

    // The objects in folder-name order.
    std::vector<const Referrer *> referrers() const;
    // Empty when the index holds no such folder.
    const Referrer *find(const std::string &guid) const;
    const Targets &targets() const { return targets_; }
    std::vector<Broken> broken() const;
    std::vector<Broken> broken_of(const std::string &guid) const;
    std::vector<const Referrer *> users_of(Kind kind, const std::string &value) const;
    // The scripts folder's path, which the pages navigate below.
    std::string scripts_path() const { return scripts_path_; }

    // The services' lists, from the first page that receives them.
    void set_objects(const std::set<std::string> &names);
    void set_sounds(const std::set<std::string> &sounds);

Q_SIGNALS:
    // Something the index holds changed; emitted on the GUI thread, where
    // the queued folder notifications arrive.
    void changed();

private:
    explicit ReferenceIndex(const Settings &server_root);
    void build();
    void track_object(const std::string &guid, const Settings &folder);
    void object_added(const QString &child);
    void object_changed(const std::string &guid);
    void read_changed_objects();
    void object_removed(const QString &child);
    void channel_added(const QString &child);
    void channel_removed(const QString &child);
    void template_added(const QString &child);
    void template_removed(const QString &child);
    void retarget();
    void listen_to_services();
    void objects_listed();
    void sounds_listed();
    void follow(const char *name, const Settings &folder,
                void (ReferenceIndex::*added)(const QString &),
                void (ReferenceIndex::*removed)(const QString &));

    Settings server_root_;
    ServerContents contents_;
    std::string scripts_path_;
    Targets targets_;
    std::vector<boost::shared_ptr<QDirTracker>> folder_trackers_;
    std::map<std::string, boost::shared_ptr<QDirTracker>> object_trackers_;
    std::map<std::string, Settings> object_folders_;
    std::set<std::string> changed_objects_;
    boost::shared_ptr<DavaDodaziServiceReceiverImp> receiver_;
};

} // namespace references
