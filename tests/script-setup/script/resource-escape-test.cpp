// Resource names that lead outside the data folder: a file holding a marker
// lies beside the data folders and is named through "..", a link and its
// absolute path. Neither a published script nor a saved stock script's file
// holds it, packed or not; each refusal is logged and shown, the rest is
// packed.

#include "script-setup/script/setup-script.h"
#include "script-setup/script/setup-stock-script.h"
#include "tests/script-setup/script/script-fixture.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

namespace {

const QByteArray marker = "MARKER 7f3e: the operator's private key";

// The text with every resource of its resources block unpacked after it.
QByteArray with_resources_unpacked(const QByteArray &text)
{
    QByteArray out = text, packed;
    bool in_block = false;
    for (const QByteArray &line : text.split('\n')) {
        if (line == "resources = {")
            in_block = true;
        else if (line == "}")
            in_block = false;
        else if (in_block && line.startsWith("\t\t"))
            packed += line.mid(2);
        else if (!packed.isEmpty()) {
            // qUncompress takes the expected size first and grows from it.
            out += qUncompress(QByteArray("\0\0\0\1", 4) + QByteArray::fromBase64(packed));
            packed.clear();
        }
    }
    return out;
}

// What every file under the folder holds, unpacked.
QByteArray written_under(const QString &folder)
{
    QByteArray all;
    for (const QFileInfo &f : QDir(folder).entryInfoList(QDir::Files))
        all += with_resources_unpacked(read_file(f.filePath()));
    return all;
}

class EscapingResources : public PageTest
{
protected:
    EscapingResources()
    {
        vx_init(&host);
        qputenv("VX_SHARED_FILES_DIR", shared_base.path().toUtf8());
        write_file(outside, marker);
    }
    ~EscapingResources() override
    {
        qunsetenv("VX_SHARED_FILES_DIR");
        vx_done();
    }
    // The data folder with a resource of its own and a link to the marker.
    QString fill_data_folder(const char *name, const char *resource)
    {
        const QString folder = data_root + name;
        write_file(folder + "/" + resource, "RIFF own resource");
        QFile::link(outside, folder + "/link.txt");
        return folder;
    }
    // The declaration's resources: the folder's own, then the escaping one.
    static std::string resources(const char *own, const QString &escaping)
    {
        return "<resources><resource>" + std::string(own) + "</resource><resource>" +
               escaping.toStdString() + "</resource></resources>";
    }

    QTemporaryDir shared_base, out;
    const QString data_root = QString::fromStdString(host.data_directory()) + "/scripts-data/";
    const QString outside = QString::fromStdString(host.data_directory()) + "/marker.txt";
    const QStringList escaping = {"../../marker.txt", "link.txt", outside};
};

// Both publish entries, encoded and not, for each way out.
TEST_F(EscapingResources, PublishedScriptNeverHoldsThem)
{
    load_tree_file(tree, "script/page.json");
    fill_data_folder("ACME_Gate_2", "zones.json");
    for (const QString &name : escaping) {
        SCOPED_TRACE(name.toStdString());
        host.log().clear();
        tree.put_string("/DEMO/scripts/s1", "script",
                        "# Gate\n\"\"\"<parameters><company>ACME</company><title>Gate</title>"
                        "<version>2</version>" +
                            resources("zones.json", name) + "</parameters>\"\"\"\nprint(1)\n");
        QSetupScript page(&navigator, tree.folder("/DEMO/scripts/s1"), host.server_root());
        page.resize(900, 600);
        page.show();
        settle_events();
        for (const char *entry : {"To file...", "To file (unencoded)..."}) {
            const QString file =
                out.filePath(QString::number(entry[7] == '(') + QFileInfo(name).baseName());
            publish_through_menu(&page, entry, file);
            auto *box = page.findChild<QMessageBox *>();
            ASSERT_TRUE(box);
            EXPECT_EQ("Resources left out", box->windowTitle());
            EXPECT_TRUE(box->text().endsWith(":\n" + name)) << box->text().toStdString();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            settle_events();
            EXPECT_TRUE(with_resources_unpacked(read_file(file + ".py")).contains("RIFF own"))
                << "the rest is packed";
        }
        EXPECT_TRUE(host.log().contains(
            "SCRIPT GUI: resource refused: file name '" + name.toStdString() + "'", 2));
        EXPECT_FALSE(written_under(out.path()).contains(marker));
    }
}

TEST_F(EscapingResources, SavedStockScriptFileNeverHoldsThem)
{
    load_tree_file(tree, "script/stock.json");
    fill_data_folder("_stock_Q_Guard_2", "bell.wav");
    const QString stock = QString::fromStdString(host.stock_directory()) + "/scripts-stock";
    write_file(stock + "/guard.py", read_file(script_data("guard.py")));
    for (const QString &name : escaping) {
        SCOPED_TRACE(name.toStdString());
        host.log().clear();
        tree.put_string("/DEMO/scripts/s1", "parameters_default",
                        "<parameters><company>Q</company><title>Guard</title><version>2</version>" +
                            resources("bell.wav", name) + "</parameters>");
        QSetupStockScript page(&navigator, tree.folder("/DEMO/scripts/s1"), host.server_root());
        page.resize(640, 420);
        page.show();
        settle_events();
        QTest::mouseClick(child<QPushButton>(&page, "parameters_source_switch_button"),
                          Qt::LeftButton);
        QTest::keyClicks(child<QPlainTextEdit>(&page, "script_text"), "# edited ");
        QTest::mouseClick(child<QPushButton>(&page, "save_button"), Qt::LeftButton);
        settle_events();

        EXPECT_TRUE(with_resources_unpacked(read_file(stock + "/guard.py")).contains("RIFF own"))
            << "the rest is packed";
        EXPECT_FALSE(written_under(stock).contains(marker));
        EXPECT_TRUE(host.log().contains(
            "QSetupStockScript: refused: file name '" + name.toStdString() + "'", 2));
        auto *message = child<QLabel>(&page, "file_message");
        EXPECT_TRUE(message->isVisible());
        EXPECT_TRUE(message->text().contains(name)) << message->text().toStdString();
    }
}

} // namespace
