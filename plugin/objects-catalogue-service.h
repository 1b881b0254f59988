#pragma once
// The server's objects catalogue as the host hands it to a consumer that
// asked for "ObjectsCatalogueService": every object of the server with its
// class, and per class its methods, states and the events it can raise.

#include "plugin/host.h"

#include <boost/shared_ptr.hpp>
#include <string>
#include <vector>

namespace Rizurividuvez {

// Argument type codes of a method.
enum ArgumentType { ARGUMENT_INTEGER = 20, ARGUMENT_STRING = 21, ARGUMENT_REAL = 22 };

struct CatalogueArgument
{
    std::string name;
    int type = 0; // an ArgumentType; other codes are unknown types
};

struct CatalogueMethod
{
    std::string name;
    std::vector<CatalogueArgument> arguments;
};

struct CatalogueState
{
    std::string name;
    std::vector<std::string> values; // the values the state can take
};

struct CatalogueClass
{
    std::string name;
    std::vector<CatalogueMethod> methods;
    std::vector<CatalogueState> states;
    std::vector<std::string> events; // names of the event types it raises
};

struct CatalogueObject
{
    std::string guid;
    std::string name;
    std::string class_name;
    std::string parent; // the guid of the containing object, or the server's name
};

struct Catalogue
{
    std::vector<CatalogueClass> classes;
    std::vector<CatalogueObject> objects;
};

// Called by the service on a thread of its own with the whole catalogue each
// time it changes; with the swap flag of service_connected set the listener
// may take it by swapping.
class CatalogueListener
{
public:
    virtual void catalogue_listed(Catalogue &catalogue) = 0;
    virtual ~CatalogueListener() = default;
};

class ObjectsCatalogueService : public ServiceInterface
{
public:
    static const char *service_type() { return "ObjectsCatalogueService"; }

    // Delivers the catalogue soon after, then every change. The service holds
    // the listener weakly: releasing it ends the deliveries.
    virtual void watch_catalogue(boost::shared_ptr<CatalogueListener> listener) = 0;
};

} // namespace Rizurividuvez
