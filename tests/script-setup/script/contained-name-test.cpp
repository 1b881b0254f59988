// The one check of names that must stay inside their folder (resources of a
// data folder, a stock script's file): the texts themselves, and what they
// lead to on disk through links.

#include "script-setup/script/contained-name.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ContainedName, RefusesEveryNameThatIsNotAPlainEntry)
{
    const struct
    {
        QString name;
        const char *why; // a piece of the refusal; nullptr when accepted
    } cases[] = {
        {"beep.wav", nullptr},
        {"..beep", nullptr},
        {"a b.json", nullptr},
        {".hidden", nullptr},
        {"", "no file name"},
        {".", "names a folder"},
        {"..", "names a folder"},
        {"../../../home/op/.ssh/id_rsa", "path separator"},
        {"sub/beep.wav", "path separator"},
        {"..\\beep.wav", "path separator"},
        {"/etc/passwd", "path separator"},
        {"C:beep.wav", "names a drive"},
        {"beep.wav:stream", "names a drive"},
        {QString("beep") + QChar(0) + "wav", "not a plain name"},
    };
    for (const auto &c : cases) {
        const QString why = contained_name::refusal(c.name);
        if (c.why)
            EXPECT_TRUE(why.contains(c.why)) << c.name.toStdString() << ": " << why.toStdString();
        else
            EXPECT_EQ("", why.toStdString()) << c.name.toStdString();
    }
}

TEST(ContainedName, ResolvesLinksAndRefusesThoseThatLeaveTheFolder)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("real/sub"));
    const QString real = QDir(dir.filePath("real")).canonicalPath();
    const QString folder = dir.filePath("data"); // a link to "real": its files are inside
    ASSERT_TRUE(QFile::link(real, folder));
    for (const QString &file : {real + "/beep.wav", real + "/sub/deep.wav", real + "/../key"}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QFile::link(real + "/beep.wav", real + "/alias.wav");
    QFile::link(real + "/sub/deep.wav", real + "/deep.wav");
    QFile::link(dir.filePath("key"), real + "/key.wav");
    QFile::link("../key", real + "/relative.wav");
    QFile::link(dir.filePath("nowhere"), real + "/dangling.wav");
    QFile::link(dir.path(), real + "/up");

    const struct
    {
        const char *name;
        QString path; // empty: refused
    } cases[] = {
        {"beep.wav", real + "/beep.wav"},
        {"alias.wav", real + "/beep.wav"},
        {"deep.wav", real + "/sub/deep.wav"},
        {"missing.wav", folder + "/missing.wav"},
        {"key.wav", ""},
        {"relative.wav", ""},
        {"dangling.wav", ""},
        {"up", ""},
        {"../key", ""},
    };
    for (const auto &c : cases) {
        const contained_name::Checked checked = contained_name::resolve(folder, c.name);
        EXPECT_EQ(c.path, checked.path) << c.name;
        EXPECT_EQ(c.path.isEmpty(), !checked.refusal.isEmpty()) << c.name;
    }
}

} // namespace
