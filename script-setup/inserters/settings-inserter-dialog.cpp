#include "script-setup/inserters/settings-inserter-dialog.h"

#include "qt4-pavo7/reusable/clearable-edit.h"
#include "qt4-pavo7/reusable/treewidget-quicksearch.h"
#include "script-setup/inserters/inserter-text.h"
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

// Folders a dialog reads before it shows; deeper ones wait for the user.
const int read_budget = 400;

SettingsTreeOptions tree_options(int flags)
{
    SettingsTreeOptions options;
    options.folders = flags & QSettingsInserterDialog::FOLDERS;
    options.keys = flags & QSettingsInserterDialog::VALUES;
    return options;
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
    // A search looks through the whole tree: read what is still unread first.
    connect(quick_edit_, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!text.isEmpty())
            read_everything();
    });
    connect(quick_edit_, &QLineEdit::textChanged, quicksearch_, &TreeWidgetQuicksearch::search_for);
    connect(tree_, &QTreeWidget::itemExpanded, this, &QSettingsInserterDialog::read_unread);

    SettingsNode top =
        read_settings_tree_within(settings_tree_top(folder_), tree_options(flags_), read_budget);
    read_settings_children(top, tree_options(flags_), QString());
    tree_->addTopLevelItems(make_folder_items(top.folders));

    quick_edit_->setFocus();
}

QSettingsInserterDialog::~QSettingsInserterDialog() = default;

// Items are built detached and handed over at once: inserting them one by
// one into a live view costs far more on large servers.
QList<QTreeWidgetItem *>
QSettingsInserterDialog::make_folder_items(std::vector<SettingsNode> &nodes)
{
    QList<QTreeWidgetItem *> items;
    items.reserve(static_cast<int>(nodes.size()));
    for (SettingsNode &node : nodes)
        items.append(make_folder_item(node));
    return items;
}

QTreeWidgetItem *QSettingsInserterDialog::make_folder_item(SettingsNode &node)
{
    auto *item = new QTreeWidgetItem({from_utf8(node.name), from_utf8(node.display)}, FOLDER_ITEM);
    if (flags_ & CHECKABLE)
        item->setCheckState(0, Qt::Unchecked);
    item->addChildren(make_folder_items(node.folders));
    add_key_items(item, node);
    if (!node.unread.empty()) {
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        SettingsNode &later = unread_[item];
        later.unread.swap(node.unread);
        later.folder = node.folder;
    }
    return item;
}

void QSettingsInserterDialog::read_unread(QTreeWidgetItem *item)
{
    auto it = unread_.find(item);
    if (it == unread_.end())
        return;
    SettingsNode node = std::move(it->second);
    unread_.erase(it);
    read_settings_children(node, tree_options(flags_), path_of(item));
    // Subfolders come before the keys, as in the items built at once.
    item->insertChildren(0, make_folder_items(node.folders));
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void QSettingsInserterDialog::read_everything()
{
    while (!unread_.empty())
        read_unread(unread_.begin()->first);
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
    // The folders on the way to each listed item are read first.
    for (const QString &path : paths) {
        QTreeWidgetItem *item = tree_->invisibleRootItem();
        for (const QString &part : path.split('/')) {
            read_unread(item);
            QTreeWidgetItem *next = nullptr;
            for (int i = 0; i < item->childCount() && !next; ++i)
                if (item->child(i)->text(0) == part && !is_value(item->child(i)))
                    next = item->child(i);
            if (!next)
                break;
            item = next;
        }
    }
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
