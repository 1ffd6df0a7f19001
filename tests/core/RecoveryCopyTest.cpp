// The recovery copy of unsaved edits: its file, and how runs keep theirs and
// find the ones that runs which have ended left behind.

#include "core/DatasetDefaults.h"
#include "core/DatasetFile.h"
#include "core/RecoveryCopy.h"
#include "platform/Folders.h"

#include "support/HostileFiles.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <memory>

#include <sys/stat.h>

namespace {

QByteArray aDataset(int32_t size)
{
    Dataset d;
    DatasetDefaults::initDataset(d, {}, QDate(2027, 4, 1));
    d.setValue(QStringLiteral("size"), size);
    return DatasetFile::encode(d);
}

RecoveryCopy::Content aCopy(const QString& path, int32_t size, const QDateTime& written)
{
    return RecoveryCopy::Content{path, written, QByteArrayLiteral("ver:3\xff old"), aDataset(size)};
}

void expectSame(const RecoveryCopy::Content& a, const RecoveryCopy::Content& b)
{
    EXPECT_EQ(a.path, b.path);
    EXPECT_EQ(a.written, b.written);
    EXPECT_EQ(a.fileBytes, b.fileBytes);
    EXPECT_EQ(a.dataset, b.dataset);
}

mode_t modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

const QDateTime kWhen(QDate(2026, 12, 11), QTime(5, 30, 15, 250), Qt::UTC);

// A folder of recovery copies of its own for each test.
class RecoveryKeeperTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString folder() const { return dir.filePath(QStringLiteral("状態/Morvelin")); }
    QStringList names() const { return QDir(folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    QTemporaryDir dir{TestEnv::home() + QStringLiteral("/recovery.XXXXXX")};
};

} // namespace

TEST(RecoveryCopy, ACopyReadsBackAsItWasWritten)
{
    const RecoveryCopy::Content cases[] = {
        aCopy(QString(), 0, kWhen),
        aCopy(QStringLiteral("/home/利用者/.local/share/Morvelin/春 の 暦"), 2, kWhen),
        RecoveryCopy::Content{QStringLiteral("/d/x"), kWhen.addYears(-30), QByteArray(), aDataset(3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        RecoveryCopy::Content read;
        ASSERT_TRUE(RecoveryCopy::decode(RecoveryCopy::encode(c), read));
        expectSame(read, c);
    }
}

TEST(RecoveryCopy, AnythingButAWholeCopyIsRefusedAndChangesNothing)
{
    const RecoveryCopy::Content good = aCopy(QStringLiteral("/d/春"), 1, kWhen);
    const QByteArray whole = RecoveryCopy::encode(good);
    const auto withPath = [&](const QString& path) {
        RecoveryCopy::Content c = good;
        c.path = path;
        return RecoveryCopy::encode(c);
    };
    const auto withDataset = [&](const QByteArray& dataset) {
        RecoveryCopy::Content c = good;
        c.dataset = dataset;
        return RecoveryCopy::encode(c);
    };
    QByteArray newer = whole;
    newer[10] = '2'; // "recovery:2"
    QByteArray badTime = whole;
    badTime.replace("2026-12-11T05:30:15.250Z", "2026-13-11T05:30:15.250Z");
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"a later format", newer},
        {"a dataset file itself", aDataset(1)},
        {"a byte after the end", whole + 'x'},
        {"a relative path", withPath(QStringLiteral("Morvelin/春"))},
        {"a time that is none", badTime},
        {"a design that is no dataset", withDataset(QByteArrayLiteral("ver:3"))},
    };
    RecoveryCopy::Content untouched = aCopy(QStringLiteral("/keep"), 3, kWhen.addDays(1));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecoveryCopy::Content out = untouched;
        EXPECT_FALSE(RecoveryCopy::decode(c.bytes, out));
        expectSame(out, untouched);
    }
    // Cut short anywhere: a power cut in the middle of some other writer.
    for (qsizetype n = 0; n < whole.size(); ++n) {
        RecoveryCopy::Content out = untouched;
        EXPECT_FALSE(RecoveryCopy::decode(whole.left(n), out)) << n;
        expectSame(out, untouched);
    }
}

TEST_F(RecoveryKeeperTest, ARunsCopyIsTheUsersAloneWrittenOverAndRemoved)
{
    RecoveryKeeper keeper(folder());
    EXPECT_TRUE(keeper.file().isEmpty());
    keeper.drop();
    EXPECT_FALSE(QFileInfo::exists(folder())) << "nothing is made before there is something to keep";

    ASSERT_TRUE(keeper.keep(aCopy(QString(), 0, kWhen)));
    ASSERT_TRUE(keeper.keep(aCopy(QStringLiteral("/d/夏"), 2, kWhen.addSecs(2))));
    EXPECT_EQ(QFileInfo(keeper.file()).path(), folder());
    EXPECT_EQ(modeOf(folder()), mode_t(0700));
    EXPECT_EQ(modeOf(keeper.file()), mode_t(0600));
    RecoveryCopy::Content read;
    ASSERT_TRUE(RecoveryCopy::decode(TestFiles::bytesOf(keeper.file()), read));
    expectSame(read, aCopy(QStringLiteral("/d/夏"), 2, kWhen.addSecs(2)));

    keeper.drop();
    EXPECT_FALSE(QFileInfo::exists(keeper.file()));
    // The next edits make the copy again, under the same run.
    ASSERT_TRUE(keeper.keep(aCopy(QString(), 1, kWhen)));
    EXPECT_TRUE(QFileInfo::exists(keeper.file()));
}

TEST_F(RecoveryKeeperTest, ARunThatLivesKeepsItsCopyFromEveryOtherRun)
{
    auto first = std::make_unique<RecoveryKeeper>(folder());
    ASSERT_TRUE(first->keep(aCopy(QStringLiteral("/d/春"), 1, kWhen)));
    const QString firstFile = first->file();

    RecoveryKeeper second(folder());
    EXPECT_TRUE(second.claimLeftBehind().empty());
    ASSERT_TRUE(second.keep(aCopy(QString(), 2, kWhen)));
    EXPECT_NE(second.file(), firstFile);
    second.drop();
    EXPECT_TRUE(QFileInfo::exists(firstFile));

    // The first run ends: its copy is left for the next.
    first.reset();
    ASSERT_TRUE(QFileInfo::exists(firstFile));
    std::vector<LeftCopy> left = second.claimLeftBehind();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].file, firstFile);
    ASSERT_TRUE(left[0].readable);
    expectSame(left[0].content, aCopy(QStringLiteral("/d/春"), 1, kWhen));
    // While one run holds it, no other run is offered it.
    RecoveryKeeper third(folder());
    EXPECT_TRUE(third.claimLeftBehind().empty());
    // Let go without an answer, it waits for the next start.
    left.clear();
    EXPECT_EQ(third.claimLeftBehind().size(), 1u);
}

TEST_F(RecoveryKeeperTest, ACopyOfAKilledRunIsLeftBehind)
{
    const auto killed = HostileFiles::Detail::inChild([&](int) {
        RecoveryKeeper keeper(folder());
        if (!keeper.keep(aCopy(QString(), 3, kWhen)))
            return 1;
        ::raise(SIGKILL);
        return 2;
    });
    EXPECT_EQ(killed.exitCode, -1);
    RecoveryKeeper next(folder());
    const std::vector<LeftCopy> left = next.claimLeftBehind();
    ASSERT_EQ(left.size(), 1u);
    ASSERT_TRUE(left[0].readable);
    EXPECT_EQ(left[0].content.dataset, aDataset(3));
}

TEST_F(RecoveryKeeperTest, LeftCopiesComeUnreadableFirstThenNewestFirst)
{
    {
        RecoveryKeeper older(folder());
        RecoveryKeeper newer(folder());
        ASSERT_TRUE(older.keep(aCopy(QStringLiteral("/d/古"), 1, kWhen)));
        ASSERT_TRUE(newer.keep(aCopy(QStringLiteral("/d/新"), 2, kWhen.addSecs(60))));
    }
    // A run killed after its edits were saved leaves only its lock.
    const auto killed = HostileFiles::Detail::inChild([&](int) {
        RecoveryKeeper none(folder());
        if (!none.keep(aCopy(QString(), 0, kWhen)))
            return 1;
        none.drop();
        ::raise(SIGKILL);
        return 2;
    });
    ASSERT_EQ(killed.exitCode, -1);
    ASSERT_EQ(names().filter(QStringLiteral(".lock")).size(), 1);
    TestFiles::plant(Folders::child(folder(), QStringLiteral("damaged-by-a-crash.unsaved")), "recovery:1 garbage");
    RecoveryKeeper next(folder());
    const std::vector<LeftCopy> left = next.claimLeftBehind();
    ASSERT_EQ(left.size(), 3u);
    EXPECT_FALSE(left[0].readable);
    EXPECT_EQ(QFileInfo(left[0].file).fileName(), QStringLiteral("damaged-by-a-crash.unsaved"));
    EXPECT_EQ(left[1].content.path, QStringLiteral("/d/新"));
    EXPECT_EQ(left[2].content.path, QStringLiteral("/d/古"));
    // Three locks held now, the lone one cleared.
    EXPECT_EQ(names().filter(QStringLiteral(".lock")).size(), 3);
}

TEST_F(RecoveryKeeperTest, ALeftCopyIsTakenOverRemovedOrKeptAside)
{
    const auto leaveOne = [&](int32_t size) {
        RecoveryKeeper ended(folder());
        EXPECT_TRUE(ended.keep(aCopy(QString(), size, kWhen)));
        return ended.file();
    };
    RecoveryKeeper run(folder());

    // Taken over: the run's own copy from now on, written over and removed as one.
    const QString adopted = leaveOne(1);
    std::vector<LeftCopy> left = run.claimLeftBehind();
    ASSERT_EQ(left.size(), 1u);
    run.adopt(std::move(left[0]));
    EXPECT_EQ(run.file(), adopted);
    ASSERT_TRUE(run.keep(aCopy(QString(), 2, kWhen)));
    EXPECT_EQ(names().filter(QStringLiteral(".unsaved")), QStringList{QFileInfo(adopted).fileName()});
    RecoveryKeeper other(folder());
    EXPECT_TRUE(other.claimLeftBehind().empty()) << "taken over means held";
    run.drop();
    EXPECT_FALSE(QFileInfo::exists(adopted));

    // Removed for good.
    const QString discarded = leaveOne(2);
    left = run.claimLeftBehind();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_TRUE(RecoveryKeeper::discard(std::move(left[0])));
    EXPECT_FALSE(QFileInfo::exists(discarded));

    // Kept aside, byte for byte, under names no run offers again.
    for (const char* expected : {".damaged", ".damaged-2"}) {
        SCOPED_TRACE(expected);
        const QString file = Folders::child(folder(), QStringLiteral("x.unsaved"));
        TestFiles::plant(file, "not a copy");
        left = run.claimLeftBehind();
        ASSERT_EQ(left.size(), 1u);
        const QString aside = RecoveryKeeper::keepAside(std::move(left[0]));
        EXPECT_EQ(aside, Folders::child(folder(), QStringLiteral("x") + QLatin1String(expected)));
        EXPECT_EQ(TestFiles::bytesOf(aside), QByteArray("not a copy"));
        EXPECT_FALSE(QFileInfo::exists(file));
        EXPECT_TRUE(run.claimLeftBehind().empty());
    }
}

TEST_F(RecoveryKeeperTest, ACopyThatCannotBeWrittenSaysWhyAndLeavesTheLastOne)
{
    // A file where the folder goes.
    TestFiles::plant(dir.filePath(QStringLiteral("状態")), "a file");
    {
        RecoveryKeeper keeper(folder());
        QString why;
        EXPECT_FALSE(keeper.keep(aCopy(QString(), 1, kWhen), &why));
        EXPECT_TRUE(why.contains(dir.filePath(QStringLiteral("状態")))) << why.toStdString();
    }
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("状態"))));

    // A full disk: the copy written before stays whole.
    RecoveryKeeper keeper(folder());
    ASSERT_TRUE(keeper.keep(aCopy(QString(), 1, kWhen)));
    const QByteArray before = TestFiles::bytesOf(keeper.file());
    const int full = HostileFiles::inChildWithFileSizeLimit(16, [&] {
        QString why;
        return !keeper.keep(aCopy(QStringLiteral("/d/冬"), 2, kWhen.addSecs(5)), &why)
                       && why.contains(QFileInfo(keeper.file()).fileName())
                   ? 0
                   : 1;
    });
    EXPECT_EQ(full, 0);
    EXPECT_EQ(TestFiles::bytesOf(keeper.file()), before);

    // A folder the user may not write to.
    const auto rights = [&](QFileDevice::Permissions p) { return QFile::setPermissions(folder(), p); };
    const HostileFiles::OrdinaryUserRun run = HostileFiles::inChildAsOrdinaryUser(dir.filePath(QStringLiteral("状態")), [&] {
        if (!rights(QFileDevice::ReadOwner | QFileDevice::ExeOwner))
            return QStringLiteral("cannot close the folder");
        RecoveryKeeper another(folder());
        QString why;
        const bool written = another.keep(aCopy(QString(), 3, kWhen), &why);
        rights(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return written ? QStringLiteral("written") : why;
    });
    if (!run.ran)
        GTEST_SKIP() << run.whyNot.toStdString();
    EXPECT_NE(run.answer, QStringLiteral("written"));
    EXPECT_TRUE(run.answer.contains(folder())) << run.answer.toStdString();
}

TEST_F(RecoveryKeeperTest, ALockThatSaysNotWhoseItIsHoldsItsCopyOnlyForAMoment)
{
    // A power cut while a run made its lock leaves one that names no run.
    {
        RecoveryKeeper ended(folder());
        ASSERT_TRUE(ended.keep(aCopy(QString(), 2, kWhen)));
    }
    const QString copy = names().filter(QStringLiteral(".unsaved")).value(0);
    const QString lock = Folders::child(folder(), copy.chopped(8) + QStringLiteral(".lock"));
    TestFiles::plant(lock, QByteArray());
    RecoveryKeeper next(folder());
    EXPECT_TRUE(next.claimLeftBehind().empty()) << "a run may be writing its lock this moment";

    QFile old(lock);
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
    old.close();
    const std::vector<LeftCopy> left = next.claimLeftBehind();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_TRUE(left[0].readable);
}
