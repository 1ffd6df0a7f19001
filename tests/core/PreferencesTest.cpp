#include "core/Preferences.h"

#include "core/Globals.h"
#include "core/ProgramPaths.h"
#include "core/SettingsAtStart.h"
#include "core/SettingsQuit.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"

#include "support/HostileFiles.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

using Preferences::IntPrefs;
using Preferences::Palette;
using Preferences::SheetWidths;
using Preferences::TextPrefs;

QByteArray be32(int32_t v)
{
    const uint32_t u = static_cast<uint32_t>(v);
    const char b[4] = {char(u >> 24), char(u >> 16), char(u >> 8), char(u)};
    return QByteArray(b, 4);
}

QByteArray pstr(const QByteArray& text) { return char(text.size()) + text; }

// The arrays as the opening sequence leaves them before the file is read.
struct Prefs {
    QVariantMap printSetup;
    SheetWidths sheetW{};
    Palette clr{};
    IntPrefs pref{};
    TextPrefs prefS{};

    Prefs()
    {
        clr.fill(QColor(0, 0, 0));
        Preferences::initVal(printSetup, sheetW);
        Preferences::initColor(clr);
        Preferences::initPref(pref, prefS, clr, sheetW);
    }
    bool decode(const QByteArray& bytes) { return Preferences::decode(bytes, pref, prefS, clr, sheetW); }
    QByteArray encode() const { return Preferences::encode(pref, prefS); }
};

TEST(PreferenceDefaults, FollowThePaletteAndSheetWidths)
{
    const Prefs p;
    EXPECT_EQ(p.sheetW, (SheetWidths{900, 1300, 1190, 1200}));
    EXPECT_EQ(p.printSetup.keys(), QStringList{QStringLiteral("SetupString")});
    EXPECT_EQ(p.printSetup.value(QStringLiteral("SetupString")).toString(), QString());

    IntPrefs expected{};
    expected[0] = 50;
    expected[10] = 1;
    for (int i = 11; i <= 19; ++i)
        expected[i] = 1;
    const int32_t colours[11] = {0x9A9A9A, 0x9A9A9A, 0xBFBFBF, 0x9A9A9A, 0xFF6464, 0x9A9ADD,
                                 0xFF6464, 0x9A9A9A, 0x3FBF3F, 0x9A9A9A, 0xFFEBFF};
    for (int i = 0; i < 11; ++i)
        expected[20 + i] = colours[i];
    expected[40] = 900;
    expected[41] = 1300;
    expected[42] = 1190;
    expected[43] = 1200;
    EXPECT_EQ(p.pref, expected);

    TextPrefs texts{};
    texts[0] = "50";
    texts[1] = "PICT:pict;pic;pct";
    texts[2] = "JPEG:jpe;jpeg;jpg";
    texts[3] = "GIFf:gif";
    texts[4] = "PNGf:png";
    texts[5] = "8BPS:psd";
    texts[6] = "TIFF:jfx;tif;tiff";
    EXPECT_EQ(p.prefS, texts);

    EXPECT_EQ(p.clr[0], QColor(0, 0, 0));
    EXPECT_EQ(p.clr[15], QColor(154, 154, 221));
    EXPECT_EQ(p.clr[26], QColor(255, 204, 102));
}

TEST(PreferenceFile, DefaultsAreWrittenByteForByte)
{
    const Prefs p;
    QByteArray expected = pstr("pref2") + be32(51);
    for (int i = 0; i <= 50; ++i)
        expected += be32(p.pref[i]);
    expected += be32(51);
    for (const char* s : {"50", "PICT:pict;pic;pct", "JPEG:jpe;jpeg;jpg", "GIFf:gif", "PNGf:png", "8BPS:psd",
                          "TIFF:jfx;tif;tiff"})
        expected += pstr(s);
    expected += QByteArray(44, '\0');

    const QByteArray bytes = p.encode();
    EXPECT_EQ(bytes.size(), 346);
    EXPECT_EQ(bytes.toHex(), expected.toHex());
    // Spot-check the layout itself, not just the helper's arithmetic.
    EXPECT_EQ(bytes.left(10).toHex(), QByteArray("05707265663200000033"));
    EXPECT_EQ(bytes.mid(6 + 4 + 24 * 4, 4).toHex(), QByteArray("00ff6464")); // gPref(24)
}

TEST(PreferenceFile, WrittenFileReadsBackEveryEntry)
{
    Prefs written;
    for (int i = 1; i <= 50; ++i)
        written.pref[i] = i * 1000 - 7;
    written.pref[44] = -123456;
    for (int j = 1; j <= 50; ++j)
        written.prefS[j] = QStringLiteral("設定%1").arg(j);

    Prefs read;
    ASSERT_TRUE(read.decode(written.encode()));
    EXPECT_EQ(read.pref, written.pref);
    EXPECT_EQ(read.prefS, written.prefS);
}

TEST(PreferenceFile, OldPrefLayoutReadsTextsAndResetsAnniversaryColours)
{
    QByteArray file = pstr("pref") + be32(51);
    for (int i = 0; i <= 50; ++i) {
        QByteArray text = QByteArray::number(i % 2);
        if (i == 0)
            text = "50";
        else if (i == 3)
            text = "1";
        else if (i == 5)
            text = "12.9";
        else if (i == 28 || i == 29 || i == 30)
            text = "255";
        else if (i == 40)
            text = "905";
        else if (i == 41)
            text = "abc";
        file += pstr(text);
    }
    file += be32(1) + pstr("50");

    Prefs p;
    ASSERT_TRUE(p.decode(file));
    EXPECT_EQ(p.pref[0], 50);
    EXPECT_EQ(p.pref[3], 1);
    EXPECT_EQ(p.pref[5], 12); // fraction dropped
    EXPECT_EQ(p.pref[7], 1);
    EXPECT_EQ(p.pref[40], 905);
    EXPECT_EQ(p.pref[41], 0);
    EXPECT_EQ(p.pref[28], 0x3FBF3F);
    EXPECT_EQ(p.pref[29], 0x9A9A9A);
    EXPECT_EQ(p.pref[30], 0xFFEBFF);

    // The next save is the current layout with binary integers.
    const QByteArray saved = p.encode();
    EXPECT_TRUE(saved.startsWith(pstr("pref2") + be32(51) + be32(50)));
}

TEST(PreferenceFile, ZeroFloppyWidthResetsAllFourWidths)
{
    Prefs written;
    written.pref[40] = 0;
    written.pref[41] = 1;
    written.pref[42] = 2;
    written.pref[43] = 3;
    Prefs read;
    ASSERT_TRUE(read.decode(written.encode()));
    EXPECT_EQ(read.pref[40], 900);
    EXPECT_EQ(read.pref[41], 1300);
    EXPECT_EQ(read.pref[42], 1190);
    EXPECT_EQ(read.pref[43], 1200);

    written.pref[40] = 1;
    ASSERT_TRUE(read.decode(written.encode()));
    EXPECT_EQ(read.pref[40], 1);
    EXPECT_EQ(read.pref[43], 3);
}

TEST(PreferenceFile, ShortCountsSetOnlyTheirEntries)
{
    Prefs written;
    written.pref[0] = 10;
    written.pref[5] = 1;
    written.pref[20] = 0x123456;
    written.prefS[0] = QStringLiteral("2");
    written.prefS[1] = QStringLiteral("x");
    const QByteArray bytes = written.encode();
    EXPECT_EQ(bytes.size(), 6 + 4 + 11 * 4 + 4 + 2 + 2 + 18);

    Prefs read;
    ASSERT_TRUE(read.decode(bytes));
    EXPECT_EQ(read.pref[0], 10);
    EXPECT_EQ(read.pref[5], 1);
    EXPECT_EQ(read.pref[20], 0x9A9A9A); // beyond N: the default stays
    EXPECT_EQ(read.prefS[1], QStringLiteral("x"));
    EXPECT_EQ(read.prefS[3], QStringLiteral("GIFf:gif"));
    // ... and the next save writes the same eleven integers again.
    EXPECT_EQ(read.encode().mid(6, 4), be32(11));

    Prefs none;
    ASSERT_TRUE(none.decode(pstr("pref2") + be32(0) + be32(-4)));
    EXPECT_EQ(none.pref, Prefs().pref);
    EXPECT_EQ(none.prefS, Prefs().prefS);
}

TEST(PreferenceFile, CountsBeyondTheArraysAreReadAndDropped)
{
    QByteArray file = pstr("pref2") + be32(60);
    for (int i = 0; i < 60; ++i)
        file += be32(i == 0 ? 59 : 1000 + i);
    file += be32(70);
    for (int j = 0; j < 70; ++j)
        file += pstr(j == 0 ? QByteArray("69") : "s" + QByteArray::number(j));

    Prefs p;
    ASSERT_TRUE(p.decode(file));
    EXPECT_EQ(p.pref[0], 59);
    EXPECT_EQ(p.pref[50], 1050);
    EXPECT_EQ(p.prefS[50], QStringLiteral("s50"));

    // Bounds beyond the arrays save no more than the arrays hold.
    const QByteArray saved = p.encode();
    EXPECT_EQ(saved.mid(6, 4), be32(51));
    EXPECT_EQ(saved.mid(6 + 4 + 51 * 4, 4), be32(51));
    Prefs again;
    ASSERT_TRUE(again.decode(saved));
    EXPECT_EQ(again.pref, p.pref);
    EXPECT_EQ(again.prefS, p.prefS);
}

TEST(PreferenceFile, LastIndexBoundsAtTheirExtremesStayInRange)
{
    const struct {
        int32_t last;
        QString textLast;
        int32_t n;
        int32_t m;
        int strings;
    } cases[] = {
        {2147483647, QStringLiteral("1e999"), 51, 51, 51},
        {-1, QStringLiteral("-1"), 0, 0, 0},
        {-2147483647 - 1, QStringLiteral("-3"), -2147483647, -2, 0},
        {3, QStringLiteral("10.5"), 4, 11, 11},
        {3, QStringLiteral("-0.5"), 4, 0, 0},
        {3, QStringLiteral("abc"), 4, 1, 1},
    };
    for (const auto& c : cases) {
        Prefs p;
        p.pref[0] = c.last;
        p.prefS[0] = c.textLast;
        const QByteArray bytes = p.encode();
        const int ints = std::max(c.n, 0);
        ASSERT_GE(bytes.size(), 6 + 4 + ints * 4 + 4) << c.last;
        EXPECT_EQ(bytes.mid(6, 4), be32(c.n)) << c.last;
        EXPECT_EQ(bytes.mid(6 + 4 + ints * 4, 4), be32(c.m)) << c.textLast.toStdString();
        EXPECT_EQ(bytes.size(), 6 + 4 + ints * 4 + 4 + c.strings + [&] {
            int textBytes = 0;
            for (int j = 0; j < c.strings; ++j)
                textBytes += static_cast<int>(p.prefS[j].toUtf8().size());
            return textBytes;
        }());
        Prefs read;
        EXPECT_TRUE(read.decode(bytes)) << c.last;
    }
}

TEST(PreferenceFile, TruncatedFilesLeaveTheDefaults)
{
    Prefs written;
    written.pref[3] = 1;
    written.pref[45] = 77;
    written.prefS[30] = QStringLiteral("最後");
    const QByteArray full = written.encode();

    for (qsizetype cut = 0; cut < full.size(); ++cut) {
        Prefs read;
        EXPECT_FALSE(read.decode(full.left(cut))) << cut;
        EXPECT_EQ(read.pref, Prefs().pref) << cut;
        EXPECT_EQ(read.prefS, Prefs().prefS) << cut;
    }
}

TEST(PreferenceFile, GarbageAndAbsurdCountsStopCleanly)
{
    const Prefs defaults;
    const QByteArray cases[] = {
        QByteArray("hello, this is not a preference file at all\n"),
        QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20),
        pstr("pref2") + be32(2147483647) + be32(1),
        pstr("pref") + be32(2147483647) + pstr("1"),
        pstr("pref2") + be32(1) + be32(5) + be32(2147483647) + pstr("x"),
    };
    for (const QByteArray& bytes : cases) {
        Prefs p;
        EXPECT_FALSE(p.decode(bytes)) << bytes.toHex().constData();
        EXPECT_EQ(p.pref, defaults.pref);
        EXPECT_EQ(p.prefS, defaults.prefS);
    }

    // Random bytes must never crash or run away, whatever they happen to hold.
    QRandomGenerator random(20090315);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(random.bounded(600), Qt::Uninitialized);
        for (char& b : bytes)
            b = char(random.bounded(256));
        if (round % 3 == 0 && bytes.size() > 10)
            bytes.replace(0, 6, pstr("pref2"));
        Prefs p;
        p.decode(bytes);
    }
}

class PreferenceFolderTest : public ::testing::Test {
protected:
    void SetUp() override { QDir(TestEnv::home() + QStringLiteral("/.config")).removeRecursively(); }
    void TearDown() override { QDir(TestEnv::home() + QStringLiteral("/.config")).removeRecursively(); }

    const QString folder = ProgramPaths::settingsFolder();
    Prefs p;
    Preferences::LoadResult load() { return Preferences::load(folder, p.pref, p.prefS, p.clr, p.sheetW); }
};

TEST_F(PreferenceFolderTest, FirstRunCreatesTheFolderAndKeepsDefaults)
{
    EXPECT_FALSE(FileIO::somethingAt(TestEnv::home() + QStringLiteral("/.config")));
    EXPECT_EQ(load(), Preferences::LoadResult::FolderCreated);
    EXPECT_TRUE(Folders::isFolder(folder));
    EXPECT_TRUE(QDir(folder).isEmpty());
    EXPECT_EQ(p.pref, Prefs().pref);

    SettingsFiles::AtStart atStart;
    EXPECT_EQ(Preferences::load(folder, p.pref, p.prefS, p.clr, p.sheetW, nullptr, &atStart),
              Preferences::LoadResult::NoFile);

    // At quit the first run leaves its defaults, and nothing else.
    ASSERT_EQ(Preferences::saveAtQuit(folder, p.pref, p.prefS, nullptr, atStart).kind,
              SettingsFiles::QuitOutcome::Kind::Saved);
    QFile file(ProgramPaths::preferenceFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), p.encode());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("pref")});
}

TEST_F(PreferenceFolderTest, SavedFileLoadsOverTheDefaults)
{
    ASSERT_TRUE(Folders::createFolder(folder));
    Prefs saved;
    saved.pref[5] = 1;
    saved.prefS[9] = QStringLiteral("九");
    TestFiles::plant(ProgramPaths::preferenceFile(), saved.encode());
    EXPECT_EQ(load(), Preferences::LoadResult::Loaded);
    EXPECT_EQ(p.pref, saved.pref);
    EXPECT_EQ(p.prefS, saved.prefS);
}

TEST_F(PreferenceFolderTest, UnusableFilesAndFoldersAreReportedNotFatal)
{
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::preferenceFile())); // "pref" is a folder
    EXPECT_EQ(load(), Preferences::LoadResult::CannotOpen);
    ASSERT_TRUE(QDir(ProgramPaths::preferenceFile()).removeRecursively());

    QFile file(ProgramPaths::preferenceFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Prefs().encode().left(100));
    file.close();
    p.pref[3] = 1;
    EXPECT_EQ(load(), Preferences::LoadResult::Damaged);
    EXPECT_EQ(p.pref[3], 1); // nothing of the damaged file was taken
}



TEST_F(PreferenceFolderTest, StringsThatAreNoUtf8GoBackByteForByte)
{
    ASSERT_TRUE(Folders::createFolder(folder));
    // Entry 7 holds Shift_JIS "あい", entry 8 a 254-byte Shift_JIS text.
    const QByteArray sjis = QByteArray::fromHex("82a082a2");
    const QByteArray longSjis = QByteArray::fromHex("82a0").repeated(127);
    const auto withShiftJis = [&](const Prefs& values) {
        QByteArray file = values.encode();
        const qsizetype strings = 6 + 4 + 51 * 4 + 4;
        qsizetype at = strings;
        for (int j = 0; j < 7; ++j)
            at += 1 + static_cast<unsigned char>(file[at]);
        return file.replace(at, 2, pstr(sjis) + pstr(longSjis));
    };
    TestFiles::plant(ProgramPaths::preferenceFile(), withShiftJis(Prefs()));

    Preferences::TextPrefBytes readFrom{};
    SettingsFiles::AtStart atStart;
    ASSERT_EQ(Preferences::load(folder, p.pref, p.prefS, p.clr, p.sheetW, &readFrom, &atStart),
              Preferences::LoadResult::Loaded);
    EXPECT_EQ(p.prefS[7].size(), 4); // what the user would see of it

    // Another preference changed: the texts nobody edited keep their bytes.
    p.pref[4] = 1;
    ASSERT_EQ(Preferences::saveAtQuit(folder, p.pref, p.prefS, &readFrom, atStart).kind,
              SettingsFiles::QuitOutcome::Kind::Saved);
    Prefs edited;
    edited.pref[4] = 1;
    EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::preferenceFile()).toHex(), withShiftJis(edited).toHex());

    // Changed in memory: written as its UTF-8.
    p.prefS[7] = QStringLiteral("あい");
    ASSERT_EQ(Preferences::saveAtQuit(folder, p.pref, p.prefS, &readFrom, atStart).kind,
              SettingsFiles::QuitOutcome::Kind::Saved);
    Prefs back;
    ASSERT_TRUE(back.decode(TestFiles::bytesOf(ProgramPaths::preferenceFile())));
    EXPECT_EQ(back.prefS[7], QStringLiteral("あい"));
}

TEST_F(PreferenceFolderTest, AFifoOrAHugeFileIsNotReadAndTheDefaultsStay)
{
    ASSERT_TRUE(Folders::createFolder(folder));
    const QString path = ProgramPaths::preferenceFile();
    {
        HostileFiles::WatchedFifo fifo(path);
        ASSERT_TRUE(fifo.made());
        SettingsFiles::AtStart atStart;
        EXPECT_EQ(Preferences::load(folder, p.pref, p.prefS, p.clr, p.sheetW, nullptr, &atStart),
                  Preferences::LoadResult::CannotOpen);
        EXPECT_EQ(Preferences::saveAtQuit(folder, p.pref, p.prefS, nullptr, atStart).kind,
                  SettingsFiles::QuitOutcome::Kind::NotAFile);
        EXPECT_FALSE(fifo.openedForReading());
        EXPECT_TRUE(fifo.stillThere());
    }
    ASSERT_TRUE(QFile::remove(path));

    // 2 GB, almost all of it a hole: a real preference file is 346 bytes.
    Prefs saved;
    saved.pref[3] = 1;
    TestFiles::plant(path, saved.encode());
    {
        QFile huge(path);
        ASSERT_TRUE(huge.open(QIODevice::ReadWrite));
        ASSERT_TRUE(huge.resize(qint64(2) * 1024 * 1024 * 1024));
    }
    EXPECT_EQ(load(), Preferences::LoadResult::Damaged);
    EXPECT_EQ(p.pref, Prefs().pref);
}

TEST_F(PreferenceFolderTest, BytesAfterTheLastTextAreKeptBeforeAChangedRunReplacesTheFile)
{
    ASSERT_TRUE(Folders::createFolder(folder));
    const QString path = ProgramPaths::preferenceFile();
    Prefs stored;
    stored.pref[4] = 1;
    const QByteArray planted = stored.encode() + QByteArrayLiteral("\x01\x02tail");
    TestFiles::plant(path, planted);

    SettingsFiles::AtStart atStart;
    ASSERT_EQ(Preferences::load(folder, p.pref, p.prefS, p.clr, p.sheetW, nullptr, &atStart),
              Preferences::LoadResult::Loaded);
    EXPECT_EQ(p.pref, stored.pref); // the values still count

    // Unchanged: the file stays as it is, tail and all.
    EXPECT_EQ(Preferences::saveAtQuit(folder, p.pref, p.prefS, nullptr, atStart).kind,
              SettingsFiles::QuitOutcome::Kind::NothingToSave);
    EXPECT_EQ(TestFiles::bytesOf(path), planted);

    // Changed: the new file takes the place, the old one is kept whole.
    p.pref[5] = 1;
    const SettingsFiles::QuitOutcome outcome = Preferences::saveAtQuit(folder, p.pref, p.prefS, nullptr, atStart);
    EXPECT_EQ(outcome.kind, SettingsFiles::QuitOutcome::Kind::SavedDamagedKept);
    EXPECT_EQ(outcome.keptAs, path + QStringLiteral(".damaged"));
    EXPECT_EQ(TestFiles::bytesOf(path), p.encode());
    EXPECT_EQ(TestFiles::bytesOf(path + QStringLiteral(".damaged")), planted);
}

} // namespace
