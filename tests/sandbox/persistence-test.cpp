// Tree files: what pages change is saved back to the file, off the GUI
// thread, and found again by a fresh host; a failed save leaves the old file,
// keeps the changes and says so.

#include "memory-host/tree-json.h"
#include "sandbox/demo-server.h"
#include "sandbox/settings-tree-view.h"
#include "sandbox/tree-file.h"
#include "tests/sandbox/sandbox-fixture.h"
#include "tests/support/link-click.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace {

std::string read_all(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

class TreeFileTest : public SandboxTest
{
protected:
    void SetUp() override
    {
        path = dir.filePath("server.json");
        QString error;
        ASSERT_TRUE(sandbox::write_file_atomically(path, sandbox::demo_server_document(), &error));
    }

    QTemporaryDir dir;
    QString path;
};

// Pages opened without a change write nothing; a name typed on a page shows
// in the window's tree and, with a created loop, reaches the file.
TEST_F(TreeFileTest, OnlyChangesThroughPagesAreSavedAndAFreshHostFindsThem)
{
    start({sandbox::SessionSource::FILE, path});
    QSignalSpy saved(session.get(), &sandbox::Session::saved);
    for (const char *type : {"TemplateLoop", "EmailAccount", "Schedule"})
        ASSERT_TRUE(window->open_folder(QString::fromStdString(objects_of(type).front()))) << type;
    // The delayed save skips writes that stored the values already there.
    QElapsedTimer clock;
    clock.start();
    while (session->tree_file()->dirty() && clock.elapsed() < 3000)
        session->settle(100);
    EXPECT_EQ(0, saved.count());

    const std::string schedule = objects_of("Schedule").front();
    auto *name = child<QLineEdit>(window->current_page(), "name");
    ASSERT_TRUE(name) << "the schedule page binds its name";
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(name, "Holiday closure");
    session->settle();
    ASSERT_TRUE(window->tree_view()->select_path(QString::fromStdString(schedule)));
    const QTreeWidgetItem *item = window->tree_view()->currentItem();
    EXPECT_EQ("Schedule", item->text(sandbox::SettingsTreeView::TYPE).toStdString());
    EXPECT_EQ("Holiday closure", item->text(sandbox::SettingsTreeView::NAME).toStdString());
    ASSERT_TRUE(click_link(window->open_folder(QString::fromStdString(scripts())), "newloop"));
    session->settle();
    QString failure;
    ASSERT_TRUE(session->finish_saving(&failure)) << failure.toStdString();

    memory_host::MemoryHost fresh;
    std::string error;
    ASSERT_TRUE(memory_host::load_tree_json(fresh.tree(), read_all(path), &error)) << error;
    EXPECT_TRUE(fresh.tree().snapshot(session->server_path()) ==
                session->tree().snapshot(session->server_path()))
        << "every folder and value, the new loop included, is in the file";
    const auto saved_json = QJsonDocument::fromJson(QByteArray::fromStdString(read_all(path)));
    EXPECT_TRUE(saved_json["services"]["classes"].isArray())
        << "the services lists stay in the file";
}

// The failure of any step leaves the previous file and no temporary; a link
// is written through, the file's permissions are kept, a read-only file is
// refused.
TEST(AtomicWrite, ReplacesTheFileWholeOrNotAtAllAndWritesThroughLinks)
{
    const struct
    {
        const char *step;
        int code;
        const char *error;
    } faults[] = {
        {"create", EROFS, "cannot create"},
        {"write", ENOSPC, "cannot write"},
        {"flush", EIO, "cannot flush"},
        {"rename", EIO, "cannot rename"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("real/tree.json");
    QString error;
    ASSERT_TRUE(QDir(dir.path()).mkdir("real"));
    ASSERT_TRUE(sandbox::write_file_atomically(path, "first", &error));
    for (const auto &f : faults) {
        const auto fault = [&](const char *step) {
            return std::strcmp(step, f.step) ? 0 : f.code;
        };
        EXPECT_FALSE(sandbox::write_file_atomically(path, "second version", &error, fault));
        EXPECT_TRUE(error.contains(f.error) && error.contains(std::strerror(f.code)))
            << f.step << ": " << error.toStdString();
        EXPECT_EQ("first", read_all(path)) << f.step;
        EXPECT_FALSE(QFile::exists(path + ".saving")) << f.step;
    }
    EXPECT_FALSE(sandbox::write_file_atomically(dir.filePath("missing/tree.json"), "x", &error));
    EXPECT_TRUE(error.contains("cannot create"));

    const QString link = dir.filePath("tree.json");
    ASSERT_TRUE(QFile::link("real/tree.json", link));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));

    ASSERT_TRUE(sandbox::write_file_atomically(link, "new", &error)) << error.toStdString();
    EXPECT_EQ("new", read_all(path));
    EXPECT_EQ(QFile::ReadOwner | QFile::WriteOwner,
              QFile::permissions(path) &
                  (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));

    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    EXPECT_FALSE(sandbox::write_file_atomically(link, "newer", &error));
    EXPECT_TRUE(error.contains("read-only")) << error.toStdString();
}

// A full disk: the save, made off the GUI thread, fails; the window says so,
// the change stays pending, saving is retried, closing asks, and the session
// reports the failure for the exit status.
TEST_F(TreeFileTest, AFailedSaveIsShownKeptRetriedAndReported)
{
    start({sandbox::SessionSource::FILE, path});
    sandbox::TreeFile *file = session->tree_file();
    file->set_delay(10);
    std::atomic<bool> disk_full{true};
    std::atomic<bool> on_gui_thread{false};
    file->set_fault([&](const char *step) {
        on_gui_thread = on_gui_thread || QThread::currentThread() == qApp->thread();
        return disk_full && std::strcmp(step, "write") == 0 ? ENOSPC : 0;
    });
    QSignalSpy failed(session.get(), &sandbox::Session::save_failed);
    QSignalSpy saved(session.get(), &sandbox::Session::saved);
    session->tree().folder(scripts())->set_string("show_warnings", "kept");
    ASSERT_TRUE(failed.wait(3000));
    EXPECT_FALSE(on_gui_thread);
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(std::strerror(ENOSPC)))
        << window->statusBar()->currentMessage().toStdString();

    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
        }
    });
    window->show();
    EXPECT_FALSE(window->close()) << "closing with unsaved changes asks first";
    EXPECT_TRUE(shown.contains(std::strerror(ENOSPC))) << shown.toStdString();

    disk_full = false;
    ASSERT_TRUE(saved.wait(5000)) << "saving is retried without the operator";
    EXPECT_NE(std::string::npos, read_all(path).find("kept"));
    QString error;
    EXPECT_FALSE(session->finish_saving(&error));
    EXPECT_TRUE(error.contains(std::strerror(ENOSPC)));
    EXPECT_TRUE(window->close());
}

TEST(TreeDocument, FindsTheServerAndKeepsTheOtherMembers)
{
    sandbox::TreeDocument doc;
    std::string error;
    ASSERT_TRUE(sandbox::parse_tree_document(
        R"({"folders": {"Aux": {}, "HQ": {"type": "Server"}}})", doc, &error));
    EXPECT_EQ("HQ", doc.server_name);
    ASSERT_TRUE(sandbox::parse_tree_document(R"({"folders": {}})", doc, &error));
    EXPECT_EQ("DEMO", doc.server_name);
    EXPECT_FALSE(sandbox::parse_tree_document("[]", doc, &error));
    EXPECT_EQ("the file is not a JSON object", error);
}

} // namespace
