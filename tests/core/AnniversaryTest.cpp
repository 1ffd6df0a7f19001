#include "core/Anniversary.h"
#include "core/AnniversaryFile.h"

#include "core/ProgramPaths.h"
#include "core/SettingsAtStart.h"
#include "core/SettingsQuit.h"
#include "platform/FileIO.h"
#include "platform/Conv.h"
#include "platform/Folders.h"

#include "support/HostileFiles.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

Anniversary entry(const QVariant& yy, const QVariant& mm, const QVariant& dd, const QString& tt)
{
    return Anniversary{yy, mm, dd, tt};
}

// The text of the first entry, as the list's dates read it, that falls on the
// date; "<none>" when none does.
QString textAt(const AnniversaryList& list, int32_t y, int32_t m, int32_t d)
{
    for (const AnniversaryDate& date : Anniversaries::datesOf(list)) {
        if (date.fallsOn(y, m, d))
            return date.text;
    }
    return QStringLiteral("<none>");
}

QByteArray hex(const char* h) { return QByteArray::fromHex(h); }

// A typed year: plain ASCII digits as the list keeps them, "毎年" as it is.
TEST(AnniversaryYear, ATypedYearIsOneTo9999OrEveryYear)
{
    const struct {
        const char16_t* typed;
        const char16_t* year; // null: no year
    } cases[] = {
        {u"2027", u"2027"},
        {u"２０２７", u"2027"}, // as a Japanese input method types it
        {u" 12 ", u"12"},
        {u"\u3000１２\u3000", u"12"},
        {u"1", u"1"},
        {u"0001", u"1"},
        {u"9999", u"9999"},
        {u"９９９９", u"9999"},
        {u"", nullptr}, // every year is the pop-up's own row "毎年"
        {u"   ", nullptr},
        {u"毎年", u"毎年"},
        {u"abc", nullptr},
        {u"0", nullptr},
        {u"0000", nullptr},
        {u"10000", nullptr},
        {u"１００００", nullptr},
        {u"-5", nullptr},
        {u"+12", nullptr},
        {u"12.0", nullptr},
        {u"2027年", nullptr},
        {u"20 27", nullptr},
        {u"\u0661\u0662", nullptr}, // digits of another script
        {u"99999999999999999999", nullptr},
    };
    for (const auto& c : cases) {
        const QString typed = QString::fromUtf16(c.typed);
        const std::optional<QString> year = Anniversaries::yearOf(typed);
        if (c.year)
            EXPECT_EQ(year, QString::fromUtf16(c.year)) << typed.toStdString();
        else
            EXPECT_EQ(year, std::nullopt) << typed.toStdString();
    }
}

TEST(AnniversaryFileLayout, OneEveryYearEntryIsTheTwentyByteExample)
{
    const AnniversaryList list = {entry(int32_t(0), QStringLiteral("5"), int32_t(5), QStringLiteral("abc"))};
    EXPECT_EQ(AnniversaryFile::encode(list).toHex(), QByteArray("057665723a31" "00000000" "0130" "0135" "0135" "03616263"));
}

TEST(AnniversaryFileLayout, EmptyListIsATagAndNoEntries)
{
    EXPECT_EQ(AnniversaryFile::encode({}).toHex(), QByteArray("057665723a31" "ffffffff"));
    AnniversaryList list;
    EXPECT_TRUE(AnniversaryFile::decode(hex("057665723a31" "ffffffff"), list));
    EXPECT_TRUE(list.isEmpty());
}

TEST(AnniversaryFileLayout, EntriesReadBackAsTextsAfterThoseAlreadyThere)
{
    const AnniversaryList written = {
        entry(int32_t(0), QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("クリスマス・イブ")),
        entry(QStringLiteral("2009"), QStringLiteral("3"), QStringLiteral("15"), QString()),
        entry(2010.0, int32_t(1), int32_t(1), QStringLiteral("元日")),
    };
    AnniversaryList read = {entry(int32_t(0), int32_t(1), int32_t(2), QStringLiteral("先客"))};
    ASSERT_TRUE(AnniversaryFile::decode(AnniversaryFile::encode(written), read));
    ASSERT_EQ(read.size(), 4);
    EXPECT_EQ(read[0].tt, QVariant(QStringLiteral("先客")));
    const char* texts[3][4] = {{"0", "12", "24", "クリスマス・イブ"}, {"2009", "3", "15", ""}, {"2010", "1", "1", "元日"}};
    for (int i = 0; i < 3; ++i) {
        const Anniversary& a = read[i + 1];
        EXPECT_EQ(a.YY.typeId(), QMetaType::QString);
        EXPECT_EQ(a.YY.toString(), QString::fromUtf8(texts[i][0]));
        EXPECT_EQ(a.MM.toString(), QString::fromUtf8(texts[i][1]));
        EXPECT_EQ(a.DD.toString(), QString::fromUtf8(texts[i][2]));
        EXPECT_EQ(a.tt.toString(), QString::fromUtf8(texts[i][3]));
    }
    EXPECT_EQ(textAt(read, 2031, 12, 24), QStringLiteral("クリスマス・イブ"));
}

TEST(AnniversaryFileLayout, OverlongTextIsCutAtACharacterAndStaysReadable)
{
    const QString longText = QStringLiteral("記念日").repeated(30); // 270 bytes
    const AnniversaryList written = {entry(int32_t(0), int32_t(1), int32_t(1), longText),
                                     entry(int32_t(0), int32_t(1), int32_t(2), QStringLiteral("次"))};
    AnniversaryList read;
    ASSERT_TRUE(AnniversaryFile::decode(AnniversaryFile::encode(written), read));
    ASSERT_EQ(read.size(), 2);
    const QString cut = read[0].tt.toString();
    EXPECT_EQ(cut.toUtf8().size(), 255);
    EXPECT_TRUE(longText.startsWith(cut));
    EXPECT_EQ(read[1].tt.toString(), QStringLiteral("次"));
}

TEST(AnniversaryFileLayout, DamagedDataKeepsTheWholeRecordsBeforeTheDamage)
{
    const AnniversaryList written = {
        entry(int32_t(0), int32_t(5), int32_t(5), QStringLiteral("一")),
        entry(int32_t(0), int32_t(6), int32_t(6), QStringLiteral("二")),
        entry(int32_t(0), int32_t(7), int32_t(7), QStringLiteral("三")),
    };
    const QByteArray full = AnniversaryFile::encode(written);
    // Record ends: 10 + 3 * (2 + 2 + 2 + 4).
    for (qsizetype cut = 0; cut < full.size(); ++cut) {
        AnniversaryList read;
        EXPECT_FALSE(AnniversaryFile::decode(full.left(cut), read)) << cut;
        const qsizetype whole = cut < 10 ? 0 : (cut - 10) / 10;
        ASSERT_EQ(read.size(), whole) << cut;
        for (qsizetype i = 0; i < whole; ++i)
            EXPECT_EQ(read[i].tt, written[i].tt);
    }

    // A count far beyond the records present: the records, then a clean stop.
    QByteArray absurd = full;
    absurd.replace(6, 4, hex("7fffffff"));
    AnniversaryList read;
    EXPECT_FALSE(AnniversaryFile::decode(absurd, read));
    EXPECT_LT(read.capacity(), 1000); // room for the records present, not for the count
    EXPECT_EQ(read.size(), 3);

    // A text whose length byte runs past the end.
    read.clear();
    EXPECT_FALSE(AnniversaryFile::decode(full.left(full.size() - 4) + hex("ff616263"), read));
    EXPECT_EQ(read.size(), 2);

    // Below -1 means no entries, like -1.
    read.clear();
    EXPECT_TRUE(AnniversaryFile::decode(hex("057665723a31" "80000000"), read));
    EXPECT_TRUE(read.isEmpty());
}

class AnniversaryFileTest : public ::testing::Test {
protected:
    void SetUp() override { QDir(TestEnv::home() + QStringLiteral("/.config")).removeRecursively(); }
    void TearDown() override { QDir(TestEnv::home() + QStringLiteral("/.config")).removeRecursively(); }

    static QByteArray fileBytes()
    {
        QFile f(AnniversaryFile::defaultPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    const AnniversaryList two = {entry(int32_t(0), int32_t(5), int32_t(5), QStringLiteral("abc")),
                                 entry(QStringLiteral("2009"), int32_t(3), int32_t(15), QStringLiteral("誕生日"))};
};

TEST_F(AnniversaryFileTest, LivesBesideThePreferences)
{
    EXPECT_EQ(AnniversaryFile::defaultPath(), ProgramPaths::settingsFolder() + QStringLiteral("/anvsy"));
    EXPECT_EQ(ProgramPaths::preferenceFile(), ProgramPaths::settingsFolder() + QStringLiteral("/pref"));
}

TEST_F(AnniversaryFileTest, AListSavedAtQuitLoadsBackAndAnEmptiedOneStaysEmpty)
{
    using Kind = SettingsFiles::QuitOutcome::Kind;
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    const QString path = AnniversaryFile::defaultPath();
    AnniversaryList none;
    SettingsFiles::AtStart found;
    AnniversaryFile::load(path, none, &found);
    ASSERT_EQ(AnniversaryFile::saveAtQuit(path, two, found).kind, Kind::Saved);
    EXPECT_EQ(fileBytes(), AnniversaryFile::encode(two));

    AnniversaryList read;
    EXPECT_EQ(AnniversaryFile::load(path, read, &found), AnniversaryFile::LoadResult::Loaded);
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(textAt(read, 2009, 3, 15), QStringLiteral("誕生日"));
    EXPECT_EQ(textAt(read, 2010, 3, 15), QStringLiteral("<none>"));
    EXPECT_EQ(textAt(read, 2030, 5, 5), QStringLiteral("abc"));

    // Emptied in the next run: the deleted anniversaries do not come back.
    ASSERT_EQ(AnniversaryFile::saveAtQuit(path, {}, found).kind, Kind::Saved);
    AnniversaryList emptied;
    EXPECT_EQ(AnniversaryFile::load(path, emptied), AnniversaryFile::LoadResult::Loaded);
    EXPECT_TRUE(emptied.isEmpty());
}

TEST_F(AnniversaryFileTest, AnEmptyListNeverReplacesAFileThatCannotBeRead)
{
    using Kind = SettingsFiles::QuitOutcome::Kind;
    const QString path = AnniversaryFile::defaultPath();
    ASSERT_TRUE(Folders::createFolder(path)); // a folder where the file should be
    AnniversaryList none;
    SettingsFiles::AtStart found;
    AnniversaryFile::load(path, none, &found);
    EXPECT_EQ(AnniversaryFile::saveAtQuit(path, none, found).kind, Kind::NothingToSave);
    EXPECT_TRUE(Folders::isFolder(path));
    ASSERT_TRUE(QDir(path).removeRecursively());

    // A file the user cannot read: the list stayed empty because of it, and
    // writing that empty list would wipe the anniversaries it holds. Root
    // reads any file, so this runs as an ordinary user.
    TestFiles::plant(path, AnniversaryFile::encode(two));
    const QFileDevice::Permissions permissions = QFile::permissions(path);
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions()));
    const auto outcome = [](AnniversaryFile::LoadResult loaded, Kind quit) {
        return QStringLiteral("load %1, quit %2").arg(int(loaded)).arg(int(quit));
    };
    const HostileFiles::OrdinaryUserRun run =
        HostileFiles::inChildAsOrdinaryUser(ProgramPaths::settingsFolder(), [&] {
            if (QFile probe(path); probe.open(QIODevice::ReadOnly))
                return QStringLiteral("readable");
            AnniversaryList read;
            SettingsFiles::AtStart atStart;
            const AnniversaryFile::LoadResult loaded = AnniversaryFile::load(path, read, &atStart);
            return outcome(loaded, AnniversaryFile::saveAtQuit(path, read, atStart).kind);
        });
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
    if (!run.ran)
        GTEST_SKIP() << "no ordinary user to try it as: " << run.whyNot.toStdString();
    if (run.answer == QLatin1String("readable"))
        GTEST_SKIP() << "even an ordinary user's rights read any file here";
    EXPECT_EQ(run.answer.toStdString(),
              outcome(AnniversaryFile::LoadResult::CannotOpen, Kind::NothingToSave).toStdString());
    EXPECT_EQ(fileBytes(), AnniversaryFile::encode(two));
}

TEST_F(AnniversaryFileTest, MissingOrUnusableFilesAreToldApart)
{
    AnniversaryList read = two;
    EXPECT_EQ(AnniversaryFile::load(AnniversaryFile::defaultPath(), read), AnniversaryFile::LoadResult::NoFile);
    EXPECT_FALSE(FileIO::somethingAt(ProgramPaths::settingsFolder()));

    ASSERT_TRUE(Folders::createFolder(AnniversaryFile::defaultPath())); // "anvsy" is a folder
    EXPECT_EQ(AnniversaryFile::load(AnniversaryFile::defaultPath(), read), AnniversaryFile::LoadResult::CannotOpen);
    EXPECT_EQ(read.size(), 2); // unchanged by the failed loads
    ASSERT_TRUE(QDir(AnniversaryFile::defaultPath()).removeRecursively());

    QFile damaged(AnniversaryFile::defaultPath());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(AnniversaryFile::encode(two).chopped(3));
    damaged.close();
    read.clear();
    EXPECT_EQ(AnniversaryFile::load(AnniversaryFile::defaultPath(), read), AnniversaryFile::LoadResult::Damaged);
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(read[0].tt.toString(), QStringLiteral("abc"));
}



TEST(AnniversaryFileLayout, TextsThatAreNoUtf8GoBackByteForByteUntilEdited)
{
    // "あい" in Shift_JIS, and a 254-byte text of the same kind.
    const QByteArray sjis = hex("82a082a2");
    const QByteArray longSjis = QByteArray::fromHex("82a0").repeated(127);
    const QByteArray file = hex("057665723a31" "00000002") + hex("0130" "0135" "0135") + char(4) + sjis
        + hex("04" "32303039" "0131" "0132") + char(254) + longSjis
        + hex("0130" "0131" "0131") + char(3) + QStringLiteral("元").toUtf8();
    AnniversaryList list;
    ASSERT_TRUE(AnniversaryFile::decode(file, list));
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(AnniversaryFile::encode(list), file);

    // Only the edited text changes; the entries around it keep their bytes.
    list[1].tt = QStringLiteral("結婚記念日");
    const QByteArray edited = AnniversaryFile::encode(list);
    AnniversaryList back;
    ASSERT_TRUE(AnniversaryFile::decode(edited, back));
    EXPECT_EQ(back[1].tt.toString(), QStringLiteral("結婚記念日"));
    EXPECT_EQ(back[0].readFrom[3], sjis);
    EXPECT_EQ(back[2].tt.toString(), QStringLiteral("元"));
    EXPECT_EQ(AnniversaryFile::encode(back), edited);

    // An entry the editor makes afresh carries no bytes: its texts as UTF-8.
    list.append(Anniversary{int32_t(0), int32_t(2), int32_t(3), QStringLiteral("節分")});
    EXPECT_TRUE(AnniversaryFile::encode(list).endsWith(hex("0130" "0132" "0133") + char(6)
                                                       + QStringLiteral("節分").toUtf8()));
}

TEST_F(AnniversaryFileTest, NoFifoOrHugeFileBlocksOrFillsMemory)
{
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    const QString path = AnniversaryFile::defaultPath();
    {
        HostileFiles::WatchedFifo fifo(path);
        ASSERT_TRUE(fifo.made());
        AnniversaryList read;
        SettingsFiles::AtStart found;
        EXPECT_EQ(AnniversaryFile::load(path, read, &found), AnniversaryFile::LoadResult::CannotOpen);
        EXPECT_TRUE(read.isEmpty());
        // Neither an empty list nor a changed one opens it at quit.
        EXPECT_EQ(AnniversaryFile::saveAtQuit(path, read, found).kind, SettingsFiles::QuitOutcome::Kind::NothingToSave);
        EXPECT_EQ(AnniversaryFile::saveAtQuit(path, two, found).kind, SettingsFiles::QuitOutcome::Kind::NotAFile);
        EXPECT_FALSE(fifo.openedForReading());
        EXPECT_TRUE(fifo.stillThere());
    }
    ASSERT_TRUE(QFile::remove(path));

    // 64 MB of zeros behind a count of 2^31 - 1 records: every four zero
    // bytes would read as one empty record.
    {
        QFile huge(path);
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        huge.write(hex("057665723a31" "7fffffff"));
        ASSERT_TRUE(huge.resize(64 * 1024 * 1024));
    }
    AnniversaryList read;
    EXPECT_EQ(AnniversaryFile::load(path, read), AnniversaryFile::LoadResult::Damaged);
    EXPECT_TRUE(read.isEmpty());
    EXPECT_EQ(QFileInfo(path).size(), 64 * 1024 * 1024);

    // Within the bound, the count is held to what the bytes can hold.
    {
        QFile big(path);
        ASSERT_TRUE(big.open(QIODevice::WriteOnly | QIODevice::Truncate));
        big.write(hex("057665723a31" "7fffffff"));
        ASSERT_TRUE(big.resize(10 + 4 * 1000 + 3));
    }
    EXPECT_EQ(AnniversaryFile::load(path, read), AnniversaryFile::LoadResult::Damaged);
    EXPECT_EQ(read.size(), 1000);
}

// The quit's save, from what start-up found to what the folder holds after.
TEST_F(AnniversaryFileTest, AtQuitOnlyAChangedListReplacesAFileAndOneNotReadWholeIsKept)
{
    using Kind = SettingsFiles::QuitOutcome::Kind;
    const AnniversaryList one = {two[0]};
    const QByteArray good = AnniversaryFile::encode(two);
    // The first record's length byte runs past the end: 50 bytes, no entry.
    const QByteArray badFirst = hex("057665723a31" "00000001") + char(200) + QByteArray(39, 'x');
    // The second record is cut: the first one reads.
    const QByteArray cutSecond = good.chopped(3);
    const QString none = QStringLiteral("<none>");

    const struct {
        const char* what;
        QByteArray before; // the file at start-up; "<none>" for no file
        AnniversaryList atQuit;
        Kind result;
        QByteArray after;  // the file after the quit
        QByteArray kept;   // what "anvsy.damaged" holds; "<none>" for no such file
    } cases[] = {
        {"no file, empty all along", "<none>", {}, Kind::NothingToSave, "<none>", "<none>"},
        {"no file, an entry added", "<none>", one, Kind::Saved, AnniversaryFile::encode(one), "<none>"},
        {"whole file, emptied", good, {}, Kind::Saved, AnniversaryFile::encode({}), "<none>"},
        {"whole file, unchanged", good, two, Kind::NothingToSave, good, "<none>"},
        {"whole file, changed", good, one, Kind::Saved, AnniversaryFile::encode(one), "<none>"},
        {"bad first record, unchanged", badFirst, {}, Kind::NothingToSave, badFirst, "<none>"},
        {"bad first record, an entry added", badFirst, one, Kind::SavedDamagedKept, AnniversaryFile::encode(one), badFirst},
        {"cut record, unchanged", cutSecond, one, Kind::NothingToSave, cutSecond, "<none>"},
        {"cut record, emptied", cutSecond, {}, Kind::SavedDamagedKept, AnniversaryFile::encode({}), cutSecond},
        {"cut record, changed", cutSecond, two, Kind::SavedDamagedKept, good, cutSecond},
    };
    const QString path = AnniversaryFile::defaultPath();
    for (const auto& c : cases) {
        QDir(ProgramPaths::settingsFolder()).removeRecursively();
        ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
        if (c.before != none.toUtf8())
            TestFiles::plant(path, c.before);
        AnniversaryList list;
        SettingsFiles::AtStart found;
        AnniversaryFile::load(path, list, &found);
        EXPECT_EQ(AnniversaryFile::saveAtQuit(path, c.atQuit, found).kind, c.result) << c.what;
        EXPECT_EQ(TestFiles::bytesOf(path).toHex(), c.after.toHex()) << c.what;
        EXPECT_EQ(TestFiles::bytesOf(path + QStringLiteral(".damaged")).toHex(), c.kept.toHex()) << c.what;
        // Saved once, the same list writes nothing more.
        EXPECT_EQ(AnniversaryFile::saveAtQuit(path, c.atQuit, found).kind, Kind::NothingToSave) << c.what;
    }

    // A second damaged file never replaces the first one kept.
    QDir(ProgramPaths::settingsFolder()).removeRecursively();
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    TestFiles::plant(path + QStringLiteral(".damaged"), "kept in an earlier run");
    TestFiles::plant(path, badFirst);
    AnniversaryList list;
    SettingsFiles::AtStart found;
    ASSERT_EQ(AnniversaryFile::load(path, list, &found), AnniversaryFile::LoadResult::Damaged);
    const SettingsFiles::QuitOutcome outcome = AnniversaryFile::saveAtQuit(path, one, found);
    EXPECT_EQ(outcome.kind, Kind::SavedDamagedKept);
    EXPECT_EQ(outcome.keptAs, path + QStringLiteral(".damaged.2"));
    EXPECT_EQ(TestFiles::bytesOf(path + QStringLiteral(".damaged")), QByteArray("kept in an earlier run"));
    EXPECT_EQ(TestFiles::bytesOf(path + QStringLiteral(".damaged.2")), badFirst);
    EXPECT_EQ(TestFiles::bytesOf(path), AnniversaryFile::encode(one));
}

// Records past the count are part of the file too: reading only the counted
// ones as a good file would drop the others at the first save.
TEST_F(AnniversaryFileTest, RecordsPastTheCountMakeTheFileDamagedAndAreKept)
{
    using Kind = SettingsFiles::QuitOutcome::Kind;
    const AnniversaryList three = {entry(int32_t(0), int32_t(5), int32_t(5), QStringLiteral("一")),
                                   entry(int32_t(0), int32_t(6), int32_t(6), QStringLiteral("二")),
                                   entry(int32_t(0), int32_t(7), int32_t(7), QStringLiteral("三"))};
    const QByteArray full = AnniversaryFile::encode(three);
    const auto withLast = [&](const char* last) {
        QByteArray bytes = full;
        bytes.replace(6, 4, hex(last));
        return bytes;
    };
    const struct {
        const char* what;
        QByteArray file;
        AnniversaryFile::LoadResult result;
        qsizetype entries;
    } cases[] = {
        {"count exact", full, AnniversaryFile::LoadResult::Loaded, 3},
        {"count smaller", withLast("00000000"), AnniversaryFile::LoadResult::Damaged, 1},
        {"-1 with records", withLast("ffffffff"), AnniversaryFile::LoadResult::Damaged, 0},
        {"count larger", withLast("00000005"), AnniversaryFile::LoadResult::Damaged, 3},
        {"a stray byte after the records", full + '\0', AnniversaryFile::LoadResult::Damaged, 3},
    };
    const QString path = AnniversaryFile::defaultPath();
    const QString kept = path + QStringLiteral(".damaged");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(ProgramPaths::settingsFolder()).removeRecursively();
        ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
        TestFiles::plant(path, c.file);

        AnniversaryList list;
        SettingsFiles::AtStart found;
        EXPECT_EQ(AnniversaryFile::load(path, list, &found), c.result);
        ASSERT_EQ(list.size(), c.entries);
        for (qsizetype i = 0; i < list.size(); ++i)
            EXPECT_EQ(list[i].tt.toString(), three[i].tt.toString());

        // Unchanged: the file stays as it is.
        EXPECT_EQ(AnniversaryFile::saveAtQuit(path, list, found).kind, Kind::NothingToSave);
        EXPECT_EQ(TestFiles::bytesOf(path), c.file);

        // The first edit: a damaged file is kept whole before the list replaces it.
        list.append(entry(int32_t(0), int32_t(1), int32_t(1), QStringLiteral("元日")));
        EXPECT_EQ(AnniversaryFile::saveAtQuit(path, list, found).kind,
                  c.result == AnniversaryFile::LoadResult::Damaged ? Kind::SavedDamagedKept : Kind::Saved);
        EXPECT_EQ(TestFiles::bytesOf(path), AnniversaryFile::encode(list));
        EXPECT_EQ(TestFiles::bytesOf(kept), c.result == AnniversaryFile::LoadResult::Damaged ? c.file : "<none>");
    }
}

TEST_F(AnniversaryFileTest, AFullDiskAtQuitLeavesTheFileAsItWas)
{
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    const QString path = AnniversaryFile::defaultPath();
    TestFiles::plant(path, AnniversaryFile::encode(two));
    AnniversaryList grown;
    SettingsFiles::AtStart found;
    ASSERT_EQ(AnniversaryFile::load(path, grown, &found), AnniversaryFile::LoadResult::Loaded);
    for (int i = 0; i < 20; ++i)
        grown.append(Anniversary{int32_t(0), int32_t(1), int32_t(i + 1), QStringLiteral("日付の記念日")});
    SCOPED_TRACE("the disk lets no file grow past 32 bytes");
    SettingsFiles::QuitOutcome result;
    {
        HostileFiles::FileSizeLimit full(32);
        ASSERT_TRUE(full.active());
        result = AnniversaryFile::saveAtQuit(path, grown, found);
    }
    EXPECT_EQ(result.kind, SettingsFiles::QuitOutcome::Kind::CannotWrite);
    EXPECT_EQ(TestFiles::bytesOf(path), AnniversaryFile::encode(two));
}

} // namespace
