#pragma once
// The lists the demo server's services deliver: what the tree file's
// "services" member lists, plus the channels and schedules its settings tree
// holds, so that the lists follow the tree.

#include "plugin/dava-dodazi-service.h"
#include "plugin/objects-catalogue-service.h"
#include "plugin/objects-service.h"

#include <json/value.h>
#include <map>
#include <string>
#include <vector>

namespace memory_host {
class MemoryTree;
struct WizardLists;
} // namespace memory_host

namespace sandbox {

struct ServiceCatalogue
{
    // Classes with their methods, states and events (by name), and the
    // objects the file lists (parent: a containing object or the server).
    Rizurividuvez::Catalogue catalogue;
    std::vector<Rizurividuvez::EventType> event_types;
    std::vector<std::string> sounds;
    // Files of the host's stock folder: name -> content.
    std::map<std::string, std::string> stock_files;
    // Files of the host's data directory (script data folders): path -> content.
    std::map<std::string, std::string> data_files;
};

// Reads the "services" member of a tree file. Objects without a parent get
// the server's name. Returns false with a reason on malformed input.
bool parse_service_catalogue(const Json::Value &services, const std::string &server_name,
                             ServiceCatalogue &out, std::string *error);

// The channels (zombies left out, class "Camera") and the schedules of the
// scripts folder (class "Schedule"), as the server lists them.
std::vector<Rizurividuvez::CatalogueObject> objects_from_tree(memory_host::MemoryTree &tree,
                                                              const std::string &server_name);

// What each service delivers, from the catalogue and the tree's objects.
struct ServiceLists
{
    Rizurividuvez::Catalogue catalogue;
    std::vector<Rizurividuvez::ObjectInfo> objects;
    std::vector<Rizurividuvez::ObjectClass> wizard_classes;
    std::vector<Rizurividuvez::ObjectRecord> wizard_objects;
};
ServiceLists service_lists(const ServiceCatalogue &catalogue,
                           const std::vector<Rizurividuvez::CatalogueObject> &tree_objects,
                           const std::string &server_name);

} // namespace sandbox
