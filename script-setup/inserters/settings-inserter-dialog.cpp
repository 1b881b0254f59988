#include "script-setup/inserters/settings-inserter-dialog.h"

#include "qt4-pavo7/reusable/clearable-edit.h"
#include "qt4-pavo7/reusable/treewidget-quicksearch.h"
#include "script-setup/inserters/inserter-text.h"
#include "script-setup/inserters/settings-tree.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>

using namespace inserter_text;

namespace {

QString caption(const char *text)
{
    return QCoreApplication::translate("QSettingsInserterDialogClass", text);
}

// What an item stands for is kept in its type, not in per-item data: on
// servers with tens of thousands of keys that is most of the building time.
// A value's type also carries its type letter.
enum ItemType {
    FOLDER_ITEM = QTreeWidgetItem::UserType + 1,
    NAMED_ROOT_ITEM,
    VALUE_ITEM = QTreeWidgetItem::UserType + 0x100, // + the type letter
};

bool is_value(const QTreeWidgetItem *item)
{
    return item->type() >= VALUE_ITEM;
}

char type_letter(const QTreeWidgetItem *item)
{
    return item && is_value(item) ? static_cast<char>(item->type() - VALUE_ITEM) : 0;
}

// The texts of the item's ancestors and its own, joined with "/".
QString path_of(const QTreeWidgetItem *item)
{
    QStringList parts;
    for (; item; item = item->parent())
        parts.prepend(item->text(0));
    return parts.join('/');
}

QString reference_of(const QTreeWidgetItem *item)
{
    if (item->type() == NAMED_ROOT_ITEM)
        return item->text(0);
    if (!is_value(item))
        return settings_folder_ref(path_of(item));
    const QTreeWidgetItem *folder = item->parent();
    if (folder && folder->type() == NAMED_ROOT_ITEM)
        return folder->text(0) + QStringLiteral("[\"") + item->text(0) + QStringLiteral("\"]");
    return settings_value_ref(path_of(folder), item->text(0));
}

void walk(QTreeWidgetItem *item, const std::function<void(QTreeWidgetItem *)> &visit)
{
    for (int i = 0; i < item->childCount(); ++i) {
        visit(item->child(i));
        walk(item->child(i), visit);
    }
}

} // namespace

QSettingsInserterDialog::QSettingsInserterDialog(Settings folder, QWidget *parent,
                                                 float size_factor, int flags)
    : QDialog(parent)
    , folder_(folder)
    , flags_(flags)
    , size_factor_(size_factor)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setWindowTitle(caption("Insert settings"));
    resize(qRound(420 * size_factor_), qRound(480 * size_factor_));

    auto *box = new QVBoxLayout(this);
    auto *quick_layout = new QHBoxLayout;
    quick_layout->setObjectName("quick_layout");
    quick_edit_ = new Reusable::QClearableEdit(this);
    quick_edit_->setObjectName("quicksearch");
    quick_edit_->setPlaceholderText(caption("[quicksearch]"));
    quick_layout->addWidget(quick_edit_);
    box->addLayout(quick_layout);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName("settingsTree");
    tree_->setColumnCount(2);
    tree_->header()->hide();
    tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree_->header()->setStretchLastSection(true);
    tree_->setIndentation(qRound(20 * size_factor_));
    tree_->setUniformRowHeights(true);
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
    connect(ok, &QPushButton::clicked, this, &QSettingsInserterDialog::ok_button_clicked);
    connect(cancel, &QPushButton::clicked, this, &QSettingsInserterDialog::cancel_button_clicked);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this,
            &QSettingsInserterDialog::items_selected);
    connect(quick_edit_, &QLineEdit::textChanged, quicksearch_, &TreeWidgetQuicksearch::search_for);

    SettingsTreeOptions options;
    options.folders = flags_ & FOLDERS;
    options.keys = flags_ & VALUES;
    const SettingsNode top = read_settings_tree(settings_tree_top(folder_), options);
    // Items are built detached and handed over at once: inserting them one by
    // one into a live view costs far more on large servers.
    QList<QTreeWidgetItem *> items;
    for (const SettingsNode &node : top.folders)
        items.append(make_folder_item(node));
    tree_->addTopLevelItems(items);

    quick_edit_->setFocus();
}

QSettingsInserterDialog::~QSettingsInserterDialog() = default;

QTreeWidgetItem *QSettingsInserterDialog::make_folder_item(const SettingsNode &node)
{
    auto *item = new QTreeWidgetItem({from_utf8(node.name), from_utf8(node.display)}, FOLDER_ITEM);
    if (flags_ & CHECKABLE)
        item->setCheckState(0, Qt::Unchecked);
    QList<QTreeWidgetItem *> children;
    for (const SettingsNode &sub : node.folders)
        children.append(make_folder_item(sub));
    item->addChildren(children);
    add_key_items(item, node);
    return item;
}

void QSettingsInserterDialog::add_key_items(QTreeWidgetItem *parent, const SettingsNode &node)
{
    QList<QTreeWidgetItem *> keys;
    keys.reserve(static_cast<int>(node.keys.size()));
    for (const auto &key : node.keys) {
        auto *item = new QTreeWidgetItem({from_utf8(key.first)},
                                         VALUE_ITEM + static_cast<unsigned char>(key.second));
        if (flags_ & CHECKABLE)
            item->setCheckState(0, Qt::Unchecked);
        keys.append(item);
    }
    parent->addChildren(keys);
}

void QSettingsInserterDialog::add_named_root(const QString &variable, const QString &path)
{
    SettingsTreeOptions options;
    options.folders = false;
    options.keys = flags_ & VALUES;
    const SettingsNode node =
        read_settings_tree(settings_tree_find(settings_tree_top(folder_), path), options, path);
    auto *item = new QTreeWidgetItem({variable, path}, NAMED_ROOT_ITEM);
    item->setIcon(0, QIcon(QString::fromLatin1(":/settings/variable.png")));
    if (flags_ & CHECKABLE)
        item->setCheckState(0, Qt::Unchecked);
    tree_->insertTopLevelItem(named_roots_++, item);
    add_key_items(item, node);
    quicksearch_->refresh();
}

void QSettingsInserterDialog::preselect(const QStringList &paths)
{
    if (!(flags_ & CHECKABLE))
        return;
    const QSet<QString> wanted(paths.begin(), paths.end());
    walk(tree_->invisibleRootItem(), [&](QTreeWidgetItem *item) {
        if (wanted.contains(path_of(item)))
            item->setCheckState(0, Qt::Checked);
    });
}

void QSettingsInserterDialog::items_selected()
{
    const QList<QTreeWidgetItem *> selected = tree_->selectedItems();
    if (!selected.isEmpty())
        single_text_ = reference_of(selected.first());
}

QString QSettingsInserterDialog::type_name(const QTreeWidgetItem *item) const
{
    const char letter = type_letter(item);
    switch (letter) {
    case 'i':
        return caption("integer");
    case 'r':
        return caption("real");
    case 's':
        return caption("string");
    default:
        VX_LOG(logging_facility::FAILURE, "TYPE: %u\n", static_cast<unsigned char>(letter));
        return caption("unknown");
    }
}

void QSettingsInserterDialog::ok_button_clicked()
{
    if (flags_ & CHECKABLE) {
        QStringList ticked;
        walk(tree_->invisibleRootItem(), [&](QTreeWidgetItem *item) {
            if (item->checkState(0) == Qt::Checked)
                ticked.append(reference_of(item));
        });
        result_ = ticked.join(QStringLiteral("@ "));
    } else {
        result_ = single_text_;
    }
    if (flags_ & PLAIN_PATH)
        result_ = settings_plain_path(result_);
    QString type;
    if ((flags_ & EMIT_TYPE) && !(flags_ & CHECKABLE)) {
        const QList<QTreeWidgetItem *> selected = tree_->selectedItems();
        type = type_name(selected.isEmpty() ? nullptr : selected.first());
    }
    Q_EMIT accepted(result_);
    if (flags_ & EMIT_TYPE)
        Q_EMIT accepted_type(type);
    accept();
}

void QSettingsInserterDialog::cancel_button_clicked()
{
    reject();
}
