#include "platform/FileIO.h"
#include "platform/FileTypes.h"
#include "platform/Folders.h"

#include "support/HostileFiles.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <functional>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A name is taken by anything that holds it, a link that leads nowhere too:
// such a name is neither written through nor handed out as a free one.
TEST_F(FilesTest, SomethingIsAtANameWhateverHoldsIt)
{
    TestFiles::plant(dir + QStringLiteral("/file"), "x");
    ASSERT_TRUE(QDir().mkpath(dir + QStringLiteral("/folder")));
    ASSERT_TRUE(QFile::link(dir + QStringLiteral("/nowhere"), dir + QStringLiteral("/dangling")));
    ASSERT_TRUE(QFile::link(dir + QStringLiteral("/file"), dir + QStringLiteral("/link")));
    const struct {
        const char* name;
        bool taken;
    } cases[] = {{"file", true}, {"folder", true}, {"dangling", true}, {"link", true}, {"nowhere", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FileIO::somethingAt(dir + u'/' + QLatin1String(c.name)), c.taken);
    }
    EXPECT_FALSE(FileIO::somethingAt(QString()));
}

TEST_F(FilesTest, CreatingAFolderCreatesItsMissingParents)
{
    const QString deep = dir + QStringLiteral("/a/b/Morvelin");
    EXPECT_FALSE(FileIO::somethingAt(deep));
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
    EXPECT_FALSE(FileIO::somethingAt(dir + QStringLiteral("/missing")));

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
    // Smaller and larger than a 16 KiB write buffer: a writer that buffers
    // meets the refusal only when it flushes, and must report it all the same.
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

// Everything in the folder, hidden entries too.
QStringList entriesOf(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The names that appear in and leave the folder while `work` runs, in order:
// "+name" made (created or linked), "<name" renamed away, ">name" renamed in.
QStringList namesMadeIn(const QString& dir, const std::function<void()>& work)
{
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0 || ::inotify_add_watch(fd, QFile::encodeName(dir).constData(), IN_CREATE | IN_MOVED_FROM | IN_MOVED_TO) < 0) {
        if (fd >= 0)
            ::close(fd);
        return {QStringLiteral("<no inotify>")};
    }
    work();
    QStringList names;
    alignas(struct inotify_event) char buffer[64 * 1024];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
        for (ssize_t at = 0; at < n;) {
            struct inotify_event event {};
            std::memcpy(&event, buffer + at, sizeof event);
            const char* raw = buffer + at + sizeof event;
            const QString name = QFile::decodeName(QByteArray(raw, qstrnlen(raw, event.len)));
            names << (event.mask & IN_CREATE ? u'+' : event.mask & IN_MOVED_FROM ? u'<' : u'>') + name;
            at += ssize_t(sizeof event + event.len);
        }
    }
    ::close(fd);
    return names;
}

TEST_F(FilesTest, TheTemporaryOfAWriteIsHiddenAndGoneAfterIt)
{
    const QString path = dir + QStringLiteral("/a dataset");
    const QRegularExpression temporary(QStringLiteral("^\\.a dataset\\.[A-Za-z0-9]{6}$"));
    for (const FileIO::Access access : {FileIO::Access::Private, FileIO::Access::Shared}) {
        for (const bool replacing : {false, true}) {
            QFile::remove(path);
            if (replacing)
                TestFiles::plant(path, "the old design");
            bool written = false;
            const QStringList names = namesMadeIn(dir, [&] { written = FileIO::writeWhole(path, "the design", access); });
            ASSERT_TRUE(written);
            // The one name besides the file's own is hidden, and is the one renamed over the file.
            ASSERT_EQ(names.size(), 3) << names.join(u' ').toStdString();
            EXPECT_TRUE(names[0].startsWith(u'+') && temporary.match(names[0].mid(1)).hasMatch())
                << names[0].toStdString();
            EXPECT_EQ(names[1], u'<' + names[0].mid(1));
            EXPECT_EQ(names[2], QStringLiteral(">a dataset"));
            EXPECT_EQ(entriesOf(dir), QStringList{QStringLiteral("a dataset")});
            EXPECT_EQ(TestFiles::bytesOf(path), QByteArray("the design"));
        }
    }

    // The longest names the file system takes are written too, their
    // temporary cut short, never inside a character.
    for (const QString& longest : {QString(255, u'n'), QString(85, u'暦')}) {
        ASSERT_EQ(QFile::encodeName(longest).size(), 255);
        const QString at = dir + u'/' + longest;
        bool written = false;
        const QStringList names = namesMadeIn(dir, [&] { written = FileIO::writeWhole(at, "the design"); });
        EXPECT_TRUE(written);
        ASSERT_EQ(names.size(), 3) << names.join(u' ').toStdString();
        EXPECT_TRUE(names[0].startsWith(QStringLiteral("+.") + longest.left(longest[0] == u'n' ? 247 : 82) + u'.'))
            << names[0].toStdString();
        EXPECT_EQ(TestFiles::bytesOf(at), QByteArray("the design"));
        EXPECT_TRUE(QFile::remove(at));
    }

    // A write the disk refuses leaves no name behind either.
    EXPECT_EQ(HostileFiles::inChildWithFileSizeLimit(
                  4, [&] { return FileIO::writeWhole(path, QByteArray(100, 'n')) ? 1 : 0; }),
              0);
    EXPECT_EQ(entriesOf(dir), QStringList{QStringLiteral("a dataset")});
    EXPECT_EQ(TestFiles::bytesOf(path), QByteArray("the design"));
}

TEST_F(FilesTest, AWriteKilledHalfWayLeavesTheOldFileAndNothingAListingShows)
{
    const QString path = dir + QStringLiteral("/a dataset");
    TestFiles::plant(path, "the saved design");
    // The child dies of the file size limit in the middle of its write, the
    // way a kill or a crash ends a save: nothing of the write's own clean-up runs.
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        const struct rlimit noCore {0, 0};
        struct rlimit size {};
        ::getrlimit(RLIMIT_FSIZE, &size);
        size.rlim_cur = 64;
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::setrlimit(RLIMIT_FSIZE, &size);
        FileIO::writeWhole(path, QByteArray(20 * 1024, 'n'));
        ::_exit(0);
    }
    ASSERT_GT(pid, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "the write was not cut short";

    EXPECT_EQ(TestFiles::bytesOf(path), QByteArray("the saved design"));
    // Where the file system has unnamed files nothing is left at all; where
    // it has none, the hidden temporary.
    for (const QString& name : entriesOf(dir))
        EXPECT_TRUE(name == QStringLiteral("a dataset") || name.startsWith(QStringLiteral(".a dataset.")))
            << name.toStdString();
    QStringList visible;
    for (const Folders::Item& item : Folders::items(dir)) {
        if (item.visible)
            visible << item.name;
    }
    EXPECT_EQ(visible, QStringList{QStringLiteral("a dataset")});

    ASSERT_TRUE(FileIO::writeWhole(path, "saved again"));
    EXPECT_EQ(TestFiles::bytesOf(path), QByteArray("saved again"));
}

TEST_F(FilesTest, ALinkKeepsPointingAtTheFileItNamesAndAReadOnlyFileIsLeftAlone)
{
    const QString real = dir + QStringLiteral("/real");
    const QString link = dir + QStringLiteral("/link");
    TestFiles::plant(real, "old");
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(FileIO::writeWhole(link, "through the link"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(TestFiles::bytesOf(real), QByteArray("through the link"));
    EXPECT_EQ(entriesOf(dir), (QStringList{QStringLiteral("link"), QStringLiteral("real")}));

    // Only the owner's own permission keeps even the owner out; root writes
    // anyway, so this runs as an ordinary user.
    ASSERT_TRUE(QFile::setPermissions(real, QFileDevice::ReadOwner));
    const HostileFiles::OrdinaryUserRun run = HostileFiles::inChildAsOrdinaryUser(dir, [&] {
        return FileIO::writeWhole(real, "over it") ? QStringLiteral("written") : QStringLiteral("refused");
    });
    if (!run.ran)
        GTEST_SKIP() << "no ordinary user to try a read-only file as: " << run.whyNot.toStdString();
    EXPECT_EQ(run.answer.toStdString(), "refused");
    EXPECT_EQ(TestFiles::bytesOf(real), QByteArray("through the link"));
    EXPECT_EQ(entriesOf(dir), (QStringList{QStringLiteral("link"), QStringLiteral("real")}));
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

    // A file already there and readable by all is made private too.
    const QString older = dir + QStringLiteral("/pref");
    TestFiles::plant(older, "old");
    ASSERT_TRUE(QFile::setPermissions(older, usual));
    ASSERT_TRUE(FileIO::writeWhole(older, "newer"));
    EXPECT_EQ(permissionsOf(older), ownerOnly);
    EXPECT_EQ(TestFiles::bytesOf(older), QByteArray("newer"));

    // A file made for passing on follows the umask, and keeps the mode the
    // user gave it when it is replaced.
    const QString shared = dir + QStringLiteral("/month.png");
    ASSERT_TRUE(FileIO::writeWhole(shared, "png", FileIO::Access::Shared));
    EXPECT_EQ(permissionsOf(shared), usual);
    const QFileDevice::Permissions groupToo = usual | QFileDevice::WriteGroup;
    ASSERT_TRUE(QFile::setPermissions(shared, groupToo));
    ASSERT_TRUE(FileIO::writeWhole(shared, "png again", FileIO::Access::Shared));
    EXPECT_EQ(permissionsOf(shared), groupToo);
    ::umask(077);
    ASSERT_TRUE(FileIO::writeWhole(dir + QStringLiteral("/other.png"), "png", FileIO::Access::Shared));
    EXPECT_EQ(permissionsOf(dir + QStringLiteral("/other.png")), ownerOnly);
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
