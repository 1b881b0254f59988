// The sandbox window as an operator uses it: the tree, the navigator that
// pages ask to open folders, the keys of folders without a page, and tree
// files opened and saved from the menu's operations.

#include "sandbox/keys-view.h"
#include "sandbox/navigator.h"
#include "sandbox/settings-tree-view.h"
#include "sandbox/tree-file.h"
#include "tests/sandbox/sandbox-fixture.h"

#include <QTableWidget>
#include <QTemporaryDir>

namespace {

using WindowTest = SandboxTest;

TEST_F(WindowTest, NavigatorOpensAFolderAsSoonAsTheServerCreatesIt)
{
    start();
    const std::string guid = session->tree().string_value(scripts(), "rule_new_guid");
    const QString path = QString::fromStdString(scripts() + "/" + guid);
    window->navigator()->cd_slot(path);
    session->tree().folder(scripts())->set_integer("rule_create_now", 1);
    session->settle();
    EXPECT_EQ(path, window->current_path());
    ASSERT_TRUE(window->current_page());
    EXPECT_EQ(path, window->tree_view()->current_path());
}

TEST_F(WindowTest, FoldersWithoutAPageShowTheirKeysReadOnly)
{
    start();
    const QString options = QString::fromStdString(session->server_path() + "/archive");
    EXPECT_EQ(nullptr, window->open_folder(options));
    EXPECT_EQ(4, window->keys_view()->key_count());
    auto *table = window->keys_view()->findChild<QTableWidget *>("keys_table");
    ASSERT_TRUE(table);
    EXPECT_EQ(QAbstractItemView::NoEditTriggers, table->editTriggers());
    const auto found = table->findItems("prebuffer", Qt::MatchExactly);
    ASSERT_EQ(1, found.size());
    EXPECT_EQ("integer", table->item(found[0]->row(), 1)->text());
    EXPECT_EQ("5", table->item(found[0]->row(), 2)->text());
}

TEST_F(WindowTest, SaveAsKeepsSavingThereAndOpenRefusesAnotherServer)
{
    start();
    QTemporaryDir dir;
    const QString file = dir.filePath("copy.json");
    QString error;
    ASSERT_TRUE(session->save_as(file, &error)) << error.toStdString();
    ASSERT_EQ(file, session->description()) << "the session keeps saving there";

    const QString other = dir.filePath("other.json");
    ASSERT_TRUE(sandbox::write_file_atomically(other, R"({"folders": {"HQ": {"type": "Server"}}})",
                                               &error));
    EXPECT_FALSE(session->open_file(other, &error));
    EXPECT_TRUE(error.contains("HQ"));
    EXPECT_TRUE(session->tree().folder(scripts())) << "the served tree stays as it was";

    session->tree().put_string(scripts(), "show_warnings", "edited elsewhere");
    ASSERT_TRUE(session->tree_file()->save_now(&error));
    session->tree().put_string(scripts(), "show_warnings", "0");
    ASSERT_TRUE(session->open_file(file, &error)) << error.toStdString();
    EXPECT_EQ("edited elsewhere", session->tree().string_value(scripts(), "show_warnings"));
}

} // namespace
