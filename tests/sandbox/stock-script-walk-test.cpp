// The stock and cloud script pages in the sandbox as a new user meets them:
// edit the stock script, save, find the file changed on disk and the engine
// stand-in running it; set a local value of an enciphered cloud script.

#include "tests/sandbox/sandbox-fixture.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTest>

namespace {

class StockWalk : public SandboxTest
{
protected:
    QByteArray stock_file()
    {
        QFile file(QString::fromStdString(session->host().stock_directory()) +
                   "/scripts-stock/disk_space_guard.py");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void click(QWidget *page, const char *name)
    {
        QTest::mouseClick(child<QPushButton>(page, name), Qt::LeftButton);
        session->settle();
    }
};

TEST_F(StockWalk, SavedTextReachesTheFileAndTheEngine)
{
    start();
    const std::string path = objects_of("StockScript").front();
    const std::string stats = path + "/stats";
    const int runs = session->tree().integer_value(stats, "run_count");
    const QByteArray shipped = stock_file();
    ASSERT_FALSE(shipped.isEmpty());

    QWidget *page = window->open_folder(QString::fromStdString(path));
    session->settle();
    ASSERT_TRUE(page);
    click(page, "parameters_source_switch_button");
    auto *editor = child<QPlainTextEdit>(page, "script_text");
    ASSERT_TRUE(editor);
    EXPECT_EQ(QString::fromUtf8(shipped), editor->toPlainText());
    EXPECT_FALSE(editor->isReadOnly());
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, "# checked by the night shift");
    click(page, "save_button");

    const QByteArray saved = stock_file();
    EXPECT_TRUE(saved.endsWith("check()\n# checked by the night shift")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("\t\"warning-mail.txt\": '''\n"))
        << "the data folder's resource is packed into the file";
    EXPECT_TRUE(session->host().log().contains("SERVER: force_run " + path + ": running"));
    EXPECT_EQ(runs + 1, session->tree().integer_value(stats, "run_count"));
    EXPECT_EQ(0, session->tree().integer_value(path, "force_run")) << "taken by the server";
    EXPECT_EQ(QString::number(runs + 1), child<QLabel>(page, "run_count")->text());
}

TEST_F(StockWalk, EncipheredCloudScriptTakesALocalValue)
{
    start();
    std::string path;
    for (const auto &p : objects_of("CloudScript"))
        if (session->tree().string_value(p, "name") == "Queue length monitor")
            path = p;
    ASSERT_FALSE(path.empty());
    QWidget *page = window->open_folder(QString::fromStdString(path));
    session->settle();
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->isEnabled());
    EXPECT_TRUE(child<QLabel>(page, "description")->text().startsWith("Queue length monitor"));
    auto *spin = child<QScrollArea>(page, "parameters_area")->findChild<QSpinBox *>();
    ASSERT_TRUE(spin);
    EXPECT_EQ(6, spin->value()) << "the cloud's value over the declared 8";
    spin->setValue(12);
    click(page, "save_button");
    EXPECT_NE(std::string::npos,
              session->tree().string_value(path, "parameters_local").find("<value>12</value>"));
}

} // namespace
