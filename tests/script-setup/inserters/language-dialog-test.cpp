#include "script-setup/inserters/language-inserter-dialog.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// One dialog for every code: each showing starts from an empty code, after
// an accepted code and after a cancel alike.
TEST(LanguageDialog, TypedCodesAreValidatedLowerCasedAndEmptyOnesRefused)
{
    const struct
    {
        const char *keys;
        const char *shown;    // what the edit holds after typing
        const char *returned; // nullptr: refused as empty, then cancelled
    } cases[] = {
        {"RU", "RU", "ru"}, {"a", "a", "a"},      {"1", "", nullptr},
        {"", "", nullptr},  {"de1x", "de", "de"}, {"fR", "fR", "fr"},
    };
    QWidget parent;
    QLanguageInserterDialog dialog(&parent);
    QSignalSpy accepted(&dialog, &QLanguageInserterDialog::accepted);
    auto *edit = dialog.findChild<QLineEdit *>("language_name");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.keys);
        dialog.show();
        EXPECT_EQ(edit, dialog.focusWidget());
        QTest::keyClicks(edit, c.keys);
        EXPECT_EQ(c.shown, edit->text());
        QTest::mouseClick(dialog.findChild<QPushButton *>("ok_button"), Qt::LeftButton);
        if (c.returned) {
            ASSERT_EQ(1, accepted.count());
            EXPECT_EQ(c.returned, accepted.takeFirst().at(0).toString());
            EXPECT_FALSE(dialog.isVisible());
            continue;
        }
        EXPECT_TRUE(dialog.isVisible());
        auto *box = dialog.findChild<QMessageBox *>("language_error");
        ASSERT_TRUE(box);
        EXPECT_EQ("Error adding language", box->windowTitle());
        EXPECT_EQ("Cannot use empty language code", box->text());
        EXPECT_EQ(QMessageBox::Warning, box->icon());
        EXPECT_FALSE(box->isModal());
        QTest::mouseClick(dialog.findChild<QPushButton *>("cancel_button"), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    }
}

} // namespace
