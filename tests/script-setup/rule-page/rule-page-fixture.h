#pragma once
// A scripts folder with an e-mail account and one rule on a server with two
// channels, the demo rule-wizard service, and the rule page opened on it.

#include "memory-host/catalogue-service.h"
#include "memory-host/dava-dodazi-service.h"
#include "plugin/entry.h"
#include "script-setup/rule-page/grid-widget.h"
#include "script-setup/rule-page/setup-rule.h"
#include "tests/script-setup/page-helpers.h"
#include "tests/support/link-click.h"
#include "tests/support/page-fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <QTreeView>
#include <boost/make_shared.hpp>
#include <memory>

const char *const rule_path = "/DEMO/scripts/r1";
const char *const rule_stats_path = "/DEMO/scripts/r1/stats";

const char *const rule_tree_file = "rule/page-tree.json";

class RulePage : public PageTest
{
public: // the table-driven cases reach in from free functions
    using PageTest::tree;
    RulePage()
        : wizard(boost::make_shared<memory_host::MemoryDavaDodaziService>(
              memory_host::demo_wizard_lists()))
        , catalogue(boost::make_shared<memory_host::MemoryCatalogueService>(
              memory_host::demo_catalogue()))
    {
        host.set_deterministic_guids(true);
        host.offer_service("DEMO", wizard);
        host.offer_service("DEMO", catalogue);
        vx_init(&host);
    }
    ~RulePage() override
    {
        page.reset();
        deliver();
        vx_done();
    }
    void deliver()
    {
        wizard->wait_idle();
        catalogue->wait_idle();
        settle_events();
    }
    std::unique_ptr<QSetupRule> open_page(const char *path = rule_path)
    {
        std::unique_ptr<QSetupRule> p(
            new QSetupRule(&navigator, tree.folder(path), host.server_root()));
        p->resize(1000, 800);
        p->show();
        deliver();
        return p;
    }
    void open()
    {
        load_tree_file(tree, rule_tree_file);
        page = open_page();
    }
    template <class W> W *get(const char *name) { return child<W>(page.get(), name); }
    void link(const char *href)
    {
        EXPECT_TRUE(click_link(page.get(), QString::fromLatin1(href))) << href;
        settle_events();
    }
    // The newest open dialog of the page with that name.
    QDialog *dialog(const char *name)
    {
        const auto all = page->findChildren<QDialog *>(QString::fromLatin1(name));
        return all.isEmpty() ? nullptr : all.last();
    }
    void save() { QTest::keyClick(page.get(), Qt::Key_S, Qt::ControlModifier); }
    // In the newest dialog of that name: clicks each item named (its text,
    // its path of texts, or its data), on its check box when `tick`, then OK.
    void answer(const char *dialog_name, const char *view_name, const QStringList &items,
                bool tick = true)
    {
        QDialog *d = dialog(dialog_name);
        ASSERT_TRUE(d) << dialog_name;
        deliver(); // the lists the dialog shows
        for (const QString &text : items) {
            // Several views in turn: "view|item" picks in another one.
            const QString view_of = text.section('|', 0, -2);
            auto *view = d->findChild<QAbstractItemView *>(view_of.isEmpty() ? view_name : view_of);
            ASSERT_TRUE(view) << text.toStdString();
            if (auto *tree_view = qobject_cast<QTreeView *>(view))
                tree_view->expandAll();
            const QModelIndex index =
                find_item(view->model(), text.section('|', -1), QModelIndex());
            ASSERT_TRUE(index.isValid()) << text.toStdString();
            (tick ? click_check_box : click_index)(view, index);
        }
        QTest::mouseClick(d->findChild<QPushButton *>("ok_button"), Qt::LeftButton);
        settle_events();
    }
    static QModelIndex find_item(QAbstractItemModel *model, const QString &text,
                                 const QModelIndex &parent, const QString &above = QString())
    {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex i = model->index(row, 0, parent);
            const QString path =
                above.isEmpty() ? i.data().toString() : above + '/' + i.data().toString();
            if (i.data().toString() == text || path == text || path.endsWith('/' + text) ||
                i.data(Qt::UserRole).toString() == text)
                return i;
            const QModelIndex below = find_item(model, text, i, path);
            if (below.isValid())
                return below;
        }
        return QModelIndex();
    }
    // The operator's keys in a combo box: Home, then Down to item `index`.
    static void choose(QComboBox *box, int index)
    {
        QTest::keyClick(box, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(box, Qt::Key_Down);
    }
    // The item with the data, found once the first key has listed them all.
    static void choose(QComboBox *box, const QString &data)
    {
        QTest::keyClick(box, Qt::Key_Home);
        choose(box, box->findData(data));
    }
    QWidget *action_row(int index) { return page->action_grid()->row(index); }

    boost::shared_ptr<memory_host::MemoryDavaDodaziService> wizard;
    boost::shared_ptr<memory_host::MemoryCatalogueService> catalogue;
    std::unique_ptr<QSetupRule> page;
};
