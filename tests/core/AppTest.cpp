#include "core/App.h"

#include "core/Globals.h"
#include "core/Preferences.h"
#include "core/SettingsFiles.h"
#include "platform/Folders.h"
#include "platform/MessageBoxDriver.h"

#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

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
    EXPECT_TRUE(Folders::isFolder(SettingsFiles::folder()));

    app.SavePref();
    QFile file(SettingsFiles::preferenceFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.size(), 346);
    EXPECT_EQ(file.readAll(), Preferences::encode(Globals::gPref, Globals::gPrefS));
}

TEST_F(AppPrefTest, MissingFileInAnExistingFolderIsAnnounced)
{
    ASSERT_TRUE(Folders::createFolder(SettingsFiles::folder()));
    start();
    auto seen = MessageBoxDriver::answer(QStringLiteral("OK"));
    app.LoadPref();
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(seen->text, QStringLiteral("初期設定ファイルがありません。デフォルトの設定で起動します。"));
    EXPECT_EQ(Globals::gPref[0], 50);
}

TEST_F(AppPrefTest, SavedPreferencesComeBackAtTheNextStart)
{
    ASSERT_TRUE(Folders::createFolder(SettingsFiles::folder()));
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
    ASSERT_TRUE(Folders::createFolder(SettingsFiles::folder()));
    QFile file(SettingsFiles::preferenceFile());
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

TEST_F(AppPrefTest, UnwritableFileAtQuitIsAnnounced)
{
    ASSERT_TRUE(Folders::createFolder(SettingsFiles::preferenceFile())); // a folder where the file should be
    start();
    auto seen = MessageBoxDriver::answer(QStringLiteral("OK"));
    app.SavePref();
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(seen->text, QStringLiteral("ファイルを開けません。"));
    EXPECT_EQ(seen->informativeText, QStringLiteral("保存は行われません。"));
    EXPECT_TRUE(Folders::isFolder(SettingsFiles::preferenceFile()));
}

TEST_F(AppPrefTest, NoFolderAtQuitWritesNothingSilently)
{
    start();
    auto seen = MessageBoxDriver::answer(QStringLiteral("OK"), MessageBoxDriver::Action::Click,
                                         MessageBoxDriver::kUntilStopped);
    app.SavePref();
    EXPECT_FALSE(seen->shown);
    seen->stopWaiting = true;
    EXPECT_FALSE(Folders::exists(SettingsFiles::folder()));
}

} // namespace
