#include "script-setup/inserters/events-inserter-dialog.h"

#include "qt4-pavo7/reusable/clearable-edit.h"
#include "qt4-pavo7/reusable/treewidget-quicksearch.h"
#include "script-setup/inserters/host-scale.h"
#include "script-setup/wizard/dava-dodazi-receiver.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString caption(const char *text)
{
    return QCoreApplication::translate("QEventsInserterDialogClass", text);
}

} // namespace

QEventsInserterDialog::QEventsInserterDialog(Rizurividuvez::HostRoot *host,
                                             const std::string &server_name, QWidget *parent,
                                             int mode, const std::set<std::string> &preselection)
    : QDialog(parent)
    , mode_(mode)
    , preselection_(preselection)
    , host_(host)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setWindowTitle(caption("Insert events"));
    const float factor = host_size_factor(host_);
    resize(qRound(355 * factor), qRound(395 * factor));

    auto *box = new QVBoxLayout(this);
    auto *quick_layout = new QHBoxLayout;
    quick_layout->setObjectName("quick_layout");
    quick_edit_ = new Reusable::QClearableEdit(this);
    quick_edit_->setObjectName("quicksearch");
    quick_edit_->setPlaceholderText(caption("[quicksearch]"));
    quick_layout->addWidget(quick_edit_);
    box->addLayout(quick_layout);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName("eventsTree");
    tree_->setColumnCount(1);
    tree_->header()->hide();
    tree_->setIndentation(qRound(20 * factor));
    box->addWidget(tree_);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto *ok = new QPushButton(caption("OK"), this);
    ok->setObjectName("ok_button");
    ok->setDefault(true);
    auto *cancel = new QPushButton(caption("Cancel"), this);
    cancel->setObjectName("cancel_button");
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    box->addLayout(buttons);

    quicksearch_ = new TreeWidgetQuicksearch(tree_, 0x101);
    connect(quick_edit_, &QLineEdit::textChanged, quicksearch_, &TreeWidgetQuicksearch::search_for);
    connect(ok, &QPushButton::clicked, this, &QEventsInserterDialog::ok_button_clicked);
    connect(cancel, &QPushButton::clicked, this, &QEventsInserterDialog::cancel_button_clicked);
    connect(tree_, &QTreeWidget::itemClicked, this, &QEventsInserterDialog::item_clicked);

    receiver_ = DavaDodaziServiceReceiverImp::create(server_name, true);
    connect(receiver_.get(), &DavaDodaziServiceReceiverImp::events_list_changed, this,
            &QEventsInserterDialog::events_list_changed, Qt::QueuedConnection);
    connect(receiver_.get(), &DavaDodaziServiceReceiverImp::objects_list_changed, this,
            &QEventsInserterDialog::objects_list_changed, Qt::QueuedConnection);
    if (host_)
        host_->register_consumer(receiver_);

    traverse_tree();
    quick_edit_->setFocus();
}

QEventsInserterDialog::~QEventsInserterDialog()
{
    receiver_->detach();
}

void QEventsInserterDialog::events_list_changed()
{
    event_types_.clear();
    for (auto &event : receiver_->copy_event_types())
        event_types_[event.id] = std::move(event);
    collect_checked();
    traverse_tree();
}

void QEventsInserterDialog::objects_list_changed()
{
    classes_.clear();
    for (auto &c : receiver_->copy_classes())
        classes_[c.name] = std::move(c);
    collect_checked();
    traverse_tree();
}

void QEventsInserterDialog::traverse_tree(QTreeWidgetItem *parent)
{
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    if (!parent)
        parent = tree_->invisibleRootItem();
    for (const auto &entry : classes_) {
        const Rizurividuvez::ObjectClass &object_class = entry.second;
        if (object_class.name.empty()) {
            VX_LOG(logging_facility::FAILURE,
                   "DAVADODAZI: ObjectClass with empty name. Skipping ...\n");
            continue;
        }
        VX_LOG(logging_facility::INFO, "DAVADODAZI: ObjectClass.possible_events.size() is %llu\n",
               static_cast<unsigned long long>(object_class.possible_events.size()));
        auto *class_item = new QTreeWidgetItem(parent);
        class_item->setFlags(class_item->flags() & ~Qt::ItemIsUserCheckable);
        class_item->setText(0, QCoreApplication::translate("Classes", object_class.name.c_str()));
        class_item->setData(0, Qt::UserRole, from_utf8(object_class.name));
        if (mode_ & CHECK_CLASSES) {
            class_item->setFlags(class_item->flags() | Qt::ItemIsUserCheckable);
            class_item->setCheckState(0, Qt::Unchecked);
        }
        for (int id : object_class.possible_events) {
            auto event = event_types_.find(id);
            if (event == event_types_.end())
                continue;
            const std::string &name = event->second.name;
            auto *item = new QTreeWidgetItem(class_item);
            item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
            item->setText(0, QCoreApplication::translate("EventNames", name.c_str()));
            item->setData(0, Qt::UserRole, from_utf8(name));
            if (mode_ & CHECK_EVENTS) {
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                // The preselection ticks an event where it is first shown only.
                const bool preselected = preselection_.erase(name) > 0;
                const bool ticked = preselected || checked_.contains(from_utf8(name));
                item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
            }
        }
    }
    tree_->sortItems(0, Qt::AscendingOrder);
    quicksearch_->refresh();
    tree_->setUpdatesEnabled(true);
}

void QEventsInserterDialog::item_clicked(QTreeWidgetItem *item, int)
{
    Q_ASSERT(item);
    if (!(mode_ & CHECK_EVENTS))
        clicked_text_ = item->text(0);
}

void QEventsInserterDialog::collect_checked()
{
    checked_.clear();
    QTreeWidgetItem *root = tree_->invisibleRootItem();
    for (int c = 0; c < root->childCount(); ++c) {
        QTreeWidgetItem *class_item = root->child(c);
        for (int e = 0; e < class_item->childCount(); ++e) {
            QTreeWidgetItem *item = class_item->child(e);
            if (item->checkState(0) == Qt::Checked)
                checked_.append(item->data(0, Qt::UserRole).toString());
        }
    }
}

void QEventsInserterDialog::ok_button_clicked()
{
    if (mode_ & CHECK_EVENTS) {
        collect_checked();
        result_ = checked_.join('@');
    } else {
        result_ = clicked_text_;
    }
    accept();
    Q_EMIT accepted(result_);
}

void QEventsInserterDialog::cancel_button_clicked()
{
    reject();
}
