#include "script-setup/objects-list-receiver.h"

#include "utils/logging.h"

#include <QThread>
#include <algorithm>

using Rizurividuvez::ObjectInfo;

namespace {

bool same_objects(const std::vector<ObjectInfo> &a, const std::vector<ObjectInfo> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const ObjectInfo &x, const ObjectInfo &y) {
                          return x.guid == y.guid && x.class_name == y.class_name &&
                                 x.parent_guid == y.parent_guid && x.name == y.name;
                      });
}

} // namespace

ObjectsListReceiver::ObjectsListReceiver(const std::string &server_name,
                                         const std::string &class_name)
    : server_name_(server_name)
    , class_name_(class_name)
{}

ObjectsListReceiver::~ObjectsListReceiver() = default;

boost::shared_ptr<ObjectsListReceiver> ObjectsListReceiver::create(const std::string &server_name,
                                                                   const std::string &class_name)
{
    // The last reference may go on a service thread; a QObject must only be
    // deleted on its own thread.
    boost::shared_ptr<ObjectsListReceiver> receiver(
        new ObjectsListReceiver(server_name, class_name), [](ObjectsListReceiver *r) {
            if (QThread::currentThread() == r->thread())
                delete r;
            else
                r->deleteLater();
        });
    receiver->self_ = receiver;
    return receiver;
}

std::string ObjectsListReceiver::consumer_service_name()
{
    return Rizurividuvez::ObjectsService::service_type();
}

void ObjectsListReceiver::service_connected(
    boost::shared_ptr<Rizurividuvez::ServiceInterface> service, bool swap)
{
    boost::shared_ptr<Rizurividuvez::ObjectsService> objects =
        boost::dynamic_pointer_cast<Rizurividuvez::ObjectsService>(service);
    if (!objects) {
        VX_LOG(2, "ObjectListReceiver: invalid service\n");
        return;
    }
    {
        boost::lock_guard<boost::mutex> guard(mutex_);
        service_ = objects;
        swap_ = swap;
    }
    if (boost::shared_ptr<ObjectsListReceiver> self = self_.lock())
        objects->watch_objects(self);
}

void ObjectsListReceiver::service_dropped()
{
    // What the server reported stays: the page keeps the object it found.
    boost::lock_guard<boost::mutex> guard(mutex_);
    service_.reset();
}

void ObjectsListReceiver::objects_listed(std::vector<ObjectInfo> &objects)
{
    const auto foreign = [this](const ObjectInfo &o) {
        return o.class_name != class_name_ || o.parent_guid != server_name_;
    };
    std::vector<ObjectInfo> matching;
    bool changed = false;
    {
        boost::lock_guard<boost::mutex> guard(mutex_);
        if (swap_) {
            objects.erase(std::remove_if(objects.begin(), objects.end(), foreign), objects.end());
            matching.swap(objects);
        } else {
            std::remove_copy_if(objects.begin(), objects.end(), std::back_inserter(matching),
                                foreign);
        }
        if (!same_objects(matching, objects_)) {
            objects_.swap(matching);
            changed = true;
        }
    }
    if (changed)
        Q_EMIT objects_changed();
}
