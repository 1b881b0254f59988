#include "memory-host/objects-service.h"

#include <algorithm>

namespace memory_host {

using Rizurividuvez::ObjectInfo;
using Rizurividuvez::ObjectsListener;

MemoryObjectsService::MemoryObjectsService()
    : worker_([this] { run(); })
{}

MemoryObjectsService::~MemoryObjectsService()
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void MemoryObjectsService::watch_objects(boost::shared_ptr<ObjectsListener> listener)
{
    if (!listener)
        return;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        listeners_.push_back(listener);
        jobs_.push_back(Job{listener, objects_});
    }
    wake_.notify_all();
}

void MemoryObjectsService::set_objects(const std::vector<ObjectInfo> &objects)
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        objects_ = objects;
        listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                        [](const auto &l) { return l.expired(); }),
                         listeners_.end());
        for (const auto &listener : listeners_)
            jobs_.push_back(Job{listener, objects_});
    }
    wake_.notify_all();
}

void MemoryObjectsService::wait_idle()
{
    std::unique_lock<std::mutex> guard(mutex_);
    idle_.wait(guard, [this] { return jobs_.empty() && !busy_; });
}

long MemoryObjectsService::deliveries() const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return deliveries_;
}

int MemoryObjectsService::listeners() const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return static_cast<int>(std::count_if(listeners_.begin(), listeners_.end(),
                                          [](const auto &l) { return !l.expired(); }));
}

void MemoryObjectsService::run()
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
        // The listener is called without the service's lock, as a server's
        // service would: it may take its own lock and emit signals.
        bool delivered = false;
        if (boost::shared_ptr<ObjectsListener> listener = job.listener.lock()) {
            listener->objects_listed(job.objects);
            delivered = true;
        }
        guard.lock();
        busy_ = false;
        if (delivered)
            ++deliveries_;
        if (jobs_.empty())
            idle_.notify_all();
    }
    busy_ = false;
    idle_.notify_all();
}

} // namespace memory_host
