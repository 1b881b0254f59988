#pragma once
// An objects service for the in-memory host. Like a server's, it delivers the
// lists from a thread of its own; wait_idle lets a test catch up with it.

#include "plugin/objects-service.h"

#include <boost/weak_ptr.hpp>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace memory_host {

class MemoryObjectsService : public Rizurividuvez::ObjectsService
{
public:
    MemoryObjectsService();
    ~MemoryObjectsService() override;

    std::string service_name() override { return service_type(); }
    void watch_objects(boost::shared_ptr<Rizurividuvez::ObjectsListener> listener) override;

    // Replaces the server's objects and delivers the list to every listener.
    void set_objects(const std::vector<Rizurividuvez::ObjectInfo> &objects);
    // Blocks until every delivery asked for so far has been made.
    void wait_idle();
    long deliveries() const;
    int listeners() const; // those still alive

private:
    struct Job
    {
        boost::weak_ptr<Rizurividuvez::ObjectsListener> listener;
        std::vector<Rizurividuvez::ObjectInfo> objects;
    };

    void run();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool stopping_ = false;
    long deliveries_ = 0;
    std::vector<Rizurividuvez::ObjectInfo> objects_;
    std::vector<boost::weak_ptr<Rizurividuvez::ObjectsListener>> listeners_;
    std::thread worker_;
};

} // namespace memory_host
