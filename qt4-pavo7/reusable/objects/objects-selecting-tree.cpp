#include "qt4-pavo7/reusable/objects/objects-selecting-tree.h"

#include "qt4-pavo7/reusable/objects/objects-model.h"

#include <QHeaderView>
#include <QTreeView>
#include <QVBoxLayout>

namespace Reusable {

ObjectsSelectingTree::ObjectsSelectingTree(Rizurividuvez::HostRoot *host,
                                           const std::string &server_name, bool checkable,
                                           QWidget *parent)
    : QWidget(parent)
    , model_(new ObjectsModel(host, server_name, checkable, this))
    , view_(new QTreeView(this))
{
    view_->setObjectName("objectsTree");
    view_->setModel(model_);
    view_->header()->hide();
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setUniformRowHeights(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);

    connect(model_, &QAbstractItemModel::modelReset, view_, &QTreeView::expandAll);
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { Q_EMIT selection_changed(selected_indexes()); });
}

QModelIndexList ObjectsSelectingTree::selected_indexes() const
{
    return view_->selectionModel()->selectedIndexes();
}

} // namespace Reusable
