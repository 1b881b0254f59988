#pragma once
// The objects of one server as a tree (an object under the object named as
// its parent), one column, names sorted; optionally with check boxes that
// survive catalogue updates. Fed by the server's catalogue service when a
// host is given, or directly through set_catalogue.

#include "qt4-pavo7/reusable/objects/objects-catalogue.h"

#include <QAbstractItemModel>
#include <set>

namespace Rizurividuvez {
class HostRoot;
}

namespace Reusable {

class ObjectsModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    enum Roles { NAME_ROLE = Qt::UserRole, GUID_ROLE, CLASS_ROLE };

    ObjectsModel(Rizurividuvez::HostRoot *host, const std::string &server_name, bool checkable,
                 QObject *parent = nullptr);
    ~ObjectsModel() override;

    // Replaces the catalogue; views see one modelReset.
    void set_catalogue(Rizurividuvez::Catalogue catalogue);
    const ObjectsCatalogue &catalogue() const { return catalogue_; }
    bool checkable() const { return checkable_; }

    // Objects whose class raises none of these events are shown greyed.
    void set_event_types(const std::set<std::string> &event_types);

    // Names of the checked objects in tree order (a parent before its children).
    QStringList checked_names() const;
    QString name_of(const QModelIndex &index) const;
    QString class_of(const QModelIndex &index) const;
    // Every object row in tree order.
    QModelIndexList all_rows() const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private Q_SLOTS:
    void catalogue_changed();

private:
    struct Node
    {
        size_t object; // index into the catalogue's objects
        int parent;    // node index, -1 at the top
        int row;       // position under the parent
        std::vector<int> children;
    };

    void build_nodes();
    const Node *node(const QModelIndex &index) const;
    const Rizurividuvez::CatalogueObject &object_of(const Node &n) const;

    bool checkable_;
    boost::shared_ptr<CatalogueReceiver> receiver_;
    ObjectsCatalogue catalogue_;
    std::vector<Node> nodes_;
    std::vector<int> top_;
    std::set<std::string> checked_guids_;
    std::set<std::string> event_types_;
};

} // namespace Reusable
