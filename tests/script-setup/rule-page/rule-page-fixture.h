#pragma once
// A scripts folder with an e-mail account and one rule on a server with two
// channels, the demo rule-wizard service, and the rule page opened on it.

#include "memory-host/catalogue-service.h"
#include "memory-host/dava-dodazi-service.h"
#include "plugin/entry.h"
#include "script-setup/rule-page/grid-widget.h"
#include "script-setup/rule-page/setup-rule.h"
#include "tests/script-setup/page-helpers.h"
#include "tests/support/page-fixture.h"

#include <QDialog>
#include <QLabel>
#include <QTest>
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
    std::unique_ptr<QSetupRule> open_page()
    {
        std::unique_ptr<QSetupRule> p(
            new QSetupRule(&navigator, tree.folder(rule_path), host.server_root()));
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
    void link(const char *href) { page->link_activated(QString::fromLatin1(href)); }
    // The newest open dialog of the page with that name.
    QDialog *dialog(const char *name)
    {
        const auto all = page->findChildren<QDialog *>(QString::fromLatin1(name));
        return all.isEmpty() ? nullptr : all.last();
    }
    void save() { QTest::keyClick(page.get(), Qt::Key_S, Qt::ControlModifier); }
    QWidget *action_row(int index) { return page->action_grid()->row(index); }

    boost::shared_ptr<memory_host::MemoryDavaDodaziService> wizard;
    boost::shared_ptr<memory_host::MemoryCatalogueService> catalogue;
    std::unique_ptr<QSetupRule> page;
};
