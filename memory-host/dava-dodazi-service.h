#pragma once
// A rule-wizard service for the in-memory host. Like a server's, it delivers
// from a thread of its own; wait_idle lets a test catch up with it.

#include "plugin/dava-dodazi-service.h"

#include <boost/weak_ptr.hpp>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace memory_host {

struct WizardLists
{
    std::vector<Rizurividuvez::ObjectClass> classes;
    std::vector<Rizurividuvez::ObjectRecord> objects;
    std::vector<Rizurividuvez::EventType> event_types;
    std::vector<std::string> sounds;
};

// A small server's lists: cameras, detectors, a schedule and their events.
WizardLists demo_wizard_lists(const std::string &server_name = "DEMO");

class MemoryDavaDodaziService : public Rizurividuvez::DavaDodaziService
{
public:
    explicit MemoryDavaDodaziService(const WizardLists &lists = WizardLists());
    ~MemoryDavaDodaziService() override;

    std::string service_name() override { return service_type(); }
    void subscribe(boost::shared_ptr<Rizurividuvez::DavaDodaziServiceReceiver> receiver,
                   bool dialog_mode) override;
    void unsubscribe(Rizurividuvez::DavaDodaziServiceReceiver *receiver) override;

    // Replace a list and deliver it to every subscriber.
    void set_classes_and_objects(const std::vector<Rizurividuvez::ObjectClass> &classes,
                                 const std::vector<Rizurividuvez::ObjectRecord> &objects);
    void set_event_types(const std::vector<Rizurividuvez::EventType> &event_types);
    void set_sounds(const std::vector<std::string> &sounds);

    // Blocks until every delivery asked for so far has been made.
    void wait_idle();
    long deliveries() const;
    int subscribers() const; // those still alive

private:
    enum Kind { CLASSES_AND_OBJECTS, EVENT_TYPES, SOUNDS };
    struct Subscriber
    {
        boost::weak_ptr<Rizurividuvez::DavaDodaziServiceReceiver> receiver;
        Rizurividuvez::DavaDodaziServiceReceiver *key;
        bool dialog_mode;
    };
    struct Job
    {
        Subscriber to;
        Kind kind;
        WizardLists lists; // this delivery's own copy, which the receiver may swap out
    };

    void queue(const Subscriber &to, Kind kind);
    void run();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool stopping_ = false;
    long deliveries_ = 0;
    WizardLists lists_;
    std::vector<Subscriber> subscribers_;
    std::thread worker_;
};

} // namespace memory_host
