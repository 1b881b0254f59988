#pragma once
// Shared by the page and dialog tests: a tree file from tests/data, a named
// control, a user's clicks on item views, and the checks every page needs.

#include "tests/support/page-fixture.h"
#include "tests/support/tree-file.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWidget>
#include <gtest/gtest.h>

template <class W> W *child(QObject *page, const char *name)
{
    W *w = page->findChild<W *>(QString::fromLatin1(name));
    EXPECT_TRUE(w) << name;
    return w;
}

// The visible controls of a laid-out page that are cut off, by name: smaller
// than their minimum size, or reaching outside their parent. What a scroll
// area shows may be larger than its viewport; Qt's own parts are its business.
inline std::string clipped_controls(QWidget *page)
{
    QStringList out;
    for (QWidget *w : page->findChildren<QWidget *>()) {
        QWidget *parent = w->parentWidget();
        if (!w->isVisibleTo(page) || w->isWindow() || !parent ||
            w->objectName().startsWith(QLatin1String("qt_")) ||
            qobject_cast<QAbstractScrollArea *>(parent->parentWidget()))
            continue;
        const QSize min = w->minimumSizeHint();
        if (w->width() < min.width() || w->height() < min.height() ||
            !parent->rect().contains(w->geometry()))
            out << (w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName());
    }
    return out.join(QLatin1String(", ")).toStdString();
}

// Clicks the page's delete button and answers No, then again and answers Yes.
// Gives each question ("title: text", and "kept" for a box still there after
// its answer) and the erase request the host received ("path key=value").
inline std::string delete_no_then_yes(QWidget *page, const char *button,
                                      memory_host::MemoryTree &tree)
{
    std::string out;
    for (QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        QTest::mouseClick(child<QPushButton>(page, button), Qt::LeftButton);
        auto *box = page->findChild<QMessageBox *>();
        if (!box)
            return out + "no question";
        out += (box->windowTitle() + ": " + box->text() + "\n").toStdString();
        QTest::mouseClick(box->button(answer), Qt::LeftButton);
        settle_events();
        if (page->findChild<QMessageBox *>())
            out += "kept\n";
    }
    for (const memory_host::Call &c : tree.calls_of("set_string"))
        out += c.path + " " + c.key + "=" + c.value + "\n";
    return out;
}

// Answers the newest question of the page with its button; false when
// there is none to answer.
inline bool answer_box(QWidget *page, QMessageBox::StandardButton answer)
{
    const auto boxes = page->findChildren<QMessageBox *>();
    if (boxes.isEmpty() || !boxes.last()->button(answer))
        return false;
    QTest::mouseClick(boxes.last()->button(answer), Qt::LeftButton);
    settle_events();
    return true;
}

// Clicks the page's button and answers the question it opens, if any.
inline void click_and_answer(QWidget *page, const char *button, QMessageBox::StandardButton answer)
{
    QTest::mouseClick(child<QPushButton>(page, button), Qt::LeftButton);
    answer_box(page, answer);
    settle_events();
}

// Types the text into the control, Return for each line end.
inline void type_lines(QWidget *edit, const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, lines[i]);
    }
}

// Replaces the text of an edit or a spin box as typed: all selected, then
// the keys (Delete for no text).
inline void retype(QWidget *edit, const QString &text)
{
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        type_lines(edit, text);
}

// Replaces an editor's text with one copied from elsewhere: all selected,
// then pasted.
inline void paste_over(QWidget *edit, const QString &text)
{
    QApplication::clipboard()->setText(text);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

inline void click_index(QAbstractItemView *view, const QModelIndex &index)
{
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

// Clicks the check box of the item, where the style draws it.
inline void click_check_box(QAbstractItemView *view, const QModelIndex &index)
{
    view->scrollTo(index);
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = view->visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box =
        view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, box.center());
}

inline QModelIndex index_of(QTreeWidget *tree, QTreeWidgetItem *item)
{
    QTreeWidgetItem *parent = item->parent();
    const int row = parent ? parent->indexOfChild(item) : tree->indexOfTopLevelItem(item);
    return tree->model()->index(row, 0, parent ? index_of(tree, parent) : QModelIndex());
}

inline QModelIndex index_of(QListWidget *list, QListWidgetItem *item)
{
    return list->model()->index(list->row(item), 0);
}

// Clicks the tool button and takes the entry `path` names in the menu it
// opens: down with the arrow key to each title, right into a submenu, Return
// on the last. Whatever is still open is closed with Escape. False when an
// entry was not there.
inline bool choose_in_menu(QToolButton *button, const QStringList &path)
{
    bool taken = false;
    QTimer::singleShot(0, button, [&] {
        for (int level = 0; level < path.size(); ++level) {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            const auto at_title = [&] {
                return menu->activeAction() && menu->activeAction()->text() == path[level];
            };
            for (int i = 0; menu && i <= menu->actions().size() && !at_title(); ++i)
                QTest::keyClick(menu, Qt::Key_Down);
            if (!menu || !at_title())
                break;
            const bool last = level == path.size() - 1;
            QTest::keyClick(menu, last ? Qt::Key_Return : Qt::Key_Right);
            taken = last;
        }
        while (QWidget *open = QApplication::activePopupWidget())
            QTest::keyClick(open, Qt::Key_Escape);
    });
    QTest::mouseClick(button, Qt::LeftButton);
    settle_events();
    return taken;
}

// Names the file in the page's open file dialog and takes it, as the
// operator does; no name cancels the dialog.
inline void answer_file_dialog(QWidget *page, const QString &file)
{
    const auto dialogs = page->findChildren<QFileDialog *>();
    ASSERT_FALSE(dialogs.isEmpty());
    auto *name = dialogs.last()->findChild<QLineEdit *>("fileNameEdit");
    auto *buttons = dialogs.last()->findChild<QDialogButtonBox *>();
    ASSERT_TRUE(name && buttons);
    if (file.isEmpty()) {
        QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    } else {
        QTest::keyClicks(name, file);
        QTest::keyClick(name, Qt::Key_Return);
    }
    settle_events();
}

// Opens the "Publish" menu, takes the entry, and names the file.
inline void publish_through_menu(QWidget *page, const char *entry, const QString &file)
{
    ASSERT_TRUE(choose_in_menu(child<QToolButton>(page, "publish_button"), {entry}));
    answer_file_dialog(page, file);
}
