#include "memory-host/memory-host.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

using namespace memory_host;

namespace {

struct NamedService : Rizurividuvez::ServiceInterface
{
    explicit NamedService(std::string n)
        : name(std::move(n))
    {}
    std::string service_name() override { return name; }
    std::string name;
};

struct Consumer : Rizurividuvez::ServicesConsumer
{
    Consumer(std::string s, std::string n)
        : server(std::move(s))
        , service(std::move(n))
    {}
    std::string consumer_server_name() override { return server; }
    std::string consumer_service_name() override { return service; }
    void service_connected(boost::shared_ptr<Rizurividuvez::ServiceInterface> s, bool swap) override
    {
        connected.push_back(s->service_name());
        swapped = swap;
    }
    void service_dropped() override { ++dropped; }
    std::string server, service;
    std::vector<std::string> connected;
    bool swapped = false;
    int dropped = 0;
};

TEST(MemoryHostServices, ConsumersMeetTheirServiceWhicheverComesFirst)
{
    MemoryHost host;
    auto early = boost::make_shared<Consumer>("DEMO", "ObjectsService");
    host.register_consumer(early);
    host.register_consumer(boost::make_shared<Consumer>("DEMO", "ObjectsService")); // let go
    host.offer_service("DEMO", boost::make_shared<NamedService>("ObjectsService"), false);
    host.offer_service("DEMO", boost::make_shared<NamedService>("DavaDodaziService"));
    auto late = boost::make_shared<Consumer>("DEMO", "DavaDodaziService");
    host.register_consumer(late);

    EXPECT_EQ(std::vector<std::string>{"ObjectsService"}, early->connected);
    EXPECT_FALSE(early->swapped);
    EXPECT_EQ(std::vector<std::string>{"DavaDodaziService"}, late->connected);
    EXPECT_TRUE(late->swapped);
    EXPECT_EQ(2u, host.consumers().size()) << "a consumer let go is not kept";

    host.drop_services();
    EXPECT_EQ(1, early->dropped);
    EXPECT_EQ(1, late->dropped);
    EXPECT_TRUE(host.consumers().empty());
}

} // namespace
