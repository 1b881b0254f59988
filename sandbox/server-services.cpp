#include "sandbox/server-services.h"

#include "memory-host/catalogue-service.h"
#include "memory-host/dava-dodazi-service.h"
#include "memory-host/memory-host.h"
#include "memory-host/objects-service.h"

namespace sandbox {

ServerServices::ServerServices(const std::string &server_name)
    : server_name_(server_name)
    , wizard_(new memory_host::MemoryDavaDodaziService)
    , objects_(new memory_host::MemoryObjectsService)
    , catalogue_service_(new memory_host::MemoryCatalogueService)
{}

ServerServices::~ServerServices() = default;

void ServerServices::set_catalogue(const ServiceCatalogue &catalogue)
{
    catalogue_ = catalogue;
    publish();
}

void ServerServices::set_tree_objects(const std::vector<Rizurividuvez::CatalogueObject> &objects)
{
    tree_objects_ = objects;
    publish();
}

void ServerServices::publish()
{
    lists_ = service_lists(catalogue_, tree_objects_, server_name_);
    wizard_->set_classes_and_objects(lists_.wizard_classes, lists_.wizard_objects);
    wizard_->set_event_types(catalogue_.event_types);
    wizard_->set_sounds(catalogue_.sounds);
    objects_->set_objects(lists_.objects);
    catalogue_service_->set_catalogue(lists_.catalogue);
}

void ServerServices::offer_to(memory_host::MemoryHost &host)
{
    host.offer_service(server_name_, wizard_);
    host.offer_service(server_name_, objects_);
    host.offer_service(server_name_, catalogue_service_);
}

void ServerServices::wait_idle()
{
    wizard_->wait_idle();
    objects_->wait_idle();
    catalogue_service_->wait_idle();
}

long ServerServices::deliveries() const
{
    return wizard_->deliveries() + objects_->deliveries() + catalogue_service_->deliveries();
}

} // namespace sandbox
