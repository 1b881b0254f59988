#include "memory-host/catalogue-service.h"

#include <algorithm>

namespace memory_host {

using namespace Rizurividuvez;

Catalogue demo_catalogue(const std::string &server_name)
{
    Catalogue c;
    c.classes = {
        {"Camera",
         {{"move", {{"x", ARGUMENT_INTEGER}, {"y", ARGUMENT_INTEGER}}},
          {"goto_preset", {{"preset", ARGUMENT_STRING}}},
          {"set_zoom", {{"factor", ARGUMENT_REAL}}},
          {"reboot", {}}},
         {{"signal", {"Lost", "Present"}}, {"recording", {"Off", "On"}}},
         {"Motion", "MotionEnd", "SignalLost", "SignalRestored"}},
        {"Detector",
         {{"arm", {}}, {"disarm", {}}},
         {{"armed", {"No", "Yes"}}, {"state", {"Alarm", "Normal"}}},
         {"Motion", "MotionEnd", "Armed", "Disarmed"}},
        {"Display",
         {{"show_template", {{"template", ARGUMENT_STRING}, {"monitor", ARGUMENT_INTEGER}}}},
         {{"power", {"Off", "On"}}},
         {"Attached", "Detached"}},
        {"Server", {{"restart", {}}}, {{"online", {"No", "Yes"}}}, {"SignalLost"}},
    };
    c.objects = {
        {"{srv}", server_name, "Server", server_name},
        {"{cam-1}", "Cam 1", "Camera", "{srv}"},
        {"{cam-2}", "Cam 2", "Camera", "{srv}"},
        {"{cam-3}", "Parking", "Camera", "{srv}"},
        {"{det-1}", "Door sensor", "Detector", "{cam-1}"},
        {"{disp-1}", "Wall monitor", "Display", "{srv}"},
    };
    return c;
}

MemoryCatalogueService::MemoryCatalogueService(const Catalogue &catalogue)
    : catalogue_(catalogue)
    , worker_([this] { run(); })
{}

MemoryCatalogueService::~MemoryCatalogueService()
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void MemoryCatalogueService::watch_catalogue(boost::shared_ptr<CatalogueListener> listener)
{
    if (!listener)
        return;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        listeners_.push_back(listener);
        jobs_.push_back(Job{listener, catalogue_});
    }
    wake_.notify_all();
}

void MemoryCatalogueService::set_catalogue(const Catalogue &catalogue)
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        catalogue_ = catalogue;
        listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                        [](const auto &l) { return l.expired(); }),
                         listeners_.end());
        for (const auto &listener : listeners_)
            jobs_.push_back(Job{listener, catalogue_});
    }
    wake_.notify_all();
}

void MemoryCatalogueService::wait_idle()
{
    std::unique_lock<std::mutex> guard(mutex_);
    idle_.wait(guard, [this] { return jobs_.empty() && !busy_; });
}

long MemoryCatalogueService::deliveries() const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return deliveries_;
}

void MemoryCatalogueService::run()
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
        if (boost::shared_ptr<CatalogueListener> listener = job.listener.lock()) {
            listener->catalogue_listed(job.catalogue);
            listener.reset();
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
