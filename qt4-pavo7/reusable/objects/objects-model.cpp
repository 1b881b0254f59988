#include "qt4-pavo7/reusable/objects/objects-model.h"

#include "utils/text.h"

#include <QBrush>
#include <QCollator>
#include <QLocale>
#include <QPalette>
#include <algorithm>
#include <map>

using namespace Rizurividuvez;

namespace Reusable {

ObjectsModel::ObjectsModel(HostRoot *host, const std::string &server_name, bool checkable,
                           QObject *parent)
    : QAbstractItemModel(parent)
    , checkable_(checkable)
{
    if (!host)
        return;
    receiver_ = CatalogueReceiver::create(server_name);
    connect(receiver_.get(), &CatalogueReceiver::catalogue_changed, this,
            &ObjectsModel::catalogue_changed, Qt::QueuedConnection);
    host->register_consumer(receiver_);
}

ObjectsModel::~ObjectsModel() = default;

void ObjectsModel::catalogue_changed()
{
    Catalogue fresh;
    if (receiver_ && receiver_->take(fresh))
        set_catalogue(std::move(fresh));
}

void ObjectsModel::set_catalogue(Catalogue catalogue)
{
    beginResetModel();
    catalogue_ = ObjectsCatalogue(std::move(catalogue));
    build_nodes();
    endResetModel();
}

void ObjectsModel::build_nodes()
{
    const auto &objects = catalogue_.objects();
    std::map<std::string, int> by_guid;
    nodes_.clear();
    top_.clear();
    nodes_.reserve(objects.size());
    for (size_t i = 0; i < objects.size(); ++i) {
        nodes_.push_back(Node{i, -1, 0, {}});
        by_guid.emplace(objects[i].guid, static_cast<int>(i));
    }
    for (size_t i = 0; i < objects.size(); ++i) {
        auto parent = by_guid.find(objects[i].parent);
        // An object that names itself as parent would never be reached.
        if (parent != by_guid.end() && parent->second != static_cast<int>(i)) {
            nodes_[i].parent = parent->second;
            nodes_[parent->second].children.push_back(static_cast<int>(i));
        } else {
            top_.push_back(static_cast<int>(i));
        }
    }
    // Names ordered as the system's collation orders them; the keys are made
    // once per object, not twice per comparison.
    const QCollator collation(QLocale::system().collation());
    std::vector<QCollatorSortKey> keys;
    keys.reserve(objects.size());
    for (const auto &object : objects)
        keys.push_back(collation.sortKey(from_utf8(object.name)));
    auto by_name = [&](int a, int b) {
        return keys[nodes_[a].object].compare(keys[nodes_[b].object]) < 0;
    };
    auto order = [&](std::vector<int> &list) {
        std::stable_sort(list.begin(), list.end(), by_name);
        for (size_t r = 0; r < list.size(); ++r)
            nodes_[list[r]].row = static_cast<int>(r);
    };
    order(top_);
    for (auto &n : nodes_)
        order(n.children);
}

void ObjectsModel::set_event_types(const std::set<std::string> &event_types)
{
    event_types_ = event_types;
    for (const QModelIndex &row : all_rows())
        Q_EMIT dataChanged(row, row, {Qt::ForegroundRole});
}

const ObjectsModel::Node *ObjectsModel::node(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this || index.internalId() >= nodes_.size())
        return nullptr;
    return &nodes_[index.internalId()];
}

const CatalogueObject &ObjectsModel::object_of(const Node &n) const
{
    return catalogue_.objects()[n.object];
}

QModelIndex ObjectsModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return {};
    const std::vector<int> *list = &top_;
    if (parent.isValid()) {
        const Node *p = node(parent);
        if (!p)
            return {};
        list = &p->children;
    }
    if (row >= static_cast<int>(list->size()))
        return {};
    return createIndex(row, 0, static_cast<quintptr>((*list)[row]));
}

QModelIndex ObjectsModel::parent(const QModelIndex &child) const
{
    const Node *n = node(child);
    if (!n || n->parent < 0)
        return {};
    return createIndex(nodes_[n->parent].row, 0, static_cast<quintptr>(n->parent));
}

int ObjectsModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return static_cast<int>(top_.size());
    const Node *n = node(parent);
    return n && parent.column() == 0 ? static_cast<int>(n->children.size()) : 0;
}

int ObjectsModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant ObjectsModel::data(const QModelIndex &index, int role) const
{
    const Node *n = node(index);
    if (!n)
        return {};
    const CatalogueObject &o = object_of(*n);
    switch (role) {
    case Qt::DisplayRole:
    case NAME_ROLE:
        return from_utf8(o.name);
    case GUID_ROLE:
        return from_utf8(o.guid);
    case CLASS_ROLE:
    case Qt::ToolTipRole:
        return from_utf8(o.class_name);
    case Qt::CheckStateRole:
        if (!checkable_)
            return {};
        return checked_guids_.count(o.guid) ? Qt::Checked : Qt::Unchecked;
    case Qt::ForegroundRole:
        if (event_types_.empty())
            return {};
        for (const auto &event : event_types_)
            if (catalogue_.class_raises(o.class_name, event))
                return {};
        return QBrush(QPalette().color(QPalette::Disabled, QPalette::Text));
    default:
        return {};
    }
}

bool ObjectsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const Node *n = node(index);
    if (!n || role != Qt::CheckStateRole || !checkable_)
        return false;
    const std::string &guid = object_of(*n).guid;
    if (value.toInt() == Qt::Checked)
        checked_guids_.insert(guid);
    else
        checked_guids_.erase(guid);
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags ObjectsModel::flags(const QModelIndex &index) const
{
    if (!node(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (checkable_)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QString ObjectsModel::name_of(const QModelIndex &index) const
{
    const Node *n = node(index);
    return n ? from_utf8(object_of(*n).name) : QString();
}

QString ObjectsModel::class_of(const QModelIndex &index) const
{
    const Node *n = node(index);
    return n ? from_utf8(object_of(*n).class_name) : QString();
}

QModelIndexList ObjectsModel::all_rows() const
{
    QModelIndexList rows;
    // Depth first with an explicit stack: catalogues can be deep.
    std::vector<QModelIndex> stack;
    for (int r = rowCount() - 1; r >= 0; --r)
        stack.push_back(index(r, 0));
    while (!stack.empty()) {
        QModelIndex current = stack.back();
        stack.pop_back();
        rows.append(current);
        for (int r = rowCount(current) - 1; r >= 0; --r)
            stack.push_back(index(r, 0, current));
    }
    return rows;
}

QStringList ObjectsModel::checked_names() const
{
    QStringList names;
    for (const QModelIndex &row : all_rows())
        if (data(row, Qt::CheckStateRole).toInt() == Qt::Checked)
            names.append(name_of(row));
    return names;
}

} // namespace Reusable
