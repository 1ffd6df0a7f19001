// The quit's save of each settings file, from what start-up read, what the
// run holds and what is on disk by then: nothing is written when nothing
// changed, and no file is replaced before what it held has a name of its own.

#include "core/AnniversaryFile.h"
#include "core/PageSetupFile.h"
#include "core/Preferences.h"
#include "core/ProgramPaths.h"
#include "core/SettingsAtStart.h"
#include "core/SettingsQuit.h"
#include "platform/Folders.h"

#include "support/HostileFiles.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>

namespace {

using Kind = SettingsFiles::QuitOutcome::Kind;

// One settings file as a run sees it: four versions of its bytes and the
// three steps of a run (start-up, an edit, the quit).
class SettingsFile {
public:
    virtual ~SettingsFile() = default;
    virtual QString path() const = 0;
    // What start-up reads (A), what an edit makes of it (B), what someone
    // else saves meanwhile (C), and a damaged file (D).
    virtual QByteArray version(char which) const = 0;
    virtual void start() = 0;
    virtual void edit() = 0;
    virtual SettingsFiles::QuitOutcome quit() = 0;
};

class PreferenceFile final : public SettingsFile {
public:
    PreferenceFile() { m_fresh = fresh(); }
    QString path() const override { return ProgramPaths::preferenceFile(); }
    QByteArray version(char which) const override
    {
        State s = m_fresh;
        switch (which) {
        case 'A':
            s.pref[5] = 1;
            break;
        case 'B':
            s.pref[5] = 1;
            s.pref[4] = 1;
            break;
        case 'C':
            s.pref[10] = 0;
            break;
        default:
            s.pref[5] = 1;
            return Preferences::encode(s.pref, s.prefS).left(100);
        }
        return Preferences::encode(s.pref, s.prefS);
    }
    void start() override
    {
        m_run = m_fresh;
        Preferences::load(ProgramPaths::settingsFolder(), m_run.pref, m_run.prefS, m_run.clr, m_run.sheetW, &m_readFrom,
                          &m_atStart);
    }
    void edit() override
    {
        m_run.pref[5] = 1;
        m_run.pref[4] = 1;
    }
    SettingsFiles::QuitOutcome quit() override
    {
        return Preferences::saveAtQuit(ProgramPaths::settingsFolder(), m_run.pref, m_run.prefS, &m_readFrom, m_atStart);
    }
    // What a run that read no file holds.
    QByteArray defaults() const { return Preferences::encode(m_fresh.pref, m_fresh.prefS); }

private:
    struct State {
        Preferences::IntPrefs pref{};
        Preferences::TextPrefs prefS{};
        Preferences::Palette clr{};
        Preferences::SheetWidths sheetW{};
    };
    static State fresh()
    {
        State s;
        QVariantMap printSetup;
        Preferences::initVal(printSetup, s.sheetW);
        Preferences::initColor(s.clr);
        Preferences::initPref(s.pref, s.prefS, s.clr, s.sheetW);
        return s;
    }
    State m_fresh;
    State m_run;
    Preferences::TextPrefBytes m_readFrom{};
    SettingsFiles::AtStart m_atStart;
};

class AnniversaryFileOfRun final : public SettingsFile {
public:
    QString path() const override { return ProgramPaths::anniversaryFile(); }
    QByteArray version(char which) const override
    {
        switch (which) {
        case 'A':
            return AnniversaryFile::encode(a());
        case 'B':
            return AnniversaryFile::encode(b());
        case 'C':
            return AnniversaryFile::encode({day(3, 3, QStringLiteral("ひな祭り"))});
        default:
            return AnniversaryFile::encode(a()).chopped(2);
        }
    }
    void start() override
    {
        m_list.clear();
        AnniversaryFile::load(path(), m_list, &m_atStart);
    }
    void edit() override { m_list = b(); }
    SettingsFiles::QuitOutcome quit() override { return AnniversaryFile::saveAtQuit(path(), m_list, m_atStart); }

private:
    static Anniversary day(int m, int d, const QString& text)
    {
        return Anniversary{QStringLiteral("0"), QString::number(m), QString::number(d), text};
    }
    static AnniversaryList a() { return {day(5, 5, QStringLiteral("こどもの日")), day(7, 7, QStringLiteral("七夕"))}; }
    static AnniversaryList b() { return {day(5, 5, QStringLiteral("こどもの日")), day(12, 24, QStringLiteral("イブ"))}; }
    AnniversaryList m_list;
    SettingsFiles::AtStart m_atStart;
};

class PageSetupFileOfRun final : public SettingsFile {
public:
    QString path() const override { return ProgramPaths::pageSetupFile(); }
    QByteArray version(char which) const override
    {
        if (which == 'D')
            return PageSetupFile::encode(text('A')).left(20);
        return PageSetupFile::encode(text(which));
    }
    void start() override
    {
        m_text.clear();
        PageSetupFile::load(ProgramPaths::settingsFolder(), m_text, &m_atStart);
    }
    void edit() override { m_text = text('B'); }
    SettingsFiles::QuitOutcome quit() override
    {
        return PageSetupFile::saveAtQuit(ProgramPaths::settingsFolder(), /*keepPageSetup=*/true, m_text, m_atStart);
    }

private:
    static QString text(char which)
    {
        return QStringLiteral("Morvelin page setup 1\nsize=%1 595\n").arg(which == 'A' ? 420 : which == 'B' ? 421 : 422);
    }
    QString m_text;
    SettingsFiles::AtStart m_atStart;
};

struct FileKind {
    const char* name;
    std::function<std::unique_ptr<SettingsFile>()> make;
};
void PrintTo(const FileKind& kind, std::ostream* out) { *out << kind.name; }

class SettingsAtQuit : public ::testing::TestWithParam<FileKind> {
protected:
    void SetUp() override
    {
        QDir(TestEnv::home() + QStringLiteral("/.config")).removeRecursively();
        ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    }
    void TearDown() override { QDir(TestEnv::home() + QStringLiteral("/.config")).removeRecursively(); }
};

// The table's versions: 'A' to 'D' as SettingsFile::version, '-' for no
// file, 'F' for a folder in the file's place; at quit also 'R' for the
// settings folder removed, 'P' for a regular file in the settings folder's
// place.
TEST_P(SettingsAtQuit, NothingUnchangedIsWrittenAndNoVersionIsLost)
{
    const struct {
        const char* what;
        char read;    // what start-up found
        bool edited;  // the run changed it (from A, or from what start-up took of D)
        char onDisk;  // what is there at quit: 'A' to 'D', '-', 'F', 'R', 'P', or '=' for as read
        bool fullDisk;
        Kind result;
        char after;   // what the place holds after the quit
        char other;   // what "<name>.other" holds, '-' for nothing
        char damaged; // what "<name>.damaged" holds
    } cases[] = {
        {"unchanged", 'A', false, '=', false, Kind::NothingToSave, 'A', '-', '-'},
        {"unchanged, saved elsewhere meanwhile", 'A', false, 'C', false, Kind::NothingToSave, 'C', '-', '-'},
        {"unchanged, removed meanwhile", 'A', false, '-', false, Kind::NothingToSave, '-', '-', '-'},
        {"changed", 'A', true, '=', false, Kind::Saved, 'B', '-', '-'},
        {"changed, saved elsewhere meanwhile", 'A', true, 'C', false, Kind::SavedOtherKept, 'B', 'C', '-'},
        {"changed, the same change saved elsewhere", 'A', true, 'B', false, Kind::NothingToSave, 'B', '-', '-'},
        {"changed, removed meanwhile", 'A', true, '-', false, Kind::Saved, 'B', '-', '-'},
        {"no file, made in the run", '-', true, '=', false, Kind::Saved, 'B', '-', '-'},
        {"no file, one saved elsewhere meanwhile", '-', true, 'C', false, Kind::SavedOtherKept, 'B', 'C', '-'},
        {"damaged, changed", 'D', true, '=', false, Kind::SavedDamagedKept, 'B', '-', 'D'},
        {"damaged, saved elsewhere meanwhile", 'D', true, 'C', false, Kind::SavedOtherKept, 'B', 'C', '-'},
        {"changed, a folder in its place meanwhile", 'A', true, 'F', false, Kind::NotAFile, 'F', '-', '-'},
        {"changed, the settings folder removed meanwhile", 'A', true, 'R', false, Kind::Saved, 'B', '-', '-'},
        {"unchanged, the settings folder removed meanwhile", 'A', false, 'R', false, Kind::NothingToSave, '-', '-', '-'},
        {"changed, a file in the settings folder's place", 'A', true, 'P', false, Kind::NoFolder, '-', '-', '-'},
        {"changed, the disk full", 'A', true, '=', true, Kind::CannotWrite, 'A', '-', '-'},
        {"changed elsewhere, the disk full", 'A', true, 'C', true, Kind::CannotWrite, 'C', '-', '-'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(ProgramPaths::settingsFolder()).removeRecursively();
        ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
        const std::unique_ptr<SettingsFile> file = GetParam().make();
        const QString path = file->path();
        const auto put = [&](char which) {
            QDir(path).removeRecursively();
            QFile::remove(path);
            if (which == 'F') {
                ASSERT_TRUE(QDir().mkpath(path));
            } else if (which != '-') {
                TestFiles::plant(path, file->version(which));
            }
        };
        const auto expected = [&](char which) -> QByteArray {
            if (which == 'F')
                return "<folder>";
            return which == '-' ? QByteArray("<none>") : file->version(which);
        };
        const auto actual = [](const QString& at) {
            return QFileInfo(at).isDir() ? QByteArray("<folder>") : TestFiles::bytesOf(at);
        };

        put(c.read);
        file->start();
        if (c.edited)
            file->edit();
        if (c.onDisk == 'R' || c.onDisk == 'P') {
            ASSERT_TRUE(QDir(ProgramPaths::settingsFolder()).removeRecursively());
            if (c.onDisk == 'P')
                TestFiles::plant(ProgramPaths::settingsFolder(), "no folder");
        } else if (c.onDisk != '=') {
            put(c.onDisk);
        }
        SettingsFiles::QuitOutcome outcome;
        if (c.fullDisk) {
            HostileFiles::FileSizeLimit full(16);
            ASSERT_TRUE(full.active());
            outcome = file->quit();
        } else {
            outcome = file->quit();
        }
        const Kind result = outcome.kind;
        EXPECT_EQ(result, c.result);
        // What the user is told: the name the other version was kept under,
        // the errno of a write refused, what stands in the folder's way.
        if (result == Kind::SavedOtherKept) {
            EXPECT_EQ(outcome.keptAs, path + QStringLiteral(".other"));
        }
        if (result == Kind::SavedDamagedKept) {
            EXPECT_EQ(outcome.keptAs, path + QStringLiteral(".damaged"));
        }
        if (result == Kind::CannotWrite) {
            EXPECT_EQ(outcome.error, EFBIG);
        }
        if (result == Kind::NoFolder) {
            EXPECT_EQ(outcome.place, ProgramPaths::settingsFolder());
            EXPECT_EQ(outcome.error, ENOTDIR);
        }
        EXPECT_EQ(outcome.lost(), result == Kind::NoFolder || result == Kind::NotAFile || result == Kind::CannotWrite);
        EXPECT_EQ(actual(path).toHex(), expected(c.after).toHex());
        EXPECT_EQ(actual(path + QStringLiteral(".other")).toHex(), expected(c.other).toHex());
        EXPECT_EQ(actual(path + QStringLiteral(".damaged")).toHex(), expected(c.damaged).toHex());

        // What a quit wrote is what the next quit of the same run compares with.
        if (result == Kind::Saved || result == Kind::SavedOtherKept || result == Kind::SavedDamagedKept) {
            EXPECT_EQ(file->quit().kind, Kind::NothingToSave);
        }
        if (c.onDisk == 'P') {
            QFile::remove(ProgramPaths::settingsFolder());
        }
    }
}

// A first run finds no preference file and holds the defaults. Unchanged, it
// writes them only where nothing is yet: another copy may have saved its
// preferences meanwhile.
TEST(FirstRunPreferences, AreWrittenOnlyIntoAnEmptyPlaceWhenUnchanged)
{
    const struct {
        const char* what;
        char atQuit; // '-' nothing there, 'C' another copy's file, 'R' the settings folder removed
        bool edited;
        Kind result;
        char after; // '0' the defaults, 'B' the edit, 'C' the other copy's
        char other; // what "pref.other" holds
    } cases[] = {
        {"unchanged, still empty", '-', false, Kind::Saved, '0', '-'},
        {"unchanged, the folder removed", 'R', false, Kind::Saved, '0', '-'},
        {"unchanged, saved elsewhere meanwhile", 'C', false, Kind::NothingToSave, 'C', '-'},
        {"changed, saved elsewhere meanwhile", 'C', true, Kind::SavedOtherKept, 'B', 'C'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(TestEnv::home() + QStringLiteral("/.config")).removeRecursively();
        PreferenceFile file;
        const QString path = file.path();
        const auto version = [&](char which) -> QByteArray {
            if (which == '-')
                return "<none>";
            if (which != '0')
                return file.version(which);
            PreferenceFile fresh;
            return fresh.defaults();
        };
        file.start(); // makes the settings folder, as a first run does
        ASSERT_TRUE(Folders::isFolder(ProgramPaths::settingsFolder()));
        if (c.edited)
            file.edit();
        if (c.atQuit == 'R') {
            ASSERT_TRUE(QDir(ProgramPaths::settingsFolder()).removeRecursively());
        }
        if (c.atQuit == 'C') {
            TestFiles::plant(path, file.version('C'));
        }
        EXPECT_EQ(file.quit().kind, c.result);
        EXPECT_EQ(TestFiles::bytesOf(path).toHex(), version(c.after).toHex());
        EXPECT_EQ(TestFiles::bytesOf(path + QStringLiteral(".other")).toHex(), version(c.other).toHex());
        EXPECT_EQ(file.quit().kind, Kind::NothingToSave);
    }
    QDir(TestEnv::home() + QStringLiteral("/.config")).removeRecursively();
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsAtQuit,
    ::testing::Values(FileKind{"Preferences", [] { return std::make_unique<PreferenceFile>(); }},
                      FileKind{"Anniversaries", [] { return std::make_unique<AnniversaryFileOfRun>(); }},
                      FileKind{"PageSetup", [] { return std::make_unique<PageSetupFileOfRun>(); }}),
    [](const ::testing::TestParamInfo<FileKind>& test) { return std::string(test.param.name); });

} // namespace
