#include "qt4-pavo7/reusable/objects/objects-catalogue.h"

#include "utils/logging.h"
#include "utils/thread-safe-deleter.h"

#include <algorithm>

using namespace Rizurividuvez;

namespace Reusable {

ObjectsCatalogue::ObjectsCatalogue(Catalogue catalogue)
    : data_(std::move(catalogue))
{
    // First entry wins, so a duplicated name keeps meaning the same object.
    for (size_t i = 0; i < data_.classes.size(); ++i)
        class_index_.emplace(data_.classes[i].name, i);
    for (size_t i = 0; i < data_.objects.size(); ++i)
        name_index_.emplace(data_.objects[i].name, i);
}

const CatalogueClass *ObjectsCatalogue::find_class(const std::string &name) const
{
    auto found = class_index_.find(name);
    return found == class_index_.end() ? nullptr : &data_.classes[found->second];
}

const CatalogueObject *ObjectsCatalogue::find_object_by_name(const std::string &name) const
{
    auto found = name_index_.find(name);
    return found == name_index_.end() ? nullptr : &data_.objects[found->second];
}

std::vector<std::string> ObjectsCatalogue::state_values(const std::string &class_name,
                                                        const std::string &state) const
{
    if (const CatalogueClass *c = find_class(class_name))
        for (const auto &s : c->states)
            if (s.name == state)
                return s.values;
    return {};
}

bool ObjectsCatalogue::class_raises(const std::string &class_name, const std::string &event) const
{
    const CatalogueClass *c = find_class(class_name);
    return c && std::find(c->events.begin(), c->events.end(), event) != c->events.end();
}

// ------------------------------------------------------------ CatalogueReceiver

CatalogueReceiver::CatalogueReceiver(const std::string &server_name)
    : server_name_(server_name)
{}

CatalogueReceiver::~CatalogueReceiver() = default;

boost::shared_ptr<CatalogueReceiver> CatalogueReceiver::create(const std::string &server_name)
{
    return boost::shared_ptr<CatalogueReceiver>(new CatalogueReceiver(server_name),
                                                DeleteInOwnThread());
}

std::string CatalogueReceiver::consumer_service_name()
{
    return ObjectsCatalogueService::service_type();
}

void CatalogueReceiver::service_connected(boost::shared_ptr<ServiceInterface> service, bool swap)
{
    auto catalogue = boost::dynamic_pointer_cast<ObjectsCatalogueService>(service);
    if (!catalogue) {
        VX_LOG(logging_facility::FAILURE, "ObjectsCatalogue: invalid service\n");
        return;
    }
    {
        boost::mutex::scoped_lock guard(mutex_);
        service_ = catalogue;
        swap_ = swap;
    }
    catalogue->watch_catalogue(shared_from_this());
}

void CatalogueReceiver::service_dropped()
{
    boost::shared_ptr<ObjectsCatalogueService> dropped;
    boost::mutex::scoped_lock guard(mutex_);
    dropped.swap(service_);
}

void CatalogueReceiver::catalogue_listed(Catalogue &catalogue)
{
    {
        boost::mutex::scoped_lock guard(mutex_);
        if (swap_)
            std::swap(catalogue_, catalogue);
        else
            catalogue_ = catalogue;
        fresh_ = true;
    }
    Q_EMIT catalogue_changed();
}

bool CatalogueReceiver::take(Catalogue &out)
{
    Catalogue taken;
    {
        boost::mutex::scoped_lock guard(mutex_);
        if (!fresh_)
            return false;
        std::swap(taken, catalogue_);
        fresh_ = false;
    }
    std::swap(out, taken);
    return true;
}

} // namespace Reusable
