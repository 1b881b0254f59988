#pragma once
// An objects catalogue service for the in-memory host, delivering from a
// thread of its own; wait_idle lets a test catch up with it.

#include "plugin/objects-catalogue-service.h"

#include <boost/weak_ptr.hpp>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace memory_host {

// Cameras with a PTZ method and a signal state, a detector, a display.
Rizurividuvez::Catalogue demo_catalogue(const std::string &server_name = "DEMO");

class MemoryCatalogueService : public Rizurividuvez::ObjectsCatalogueService
{
public:
    explicit MemoryCatalogueService(const Rizurividuvez::Catalogue &catalogue = {});
    ~MemoryCatalogueService() override;

    std::string service_name() override { return service_type(); }
    void watch_catalogue(boost::shared_ptr<Rizurividuvez::CatalogueListener> listener) override;

    // Replaces the catalogue and delivers it to every listener.
    void set_catalogue(const Rizurividuvez::Catalogue &catalogue);
    void wait_idle();
    long deliveries() const;

private:
    struct Job
    {
        boost::weak_ptr<Rizurividuvez::CatalogueListener> listener;
        Rizurividuvez::Catalogue catalogue;
    };

    void run();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool stopping_ = false;
    long deliveries_ = 0;
    Rizurividuvez::Catalogue catalogue_;
    std::vector<boost::weak_ptr<Rizurividuvez::CatalogueListener>> listeners_;
    std::thread worker_;
};

} // namespace memory_host
