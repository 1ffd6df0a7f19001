#include "core/App.h"

#include "core/Globals.h"
#include "core/Preferences.h"
#include "core/ProgramPaths.h"
#include "core/SettingsQuit.h"
#include "platform/Folders.h"
#include "support/ModalDialogDriver.h"

#include "support/HostileFiles.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>

namespace {

// Runs the application's preference start-up on the program-wide arrays, as
// the opening sequence does, from a clean slate.
class AppPrefTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(TestEnv::home() + QStringLiteral("/.config")).removeRecursively();
        Globals::gPref.fill(0);
        Globals::gPrefS.fill(QString());
        Globals::gClr.fill(QColor(0, 0, 0));
        Globals::gSheetW.fill(0);
        Globals::gPrintSetup.clear();
    }
    void TearDown() override
    {
        QDir(TestEnv::home() + QStringLiteral("/.config")).removeRecursively();
        Globals::gPref[10] = 0;
    }
    void start()
    {
        app.InitVal();
        app.InitColor();
        app.InitPref();
    }
    App app;
};

TEST_F(AppPrefTest, FirstRunShowsNothingAndQuitWritesTheDefaults)
{
    start();
    EXPECT_EQ(Globals::gPref[24], 0xFF6464);
    EXPECT_EQ(Globals::gPref[43], 1200);
    EXPECT_TRUE(Globals::gPrintSetup.contains(QStringLiteral("SetupString")));

    auto seen = MessageBoxDriver::answer(QStringLiteral("OK"), MessageBoxDriver::Action::Click,
                                         MessageBoxDriver::kUntilStopped);
    app.LoadPref();
    EXPECT_FALSE(seen->shown);
    seen->stopWaiting = true;
    EXPECT_TRUE(Folders::isFolder(ProgramPaths::settingsFolder()));

    app.SavePref();
    QFile file(ProgramPaths::preferenceFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.size(), 346);
    EXPECT_EQ(file.readAll(), Preferences::encode(Globals::gPref, Globals::gPrefS));
}

TEST_F(AppPrefTest, MissingFileInAnExistingFolderIsAnnounced)
{
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    start();
    auto seen = MessageBoxDriver::answer(QStringLiteral("OK"));
    app.LoadPref();
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(seen->text, QStringLiteral("初期設定ファイルがありません。デフォルトの設定で起動します。"));
    EXPECT_EQ(Globals::gPref[0], 50);
}

TEST_F(AppPrefTest, SavedPreferencesComeBackAtTheNextStart)
{
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    start();
    Globals::gPref[3] = 1;
    Globals::gPref[5] = 1;
    Globals::gPref[40] = 905;
    app.SavePref();

    // The next run: fresh arrays, the same folder.
    Globals::gPref.fill(0);
    Globals::gPrefS.fill(QString());
    start();
    EXPECT_EQ(Globals::gPref[40], 900);
    app.LoadPref();
    EXPECT_EQ(Globals::gPref[3], 1);
    EXPECT_EQ(Globals::gPref[5], 1);
    EXPECT_EQ(Globals::gPref[40], 905);
    EXPECT_EQ(Globals::gPrefS[4], QStringLiteral("PNGf:png"));
}

TEST_F(AppPrefTest, DamagedFileIsAnnouncedAndTheDefaultsStay)
{
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    QFile file(ProgramPaths::preferenceFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x05pref2\0\0\0\x33\0\0", 12));
    file.close();

    start();
    auto seen = MessageBoxDriver::answer(QStringLiteral("OK"));
    app.LoadPref();
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(seen->text, QStringLiteral("初期設定ファイルを読み込めません。"));
    EXPECT_EQ(seen->informativeText, QStringLiteral("デフォルトの設定で起動します。"));
    EXPECT_EQ(Globals::gPref[0], 50);
    EXPECT_EQ(Globals::gPref[40], 900);
}

TEST_F(AppPrefTest, UnwritableFileAtQuitIsReported)
{
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::preferenceFile())); // a folder where the file should be
    start();
    const SettingsFiles::QuitReport report = app.SavePref();
    EXPECT_EQ(report.what, QStringLiteral("初期設定"));
    EXPECT_EQ(report.path, ProgramPaths::preferenceFile());
    EXPECT_EQ(report.outcome.kind, SettingsFiles::QuitOutcome::Kind::NotAFile);
    EXPECT_TRUE(report.outcome.lost());
    EXPECT_TRUE(Folders::isFolder(ProgramPaths::preferenceFile()));
}

TEST_F(AppPrefTest, ASettingsFolderGoneAtQuitIsMadeAgain)
{
    start();
    app.LoadPref();
    ASSERT_TRUE(QDir(ProgramPaths::settingsFolder()).removeRecursively());
    EXPECT_EQ(app.SavePref().outcome.kind, SettingsFiles::QuitOutcome::Kind::Saved);
    EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::preferenceFile()), Preferences::encode(Globals::gPref, Globals::gPrefS));
}

// ~/.config a regular file: no settings folder can be made. Start-up says
// so, naming what is in the way; the quit reports it too.
TEST_F(AppPrefTest, ASettingsFolderThatCannotBeMadeIsToldAtStartAndReportedAtQuit)
{
    const QString config = TestEnv::home() + QStringLiteral("/.config");
    TestFiles::plant(config, "not a folder");
    start();
    auto seen = MessageBoxDriver::answer(QStringLiteral("OK"));
    app.LoadPref();
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(seen->text, QStringLiteral("設定フォルダ「%1」を作れません。").arg(ProgramPaths::settingsFolder()));
    EXPECT_EQ(seen->informativeText,
              QStringLiteral("「%1」はフォルダではありません。\nこのままでは、終了するときに設定を保存できません。")
                  .arg(config));

    Globals::gPref[5] = 1;
    const SettingsFiles::QuitOutcome outcome = app.SavePref().outcome;
    EXPECT_EQ(outcome.kind, SettingsFiles::QuitOutcome::Kind::NoFolder);
    EXPECT_EQ(outcome.place, config);
    EXPECT_EQ(outcome.error, ENOTDIR);
    EXPECT_EQ(TestFiles::bytesOf(config), QByteArray("not a folder"));
    QFile::remove(config);
}

QFileDevice::Permissions permissionsOf(const QString& path)
{
    return QFileInfo(path).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}

TEST_F(AppPrefTest, TheFirstRunsFolderAndFilesAreTheUsersAlone)
{
    const mode_t umaskBefore = ::umask(022);
    start();
    app.LoadPref();
    EXPECT_EQ(permissionsOf(ProgramPaths::settingsFolder()),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    app.SavePref();
    EXPECT_EQ(permissionsOf(ProgramPaths::preferenceFile()), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ::umask(umaskBefore);
}

TEST_F(AppPrefTest, AnExistingFolderKeepsItsPermissions)
{
    const mode_t umaskBefore = ::umask(022);
    ASSERT_TRUE(QDir().mkpath(ProgramPaths::settingsFolder()));
    const QFileDevice::Permissions before = permissionsOf(ProgramPaths::settingsFolder());
    start();
    auto seen = MessageBoxDriver::answer(QStringLiteral("OK")); // no PreferenceFile yet
    app.LoadPref();
    EXPECT_TRUE(seen->shown);
    app.SavePref();
    EXPECT_EQ(permissionsOf(ProgramPaths::settingsFolder()), before);
    ::umask(umaskBefore);
}

TEST_F(AppPrefTest, AFullDiskAtQuitIsReportedAndTheOldFileStays)
{
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    start();
    Globals::gPref[5] = 1;
    app.SavePref();
    const QByteArray before = TestFiles::bytesOf(ProgramPaths::preferenceFile());
    ASSERT_EQ(before.size(), 346);

    Globals::gPref[5] = 0;
    SettingsFiles::QuitOutcome outcome;
    {
        HostileFiles::FileSizeLimit full(100);
        ASSERT_TRUE(full.active());
        outcome = app.SavePref().outcome;
    }
    EXPECT_EQ(outcome.kind, SettingsFiles::QuitOutcome::Kind::CannotWrite);
    EXPECT_EQ(outcome.error, EFBIG);
    EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::preferenceFile()), before);
    // Room made again: the same run's quit now stores the preferences.
    EXPECT_EQ(app.SavePref().outcome.kind, SettingsFiles::QuitOutcome::Kind::Saved);
    EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::preferenceFile()), Preferences::encode(Globals::gPref, Globals::gPrefS));
}

TEST_F(AppPrefTest, AFifoInPlaceOfTheFileIsReportedAndNeverOpened)
{
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    HostileFiles::WatchedFifo fifo(ProgramPaths::preferenceFile());
    ASSERT_TRUE(fifo.made());
    start();
    auto opening = MessageBoxDriver::answer(QStringLiteral("OK"));
    app.LoadPref();
    ASSERT_TRUE(opening->shown);
    EXPECT_EQ(opening->text, QStringLiteral("初期設定ファイルを読み込めません。"));
    EXPECT_EQ(Globals::gPref[0], 50);

    EXPECT_EQ(app.SavePref().outcome.kind, SettingsFiles::QuitOutcome::Kind::NotAFile);
    EXPECT_FALSE(fifo.openedForReading());
    EXPECT_TRUE(fifo.stillThere());
}

TEST_F(AppPrefTest, ADamagedFileIsKeptBesideTheOneWrittenAtQuit)
{
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    const QByteArray damaged("\x05pref2\0\0\0\x33\0\0", 12);
    QFile file(ProgramPaths::preferenceFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();
    start();
    auto seen = MessageBoxDriver::answer(QStringLiteral("OK"));
    app.LoadPref();
    ASSERT_TRUE(seen->shown);
    const SettingsFiles::QuitOutcome outcome = app.SavePref().outcome;
    EXPECT_EQ(outcome.kind, SettingsFiles::QuitOutcome::Kind::SavedDamagedKept);
    EXPECT_EQ(outcome.keptAs, ProgramPaths::preferenceFile() + QStringLiteral(".damaged"));
    EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::preferenceFile()), Preferences::encode(Globals::gPref, Globals::gPrefS));
    EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::preferenceFile() + QStringLiteral(".damaged")), damaged);

    // The file written is sound: a later quit keeps nothing more aside.
    app.SavePref();
    EXPECT_FALSE(QFileInfo::exists(ProgramPaths::preferenceFile() + QStringLiteral(".damaged.2")));
}

} // namespace
