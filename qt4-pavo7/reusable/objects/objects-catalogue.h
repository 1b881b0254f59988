#pragma once
// One server's objects catalogue as the selectors read it on the GUI thread:
// the objects, and per class its methods, states and events. A plain value;
// the receiver below keeps the latest one that the service delivered.

#include "plugin/objects-catalogue-service.h"

#include <QObject>
#include <boost/enable_shared_from_this.hpp>
#include <boost/thread/mutex.hpp>
#include <map>

namespace Reusable {

class ObjectsCatalogue
{
public:
    ObjectsCatalogue() = default;
    explicit ObjectsCatalogue(Rizurividuvez::Catalogue catalogue);

    const std::vector<Rizurividuvez::CatalogueObject> &objects() const { return data_.objects; }
    const std::vector<Rizurividuvez::CatalogueClass> &classes() const { return data_.classes; }
    // Null when the class is unknown.
    const Rizurividuvez::CatalogueClass *find_class(const std::string &name) const;
    const Rizurividuvez::CatalogueObject *find_object_by_name(const std::string &name) const;
    // The values a state of the class can take; empty when unknown.
    std::vector<std::string> state_values(const std::string &class_name,
                                          const std::string &state) const;
    bool class_raises(const std::string &class_name, const std::string &event) const;

private:
    Rizurividuvez::Catalogue data_;
    std::map<std::string, size_t> class_index_;
    std::map<std::string, size_t> name_index_;
};

// Receives the catalogue of one server on the service's thread and signals
// its owner; take() hands the latest delivery to the GUI thread. Hold it in
// the shared reference create() returns.
class CatalogueReceiver :
    public QObject,
    public Rizurividuvez::CatalogueListener,
    public Rizurividuvez::ServicesConsumer,
    public boost::enable_shared_from_this<CatalogueReceiver>
{
    Q_OBJECT
public:
    static boost::shared_ptr<CatalogueReceiver> create(const std::string &server_name);
    ~CatalogueReceiver() override;

    std::string consumer_server_name() override { return server_name_; }
    std::string consumer_service_name() override;
    void service_connected(boost::shared_ptr<Rizurividuvez::ServiceInterface> service,
                           bool swap) override;
    void service_dropped() override;
    void catalogue_listed(Rizurividuvez::Catalogue &catalogue) override;

    // Swaps the latest delivery out; false when nothing new arrived.
    bool take(Rizurividuvez::Catalogue &out);

Q_SIGNALS:
    void catalogue_changed();

private:
    explicit CatalogueReceiver(const std::string &server_name);

    const std::string server_name_;
    boost::mutex mutex_;
    Rizurividuvez::Catalogue catalogue_;
    bool fresh_ = false;
    bool swap_ = false;
    boost::shared_ptr<Rizurividuvez::ObjectsCatalogueService> service_;
};

} // namespace Reusable
