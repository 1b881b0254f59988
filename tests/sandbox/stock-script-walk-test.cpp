// The stock script page in the sandbox as a new user meets it: edit the
// script, save, find the file changed on disk and the engine stand-in
// running it.

#include "tests/sandbox/sandbox-fixture.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
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

} // namespace
