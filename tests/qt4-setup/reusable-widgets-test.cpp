#include "qt4-pavo7/reusable/channel-edit.h"
#include "qt4-pavo7/reusable/channel-list.h"
#include "qt4-pavo7/reusable/channels-box.h"
#include "qt4-pavo7/reusable/image-selector.h"
#include "tests/support/page-fixture.h"

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace memory_host;

namespace {

TEST(ImageSelector, KeepsAChosenPictureAsTextAndNeverLosesStoredText)
{
    QTemporaryDir tmp;
    QImage wide(200, 100, QImage::Format_ARGB32);
    wide.fill(Qt::blue);
    ASSERT_TRUE(wide.save(tmp.filePath("wide.png")));
    QFile(tmp.filePath("junk.png")).open(QIODevice::WriteOnly);

    Reusable::QImageSelector selector(32, 64, 64);
    QSignalSpy changed(&selector, &Reusable::QImageSelector::image_changed);
    EXPECT_FALSE(selector.choose_file(tmp.filePath("junk.png")));
    EXPECT_FALSE(selector.choose_file(tmp.filePath("missing.png")));
    EXPECT_EQ(0, changed.count());
    EXPECT_TRUE(selector.image_text().isEmpty());

    ASSERT_TRUE(selector.choose_file(tmp.filePath("wide.png")));
    EXPECT_EQ(1, changed.count());
    EXPECT_EQ(QSize(64, 32), selector.image().size());

    Reusable::QImageSelector copy(32, 64, 64);
    QSignalSpy copied(&copy, &Reusable::QImageSelector::image_changed);
    copy.set_image_text(selector.image_text());
    EXPECT_EQ(selector.image_text(), copy.image_text());
    EXPECT_EQ(selector.image(), copy.image());
    EXPECT_EQ(0, copied.count());

    ASSERT_EQ(1, copy.actions().size());
    // "Clear" of the context menu, by a right click and the keys.
    copy.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&copy));
    QTimer::singleShot(0, &copy, [] {
        if (QWidget *menu = QApplication::activePopupWidget()) {
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        }
    });
    QTest::mouseClick(copy.windowHandle(), Qt::RightButton, {}, QPoint(2, 2));
    settle_events();
    EXPECT_TRUE(copy.image_text().isEmpty());
    EXPECT_EQ(1, copied.count());

    // Stored text that is no picture shows nothing, and is kept as it was.
    for (const char *bad : {"not base64 at all!", "iVBORw0KGgo=", "AAAA"}) {
        copy.set_image_text(bad);
        EXPECT_TRUE(copy.image().isNull()) << bad;
        EXPECT_EQ(bad, copy.image_text());
    }
}

class ChannelEdit : public PageTest
{
protected:
    void SetUp() override
    {
        tree.put_string("/DEMO/channels/1", "name", "Front door");
        tree.put_string("/DEMO/channels/2", "name", "back yard");
        tree.make_folder("/DEMO/channels/7");
    }
    Reusable::QChannelEdit edit;
};

TEST_F(ChannelEdit, ListsChannelsByNameKeepsUnknownValuesAndOnlyTheUserSignals)
{
    QSignalSpy updated(&edit, &Reusable::QChannelEdit::data_updated);
    const auto items = [this] {
        QStringList out;
        for (int i = 0; i < edit.count(); ++i)
            out << edit.itemText(i) + "=" + edit.itemData(i).toString();
        return out.join(' ').toStdString();
    };
    edit.set_channel("9_OTHER"); // before the list is there, and not in it
    tree.clear_calls();
    edit.set_server(host.server_root());
    EXPECT_EQ("9_OTHER", edit.currentText());
    edit.set_channel("2_DEMO");
    EXPECT_EQ("back yard", edit.currentText()) << "named before the list is read";
    EXPECT_EQ(0u, tree.calls_of("ls").size()) << "the list waits for the operator";

    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ("(none)= 7=7_DEMO back yard=2_DEMO Front door=1_DEMO", items())
        << "by name, the channel and server as value";
    ASSERT_EQ(1, updated.count());
    EXPECT_EQ("1_DEMO", updated[0][0].toString());
    edit.set_channel("9_OTHER");
    EXPECT_EQ("9_OTHER", edit.currentText());
    EXPECT_EQ("(none)= 7=7_DEMO back yard=2_DEMO Front door=1_DEMO 9_OTHER=9_OTHER", items());
    edit.set_channel("");
    EXPECT_EQ(0, edit.currentIndex());
    EXPECT_EQ(1, updated.count()) << "only the operator's choice signals";
}

// Pages with many channel selectors read the server's channels once.
TEST_F(ChannelEdit, SelectorsShareOneListAndKeepTheirOwnChoicesWhateverTheHostSays)
{
    Reusable::QChannelsBox box(host.server_root());
    box.channel_list()->ensure_read(); // what opening a selector does
    tree.clear_calls();
    std::unique_ptr<Reusable::QChannelsBox> row(Reusable::QChannelsBox::copy_of(box));
    Reusable::QChannelEdit other(box.channel_list());
    EXPECT_TRUE(tree.calls().empty()) << "sharing the list asks the host nothing";
    ASSERT_EQ(box.count(), row->count());
    EXPECT_EQ(box.itemText(2), row->itemText(2));

    box.set_channel("2_DEMO");
    row->set_channel("9_OTHER");
    other.set_channel("7_DEMO");
    EXPECT_EQ(box.count() + 1, row->count()) << "an unlisted value stays in its own selector";

    tree.put_string("/DEMO/channels/7", "name", "Gate");
    tree.make_folder("/DEMO/channels/8");
    other.set_server(host.server_root()); // read again: every selector shows it
    other.channel_list()->ensure_read();
    EXPECT_EQ(5, box.count());
    EXPECT_EQ("Gate", row->itemText(4));
    EXPECT_EQ("2_DEMO", box.channel());
    EXPECT_EQ("9_OTHER", row->channel());
    EXPECT_EQ("Gate", other.currentText());

    tree.fail_calls(FaultRule{"ls", "/DEMO/channels", "", 1, "busy"});
    other.set_server(host.server_root());
    other.channel_list()->ensure_read();
    EXPECT_TRUE(host.log().contains("GUI: channel list: busy\n", 2));
    EXPECT_EQ("2_DEMO", box.channel()) << "a refused listing leaves the choices alone";
}

} // namespace
