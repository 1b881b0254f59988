// The stock script page on real files: which scripts it may change, reading
// and writing the file in the host's stock folder, the shared folder kept
// out of reach, file names that try to leave their folder, a failed write,
// the published text with resources, and the fault sweep.

#include "script-setup/script/setup-stock-script.h"
#include "tests/script-setup/script/script-fixture.h"
#include "tests/support/screenshot.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const char *const stock_path = "/DEMO/scripts/s1";

// Declares one string parameter "to".
const QByteArray stock_script = read_file(script_data("guard.py"));

// A stock script of the server with statistics that report an error on line 3,
// and another server.
void make_stock_tree(memory_host::MemoryTree &tree, const std::string &file, int rights = 0xff)
{
    load_tree_file(tree, "script/stock.json");
    tree.put_string(stock_path, "file", file);
    tree.set_rights(stock_path, rights);
}

class StockPage : public PluginPage<QSetupStockScript>
{
protected:
    StockPage() { qputenv("VX_SHARED_FILES_DIR", shared_base.path().toUtf8()); }
    ~StockPage() override { qunsetenv("VX_SHARED_FILES_DIR"); }
    QString host_stock()
    {
        return QString::fromStdString(host.stock_directory()) + "/scripts-stock";
    }
    QString shared_stock() { return shared_base.path() + "/scripts-stock"; }

    void open(const std::string &file = "guard.py", int rights = 0xff)
    {
        make_stock_tree(tree, file, rights);
        page.reset(new QSetupStockScript(&navigator, tree.folder(stock_path), tree.folder(server)));
        page->resize(640, 420);
        settle_events();
        tree.clear_calls();
    }
    QPlainTextEdit *editor() { return get<QPlainTextEdit>("script_text"); }
    // Brings the side of the page that holds `w` forward, as the operator does.
    void show_side(QWidget *w)
    {
        if (!w->isVisibleTo(page.get()))
            click("parameters_source_switch_button");
    }
    void edit_and_save(const char *text)
    {
        if (page->writable()) {
            show_side(editor());
            retype(editor(), QString::fromUtf8(text));
        }
        show_side(in_form<QLineEdit>().value(0));
        QTest::keyClicks(in_form<QLineEdit>().value(0), "!");
        click("save_button");
    }

    QTemporaryDir shared_base;
    std::string server = "/DEMO";
};

TEST_F(StockPage, WhoMayChangeTheFile)
{
    const struct
    {
        const char *shot;
        bool shared; // the file is in the shared folder
        const char *server;
        int rights;
        bool writable;
    } cases[] = {
        {"stock-own-server", false, "/DEMO", 0xff, true},
        {"stock-other-server", false, "/OTHER", 0xff, false},
        {"stock-shared-folder", true, "/DEMO", 0xff, false},
        {"stock-without-64", false, "/DEMO", 0xff & ~64, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.shot);
        page.reset();
        QDir(host_stock()).removeRecursively();
        QDir(shared_stock()).removeRecursively();
        const QString file = (c.shared ? shared_stock() : host_stock()) + "/guard.py";
        write_file(file, stock_script);
        server = c.server;
        open("guard.py", c.rights);

        EXPECT_EQ(c.writable, page->writable());
        EXPECT_EQ(c.writable ? QString(stock_script) : QString(), editor()->toPlainText())
            << "only a script that may be changed is shown";
        EXPECT_EQ(!c.writable, editor()->isReadOnly());
        EXPECT_EQ(c.writable, get<QPushButton>("parameters_source_switch_button")->isEnabled());
        EXPECT_EQ("&Save and Run", get<QPushButton>("save_button")->text());
        EXPECT_EQ("4", get<QLabel>("run_count")->text());
        EXPECT_TRUE(get<QLabel>("last_error")->text().contains("ERROR: NameError"));
        EXPECT_EQ(c.writable ? 1 : 0, editor()->extraSelections().size());
        page->show();
        EXPECT_EQ("", clipped_controls(page.get()));
        save_screenshot(page.get(), c.shot);

        edit_and_save("# Disk space guard, edited\ncheck()\n");
        const std::vector<std::string> expected =
            c.writable ? std::vector<std::string>{"force_run", "parameters"}
                       : std::vector<std::string>{"parameters"};
        EXPECT_EQ(expected, written_keys());
        EXPECT_NE(std::string::npos,
                  tree.string_value(stock_path, "parameters").find("example.com!"));
        EXPECT_EQ(c.writable ? QByteArray("# Disk space guard, edited\ncheck()\n") : stock_script,
                  read_file(file));
        EXPECT_EQ(c.writable, host.log().contains("QSetupStockScript: file " + file.toStdString() +
                                                  " written"));
        EXPECT_FALSE(page->modified());
        host.log().clear();
    }
}

TEST_F(StockPage, FileNamesNeverLeaveTheStockFolder)
{
    write_file(host_stock() + "/guard.py", stock_script);
    // Refused when the page opens: nothing is read, the script cannot be changed.
    for (const char *name :
         {"../escape.py", "sub/escape.py", "..\\escape.py", "C:escape.py", "..", ""}) {
        SCOPED_TRACE(name);
        host.log().clear();
        page.reset();
        open(name);
        EXPECT_FALSE(page->writable());
        EXPECT_TRUE(editor()->toPlainText().isEmpty());
        EXPECT_TRUE(host.log().contains("QSetupStockScript: refused", 2));
        EXPECT_FALSE(get<QLabel>("file_message")->isHidden());
    }

    // Refused when the name changes under an open page: only the values go.
    page.reset();
    open("guard.py");
    tree.put_string(stock_path, "file", "../escape.py");
    host.log().clear();
    edit_and_save("escaped = True\n");
    EXPECT_TRUE(host.log().contains("QSetupStockScript: refused", 2));
    EXPECT_EQ(stock_script, read_file(host_stock() + "/guard.py"));
    EXPECT_FALSE(QFile::exists(host_stock() + "/../escape.py"));
    EXPECT_EQ(1, tree.integer_value(stock_path, "force_run"));
}

// A file that exists but cannot be read (the page opens with no file
// descriptor left: root reads whatever the mode says) is not replaced by the
// empty editor: a parameter-only save leaves it alone, a typed text goes in.
TEST_F(StockPage, UnreadFileIsNotReplacedByTheEmptyEditor)
{
    write_file(host_stock() + "/guard.py", stock_script);
    open(); // the toolkit loads what it needs while it can
    page.reset();
    host.log().clear();
    rlimit old;
    getrlimit(RLIMIT_NOFILE, &old);
    const int lowest_free = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(lowest_free, 0);
    ::close(lowest_free);
    rlimit none = old;
    none.rlim_cur = rlim_t(lowest_free);
    setrlimit(RLIMIT_NOFILE, &none);
    page.reset(new QSetupStockScript(&navigator, tree.folder(stock_path), tree.folder(server)));
    setrlimit(RLIMIT_NOFILE, &old);
    page->resize(640, 420);
    settle_events();
    ASSERT_TRUE(page->writable());
    EXPECT_TRUE(editor()->toPlainText().isEmpty());
    EXPECT_TRUE(get<QLabel>("file_message")->text().contains("cannot be read"));
    EXPECT_TRUE(host.log().contains("QSetupStockScript: cannot read", 2));

    QTest::keyClicks(in_form<QLineEdit>().value(0), "!");
    click("save_button");
    EXPECT_EQ(stock_script, read_file(host_stock() + "/guard.py"));
    EXPECT_NE(std::string::npos, tree.string_value(stock_path, "parameters").find("example.com!"));
    EXPECT_EQ(1, tree.integer_value(stock_path, "force_run"));

    click("parameters_source_switch_button");
    QTest::keyClicks(editor(), "check()");
    click("save_button");
    EXPECT_EQ("check()", read_file(host_stock() + "/guard.py"));
}

TEST_F(StockPage, SavedFileHoldsTheDataFolderResources)
{
    const QString data =
        QString::fromStdString(host.data_directory()) + "/scripts-data/_stock_Q_Guard_2";
    write_file(host_stock() + "/guard.py", stock_script);
    write_file(data + "/bell.wav", "RIFF");
    open();
    edit_and_save("# Guard\ncheck(2)\n");
    const QByteArray written = read_file(host_stock() + "/guard.py");
    EXPECT_TRUE(written.contains("resources = {\n\t\"bell.wav\": '''\n")) << written.toStdString();

    show_side(editor());
    retype(editor(), "lost = 1\n");
    QTest::mouseClick(get<QPushButton>("revert_button"), Qt::LeftButton);
    EXPECT_EQ(QString::fromUtf8(written), editor()->toPlainText()) << "revert reads the file";
    EXPECT_FALSE(page->modified());

    // The operator hears of a failed write (whether the old file stays whole
    // is the writer's own test), and the values are stored all the same.
    QDir(host_stock()).removeRecursively();
    tree.put_integer(stock_path, "force_run", 0);
    edit_and_save("x = 1\n");
    EXPECT_TRUE(host.log().contains("QSetupStockScript: cannot write file", 2));
    EXPECT_TRUE(get<QLabel>("file_message")->text().contains("the previous file is unchanged"));
    EXPECT_EQ(1, tree.integer_value(stock_path, "force_run"));
}

TEST(StockFaults, EveryRefusedCallIsSurvivedAndLogged)
{
    const auto fill = [](memory_host::MemoryHost &host) {
        make_stock_tree(host.tree(), "guard.py");
        write_file(QString::fromStdString(host.stock_directory()) + "/scripts-stock/guard.py",
                   stock_script);
    };
    const auto scenario = [](memory_host::MemoryHost &host) {
        RecordingNavigator navigator;
        QSetupStockScript page(&navigator, host.tree().folder(stock_path), host.server_root());
        settle_events();
        host.tree().put_integer(std::string(stock_path) + "/stats", "last_error_line", 1);
        settle_events();
        auto *editor = page.findChild<QPlainTextEdit *>("script_text");
        QTest::mouseClick(child<QPushButton>(&page, "parameters_source_switch_button"),
                          Qt::LeftButton);
        retype(editor, "x = 1\n");
        QTest::mouseClick(child<QPushButton>(&page, "save_button"), Qt::LeftButton);
        retype(editor, "lost = 1\n");
        QTest::mouseClick(child<QPushButton>(&page, "revert_button"), Qt::LeftButton);
        settle_events();
        // Still answering: typing is an edit, unless opening was refused
        // and the page shows that it cannot be changed.
        retype(editor, "still = 1\n");
        return page.modified() || !editor->isEnabled() || editor->isReadOnly();
    };
    expect_faults_survived(
        fill, scenario,
        {"QSetupStockScript: cannot save", "QSetupStockScript: cannot revert script"}, 20);
}

} // namespace
