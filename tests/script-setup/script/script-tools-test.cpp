// The script page's tools on the operator's own server: publishing with the
// data folder's resources, the data folder menu, examples; and the fault
// sweep over the page's whole life.

#include "tests/script-setup/script/script-fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

// Declares company ACME, title Gate, version 1.0 and two resources.
const char *const resource_script = "# Gate\n"
                                    "'''<parameters><company>ACME</company><title>Gate</title>"
                                    "<version>1.0</version><resources><resource>a.txt</resource>"
                                    "<resource>b.txt</resource></resources></parameters>'''\n"
                                    "print('gate')\n";

QString data_folder(memory_host::MemoryHost &host)
{
    return QString::fromStdString(host.data_directory()) + "/scripts-data/ACME_Gate_1_0";
}

using ScriptTools = ScriptPage;

TEST_F(ScriptTools, PublishPacksTheDataFolderResources)
{
    open(resource_script);
    EXPECT_EQ(data_folder(host), page->data_folder());
    auto *menu_button = get<QToolButton>("data_folder_button");
    EXPECT_FALSE(menu_button->isHidden()) << "shown on the operator's own server";
    page->prepare_data_folder_menu();
    EXPECT_EQ(data_folder(host), get<QLabel>("data_folder_label")->text());
    QAction *create = menu_button->menu()->actions()[1];
    EXPECT_TRUE(create->isVisible());
    page->script_data_folder_create(QMessageBox::Yes);
    ASSERT_TRUE(QDir(data_folder(host)).exists());
    page->prepare_data_folder_menu();
    EXPECT_FALSE(create->isVisible());

    write_file(data_folder(host) + "/a.txt", "alpha");
    write_file(data_folder(host) + "/b.txt", "beta");
    QTemporaryDir out;
    page->publish_to_file(out.filePath("gate"));
    settle_events();
    EXPECT_TRUE(page->findChildren<QMessageBox *>().isEmpty());
    QFile published(out.filePath("gate.py"));
    ASSERT_TRUE(published.open(QIODevice::ReadOnly));
    EXPECT_TRUE(published.readAll().contains("resources = {\n\t\"a.txt\": '''\n"));

    QFile::remove(data_folder(host) + "/b.txt");
    page->publish_to_file(out.filePath("again.py"));
    settle_events();
    auto *box = page->findChild<QMessageBox *>();
    ASSERT_TRUE(box);
    EXPECT_EQ("Saving failed", box->windowTitle());
    EXPECT_TRUE(box->text().startsWith("cannot read resource")) << box->text().toStdString();
    EXPECT_FALSE(QFile::exists(out.filePath("again.py")));
    EXPECT_TRUE(host.log().contains("cannot publish", 2));
}

TEST_F(ScriptTools, ExamplesComeFromScriptSamples)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("script-samples/nested"); // folders are no examples
    write_file(dir.filePath("script-samples/b-lights.py"), "print('b')\n");
    write_file(dir.filePath("script-samples/a-gate.py"), "print('a')\n");
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    open("x = 1\n");
    QDir::setCurrent(before);

    EXPECT_EQ((std::vector<std::string>{"a-gate", "b-lights", "--", "From file..."}),
              menu_texts(get<QToolButton>("examples_button")->menu()));

    page->example_load_from_file("");
    EXPECT_FALSE(page->modified());
    page->example_load_from_file(dir.filePath("script-samples/b-lights.py"));
    EXPECT_EQ("print('b')\n", editor()->toPlainText().toStdString());
    EXPECT_TRUE(page->modified());
}

// Opening, stats and show_warnings notifications, a language command,
// saving, reverting, publishing and deleting, with each host call refused
// in turn.
TEST(ScriptFaults, EveryRefusedCallIsSurvivedAndLogged)
{
    const auto fill = [](memory_host::MemoryHost &host) {
        make_script_tree(host.tree(), resource_script);
        host.tree().put_string(script_path, "available_languages", "en");
    };
    const auto scenario = [](memory_host::MemoryHost &host) {
        write_file(data_folder(host) + "/a.txt", "alpha");
        write_file(data_folder(host) + "/b.txt", "beta");
        RecordingNavigator navigator;
        QTemporaryDir out;
        QSetupScript page(&navigator, host.tree().folder(script_path), host.server_root());
        settle_events();
        host.tree().put_integer(stats_path, "last_error_line", 2);
        host.tree().put_integer(scripts_path, "show_warnings", 1);
        settle_events();
        auto *editor = page.findChild<QPlainTextEdit *>("script_text");
        editor->setPlainText(QString::fromLatin1(resource_script) + "x = 1\n");
        page.save_button_clicked();
        editor->setPlainText("lost = 1\n");
        page.revert_button_clicked();
        page.add_language_accepted("ru");
        page.publish_to_file(out.filePath("published"));
        page.delete_confirmed(QMessageBox::Yes);
        settle_events();
        for (QMessageBox *box : page.findChildren<QMessageBox *>())
            box->close();
        settle_events();
        editor->setPlainText("still = 1\n");
        return page.modified();
    };
    // Failures the page logs at level 1, as the operator loses nothing.
    expect_faults_survived(
        fill, scenario,
        {"SCRIPT GUI: cannot save", "SCRIPT GUI: cannot revert script",
         "GUI: ERROR: script delete_button_clicked()", "SCRIPT GUI: cannot set_language"},
        40,
        [](const memory_host::Call &c) { return c.op == "value_type" || c.op == "key_writable"; });
}

} // namespace
