#include "script-setup/setup-email-account.h"
#include "tests/script-setup/page-helpers.h"
#include "tests/support/page-fixture.h"
#include "tests/support/sweep-check.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <memory>

using namespace memory_host;

namespace {

// acc1 "Office" and acc2 "Zürich" are accounts; rule1 "Night" is not.
const char *const account_path = "/DEMO/scripts/acc1";

class EmailPage : public PageTest
{
protected:
    void SetUp() override { load_tree_file(tree, "email/accounts.json"); }
    void open()
    {
        page.reset(
            new QSetupEmailAccount(&navigator, tree.folder(account_path), host.server_root()));
        page->show(); // warning icons are only visible on a shown page
        settle_events();
        tree.clear_calls();
    }
    QLineEdit *edit(const char *name) { return child<QLineEdit>(page.get(), name); }
    void retype(const char *field, const QString &text)
    {
        QTest::keyClick(edit(field), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit(field), Qt::Key_Delete);
        for (const QChar c : text) // as typed, letters beyond ASCII too
            QTest::sendKeyEvent(QTest::Click, edit(field), Qt::Key_unknown, c, Qt::NoModifier);
    }
    // The shown warning text; "" when both its icon and its text are gone.
    std::string warning(const std::string &which)
    {
        const QString text = child<QLabel>(page.get(), (which + "_warning").c_str())->text();
        const bool shown =
            child<QLabel>(page.get(), (which + "_warning_icon").c_str())->isVisible();
        return (shown == text.isEmpty() ? "icon and text disagree: " : "") + text.toStdString();
    }
    std::string stored(const char *key) { return tree.string_value(account_path, key); }

    std::unique_ptr<QSetupEmailAccount> page;
};

TEST_F(EmailPage, WarningsShowAtOpeningAndFollowTyping)
{
    tree.put_string(account_path, "server_address", "localhost");
    open();
    EXPECT_EQ("This is not a valid hostname", warning("address"));
    EXPECT_EQ(QLineEdit::Password, edit("password")->echoMode());
    retype("name", "Zürich");
    EXPECT_EQ("Zürich", stored("name")) << "written as typed";
    EXPECT_EQ("This account name is already used", warning("name"));
    page->resize(640, 420);
    settle_events();
    EXPECT_EQ("", clipped_controls(page.get())) << "with both warnings shown";
    retype("name", "zürich");
    EXPECT_EQ("", warning("name")) << "names differ in case";
    retype("name", "Night");
    EXPECT_EQ("", warning("name")) << "a rule's name is no account's";
    retype("name", "Office");
    EXPECT_EQ("", warning("name")) << "its own name";
    retype("name", "");
    EXPECT_EQ("", stored("name"));
    EXPECT_EQ("Account name should not be empty", warning("name"));

    retype("name", "Zürich"); // the name of the other account, stored
    open();
    EXPECT_EQ("This account name is already used", warning("name")) << "at opening";
}

TEST_F(EmailPage, AddressIsFilteredWhileTypingAndCheckedAfter)
{
    open();
    retype("server_address", "mail_server.example.com");
    EXPECT_EQ("mailserver.example.com", stored("server_address")) << "no underscore";
    const std::pair<const char *, bool> cases[] = {
        {"smtp.example.com", true},
        {"mail.example.museum", true},
        {"10.0.0.1", true},
        {"999.300.1.1", true},
        {"", true},
        {"localhost", false},
        {"mail.example.c", false},
        {"mail.example.abcdefg", false},
        {"10.0.0", false},
        {"-bad.example.com", false},
    };
    for (const auto &[typed, valid] : cases) {
        retype("server_address", QString::fromLatin1(typed));
        EXPECT_EQ(typed, stored("server_address"));
        EXPECT_EQ(valid ? "" : "This is not a valid hostname", warning("address")) << typed;
    }
    retype("username", "a b@@c.d");
    EXPECT_EQ("ab@c.d", stored("username")) << "the shape of an e-mail address";
}

TEST_F(EmailPage, DeletingAsksFirst)
{
    open();
    const std::string question =
        "Delete Confirmation: Are you sure you want to delete account 'Office'?\n";
    EXPECT_EQ(question + question + "/DEMO/scripts email_account_erase=acc1\n",
              delete_no_then_yes(page.get(), "delete_button", tree));

    tree.fail_calls(FaultRule{"set_string", "/DEMO/scripts", "email_account_erase"});
    click_and_answer(page.get(), "delete_button", QMessageBox::Yes);
    EXPECT_TRUE(host.log().contains("GUI: cannot erase email account: access denied\n", 2));
}

TEST(EmailPageFaults, EveryRefusalIsLoggedAndLeavesTheLocksBalanced)
{
    expect_sweep_clean([](MemoryTree &tree) { load_tree_file(tree, "email/accounts.json"); },
                       [](MemoryHost &host) {
                           RecordingNavigator navigator;
                           QSetupEmailAccount page(&navigator, host.tree().folder(account_path),
                                                   host.server_root());
                           settle_events();
                           click_and_answer(&page, "delete_button", QMessageBox::Yes);
                           auto *name = child<QLineEdit>(&page, "name");
                           QTest::keyClicks(name, "xy");
                           // A refused write rolls the field back, so page and host agree; a
                           // field left unbound keeps what was typed.
                           return name->text().toStdString() ==
                                      host.tree().string_value(account_path, "name") ||
                                  name->text().endsWith("xy");
                       },
                       20);
}

} // namespace
