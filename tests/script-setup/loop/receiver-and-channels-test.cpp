#include "tests/script-setup/loop/loop-fixture.h"

#include "memory-host/catalogue-service.h"
#include "qt4-pavo7/reusable/channels-box.h"
#include "script-setup/objects-list-receiver.h"

#include <atomic>

using namespace memory_host;

namespace {

TEST_F(LoopPage, ObjectsReceiverKeepsItsClassOnItsServerFromAnObjectsServiceOnly)
{
    auto receiver = ObjectsListReceiver::create("DEMO", "OperatorGUI");
    std::atomic<int> changes{0};
    QObject::connect(
        receiver.get(), &ObjectsListReceiver::objects_changed, receiver.get(),
        [&changes] { ++changes; }, Qt::DirectConnection);
    auto service = boost::make_shared<MemoryObjectsService>();
    // The copying form; the pages, on the host's default, take the list.
    receiver->service_connected(service, false);
    const std::vector<Rizurividuvez::ObjectInfo> objects = {
        object_info("op1", "OperatorGUI", "DEMO"), object_info("cam", "Camera", "DEMO"),
        object_info("op9", "OperatorGUI", "OTHER"), object_info("op2", "OperatorGUI", "DEMO")};
    for (int i = 0; i < 2; ++i)
        service->set_objects(objects);
    service->wait_idle();
    {
        ObjectsListReceiver::Lock lock(*receiver);
        ASSERT_EQ(2u, lock.objects().size());
        EXPECT_EQ("op1", lock.objects()[0].guid);
        EXPECT_EQ("op2", lock.objects()[1].guid);
    }
    EXPECT_EQ(1, changes) << "the list at connection was empty; the second was the same";
    service->set_objects({});
    service->wait_idle();
    EXPECT_TRUE(ObjectsListReceiver::Lock(*receiver).objects().empty());
    EXPECT_EQ(2, changes);

    ObjectsListReceiver::create("DEMO", "OperatorGUI")
        ->service_connected(boost::make_shared<MemoryCatalogueService>(), false);
    EXPECT_TRUE(host.log().contains("ObjectListReceiver: invalid service\n", 2));
}

// The channel edit's own test covers the list by name and the signals of a
// choice; the box reads the server's channels at once and takes bare guids.
TEST_F(LoopPage, ChannelsBoxListsTheServersChannelsAndTakesBareGuids)
{
    Reusable::QChannelsBox box(host.server_root());
    box.set_channel_guid("ch1");
    EXPECT_EQ("ch1_DEMO", box.channel());
    QTest::keyClick(&box, Qt::Key_Down);
    std::unique_ptr<Reusable::QChannelsBox> copy(Reusable::QChannelsBox::copy_of(box));
    EXPECT_EQ("ch2", copy->channel_guid());
}

} // namespace
