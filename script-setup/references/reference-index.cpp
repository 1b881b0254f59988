#include "script-setup/references/reference-index.h"

#include "plugin/module-state.h"
#include "qt4-setup/src/dir-tracker.h"
#include "script-setup/wizard/dava-dodazi-receiver.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QCoreApplication>
#include <list>

namespace references {
namespace {

typedef std::list<std::pair<Rizurividuvez::Dir *, boost::shared_ptr<ReferenceIndex>>> Registry;

// A few servers' indexes stay alive between pages, so that going from page
// to page does not read the server again; the oldest goes first.
const size_t kept_servers = 4;

Registry *kept = nullptr;

// Released with the application, while Qt objects may still go; or by
// forget_all when the plug-in is unloaded first (nothing of the plug-in may
// stay registered with Qt after that).
void release_registry()
{
    Registry *gone = kept;
    kept = nullptr;
    delete gone;
}

Registry &registry()
{
    if (!kept) {
        kept = new Registry;
        qAddPostRoutine(release_registry);
    }
    return *kept;
}

Settings child_of(const Settings &folder, const QString &name)
{
    if (!folder)
        return Settings();
    try {
        FolderLock guard(folder);
        return folder->subdir(to_utf8(name), 0);
    } catch (const std::exception &e) {
        VX_LOG(logging_facility::FAILURE, "GUI: cannot read references: %s\n", e.what());
    }
    return Settings();
}

} // namespace

boost::shared_ptr<ReferenceIndex> ReferenceIndex::of_server(const Settings &server_root)
{
    Registry &r = registry();
    for (auto it = r.begin(); it != r.end(); ++it)
        if (it->first == server_root.get()) {
            r.splice(r.begin(), r, it);
            return it->second;
        }
    boost::shared_ptr<ReferenceIndex> index(new ReferenceIndex(server_root));
    r.emplace_front(server_root.get(), index);
    if (r.size() > kept_servers)
        r.pop_back();
    index->build();
    return index;
}

void ReferenceIndex::forget_all()
{
    if (!kept)
        return;
    qRemovePostRoutine(release_registry);
    release_registry();
}

ReferenceIndex::ReferenceIndex(const Settings &server_root)
    : server_root_(server_root)
{}

ReferenceIndex::~ReferenceIndex()
{
    if (receiver_)
        receiver_->detach();
}

// Objects and sounds resolve against the rule-wizard service's lists, which
// one receiver per index takes for every page of the server.
void ReferenceIndex::listen_to_services()
{
    Rizurividuvez::HostRoot *host = module_state::host();
    if (!host || contents_.server_name.empty())
        return;
    receiver_ = DavaDodaziServiceReceiverImp::create(contents_.server_name, false);
    connect(receiver_.get(), &DavaDodaziServiceReceiverImp::objects_list_changed, this,
            &ReferenceIndex::objects_listed, Qt::QueuedConnection);
    connect(receiver_.get(), &DavaDodaziServiceReceiverImp::sounds_list_changed, this,
            &ReferenceIndex::sounds_listed, Qt::QueuedConnection);
    host->register_consumer(receiver_);
}

void ReferenceIndex::objects_listed()
{
    std::vector<Rizurividuvez::ObjectRecord> objects;
    receiver_->take_objects(objects);
    if (objects.empty())
        return; // nothing known rather than everything gone
    std::set<std::string> names;
    for (const Rizurividuvez::ObjectRecord &o : objects)
        names.insert(o.name);
    set_objects(names);
}

void ReferenceIndex::sounds_listed()
{
    std::vector<std::string> sounds;
    receiver_->take_sounds(sounds);
    if (sounds.empty())
        return;
    set_sounds(std::set<std::string>(sounds.begin(), sounds.end()));
}

void ReferenceIndex::build()
{
    contents_ = read_server(server_root_);
    if (contents_.scripts)
        try {
            scripts_path_ = contents_.scripts->path();
        } catch (const std::exception &e) {
            VX_LOG(logging_facility::FAILURE, "GUI: cannot read references: %s\n", e.what());
        }
    for (const auto &o : contents_.object_folders)
        track_object(o.first, o.second);
    contents_.object_folders.clear();
    follow("ReferenceIndex", contents_.scripts, &ReferenceIndex::object_added,
           &ReferenceIndex::object_removed);
    follow("ReferenceIndex", contents_.channels, &ReferenceIndex::channel_added,
           &ReferenceIndex::channel_removed);
    follow("ReferenceIndex", contents_.templates, &ReferenceIndex::template_added,
           &ReferenceIndex::template_removed);
    targets_ = targets_of(contents_, server_root_);
    // From here on the channels and templates are kept in the targets only.
    contents_.live_channels.clear();
    contents_.templates_read.clear();
    listen_to_services();
    Q_EMIT changed();
}

void ReferenceIndex::follow(const char *name, const Settings &folder,
                            void (ReferenceIndex::*added)(const QString &),
                            void (ReferenceIndex::*removed)(const QString &))
{
    if (!folder)
        return;
    auto tracker = QDirTracker::create(name, folder);
    connect(
        tracker.get(), qOverload<QString, QString>(&QDirTracker::subdir_added), this,
        [this, added](QString, QString child) { (this->*added)(child); }, Qt::QueuedConnection);
    connect(
        tracker.get(), qOverload<QString, QString>(&QDirTracker::subdir_removed), this,
        [this, removed](QString, QString child) { (this->*removed)(child); }, Qt::QueuedConnection);
    tracker->subscribe(Rizurividuvez::Dir::SUBDIRS);
    folder_trackers_.push_back(tracker);
}

void ReferenceIndex::track_object(const std::string &guid, const Settings &folder)
{
    if (!folder)
        return;
    auto tracker = QDirTracker::create("ReferenceIndex", folder);
    connect(
        tracker.get(), qOverload<QString>(&QDirTracker::values_changed), this,
        [this, guid](QString) { object_changed(guid); }, Qt::QueuedConnection);
    object_folders_[guid] = folder;
    tracker->subscribe(Rizurividuvez::Dir::OWN_VALUES);
    object_trackers_[guid] = tracker;
}

void ReferenceIndex::object_added(const QString &child)
{
    const std::string guid = to_utf8(child);
    // A fresh subscription reports every folder that was already read.
    if (!contents_.scripts_children.insert(guid).second)
        return;
    const Settings folder = child_of(contents_.scripts, child);
    Referrer r;
    if (!read_object(folder, contents_.server_name, &r))
        return;
    contents_.objects[guid] = r;
    track_object(guid, folder);
    retarget();
}

// A save writes key after key, each notified: the folder is read again once,
// after the last of them.
void ReferenceIndex::object_changed(const std::string &guid)
{
    if (changed_objects_.empty())
        QMetaObject::invokeMethod(this, &ReferenceIndex::read_changed_objects,
                                  Qt::QueuedConnection);
    changed_objects_.insert(guid);
}

void ReferenceIndex::read_changed_objects()
{
    bool any = false;
    for (const std::string &guid : changed_objects_) {
        const auto folder = object_folders_.find(guid);
        Referrer r;
        if (folder == object_folders_.end() ||
            !read_object(folder->second, contents_.server_name, &r))
            continue;
        const Referrer &was = contents_.objects[guid];
        if (was.name == r.name && was.type == r.type && was.references == r.references)
            continue;
        contents_.objects[guid] = r;
        any = true;
    }
    changed_objects_.clear();
    if (any)
        retarget();
}

void ReferenceIndex::object_removed(const QString &child)
{
    const std::string guid = to_utf8(child);
    contents_.scripts_children.erase(guid);
    object_trackers_.erase(guid);
    object_folders_.erase(guid);
    if (contents_.objects.erase(guid))
        retarget();
}

void ReferenceIndex::channel_added(const QString &child)
{
    const std::string guid = to_utf8(child);
    if (targets_.channel_guids.count(guid))
        return;
    const Settings folder = child_of(contents_.channels, child);
    bool alive = false;
    if (folder && read_channel(folder, &alive) && alive) {
        targets_.channel_guids.insert(guid);
        Q_EMIT changed();
    }
}

void ReferenceIndex::channel_removed(const QString &child)
{
    if (targets_.channel_guids.erase(to_utf8(child)))
        Q_EMIT changed();
}

void ReferenceIndex::template_added(const QString &child)
{
    if (targets_.template_guids.insert(to_utf8(child)).second)
        Q_EMIT changed();
}

void ReferenceIndex::template_removed(const QString &child)
{
    if (targets_.template_guids.erase(to_utf8(child)))
        Q_EMIT changed();
}

// Schedules and accounts are few: they are listed again from the objects.
void ReferenceIndex::retarget()
{
    list_schedules_and_accounts(contents_.objects, &targets_);
    Q_EMIT changed();
}

void ReferenceIndex::set_objects(const std::set<std::string> &names)
{
    if (targets_.objects_known && targets_.object_names == names)
        return;
    targets_.objects_known = true;
    targets_.object_names = names;
    Q_EMIT changed();
}

void ReferenceIndex::set_sounds(const std::set<std::string> &sounds)
{
    if (targets_.sounds_known && targets_.sounds == sounds)
        return;
    targets_.sounds_known = true;
    targets_.sounds = sounds;
    Q_EMIT changed();
}

std::vector<const Referrer *> ReferenceIndex::referrers() const
{
    std::vector<const Referrer *> out;
    out.reserve(contents_.objects.size());
    for (const auto &o : contents_.objects)
        out.push_back(&o.second);
    return out;
}

const Referrer *ReferenceIndex::find(const std::string &guid) const
{
    const auto it = contents_.objects.find(guid);
    return it == contents_.objects.end() ? nullptr : &it->second;
}

std::vector<Broken> ReferenceIndex::broken() const
{
    return broken_references(referrers(), targets_);
}

std::vector<Broken> ReferenceIndex::broken_of(const std::string &guid) const
{
    const Referrer *r = find(guid);
    return r ? broken_references({r}, targets_) : std::vector<Broken>();
}

std::vector<const Referrer *> ReferenceIndex::users_of(Kind kind, const std::string &value) const
{
    return references::users_of(referrers(), kind, value);
}

} // namespace references
