#include "script-setup/inserters/language-inserter-dialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Typed
{
    const char *keys;
    const char *shown;    // what the edit holds after typing
    const char *returned; // nullptr: refused as empty
};

TEST(LanguageDialog, TypedCodesAreValidatedLowerCasedAndEmptyOnesRefused)
{
    const Typed cases[] = {
        {"RU", "RU", "ru"}, {"a", "a", "a"},   {"de1x", "de", "de"},
        {"1", "", nullptr}, {"", "", nullptr}, {"fR", "fR", "fr"},
    };
    for (const Typed &c : cases) {
        SCOPED_TRACE(c.keys);
        QWidget parent;
        QLanguageInserterDialog dialog(&parent);
        QSignalSpy accepted(&dialog, &QLanguageInserterDialog::accepted);
        dialog.show();
        auto *edit = dialog.findChild<QLineEdit *>("language_name");
        EXPECT_EQ(edit, dialog.focusWidget());
        QTest::keyClicks(edit, c.keys);
        EXPECT_EQ(c.shown, edit->text());
        dialog.findChild<QPushButton *>("ok_button")->click();
        if (c.returned) {
            ASSERT_EQ(1, accepted.count());
            EXPECT_EQ(c.returned, accepted.at(0).at(0).toString());
            EXPECT_FALSE(dialog.isVisible());
        } else {
            EXPECT_EQ(0, accepted.count());
            EXPECT_TRUE(dialog.isVisible());
            auto *box = dialog.findChild<QMessageBox *>("language_error");
            ASSERT_TRUE(box);
            EXPECT_EQ("Error adding language", box->windowTitle());
            EXPECT_EQ("Cannot use empty language code", box->text());
            EXPECT_EQ(QMessageBox::Warning, box->icon());
            EXPECT_FALSE(box->isModal());
        }
    }
}

TEST(LanguageDialog, ShowingAgainStartsFromAnEmptyCode)
{
    QLanguageInserterDialog dialog;
    dialog.show();
    QTest::keyClicks(dialog.findChild<QLineEdit *>("language_name"), "en");
    dialog.findChild<QPushButton *>("cancel_button")->click();
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    EXPECT_EQ("", dialog.findChild<QLineEdit *>("language_name")->text());
}

} // namespace
