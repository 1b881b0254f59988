#pragma once
// The server's objects service as the host hands it to a consumer that asked
// for "ObjectsService": the server's objects, delivered as whole lists.

#include "plugin/host.h"

#include <boost/shared_ptr.hpp>
#include <string>
#include <vector>

namespace Rizurividuvez {

struct ObjectInfo
{
    std::string guid;
    std::string class_name;  // such as "OperatorGUI"
    std::string parent_guid; // a server's own objects have the server's name here
    std::string name;
};

// Called by the service, on a thread of the service's own, with the whole
// list of the server's objects each time it changes. With the swap flag of
// service_connected set, the listener may take the list by swapping it out.
class ObjectsListener
{
public:
    virtual void objects_listed(std::vector<ObjectInfo> &objects) = 0;
    virtual ~ObjectsListener() = default;
};

class ObjectsService : public ServiceInterface
{
public:
    static const char *service_type() { return "ObjectsService"; }

    // Delivers the current list soon after, then every changed list. The
    // service holds the listener weakly: releasing it ends the deliveries.
    virtual void watch_objects(boost::shared_ptr<ObjectsListener> listener) = 0;
};

} // namespace Rizurividuvez
