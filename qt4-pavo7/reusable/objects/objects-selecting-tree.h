#pragma once
// A tree of one server's objects to choose from, with check boxes on
// demand. Its model resets whenever the server's catalogue changes.

#include <QModelIndexList>
#include <QWidget>
#include <string>

class QTreeView;

namespace Rizurividuvez {
class HostRoot;
}

namespace Reusable {

class ObjectsModel;

class ObjectsSelectingTree : public QWidget
{
    Q_OBJECT
public:
    ObjectsSelectingTree(Rizurividuvez::HostRoot *host, const std::string &server_name,
                         bool checkable, QWidget *parent = nullptr);

    ObjectsModel *model() const { return model_; }
    QTreeView *view() const { return view_; }
    QModelIndexList selected_indexes() const;

Q_SIGNALS:
    void selection_changed(QModelIndexList selected);

private:
    ObjectsModel *model_;
    QTreeView *view_;
};

} // namespace Reusable
