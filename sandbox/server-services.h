#pragma once
// The demo server's services: the rule wizard's lists, the objects list and
// the objects catalogue, each delivered from a thread of its own by the
// in-memory host's services, kept in step with the settings tree.

#include "sandbox/service-data.h"

#include <boost/shared_ptr.hpp>

namespace memory_host {
class MemoryHost;
class MemoryDavaDodaziService;
class MemoryObjectsService;
class MemoryCatalogueService;
} // namespace memory_host

namespace sandbox {

class ServerServices
{
public:
    explicit ServerServices(const std::string &server_name);
    ~ServerServices();
    ServerServices(const ServerServices &) = delete;
    ServerServices &operator=(const ServerServices &) = delete;

    void set_catalogue(const ServiceCatalogue &catalogue);
    const ServiceCatalogue &catalogue() const { return catalogue_; }
    // The channels and schedules changed: every subscriber gets new lists.
    void set_tree_objects(const std::vector<Rizurividuvez::CatalogueObject> &objects);
    const ServiceLists &lists() const { return lists_; }

    // Consumers registered with the host, before or after, get connected.
    void offer_to(memory_host::MemoryHost &host);
    // Blocks until every delivery asked for so far has been made.
    void wait_idle();
    long deliveries() const;

private:
    void publish();

    std::string server_name_;
    ServiceCatalogue catalogue_;
    std::vector<Rizurividuvez::CatalogueObject> tree_objects_;
    ServiceLists lists_;
    boost::shared_ptr<memory_host::MemoryDavaDodaziService> wizard_;
    boost::shared_ptr<memory_host::MemoryObjectsService> objects_;
    boost::shared_ptr<memory_host::MemoryCatalogueService> catalogue_service_;
};

} // namespace sandbox
