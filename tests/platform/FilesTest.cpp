#include "platform/FileIO.h"
#include "platform/FileTypes.h"
#include "platform/Folders.h"

#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = TestEnv::home() + QStringLiteral("/files-test");
        QDir(dir).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dir));
    }
    void TearDown() override { QDir(dir).removeRecursively(); }
    QString dir;
};

TEST(Folders, LieInTheUsersConfigurationAndDataFolders)
{
    EXPECT_EQ(Folders::settingsFolder(), TestEnv::home() + QStringLiteral("/.config/Morvelin初期設定"));
    EXPECT_EQ(Folders::datasetsFolder(), TestEnv::home() + QStringLiteral("/.local/share/Morvelin"));
    EXPECT_EQ(Folders::child(QString(), QStringLiteral("pref")), QString());
}

TEST_F(FilesTest, CreatingAFolderCreatesItsMissingParents)
{
    const QString deep = dir + QStringLiteral("/a/b/Morvelin");
    EXPECT_FALSE(Folders::exists(deep));
    EXPECT_TRUE(Folders::createFolder(deep));
    EXPECT_TRUE(Folders::isFolder(deep));
    EXPECT_TRUE(Folders::createFolder(deep)); // already there
}

TEST_F(FilesTest, WholeFileWritesReplaceOrFailWithoutTrace)
{
    const QString path = dir + QStringLiteral("/pref");
    ASSERT_TRUE(FileIO::writeWhole(path, QByteArray(100, 'x')));
    ASSERT_TRUE(FileIO::writeWhole(path, QByteArray("short")));
    EXPECT_EQ(readAll(path), QByteArray("short")); // no tail of the longer old file

    EXPECT_FALSE(FileIO::writeWhole(dir + QStringLiteral("/missing/pref"), "x"));
    EXPECT_FALSE(Folders::exists(dir + QStringLiteral("/missing")));

    ASSERT_TRUE(QDir().mkpath(dir + QStringLiteral("/folder")));
    EXPECT_FALSE(FileIO::writeWhole(dir + QStringLiteral("/folder"), "x"));
    EXPECT_TRUE(Folders::isFolder(dir + QStringLiteral("/folder")));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden).size(), 1) << "a temporary file was left behind";
}

TEST_F(FilesTest, TheBoundedReaderReadsOnlyRegularFilesOfBoundedSize)
{
    const QString path = dir + QStringLiteral("/anvsy");
    QByteArray out("untouched");
    EXPECT_EQ(FileIO::readWhole(path, out), FileIO::ReadResult::Missing);

    writeRaw(path, QByteArray(10, 'a'));
    EXPECT_EQ(FileIO::readWhole(path, out, 9), FileIO::ReadResult::TooLarge);
    EXPECT_EQ(out, QByteArray("untouched"));
    EXPECT_EQ(FileIO::readWhole(path, out, 10), FileIO::ReadResult::Read);
    EXPECT_EQ(out, QByteArray(10, 'a'));

    ASSERT_TRUE(QDir().mkpath(dir + QStringLiteral("/folder")));
    EXPECT_EQ(FileIO::readWhole(dir + QStringLiteral("/folder"), out), FileIO::ReadResult::CannotOpen);
    ASSERT_TRUE(QFile::link(dir + QStringLiteral("/nowhere"), dir + QStringLiteral("/dangling")));
    EXPECT_EQ(FileIO::readWhole(dir + QStringLiteral("/dangling"), out), FileIO::ReadResult::CannotOpen);
}

TEST(FileTypes, TheProgramsFilesAreOfTypePrefWithNoExtension)
{
    const FileType& pref = FileTypes::prefFile();
    EXPECT_EQ(pref.name, QStringLiteral("prefFile"));
    EXPECT_EQ(pref.macType, QStringLiteral("pref"));
    EXPECT_EQ(pref.macCreator, QStringLiteral("Tkwz"));
    EXPECT_TRUE(pref.extensions.isEmpty());
    EXPECT_EQ(FileTypes::table().size(), 7u);
    EXPECT_EQ(&FileTypes::table().back(), &pref);
}

TEST(FileTypes, OwnFilesAreKnownByTheirOpeningTag)
{
    const struct {
        QByteArray head;
        bool ours;
    } cases[] = {
        {QByteArray("\x05ver:3\x04" "2009"), true},
        {QByteArray("\x05ver:1\0\0\0\0", 10), true},
        {QByteArray("\x06ver:12"), true},
        {QByteArray("\x05pref2\0\0\0\x33", 10), true},
        {QByteArray("\x04pref\0\0\0\x33", 9), true},
        {QByteArray("\x0aprintSetup\0\0\0\0", 15), true},
        {QByteArray("\x04ver:"), false},
        {QByteArray("\x05ver:a"), false},
        {QByteArray("\x05Pref2"), false},
        {QByteArray("\x05prefs"), false},
        {QByteArray("\x0apref"), false}, // length byte beyond the data
        {QByteArray("\x89PNG\r\n\x1a\n"), false},
        {QByteArray("ver:3"), false},
        {QByteArray(), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileTypes::startsWithProgramTag(c.head), c.ours) << c.head.toHex().constData();
}

TEST_F(FilesTest, ListingGivesEveryEntryInNameOrderWithItsKind)
{
    writeRaw(dir + QStringLiteral("/b 通常"), QByteArray("\x05ver:3", 6));
    writeRaw(dir + QStringLiteral("/a memo"), "just a text");
    writeRaw(dir + QStringLiteral("/.hidden"), QByteArray("\x05ver:3", 6));
    ASSERT_TRUE(QDir().mkpath(dir + QStringLiteral("/c folder")));
    ASSERT_TRUE(QFile::link(dir + QStringLiteral("/b 通常"), dir + QStringLiteral("/d link")));

    const QList<Folders::Item> items = Folders::items(dir);
    ASSERT_EQ(items.size(), 5);
    QStringList names;
    for (const auto& item : items)
        names << item.name;
    EXPECT_EQ(names, (QStringList{".hidden", "a memo", "b 通常", "c folder", "d link"}));

    EXPECT_FALSE(items[0].visible);
    EXPECT_EQ(items[1].macType, QString());
    EXPECT_TRUE(items[2].visible);
    EXPECT_FALSE(items[2].alias);
    EXPECT_FALSE(items[2].directory);
    EXPECT_EQ(items[2].macType, QStringLiteral("pref"));
    EXPECT_EQ(Folders::child(dir, items[2].name), items[2].path);
    EXPECT_TRUE(items[3].directory);
    EXPECT_EQ(items[3].macType, QString());
    EXPECT_TRUE(items[4].alias);

    EXPECT_TRUE(Folders::items(dir + QStringLiteral("/missing")).isEmpty());
    EXPECT_EQ(FileTypes::macTypeOf(dir + QStringLiteral("/missing")), QString());
}

} // namespace
