// The stock script page in the sandbox: a saved edit reaches the file on
// disk, and the server stand-in runs it on "force_run".

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
    auto *editor = child<QPlainTextEdit>(page, "script_text");
    ASSERT_TRUE(editor);
    EXPECT_EQ(QString::fromUtf8(shipped), editor->toPlainText());
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, "# checked by the night shift");
    QTest::mouseClick(child<QPushButton>(page, "save_button"), Qt::LeftButton);
    session->settle();

    EXPECT_TRUE(stock_file().endsWith("# checked by the night shift"));
    EXPECT_TRUE(session->host().log().contains("SERVER: force_run " + path + ": running"));
    EXPECT_EQ(runs + 1, session->tree().integer_value(stats, "run_count"));
    EXPECT_EQ(0, session->tree().integer_value(path, "force_run")) << "taken by the server";
    EXPECT_EQ(QString::number(runs + 1), child<QLabel>(page, "run_count")->text());
}

} // namespace
