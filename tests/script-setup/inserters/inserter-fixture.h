#pragma once
// Ground of the inserter tests: the in-memory host offering the demo
// rule-wizard and catalogue services, and a user's clicks on item views.

#include "memory-host/catalogue-service.h"
#include "memory-host/dava-dodazi-service.h"
#include "tests/script-setup/page-helpers.h"
#include "tests/support/page-fixture.h"

#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <boost/make_shared.hpp>

class InserterTest : public PageTest
{
protected:
    InserterTest()
        : wizard(boost::make_shared<memory_host::MemoryDavaDodaziService>(
              memory_host::demo_wizard_lists()))
        , catalogue(boost::make_shared<memory_host::MemoryCatalogueService>(
              memory_host::demo_catalogue()))
    {
        host.offer_service("DEMO", wizard);
        host.offer_service("DEMO", catalogue);
    }
    // Lets the services deliver and the queued slots run.
    void deliver()
    {
        wizard->wait_idle();
        catalogue->wait_idle();
        settle_events();
    }

    boost::shared_ptr<memory_host::MemoryDavaDodaziService> wizard;
    boost::shared_ptr<memory_host::MemoryCatalogueService> catalogue;
};

// Clicks the dialog's OK as a user does and gives the text it accepted, or
// "<none>"; an accepting dialog deletes itself.
template <class D> QString press_ok(const QPointer<D> &dialog, QSignalSpy &accepted)
{
    QTest::mouseClick(dialog->template findChild<QPushButton *>("ok_button"), Qt::LeftButton);
    settle_events();
    EXPECT_TRUE(accepted.isEmpty() || dialog.isNull()) << "the dialog deletes itself when closed";
    return accepted.isEmpty() ? QString("<none>") : accepted.takeFirst().at(0).toString();
}

// The texts of the items a quick search leaves shown, in tree order.
inline QStringList visible_texts(QTreeWidget *tree)
{
    QStringList texts;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        bool shown = true;
        for (QTreeWidgetItem *i = *it; i && shown; i = i->parent())
            shown = !i->isHidden();
        if (shown)
            texts.append((*it)->text(0));
    }
    return texts;
}
