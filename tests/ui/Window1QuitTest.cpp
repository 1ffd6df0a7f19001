// What a run leaves for the next one: the closing sequence writes the
// preferences and the anniversary list, and the next start reads them back.

#include "core/AnniversaryFile.h"
#include "core/App.h"
#include "core/Globals.h"
#include "core/SettingsFiles.h"
#include "platform/MessageBoxDriver.h"
#include "ui/Window1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class QuitAndRestart : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(SettingsFiles::folder()).removeRecursively();
        savedPref = Globals::gPref;
        startApp();
    }

    void TearDown() override
    {
        app.reset();
        Globals::gPref = savedPref;
        QDir(SettingsFiles::folder()).removeRecursively();
    }

    void startApp()
    {
        app = std::make_unique<App>();
        app->InitVal();
        app->InitColor();
        app->InitPref();
        app->LoadPref();
    }

    // A window opened as the program opens it, then closed by the user.
    std::unique_ptr<Window1> openWindow()
    {
        auto w = std::make_unique<Window1>();
        w->InitApp();
        return w;
    }

    static Anniversary everyYear(int month, int day, const QString& text)
    {
        return Anniversary{0, QString::number(month), QString::number(day), text};
    }

    std::unique_ptr<App> app;
    std::array<int32_t, 51> savedPref{};
};

TEST_F(QuitAndRestart, AnniversariesAndPreferencesSurviveTheNextStart)
{
    {
        auto w = openWindow();
        ASSERT_TRUE(w->pAnvsy.isEmpty());
        w->pAnvsy = {everyYear(5, 5, QStringLiteral("abc")), everyYear(12, 24, QStringLiteral("イブ"))};
        Globals::gPref[4] = 1;
        w->close();
    }
    QFile file(SettingsFiles::anniversaryFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), AnniversaryFile::encode({everyYear(5, 5, QStringLiteral("abc")),
                                                      everyYear(12, 24, QStringLiteral("イブ"))}));

    Globals::gPref = savedPref;
    startApp();
    EXPECT_EQ(Globals::gPref[4], 1);
    auto again = openWindow();
    ASSERT_EQ(again->pAnvsy.size(), 2);
    EXPECT_EQ(Conv::asInt32(again->pAnvsy[0].YY), 0);
    EXPECT_EQ(Conv::asText(again->pAnvsy[1].tt), QStringLiteral("イブ"));
}

TEST_F(QuitAndRestart, AListEmptiedDuringTheRunStaysEmpty)
{
    {
        auto w = openWindow();
        w->pAnvsy = {everyYear(5, 5, QStringLiteral("abc"))};
        w->close();
    }
    {
        auto w = openWindow();
        ASSERT_EQ(w->pAnvsy.size(), 1);
        w->pAnvsy.clear();
        w->close();
    }
    EXPECT_TRUE(openWindow()->pAnvsy.isEmpty());
}

TEST_F(QuitAndRestart, ClosingTwiceWritesOnce)
{
    auto w = openWindow();
    w->pAnvsy = {everyYear(1, 1, QStringLiteral("a"))};
    w->close();
    w->pAnvsy.clear();
    w->close();
    AnniversaryList onDisk;
    EXPECT_EQ(AnniversaryFile::load(SettingsFiles::anniversaryFile(), onDisk), AnniversaryFile::LoadResult::Loaded);
    EXPECT_EQ(onDisk.size(), 1);
}

TEST_F(QuitAndRestart, AnUnreadableAnniversaryFileIsReportedAndTheListStaysEmpty)
{
    // A folder where the file should be: it can be neither read nor replaced.
    ASSERT_TRUE(QDir().mkpath(SettingsFiles::anniversaryFile()));
    auto opening = MessageBoxDriver::answer(QStringLiteral("OK"));
    auto w = openWindow();
    EXPECT_TRUE(opening->shown);
    EXPECT_EQ(opening->text, QStringLiteral("記念日ファイルを開けません。"));
    EXPECT_TRUE(w->pAnvsy.isEmpty());

    w->pAnvsy = {everyYear(1, 1, QStringLiteral("a"))};
    auto closing = MessageBoxDriver::answer(QStringLiteral("OK"));
    w->close();
    EXPECT_TRUE(closing->shown);
    EXPECT_EQ(closing->text, QStringLiteral("ファイルを開けません。"));
    EXPECT_EQ(closing->informativeText, QStringLiteral("保存は行われません。"));
}

TEST_F(QuitAndRestart, AnEmptyListLeavesAnUnreadableFileAloneWithoutANotice)
{
    ASSERT_TRUE(QDir().mkpath(SettingsFiles::anniversaryFile()));
    auto opening = MessageBoxDriver::answer(QStringLiteral("OK"));
    auto w = openWindow();
    ASSERT_TRUE(opening->shown);

    auto closing = MessageBoxDriver::answer(QStringLiteral("OK"), MessageBoxDriver::Action::Click,
                                            MessageBoxDriver::kUntilStopped);
    w->close();
    EXPECT_FALSE(closing->shown);
    closing->stopWaiting = true;
    EXPECT_TRUE(QFileInfo(SettingsFiles::anniversaryFile()).isDir());
    EXPECT_TRUE(QFile::exists(SettingsFiles::preferenceFile()));
}

// Runs the event loop until it ends, or gives up after a few seconds; the
// answer is the loop's exit code, or -1 when it had to be stopped.
int runEventLoop(const std::function<void()>& first)
{
    bool stopped = false;
    QTimer::singleShot(0, first);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        stopped = true;
        QCoreApplication::exit(-1);
    });
    guard.start(5000);
    const int code = QCoreApplication::exec();
    return stopped ? -1 : code;
}

class QuitRoads : public QuitAndRestart {
protected:
    // Qt's own quitting when the last window closes would hide whether the
    // close request itself quits.
    void SetUp() override
    {
        QuitAndRestart::SetUp();
        QGuiApplication::setQuitOnLastWindowClosed(false);
    }
    void TearDown() override
    {
        QGuiApplication::setQuitOnLastWindowClosed(true);
        QuitAndRestart::TearDown();
    }
};

TEST_F(QuitRoads, TheCloseBoxSavesAndQuits)
{
    auto w = openWindow();
    w->show();
    w->pAnvsy = {everyYear(5, 5, QStringLiteral("abc"))};
    EXPECT_EQ(runEventLoop([&] { w->close(); }), 0);
    EXPECT_TRUE(QFile::exists(SettingsFiles::preferenceFile()));
    AnniversaryList onDisk;
    EXPECT_EQ(AnniversaryFile::load(SettingsFiles::anniversaryFile(), onDisk), AnniversaryFile::LoadResult::Loaded);
    EXPECT_EQ(onDisk.size(), 1);
}

TEST_F(QuitRoads, TheClosingSequenceOfAQuittingProgramDoesNotQuitAgain)
{
    auto w = openWindow();
    w->pAnvsy = {everyYear(5, 5, QStringLiteral("abc"))};
    EXPECT_EQ(runEventLoop([&] {
                  w->Event_CancelClose(true);
                  QTimer::singleShot(100, [] { QCoreApplication::exit(7); });
              }),
              7);
    EXPECT_TRUE(QFile::exists(SettingsFiles::preferenceFile()));
    EXPECT_TRUE(QFile::exists(SettingsFiles::anniversaryFile()));
}

} // namespace
