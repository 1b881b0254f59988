#include "memory-host/dava-dodazi-service.h"
#include "script-setup/wizard/dava-dodazi-receiver.h"
#include "tests/support/page-fixture.h"

#include <atomic>
#include <boost/make_shared.hpp>
#include <thread>

using namespace memory_host;
using namespace Rizurividuvez;

namespace {

struct OtherService : ServiceInterface
{
    std::string service_name() override { return "DavaDodaziService"; }
};

// Takes the lists in a queued slot, as the rule page does, and checks that
// every take is whole: all entries of one delivery, classes and objects alike.
class SwappingReader : public QObject
{
public:
    explicit SwappingReader(DavaDodaziServiceReceiverImp *receiver)
        : receiver_(receiver)
    {
        connect(receiver, &DavaDodaziServiceReceiverImp::objects_list_changed, this,
                &SwappingReader::take, Qt::QueuedConnection);
    }
    void take()
    {
        std::vector<ObjectClass> classes;
        std::vector<ObjectRecord> objects;
        receiver_->take_classes_and_objects(classes, objects);
        if (classes.empty() && objects.empty())
            return; // an earlier slot already took this delivery
        // Within a list one delivery is written at once; a tear mixes the two lists.
        if (classes.size() != 50 || objects.size() != 50 ||
            classes.back().name != objects.front().class_name) {
            ++torn;
            return;
        }
        const int g = std::stoi(classes.front().name);
        if (g <= last)
            ++out_of_order;
        last = g;
    }
    DavaDodaziServiceReceiverImp *receiver_;
    int torn = 0, out_of_order = 0, last = -1;
};

void lists_of_generation(int g, std::vector<ObjectClass> &classes,
                         std::vector<ObjectRecord> &objects)
{
    classes.assign(50, ObjectClass{std::to_string(g), {g}});
    objects.assign(50, ObjectRecord{"{g}", "DEMO", std::to_string(g), "object"});
}

using WizardReceiver = PageTest;

// A page's and a dialog's receiver of one server, and one of another server.
TEST_F(WizardReceiver, RefusesOtherServicesDeliversEachListAndDetachStopsIt)
{
    auto receiver = DavaDodaziServiceReceiverImp::create("DEMO", false);
    auto dialog = DavaDodaziServiceReceiverImp::create("DEMO", true);
    auto other_server = DavaDodaziServiceReceiverImp::create("OTHER", false);
    for (const auto &r : {receiver, dialog, other_server})
        host.register_consumer(r);
    host.offer_service("DEMO", boost::make_shared<OtherService>());
    EXPECT_TRUE(host.log().contains("DavaDodaziService: invalid service\n", 2));
    auto service = boost::make_shared<MemoryDavaDodaziService>(demo_wizard_lists());
    host.offer_service("DEMO", service);
    service->wait_idle();
    settle_events();
    EXPECT_TRUE(receiver->connected());
    EXPECT_FALSE(other_server->connected());

    const WizardLists demo = demo_wizard_lists();
    std::vector<ObjectRecord> taken;
    receiver->take_objects(taken);
    EXPECT_EQ(demo.objects.size(), taken.size());
    EXPECT_TRUE(receiver->copy_objects().empty()) << "a swapped-out list stays empty";
    std::vector<EventType> page_events;
    receiver->take_event_types(page_events);
    EXPECT_EQ(demo.event_types.size(), page_events.size());
    EXPECT_EQ(demo.event_types.size(), dialog->copy_event_types().size()) << "lists of its own";
    EXPECT_TRUE(dialog->copy_objects().empty());
    EXPECT_TRUE(dialog->copy_sounds().empty());

    receiver->detach();
    EXPECT_FALSE(receiver->connected());
    EXPECT_EQ(1, service->subscribers()) << "the dialog's receiver stays";
}

TEST_F(WizardReceiver, SwapModeTakesTheDeliveredListsAndCopyModeLeavesThem)
{
    for (bool swap : {true, false}) {
        auto service = boost::make_shared<MemoryDavaDodaziService>();
        auto receiver = DavaDodaziServiceReceiverImp::create("DEMO", false);
        receiver->service_connected(service, swap);
        service->wait_idle(); // its own first delivery is made
        std::vector<ObjectClass> classes;
        std::vector<ObjectRecord> objects;
        lists_of_generation(7, classes, objects);
        std::vector<EventType> event_types(3);
        std::vector<std::string> sounds{"a.wav"};
        receiver->classes_and_objects_listed(classes, objects);
        receiver->event_types_listed(event_types);
        receiver->sounds_listed(sounds);
        const size_t left = swap ? 0 : 1;
        EXPECT_EQ(left * 50, classes.size()) << swap;
        EXPECT_EQ(left * 50, objects.size()) << swap;
        EXPECT_EQ(left * 3, event_types.size()) << swap;
        EXPECT_EQ(left, sounds.size()) << swap;
        EXPECT_EQ(50u, receiver->copy_objects().size()) << swap;
        receiver->detach();
    }
}

TEST_F(WizardReceiver, ManyDeliveriesWhileTheGuiThreadSwapsLoseOrTearNothing)
{
    const int generations = 1500;
    auto service = boost::make_shared<MemoryDavaDodaziService>();
    host.offer_service("DEMO", service);
    auto first = DavaDodaziServiceReceiverImp::create("DEMO", false);
    auto second = DavaDodaziServiceReceiverImp::create("DEMO", false);
    host.register_consumer(first);
    host.register_consumer(second);
    service->wait_idle();
    settle_events();
    SwappingReader first_reader(first.get()), second_reader(second.get());

    std::atomic<bool> done{false};
    std::thread producer([&] {
        std::vector<ObjectClass> classes;
        std::vector<ObjectRecord> objects;
        for (int g = 0; g < generations; ++g) {
            lists_of_generation(g, classes, objects);
            service->set_classes_and_objects(classes, objects);
        }
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents();
    producer.join();
    service->wait_idle();
    settle_events();

    for (const SwappingReader *reader : {&first_reader, &second_reader}) {
        EXPECT_EQ(0, reader->torn);
        EXPECT_EQ(0, reader->out_of_order);
        EXPECT_EQ(generations - 1, reader->last) << "the last delivery must reach the reader";
    }
}

} // namespace
