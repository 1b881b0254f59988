// Tree files: what pages change is saved back to the file and found again by
// a fresh host; a save interrupted before its rename leaves the old file.

#include "memory-host/tree-json.h"
#include "sandbox/demo-server.h"
#include "sandbox/tree-file.h"
#include "tests/sandbox/sandbox-fixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <json/json.h>

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
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("server.json");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(sandbox::demo_server_document()));
    }

    // Lets the sandbox's own delayed save happen, as it would while the
    // operator carries on.
    void wait_for_save()
    {
        QElapsedTimer clock;
        clock.start();
        while (session->tree_file()->dirty() && clock.elapsed() < 3000)
            session->settle(100);
    }

    QTemporaryDir dir;
    QString path;
};

TEST_F(TreeFileTest, ValuesChangedThroughPagesAreFoundByAFreshHost)
{
    start({sandbox::SessionSource::FILE, path});
    const std::string schedule = objects_of("Schedule").front();
    auto *name = child<QLineEdit>(window->open_folder(QString::fromStdString(schedule)), "name");
    ASSERT_TRUE(name) << "the schedule page binds its name";
    name->selectAll();
    QTest::keyClicks(name, "Holiday closure");
    auto *link = child<QLabel>(window->open_folder(QString::fromStdString(scripts())), "newloop");
    ASSERT_TRUE(link);
    Q_EMIT link->linkActivated("newloop");
    session->settle();
    wait_for_save();

    memory_host::MemoryHost fresh;
    std::string error;
    ASSERT_TRUE(memory_host::load_tree_json(fresh.tree(), read_all(path), &error)) << error;
    EXPECT_EQ("Holiday closure", fresh.tree().string_value(schedule, "name"));
    EXPECT_TRUE(fresh.tree().snapshot(session->server_path()) ==
                session->tree().snapshot(session->server_path()))
        << "every folder and value, the new loop included, is in the file";
    Json::Value saved;
    Json::Reader().parse(read_all(path), saved);
    EXPECT_TRUE(saved["services"]["classes"].isArray()) << "the services lists stay in the file";
}

TEST_F(TreeFileTest, SaveInterruptedBeforeTheRenameLeavesThePreviousFile)
{
    start({sandbox::SessionSource::FILE, path});
    const std::string before = read_all(path);
    session->tree().put_string(scripts(), "show_warnings_note", "changed");
    session->tree_file()->set_before_rename([] { return false; });
    QString error;
    EXPECT_FALSE(session->tree_file()->save_now(&error));
    EXPECT_TRUE(error.contains("interrupted"));
    EXPECT_EQ(before, read_all(path));
    EXPECT_TRUE(session->tree_file()->dirty()) << "the change still waits to be saved";

    session->tree_file()->set_before_rename({});
    EXPECT_TRUE(session->tree_file()->save_now(&error)) << error.toStdString();
    EXPECT_NE(std::string::npos, read_all(path).find("show_warnings_note"));
}

TEST(AtomicWrite, ReplacesTheFileWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("tree.json");
    QString error;
    ASSERT_TRUE(sandbox::write_file_atomically(path, "first", &error));
    EXPECT_FALSE(sandbox::write_file_atomically(path, "second", &error, [] { return false; }));
    EXPECT_EQ("first", read_all(path));
    EXPECT_TRUE(sandbox::write_file_atomically(path, "third", &error));
    EXPECT_EQ("third", read_all(path));
    EXPECT_FALSE(sandbox::write_file_atomically(dir.filePath("missing/tree.json"), "x", &error));
    EXPECT_TRUE(error.contains("cannot create"));
}

TEST(TreeDocument, FindsTheServerKeepsTheOtherMembersAndRefusesWhatItCannotKeep)
{
    std::string deep;
    for (int i = 0; i < 1000; ++i)
        deep += R"({"folders": {"a": )";
    deep += "{}" + std::string(2000, '}');
    const struct
    {
        std::string text;
        const char *server_or_error; // the server found, or a part of the message
        bool ok;
    } cases[] = {
        {R"({"folders": {"misc": {}, "HQ": {"type": "Server"}}, "services": {"sounds": []}})", "HQ",
         true},
        {R"({"folders": {}})", "DEMO", true},
        {"[1, 2", "Line 1", false},
        {"[]", "not a JSON object", false},
        {deep, "nested more than", false},
        {R"({"folders": {}}, "forgotten": 1)", "text follows", false},
    };
    for (const auto &c : cases) {
        sandbox::TreeDocument doc;
        std::string error;
        const std::string shown = c.text.substr(0, 40);
        ASSERT_EQ(c.ok, sandbox::parse_tree_document(c.text, doc, &error)) << shown;
        if (c.ok)
            EXPECT_EQ(c.server_or_error, doc.server_name) << shown;
        else
            EXPECT_NE(std::string::npos, error.find(c.server_or_error)) << shown << ": " << error;
    }
    sandbox::TreeDocument doc;
    ASSERT_TRUE(sandbox::parse_tree_document(cases[0].text, doc, nullptr));
    EXPECT_TRUE(doc.extra.isMember("services"));
    EXPECT_FALSE(doc.extra.isMember("folders"));
}

} // namespace
