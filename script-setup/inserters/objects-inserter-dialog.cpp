#include "script-setup/inserters/objects-inserter-dialog.h"

#include "qt4-pavo7/reusable/objects/objects-model.h"
#include "qt4-pavo7/reusable/objects/objects-selecting-tree.h"
#include "qt4-pavo7/reusable/our-message-box.h"
#include "script-setup/inserters/host-scale.h"
#include "script-setup/inserters/inserter-text.h"
#include "utils/text.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace inserter_text;

namespace {

QString caption(const char *text)
{
    return QCoreApplication::translate("QObjectsInserterDialogClass", text);
}

// Property items: whether a tick goes to the chosen values (states, when
// values are the result) and whether the item is a state or a method.
const int value_item_role = Qt::UserRole;
const int state_item_role = Qt::UserRole + 1;

} // namespace

QObjectsInserterDialog::QObjectsInserterDialog(Rizurividuvez::HostRoot *host,
                                               const std::string &server_name, QWidget *parent,
                                               int flags, const std::set<std::string> &preselection)
    : QDialog(parent)
    , flags_(flags)
    , preselection_(preselection)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setWindowTitle(caption("Insert objects"));
    const float factor = host_size_factor(host);
    // Without the property pane the objects tree alone needs no width.
    const bool properties = flags_ & (SHOW_METHODS | SHOW_STATES);
    resize(qRound((properties ? 620 : 360) * factor), qRound(420 * factor));

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    auto *left = new QWidget(splitter);
    auto *object_layout = new QVBoxLayout(left);
    object_layout->setObjectName("object_layout");
    object_layout->setContentsMargins(0, 0, 0, 0);
    objects_tree_ = new Reusable::ObjectsSelectingTree(host, server_name, flags_ & CHECK_OBJECTS);
    object_layout->addWidget(objects_tree_);

    auto *right = new QWidget(splitter);
    auto *property_state_layout = new QVBoxLayout(right);
    property_state_layout->setObjectName("property_state_layout");
    property_state_layout->setContentsMargins(0, 0, 0, 0);
    property_tree_ = new QTreeWidget;
    property_tree_->setObjectName("propertyTree");
    property_tree_->setColumnCount(1);
    property_tree_->header()->hide();
    property_tree_->setRootIsDecorated(false);
    operation_box_ = new QComboBox;
    operation_box_->setObjectName("operationComboBox");
    operation_box_->addItems({QStringLiteral("=="), QStringLiteral("!=")});
    values_list_ = new QListWidget;
    values_list_->setObjectName("stateValuesList");
    property_state_layout->addWidget(property_tree_, 3);
    property_state_layout->addWidget(operation_box_);
    property_state_layout->addWidget(values_list_, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto *ok = new QPushButton(caption("OK"), this);
    ok->setObjectName("ok_button");
    ok->setDefault(true);
    auto *cancel = new QPushButton(caption("Cancel"), this);
    cancel->setObjectName("cancel_button");
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *box = new QVBoxLayout(this);
    box->addWidget(splitter, 1);
    box->addLayout(buttons);

    connect(objects_tree_->model(), &QAbstractItemModel::modelReset, this,
            &QObjectsInserterDialog::objects_model_reset);
    connect(objects_tree_, &Reusable::ObjectsSelectingTree::selection_changed, this,
            &QObjectsInserterDialog::objects_selected);

    const bool values = (flags_ & SHOW_STATES) && (flags_ & SHOW_VALUES);
    property_tree_->setVisible(properties);
    operation_box_->setVisible(values);
    values_list_->setVisible(values);
    right->setVisible(properties);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);

    connect(ok, &QPushButton::clicked, this, &QObjectsInserterDialog::ok_button_clicked);
    connect(cancel, &QPushButton::clicked, this, &QObjectsInserterDialog::cancel_button_clicked);
    connect(property_tree_, &QTreeWidget::itemSelectionChanged, this,
            &QObjectsInserterDialog::properties_selected);
    connect(property_tree_, &QTreeWidget::itemClicked, this,
            &QObjectsInserterDialog::property_clicked);
    connect(values_list_, &QListWidget::itemSelectionChanged, this,
            &QObjectsInserterDialog::state_values_selected);
    connect(operation_box_, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &QObjectsInserterDialog::operation_changed);
}

QObjectsInserterDialog::~QObjectsInserterDialog() = default;

void QObjectsInserterDialog::set_event_types(const std::set<std::string> &event_types)
{
    event_types_ = event_types;
    if (model_ready_)
        objects_tree_->model()->set_event_types(event_types_);
}

void QObjectsInserterDialog::objects_model_reset()
{
    Reusable::ObjectsModel *model = objects_tree_->model();
    if (model->checkable())
        for (const QModelIndex &row : model->all_rows())
            if (preselection_.count(to_utf8(model->name_of(row))))
                model->setData(row, Qt::Checked, Qt::CheckStateRole);
    model_ready_ = true;
    if (!event_types_.empty())
        model->set_event_types(event_types_);
}

void QObjectsInserterDialog::objects_selected(QModelIndexList selected_indexes)
{
    values_list_->clear();
    property_tree_->clear();
    object_.clear();
    object_class_.clear();
    if (selected_indexes.isEmpty())
        return;
    const Reusable::ObjectsModel *model = objects_tree_->model();
    object_ = model->name_of(selected_indexes.first());
    object_class_ = model->class_of(selected_indexes.first());
    if (flags_ & OBJECT_TEXT)
        single_text_ = object_ref(object_);

    const Rizurividuvez::CatalogueClass *object_class =
        model->catalogue().find_class(to_utf8(object_class_));
    if (!object_class)
        return;
    if (flags_ & SHOW_METHODS)
        for (const auto &method : object_class->methods) {
            auto *item = new QTreeWidgetItem(property_tree_, {method_signature(method)});
            item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
            item->setData(0, value_item_role, false);
            item->setData(0, state_item_role, false);
            if (flags_ & RESULT_PROPERTIES) {
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                const bool ticked = chosen_properties_.contains(property_text(item));
                item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
            }
        }
    for (const auto &state : object_class->states) {
        auto *item = new QTreeWidgetItem(property_tree_, {from_utf8(state.name)});
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        item->setData(0, value_item_role, bool(flags_ & RESULT_VALUES));
        item->setData(0, state_item_role, true);
        if (flags_ & RESULT_VALUES) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            const bool ticked = chosen_values_.contains(property_text(item));
            item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
        }
    }
    values_list_->sortItems(Qt::AscendingOrder);
    property_tree_->sortItems(0, Qt::AscendingOrder);
}

// The text a property item stands for: the method call or the state.
QString QObjectsInserterDialog::property_text(const QTreeWidgetItem *item) const
{
    if (item->data(0, state_item_role).toBool() && (flags_ & (STATE_TEXT | RESULT_VALUES)))
        return state_ref(object_, item->text(0));
    return method_ref(object_, item->text(0));
}

void QObjectsInserterDialog::properties_selected()
{
    const QList<QTreeWidgetItem *> selected = property_tree_->selectedItems();
    if (selected.isEmpty() || object_.isEmpty())
        return;
    QTreeWidgetItem *item = selected.first();
    if (item->data(0, value_item_role).toBool())
        return;
    values_list_->clear();
    const bool is_state = item->data(0, state_item_role).toBool();
    // A method keeps its call form even where states take the state form.
    if ((flags_ & METHOD_TEXT) || (is_state && (flags_ & STATE_TEXT)))
        single_text_ = property_text(item);
    if (!is_state)
        return;
    const Reusable::ObjectsModel *model = objects_tree_->model();
    for (const auto &value :
         model->catalogue().state_values(to_utf8(object_class_), to_utf8(item->text(0))))
        values_list_->addItem(from_utf8(value));
    values_list_->sortItems(Qt::AscendingOrder);
}

void QObjectsInserterDialog::property_clicked(QTreeWidgetItem *item, int)
{
    Q_ASSERT(item);
    if (!(item->flags() & Qt::ItemIsUserCheckable))
        return;
    QStringList &list =
        item->data(0, value_item_role).toBool() ? chosen_values_ : chosen_properties_;
    const QString text = property_text(item);
    if (item->checkState(0) == Qt::Checked) {
        if (!list.contains(text))
            list.append(text);
    } else {
        list.removeAll(text);
    }
}

void QObjectsInserterDialog::state_values_selected()
{
    const QList<QTreeWidgetItem *> properties = property_tree_->selectedItems();
    const QList<QListWidgetItem *> values = values_list_->selectedItems();
    if (!(flags_ & CONDITION_TEXT) || properties.isEmpty() || values.isEmpty() ||
        object_.isEmpty() || !properties.first()->data(0, state_item_role).toBool())
        return;
    single_text_ = state_condition(object_, properties.first()->text(0), values.first()->text(),
                                   operation_box_->currentIndex() == 0);
}

void QObjectsInserterDialog::operation_changed(int index)
{
    single_text_ = with_operation(single_text_, index);
}

bool QObjectsInserterDialog::has_silent_event_types(const QStringList &checked) const
{
    const Reusable::ObjectsCatalogue &catalogue = objects_tree_->model()->catalogue();
    for (const std::string &event : event_types_) {
        bool raised = false;
        for (const QString &name : checked) {
            const Rizurividuvez::CatalogueObject *object =
                catalogue.find_object_by_name(to_utf8(name));
            if (object && catalogue.class_raises(object->class_name, event)) {
                raised = true;
                break;
            }
        }
        if (!raised)
            return true;
    }
    return false;
}

void QObjectsInserterDialog::ok_button_clicked()
{
    QStringList parts;
    checked_objects_.clear();
    if (flags_ & CHECK_OBJECTS) {
        checked_objects_ = objects_tree_->model()->checked_names();
        for (const QString &name : checked_objects_)
            parts.append(flags_ & OBJECT_TEXT ? object_ref(name) : name);
    }
    if (flags_ & RESULT_PROPERTIES)
        parts += chosen_properties_;
    if (flags_ & RESULT_VALUES)
        parts += chosen_values_;
    if (flags_ & (CHECK_OBJECTS | RESULT_PROPERTIES | RESULT_VALUES))
        result_ = parts.join(QStringLiteral("@ "));
    else
        result_ = single_text_;
    if (flags_ & STRIP_WRAPPERS)
        result_ = strip_object_wrappers(result_);

    if (model_ready_ && !checked_objects_.isEmpty() && !event_types_.empty() &&
        has_silent_event_types(checked_objects_)) {
        if (events_question_)
            return;
        events_question_ = new Reusable::OurMessageBox(
            QMessageBox::Question, caption("Events"),
            caption("There are events that will never be activated. Do you want to proceed?"),
            QMessageBox::Yes | QMessageBox::No, this, Qt::WindowModal);
        events_question_->setObjectName("events_question");
        connect(events_question_.data(), &QMessageBox::finished, this,
                &QObjectsInserterDialog::proceed_confirmed);
        events_question_->show();
        return;
    }
    finish();
}

void QObjectsInserterDialog::proceed_confirmed(int r)
{
    if (r == QMessageBox::Yes)
        finish();
}

void QObjectsInserterDialog::finish()
{
    accept();
    Q_EMIT accepted(result_);
}

void QObjectsInserterDialog::cancel_button_clicked()
{
    reject();
}
