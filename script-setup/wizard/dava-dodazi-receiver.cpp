#include "script-setup/wizard/dava-dodazi-receiver.h"

#include "utils/logging.h"
#include "utils/thread-safe-deleter.h"

using namespace Rizurividuvez;

DavaDodaziServiceReceiverImp::DavaDodaziServiceReceiverImp(const std::string &server_name,
                                                           bool dialog_mode)
    : server_name_(server_name)
    , service_name_(DavaDodaziService::service_type())
    , dialog_mode_(dialog_mode)
{}

DavaDodaziServiceReceiverImp::~DavaDodaziServiceReceiverImp() = default;

DavaDodaziServiceReceiverImp::Ptr
DavaDodaziServiceReceiverImp::create(const std::string &server_name, bool dialog_mode)
{
    return Ptr(new DavaDodaziServiceReceiverImp(server_name, dialog_mode), DeleteInOwnThread());
}

void DavaDodaziServiceReceiverImp::service_connected(boost::shared_ptr<ServiceInterface> service,
                                                     bool swap)
{
    auto wizard = boost::dynamic_pointer_cast<DavaDodaziService>(service);
    if (!wizard) {
        VX_LOG(logging_facility::FAILURE, "DavaDodaziService: invalid service\n");
        return;
    }
    {
        boost::mutex::scoped_lock guard(mutex_);
        service_ = wizard;
        stopped_ = false;
        swap_ = swap;
    }
    // Outside the lock: a service may deliver from inside subscribe.
    wizard->subscribe(shared_from_this(), dialog_mode_);
}

void DavaDodaziServiceReceiverImp::service_dropped()
{
    boost::shared_ptr<DavaDodaziService> dropped;
    boost::mutex::scoped_lock guard(mutex_);
    dropped.swap(service_);
}

void DavaDodaziServiceReceiverImp::detach()
{
    boost::shared_ptr<DavaDodaziService> service;
    {
        boost::mutex::scoped_lock guard(mutex_);
        stopped_ = true;
        service.swap(service_);
    }
    if (service)
        service->unsubscribe(this);
}

bool DavaDodaziServiceReceiverImp::connected() const
{
    boost::mutex::scoped_lock guard(mutex_);
    return service_ && !stopped_;
}

// Called with the lock held; false when the delivery is to be ignored.
template <typename T>
bool DavaDodaziServiceReceiverImp::take(std::vector<T> &incoming, std::vector<T> &kept)
{
    if (stopped_)
        return false;
    if (swap_)
        kept.swap(incoming);
    else
        kept = incoming;
    return true;
}

void DavaDodaziServiceReceiverImp::classes_and_objects_listed(std::vector<ObjectClass> &classes,
                                                              std::vector<ObjectRecord> &objects)
{
    {
        boost::mutex::scoped_lock guard(mutex_);
        if (!take(classes, classes_) || !take(objects, objects_))
            return;
    }
    Q_EMIT objects_list_changed();
}

void DavaDodaziServiceReceiverImp::event_types_listed(std::vector<EventType> &event_types)
{
    {
        boost::mutex::scoped_lock guard(mutex_);
        if (!take(event_types, event_types_))
            return;
    }
    Q_EMIT events_list_changed();
}

void DavaDodaziServiceReceiverImp::sounds_listed(std::vector<std::string> &sounds)
{
    {
        boost::mutex::scoped_lock guard(mutex_);
        if (!take(sounds, sounds_))
            return;
    }
    Q_EMIT sounds_list_changed();
}

namespace {

template <typename T> void swap_out(boost::mutex &mutex, std::vector<T> &kept, std::vector<T> &out)
{
    std::vector<T> taken;
    {
        boost::mutex::scoped_lock guard(mutex);
        taken.swap(kept);
    }
    out.swap(taken); // the caller's old list is freed outside the lock
}

} // namespace

void DavaDodaziServiceReceiverImp::take_classes_and_objects(std::vector<ObjectClass> &classes,
                                                            std::vector<ObjectRecord> &objects)
{
    std::vector<ObjectClass> taken_classes;
    std::vector<ObjectRecord> taken_objects;
    {
        boost::mutex::scoped_lock guard(mutex_);
        taken_classes.swap(classes_);
        taken_objects.swap(objects_);
    }
    classes.swap(taken_classes);
    objects.swap(taken_objects);
}

void DavaDodaziServiceReceiverImp::take_classes(std::vector<ObjectClass> &out)
{
    swap_out(mutex_, classes_, out);
}

void DavaDodaziServiceReceiverImp::take_objects(std::vector<ObjectRecord> &out)
{
    swap_out(mutex_, objects_, out);
}

void DavaDodaziServiceReceiverImp::take_event_types(std::vector<EventType> &out)
{
    swap_out(mutex_, event_types_, out);
}

void DavaDodaziServiceReceiverImp::take_sounds(std::vector<std::string> &out)
{
    swap_out(mutex_, sounds_, out);
}

std::vector<ObjectClass> DavaDodaziServiceReceiverImp::copy_classes() const
{
    boost::mutex::scoped_lock guard(mutex_);
    return classes_;
}

std::vector<ObjectRecord> DavaDodaziServiceReceiverImp::copy_objects() const
{
    boost::mutex::scoped_lock guard(mutex_);
    return objects_;
}

std::vector<EventType> DavaDodaziServiceReceiverImp::copy_event_types() const
{
    boost::mutex::scoped_lock guard(mutex_);
    return event_types_;
}

std::vector<std::string> DavaDodaziServiceReceiverImp::copy_sounds() const
{
    boost::mutex::scoped_lock guard(mutex_);
    return sounds_;
}
