// What the pages show of the references, played through input events: the
// "Used by" links, the delete question that names the users, the warning
// marks of the rule and loop pages, the scripts folder page's broken list.

#include "script-setup/references/warning-mark.h"
#include "script-setup/rule-page/setup-rule.h"
#include "script-setup/setup-email-account.h"
#include "script-setup/setup-loop.h"
#include "script-setup/setup-schedule.h"
#include "script-setup/setup-scripts-folder.h"
#include "tests/script-setup/page-helpers.h"
#include "tests/support/page-fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <memory>

namespace {

const char *const server_file = "references/server.json";
const QString scripts = QStringLiteral("/DEMO/scripts/");

// Moves the pointer over the label until it reports the anchor, then clicks
// there. False when the label shows no such link.
bool click_link(QLabel *label, const QString &href)
{
    QString hovered;
    auto c = QObject::connect(label, &QLabel::linkHovered, [&](const QString &l) { hovered = l; });
    for (int y = 1; y < label->height(); y += 2)
        for (int x = 1; x < label->width(); x += 2) {
            QMouseEvent move(QEvent::MouseMove, QPointF(x, y), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QApplication::sendEvent(label, &move);
            if (hovered == href) {
                QObject::disconnect(c);
                QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(x, y));
                return true;
            }
        }
    QObject::disconnect(c);
    return false;
}

// The texts of the page's visible warning marks.
QStringList marks(QWidget *page)
{
    QStringList out;
    for (QLabel *l : page->findChildren<QLabel *>(QStringLiteral("reference_warning")))
        if (l->isVisibleTo(page))
            out << l->text();
    out.sort();
    return out;
}

class ReferencePages : public PageTest
{
protected:
    void SetUp() override { load_tree_file(tree, server_file); }
    template <class P> P *open(const QString &guid)
    {
        auto *p = new P(&navigator, tree.folder(to_path(guid)), host.server_root());
        page.reset(p);
        page->resize(900, 700);
        page->show();
        settle_events();
        tree.clear_calls();
        return p;
    }
    static std::string to_path(const QString &guid) { return (scripts + guid).toStdString(); }

    std::unique_ptr<QWidget> page;
};

TEST_F(ReferencePages, UsedByLinksOpenTheRule)
{
    open<QSetupSchedule>("{S1}");
    auto *used_by = child<QLabel>(page.get(), "used_by");
    ASSERT_TRUE(used_by->isVisible());
    EXPECT_TRUE(used_by->text().contains("Door alarm"));
    ASSERT_TRUE(click_link(used_by, "{R2}"));
    settle_events();
    EXPECT_EQ(QStringList{scripts + "{R2}"}, navigator.paths);

    navigator.paths.clear();
    open<QSetupEmailAccount>("{A1}");
    ASSERT_TRUE(click_link(child<QLabel>(page.get(), "used_by"), "{R1}"));
    settle_events();
    EXPECT_EQ(QStringList{scripts + "{R1}"}, navigator.paths);

    // Nobody uses the weekend schedule: nothing to show.
    open<QSetupSchedule>("{S2}");
    EXPECT_FALSE(child<QLabel>(page.get(), "used_by")->isVisible());
}

TEST_F(ReferencePages, DeleteQuestionNamesTheUsers)
{
    struct Case
    {
        const char *guid;
        bool schedule;
        std::string question;
        std::string erase;
    };
    const Case cases[] = {
        {"{S1}", true,
         "Schedule 'Night shift' is used by 2 rules: Door alarm, Panic button. Delete it anyway?",
         "schedule_erase"},
        {"{A1}", false, "Account 'Desk' is used by 1 rule: Door alarm. Delete it anyway?",
         "email_account_erase"},
        // Unused: the plain question.
        {"{S2}", true, "Are you sure you want to delete schedule 'Weekend'?", "schedule_erase"},
    };
    for (const Case &c : cases) {
        if (c.schedule)
            open<QSetupSchedule>(c.guid);
        else
            open<QSetupEmailAccount>(c.guid);
        const std::string asked = "Delete Confirmation: " + c.question + "\n";
        EXPECT_EQ(asked + asked + "/DEMO/scripts " + c.erase + "=" + c.guid + "\n",
                  delete_no_then_yes(page.get(), "delete_button", tree));
        tree.clear_calls();
    }
}

TEST_F(ReferencePages, RuleMarksWhatLeadsNowhereAndKeepsIt)
{
    open<QSetupRule>("{R3}");
    EXPECT_EQ(QStringList({"Channel not found on this server.", "E-mail account removed.",
                           "Schedule 'Day shift' does not exist on this server.",
                           "Setting 'nowhere/x/y' does not exist on this server."}),
              marks(page.get()));
    // The stored values stay shown, so a save keeps them.
    EXPECT_EQ("Day shift", child<QComboBox>(page.get(), "schedule")->currentText());
    EXPECT_EQ("{AGONE}", child<QComboBox>(page.get(), "account")->currentData().toString());
}

TEST_F(ReferencePages, ScheduleDeletedWhileTheRuleIsOpenTurnsTheMarkOn)
{
    open<QSetupRule>("{R1}");
    EXPECT_EQ(QStringList(), marks(page.get()));
    tree.erase(to_path("{S1}"));
    settle_events();
    EXPECT_EQ(QStringList{"Schedule 'Night shift' does not exist on this server."},
              marks(page.get()));
    // A rule opened after the deletion shows it at once.
    open<QSetupRule>("{R2}");
    EXPECT_EQ(QStringList{"Schedule 'Night shift' does not exist on this server."},
              marks(page.get()));
}

TEST_F(ReferencePages, LoopMarksTheElementWhoseTemplateIsGone)
{
    open<QSetupLoop>("{L1}");
    EXPECT_EQ(QStringList{"Template not found on this server."}, marks(page.get()));
    tree.erase("/DEMO/channels/{C1}");
    settle_events();
    EXPECT_EQ(
        QStringList({"Channel not found on this server.", "Template not found on this server."}),
        marks(page.get()));
}

TEST_F(ReferencePages, ScriptsFolderListsTheRulesAndLoopsWithBrokenReferences)
{
    page.reset(
        new QSetupScriptsFolder(&navigator, tree.folder("/DEMO/scripts"), host.server_root()));
    page->resize(900, 700);
    page->show();
    settle_events();
    auto *broken = child<QLabel>(page.get(), "broken_references");
    EXPECT_TRUE(broken->text().startsWith("2 rules and loops refer to something missing:"))
        << broken->text().toStdString();
    ASSERT_TRUE(click_link(broken, "{L1}"));
    settle_events();
    EXPECT_EQ(QStringList{scripts + "{L1}"}, navigator.paths);
}

} // namespace
