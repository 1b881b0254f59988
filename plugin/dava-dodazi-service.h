#pragma once
// The server's rule-wizard service as the host hands it to a consumer that
// asked for "DavaDodaziService": object classes with the events they raise,
// objects, event types and sounds, each delivered as a whole list.

#include "plugin/host.h"

#include <boost/shared_ptr.hpp>
#include <string>
#include <vector>

namespace Rizurividuvez {

struct ObjectClass
{
    std::string name;
    std::vector<int> possible_events; // ids of EventType
};

struct ObjectRecord
{
    std::string guid;
    std::string parent_id; // the server's name, or that name followed by "S" for schedules
    std::string class_name;
    std::string name;
};

struct EventType
{
    int id = 0;
    std::string name;
    std::vector<std::string> members; // up to three member names
};

// Called by the service on a thread of its own. The lists are the service's
// copies for this delivery: with the swap flag of service_connected set the
// receiver may take them by swapping.
class DavaDodaziServiceReceiver
{
public:
    virtual void classes_and_objects_listed(std::vector<ObjectClass> &classes,
                                            std::vector<ObjectRecord> &objects) = 0;
    virtual void event_types_listed(std::vector<EventType> &event_types) = 0;
    virtual void sounds_listed(std::vector<std::string> &sounds) = 0;
    virtual ~DavaDodaziServiceReceiver() = default;
};

class DavaDodaziService : public ServiceInterface
{
public:
    static const char *service_type() { return "DavaDodaziService"; }

    // Sends the current lists soon after, then every list that changes. A
    // receiver in dialog mode gets the classes and event types only: no
    // objects (an empty list beside the classes) and no sounds. The service
    // holds the receiver weakly.
    virtual void subscribe(boost::shared_ptr<DavaDodaziServiceReceiver> receiver,
                           bool dialog_mode) = 0;
    // No delivery starts for this receiver after the call returns.
    virtual void unsubscribe(DavaDodaziServiceReceiver *receiver) = 0;
};

} // namespace Rizurividuvez
