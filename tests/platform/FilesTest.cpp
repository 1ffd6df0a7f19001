#include "platform/FileIO.h"
#include "platform/FileTypes.h"
#include "platform/Folders.h"

#include "support/HostileFiles.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {



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
    EXPECT_EQ(TestFiles::bytesOf(path), QByteArray("short")); // no tail of the longer old file

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

    TestFiles::plant(path, QByteArray(10, 'a'));
    EXPECT_EQ(FileIO::readWhole(path, out, 9), FileIO::ReadResult::TooLarge);
    EXPECT_EQ(out, QByteArray("untouched"));
    EXPECT_EQ(FileIO::readWhole(path, out, 10), FileIO::ReadResult::Read);
    EXPECT_EQ(out, QByteArray(10, 'a'));

    ASSERT_TRUE(QDir().mkpath(dir + QStringLiteral("/folder")));
    EXPECT_EQ(FileIO::readWhole(dir + QStringLiteral("/folder"), out), FileIO::ReadResult::CannotOpen);
    ASSERT_TRUE(QFile::link(dir + QStringLiteral("/nowhere"), dir + QStringLiteral("/dangling")));
    EXPECT_EQ(FileIO::readWhole(dir + QStringLiteral("/dangling"), out), FileIO::ReadResult::CannotOpen);
}

TEST_F(FilesTest, AWriteTheDiskRefusesLeavesTheOldFileByteForByte)
{
    const QByteArray old("\x05pref2 the preferences of an earlier run", 41);
    // Below and above the buffer that once hid the failure until commit().
    for (const qsizetype size : {qsizetype(346), qsizetype(20 * 1024)}) {
        const QString path = dir + QStringLiteral("/pref");
        TestFiles::plant(path, old);
        const int code = HostileFiles::inChildWithFileSizeLimit(
            64, [&] { return FileIO::writeWhole(path, QByteArray(size, 'n')) ? 1 : 0; });
        EXPECT_EQ(code, 0) << size << " bytes: the failed write was reported as done";
        EXPECT_EQ(TestFiles::bytesOf(path), old) << size;
        EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("pref")})
            << "a temporary file was left behind";

        // No file at all before: none after.
        const QString fresh = dir + QStringLiteral("/anvsy");
        EXPECT_EQ(HostileFiles::inChildWithFileSizeLimit(
                      64, [&] { return FileIO::writeWhole(fresh, QByteArray(size, 'n')) ? 1 : 0; }),
                  0);
        EXPECT_FALSE(QFileInfo::exists(fresh));

        // The same write with room enough goes through.
        EXPECT_EQ(HostileFiles::inChildWithFileSizeLimit(
                      1024 * 1024, [&] { return FileIO::writeWhole(path, QByteArray(size, 'n')) ? 1 : 0; }),
                  1);
        EXPECT_EQ(TestFiles::bytesOf(path), QByteArray(size, 'n'));
    }
}

TEST_F(FilesTest, TheProgramsOwnFilesAreTheUsersAlone)
{
    const mode_t umaskBefore = ::umask(022);
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const QFileDevice::Permissions usual = ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const auto permissionsOf = [](const QString& path) {
        return QFileInfo(path).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    };

    const QString fresh = dir + QStringLiteral("/anvsy");
    ASSERT_TRUE(FileIO::writeWhole(fresh, "new"));
    EXPECT_EQ(permissionsOf(fresh), ownerOnly);

    // A file an earlier version left readable by all is made private too.
    const QString older = dir + QStringLiteral("/pref");
    TestFiles::plant(older, "old");
    ASSERT_TRUE(QFile::setPermissions(older, usual));
    ASSERT_TRUE(FileIO::writeWhole(older, "newer"));
    EXPECT_EQ(permissionsOf(older), ownerOnly);
    EXPECT_EQ(TestFiles::bytesOf(older), QByteArray("newer"));

    // A file made for passing on follows the umask.
    const QString shared = dir + QStringLiteral("/month.png");
    ASSERT_TRUE(FileIO::writeWhole(shared, "png", FileIO::Access::Shared));
    EXPECT_EQ(permissionsOf(shared), usual);
    ::umask(umaskBefore);
}

TEST_F(FilesTest, NewFoldersArePrivateAndExistingOnesKeepTheirPermissions)
{
    const mode_t umaskBefore = ::umask(022);
    const QFileDevice::Permissions privateFolder
        = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    const auto permissionsOf = [](const QString& path) {
        return QFileInfo(path).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    };

    const QString parent = dir + QStringLiteral("/.local/share");
    ASSERT_TRUE(Folders::createFolder(parent + QStringLiteral("/Morvelin")));
    EXPECT_EQ(permissionsOf(parent + QStringLiteral("/Morvelin")), privateFolder);
    EXPECT_EQ(permissionsOf(parent), privateFolder); // the missing parents too
    EXPECT_EQ(permissionsOf(dir + QStringLiteral("/.local")), privateFolder);

    const QString existing = dir + QStringLiteral("/shared");
    ASSERT_TRUE(QDir().mkdir(existing));
    const QFileDevice::Permissions before = permissionsOf(existing);
    ASSERT_NE(before, privateFolder);
    EXPECT_TRUE(Folders::createFolder(existing));
    EXPECT_EQ(permissionsOf(existing), before);
    ASSERT_TRUE(Folders::createFolder(existing + QStringLiteral("/inner")));
    EXPECT_EQ(permissionsOf(existing), before);

    TestFiles::plant(dir + QStringLiteral("/plain"), "x");
    EXPECT_FALSE(Folders::createFolder(dir + QStringLiteral("/plain/inner"))); // a file in the way
    ::umask(umaskBefore);
}

TEST_F(FilesTest, AFifoIsNeverOpenedReadListedOrReplaced)
{
    const QString path = dir + QStringLiteral("/pref");
    HostileFiles::WatchedFifo fifo(path);
    ASSERT_TRUE(fifo.made());

    QByteArray out("untouched");
    EXPECT_EQ(FileIO::readWhole(path, out), FileIO::ReadResult::CannotOpen);
    EXPECT_EQ(out, QByteArray("untouched"));
    QFile file(path);
    EXPECT_EQ(FileIO::openForReading(file), FileIO::OpenResult::CannotOpen);
    EXPECT_FALSE(file.isOpen());
    EXPECT_FALSE(FileIO::writeWhole(path, "over it"));
    EXPECT_EQ(FileTypes::macTypeOf(path), QString());

    TestFiles::plant(dir + QStringLiteral("/a dataset"), QByteArray("\x05ver:3", 6));
    const QList<Folders::Item> items = Folders::items(dir);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].name, QStringLiteral("a dataset"));
    EXPECT_EQ(items[0].macType, QStringLiteral("pref"));

    EXPECT_FALSE(fifo.openedForReading());
    EXPECT_TRUE(fifo.stillThere());
}

TEST_F(FilesTest, AKeptFileKeepsItsBytesWhenTheFileIsReplaced)
{
    const QString path = dir + QStringLiteral("/anvsy");
    TestFiles::plant(path, "damaged bytes");
    ASSERT_TRUE(FileIO::keepUnder(path, path + QStringLiteral(".damaged")));
    ASSERT_TRUE(FileIO::writeWhole(path, "the new list"));
    EXPECT_EQ(TestFiles::bytesOf(path), QByteArray("the new list"));
    EXPECT_EQ(TestFiles::bytesOf(path + QStringLiteral(".damaged")), QByteArray("damaged bytes"));

    // Never over something already there, never from what is no regular file.
    EXPECT_FALSE(FileIO::keepUnder(path, path + QStringLiteral(".damaged")));
    EXPECT_EQ(TestFiles::bytesOf(path + QStringLiteral(".damaged")), QByteArray("damaged bytes"));
    EXPECT_FALSE(FileIO::keepUnder(dir + QStringLiteral("/missing"), dir + QStringLiteral("/kept")));
    EXPECT_FALSE(FileIO::keepUnder(dir, dir + QStringLiteral("/kept")));
    EXPECT_FALSE(QFileInfo::exists(dir + QStringLiteral("/kept")));
}

// The size the file system reports is only a first guess: a file that holds
// more than it said (as /proc's files do, all of size 0) is still read whole,
// and still no further than the bound.
TEST(BoundedReader, AFileHoldingMoreThanItsReportedSizeIsReadWholeWithinTheBound)
{
    const QFileInfo status(QStringLiteral("/proc/self/status"));
    if (!status.isFile() || status.size() != 0)
        GTEST_SKIP() << "no /proc file system here";
    QByteArray out;
    ASSERT_EQ(FileIO::readWhole(status.filePath(), out), FileIO::ReadResult::Read);
    EXPECT_TRUE(out.startsWith("Name:")) << out.left(40).constData();
    EXPECT_TRUE(out.endsWith('\n'));
    EXPECT_GT(out.size(), 200);

    QByteArray kept("untouched");
    EXPECT_EQ(FileIO::readWhole(status.filePath(), kept, 16), FileIO::ReadResult::TooLarge);
    EXPECT_EQ(kept, QByteArray("untouched"));
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
    TestFiles::plant(dir + QStringLiteral("/b 通常"), QByteArray("\x05ver:3", 6));
    TestFiles::plant(dir + QStringLiteral("/a memo"), "just a text");
    TestFiles::plant(dir + QStringLiteral("/.hidden"), QByteArray("\x05ver:3", 6));
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
