#pragma once
// Ground of the inserter tests: the in-memory host offering the demo
// rule-wizard and catalogue services, and a user's clicks on item views.

#include "memory-host/catalogue-service.h"
#include "memory-host/dava-dodazi-service.h"
#include "tests/script-setup/page-helpers.h"
#include "tests/support/page-fixture.h"

#include <QTest>
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
