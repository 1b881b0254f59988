#include "sandbox/keys-view.h"

#include "memory-host/memory-tree.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sandbox {
namespace {

QString type_text(char type)
{
    switch (type) {
    case 'i':
        return KeysView::tr("integer");
    case 'r':
        return KeysView::tr("real");
    default:
        return KeysView::tr("text");
    }
}

} // namespace

KeysView::KeysView(QWidget *parent)
    : QWidget(parent)
    , note_(new QLabel(this))
    , table_(new QTableWidget(0, 3, this))
{
    setObjectName("keys_view");
    note_->setWordWrap(true);
    note_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    note_->setContentsMargins(2, 2, 2, 4);
    table_->setObjectName("keys_table");
    table_->setHorizontalHeaderLabels({tr("Key"), tr("Type"), tr("Value")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(note_);
    layout->addWidget(table_, 1);
    layout->addStretch(0); // keeps the note at the top when there is no table
}

void KeysView::show_folder(memory_host::MemoryTree &tree, const QString &path)
{
    const memory_host::FolderSnapshot folder = tree.snapshot(path.toStdString());
    table_->setRowCount(0);
    table_->setRowCount(static_cast<int>(folder.keys.size()));
    int row = 0;
    for (const auto &key : folder.keys) {
        auto *name = new QTableWidgetItem(QString::fromStdString(key.first));
        auto *type = new QTableWidgetItem(type_text(key.second.type));
        // Long texts (scripts) show their first line; the tooltip has them whole.
        const QString value = QString::fromStdString(key.second.to_string());
        auto *shown = new QTableWidgetItem(value.section('\n', 0, 0) +
                                           (value.contains('\n') ? QStringLiteral(" …") : ""));
        shown->setToolTip(value.left(2000));
        if (!key.second.writable) {
            name->setToolTip(tr("read-only"));
            for (auto *item : {name, type, shown})
                item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        }
        type->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        table_->setItem(row, 0, name);
        table_->setItem(row, 1, type);
        table_->setItem(row, 2, shown);
        ++row;
    }
    const int children = static_cast<int>(folder.folders.size());
    QString note = folder.keys.empty() ? tr("This folder has no keys.")
                                       : tr("%n key(s), shown read-only.", "", row);
    if (children)
        note += " " + tr("%n subfolder(s).", "", children);
    if (!folder.type.empty())
        note += " " + tr("The plug-in has no page for folders of type %1.")
                          .arg(QString::fromStdString(folder.type));
    note_->setText(note);
    table_->setVisible(!folder.keys.empty());
}

void KeysView::show_message(const QString &title, const QString &text)
{
    table_->setRowCount(0);
    table_->hide();
    note_->setText(
        QStringLiteral("<b>%1</b><br>%2").arg(title.toHtmlEscaped(), text.toHtmlEscaped()));
}

int KeysView::key_count() const
{
    return table_->rowCount();
}

} // namespace sandbox
