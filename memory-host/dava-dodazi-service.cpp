#include "memory-host/dava-dodazi-service.h"

#include <algorithm>

namespace memory_host {

using namespace Rizurividuvez;

WizardLists demo_wizard_lists(const std::string &server_name)
{
    WizardLists lists;
    lists.event_types = {
        {1, "Motion", {"zone", "level"}},
        {2, "MotionEnd", {"zone"}},
        {3, "SignalLost", {}},
        {4, "SignalRestored", {}},
        {5, "Attached", {"channel"}},
        {6, "Detached", {"channel"}},
        {7, "Armed", {"user"}},
        {8, "Disarmed", {"user"}},
        {9, "ScheduleStarted", {"name", "color", "previous"}},
    };
    lists.classes = {
        {"Camera", {1, 2, 3, 4}}, {"Detector", {1, 2, 7, 8}}, {"Display", {5, 6}},
        {"Schedule", {9}},        {"Server", {3, 4}},
    };
    lists.objects = {
        {"{cam-1}", server_name, "Camera", "Cam 1"},
        {"{cam-2}", server_name, "Camera", "Cam 2"},
        {"{cam-3}", server_name, "Camera", "Parking"},
        {"{det-1}", server_name, "Detector", "Door sensor"},
        {"{disp-1}", server_name, "Display", "Wall monitor"},
        {"{sch-1}", server_name + "S", "Schedule", "Office hours"},
        {"{sch-2}", server_name + "S", "Schedule", "Night"},
    };
    lists.sounds = {"alarm.wav", "bell.wav", "door.wav"};
    return lists;
}

MemoryDavaDodaziService::MemoryDavaDodaziService(const WizardLists &lists)
    : lists_(lists)
    , worker_([this] { run(); })
{}

MemoryDavaDodaziService::~MemoryDavaDodaziService()
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

// Called with the mutex held.
void MemoryDavaDodaziService::queue(const Subscriber &to, Kind kind)
{
    Job job{to, kind, WizardLists()};
    switch (kind) {
    case CLASSES_AND_OBJECTS:
        job.lists.classes = lists_.classes;
        if (!to.dialog_mode)
            job.lists.objects = lists_.objects;
        break;
    case EVENT_TYPES:
        job.lists.event_types = lists_.event_types;
        break;
    case SOUNDS:
        if (to.dialog_mode)
            return;
        job.lists.sounds = lists_.sounds;
        break;
    }
    jobs_.push_back(std::move(job));
}

void MemoryDavaDodaziService::subscribe(boost::shared_ptr<DavaDodaziServiceReceiver> receiver,
                                        bool dialog_mode)
{
    if (!receiver)
        return;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        Subscriber to{receiver, receiver.get(), dialog_mode};
        subscribers_.push_back(to);
        queue(to, EVENT_TYPES);
        queue(to, CLASSES_AND_OBJECTS);
        queue(to, SOUNDS);
    }
    wake_.notify_all();
}

void MemoryDavaDodaziService::unsubscribe(DavaDodaziServiceReceiver *receiver)
{
    std::lock_guard<std::mutex> guard(mutex_);
    auto of_receiver = [receiver](const Subscriber &s) {
        return s.key == receiver;
    };
    subscribers_.erase(std::remove_if(subscribers_.begin(), subscribers_.end(), of_receiver),
                       subscribers_.end());
    jobs_.erase(std::remove_if(jobs_.begin(), jobs_.end(),
                               [&](const Job &job) { return of_receiver(job.to); }),
                jobs_.end());
    if (jobs_.empty() && !busy_)
        idle_.notify_all();
}

void MemoryDavaDodaziService::set_classes_and_objects(const std::vector<ObjectClass> &classes,
                                                      const std::vector<ObjectRecord> &objects)
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        lists_.classes = classes;
        lists_.objects = objects;
        for (const auto &to : subscribers_)
            queue(to, CLASSES_AND_OBJECTS);
    }
    wake_.notify_all();
}

void MemoryDavaDodaziService::set_event_types(const std::vector<EventType> &event_types)
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        lists_.event_types = event_types;
        for (const auto &to : subscribers_)
            queue(to, EVENT_TYPES);
    }
    wake_.notify_all();
}

void MemoryDavaDodaziService::set_sounds(const std::vector<std::string> &sounds)
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        lists_.sounds = sounds;
        for (const auto &to : subscribers_)
            queue(to, SOUNDS);
    }
    wake_.notify_all();
}

void MemoryDavaDodaziService::wait_idle()
{
    std::unique_lock<std::mutex> guard(mutex_);
    idle_.wait(guard, [this] { return jobs_.empty() && !busy_; });
}

long MemoryDavaDodaziService::deliveries() const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return deliveries_;
}

int MemoryDavaDodaziService::subscribers() const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return static_cast<int>(std::count_if(subscribers_.begin(), subscribers_.end(),
                                          [](const auto &s) { return !s.receiver.expired(); }));
}

void MemoryDavaDodaziService::run()
{
    std::unique_lock<std::mutex> guard(mutex_);
    for (;;) {
        wake_.wait(guard, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_)
            break;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        guard.unlock();
        // Without the service's lock, as a server's service would call: the
        // receiver takes its own lock and emits signals.
        if (boost::shared_ptr<DavaDodaziServiceReceiver> receiver = job.to.receiver.lock()) {
            switch (job.kind) {
            case CLASSES_AND_OBJECTS:
                receiver->classes_and_objects_listed(job.lists.classes, job.lists.objects);
                break;
            case EVENT_TYPES:
                receiver->event_types_listed(job.lists.event_types);
                break;
            case SOUNDS:
                receiver->sounds_listed(job.lists.sounds);
                break;
            }
            receiver.reset();
        }
        job = Job();
        guard.lock();
        busy_ = false;
        ++deliveries_;
        if (jobs_.empty())
            idle_.notify_all();
    }
    busy_ = false;
    idle_.notify_all();
}

} // namespace memory_host
