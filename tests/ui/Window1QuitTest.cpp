// What a run leaves for the next one: the closing sequence writes the
// preferences and the anniversary list, and the next start reads them back.

#include "core/AnniversaryFile.h"
#include "core/App.h"
#include "core/Globals.h"
#include "core/Preferences.h"
#include "core/SettingsFiles.h"
#include "support/HostileFiles.h"
#include "support/ModalDialogDriver.h"
#include "ui/MainWindowFixture.h"
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

    auto closing = MessageBoxDriver::answer(QStringLiteral("OK"), MessageBoxDriver::Action::Click, 200);
    w->close();
    EXPECT_FALSE(closing->shown);
    closing->stopWaiting = true;
    EXPECT_TRUE(QFileInfo(SettingsFiles::anniversaryFile()).isDir());
    EXPECT_TRUE(QFile::exists(SettingsFiles::preferenceFile()));
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// The notices a step shows, each answered "OK", in the order shown.
QStringList noticesOf(const std::function<void()>& step)
{
    QStringList seen;
    MainWindowTesting::answerModal<QMessageBox>(step, [&](QMessageBox* box) {
        seen << box->text() + QStringLiteral(" / ") + box->informativeText();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == QStringLiteral("OK")) {
                b->click();
                return;
            }
        }
        box->reject();
    });
    return seen;
}

TEST_F(QuitAndRestart, AFirstRunThatAddsNoAnniversaryLeavesNoAnniversaryFile)
{
    EXPECT_TRUE(noticesOf([&] { openWindow()->close(); }).isEmpty());
    EXPECT_TRUE(QFile::exists(SettingsFiles::preferenceFile()));
    EXPECT_FALSE(QFileInfo::exists(SettingsFiles::anniversaryFile()));
}

TEST_F(QuitAndRestart, ADamagedAnniversaryFileIsAnnouncedShownAsFarAsItReadsAndKept)
{
    const AnniversaryList two = {everyYear(5, 5, QStringLiteral("こどもの日")),
                                 everyYear(12, 24, QStringLiteral("イブ"))};
    const QByteArray damaged = AnniversaryFile::encode(two).chopped(3);
    writeFile(SettingsFiles::anniversaryFile(), damaged);

    // Not changed during the run: the file stays as it is.
    std::unique_ptr<Window1> w;
    EXPECT_EQ(noticesOf([&] { w = openWindow(); }),
              QStringList{QStringLiteral("記念日ファイルが壊れています。 / 読み込めた記念日だけを表示します。")});
    ASSERT_EQ(w->pAnvsy.size(), 1);
    EXPECT_EQ(Conv::asText(w->pAnvsy[0].tt), QStringLiteral("こどもの日"));
    EXPECT_TRUE(noticesOf([&] { w->close(); }).isEmpty());
    EXPECT_EQ(fileBytes(SettingsFiles::anniversaryFile()), damaged);
    EXPECT_FALSE(QFileInfo::exists(SettingsFiles::anniversaryFile() + QStringLiteral(".damaged")));

    // Changed: the new list is written, the damaged file kept beside it.
    noticesOf([&] { w = openWindow(); });
    w->pAnvsy.append(everyYear(1, 1, QStringLiteral("元日")));
    EXPECT_TRUE(noticesOf([&] { w->close(); }).isEmpty());
    EXPECT_EQ(fileBytes(SettingsFiles::anniversaryFile() + QStringLiteral(".damaged")), damaged);
    auto again = openWindow();
    ASSERT_EQ(again->pAnvsy.size(), 2);
    EXPECT_EQ(Conv::asText(again->pAnvsy[1].tt), QStringLiteral("元日"));
}

TEST_F(QuitAndRestart, AFifoInPlaceOfTheAnniversaryFileIsNeverOpened)
{
    HostileFiles::WatchedFifo fifo(SettingsFiles::anniversaryFile());
    ASSERT_TRUE(fifo.made());
    std::unique_ptr<Window1> w;
    EXPECT_EQ(noticesOf([&] { w = openWindow(); }),
              QStringList{QStringLiteral("記念日ファイルを開けません。 / ")});
    EXPECT_TRUE(noticesOf([&] { w->close(); }).isEmpty());

    noticesOf([&] { w = openWindow(); });
    w->pAnvsy = {everyYear(1, 1, QStringLiteral("a"))};
    EXPECT_EQ(noticesOf([&] { w->close(); }),
              QStringList{QStringLiteral("ファイルを開けません。 / 保存は行われません。")});
    EXPECT_FALSE(fifo.openedForReading());
    EXPECT_TRUE(fifo.stillThere());
}

TEST_F(QuitAndRestart, AFullDiskAtQuitIsAnnouncedForEachFileAndBothStay)
{
    {
        auto w = openWindow();
        w->pAnvsy = {everyYear(5, 5, QStringLiteral("abc"))};
        w->close();
    }
    const QByteArray pref = fileBytes(SettingsFiles::preferenceFile());
    const QByteArray anvsy = fileBytes(SettingsFiles::anniversaryFile());

    startApp();
    auto w = openWindow();
    w->pAnvsy.append(everyYear(12, 24, QStringLiteral("イブ")));
    Globals::gPref[4] = 1;
    QStringList notices;
    {
        HostileFiles::FileSizeLimit full(16);
        ASSERT_TRUE(full.active());
        notices = noticesOf([&] { w->close(); });
    }
    EXPECT_EQ(notices, QStringList(2, QStringLiteral("ファイルを開けません。 / 保存は行われません。")));
    EXPECT_EQ(fileBytes(SettingsFiles::preferenceFile()), pref);
    EXPECT_EQ(fileBytes(SettingsFiles::anniversaryFile()), anvsy);
}

TEST_F(QuitAndRestart, TextsThatAreNoUtf8ComeBackByteForByteWhenNobodyEditsThem)
{
    const QByteArray sjis = QByteArray::fromHex("82a082a2"); // "あい" in Shift_JIS
    const QByteArray anvsy = QByteArray::fromHex("057665723a31" "00000000" "0130" "0135" "0135") + char(4) + sjis;
    writeFile(SettingsFiles::anniversaryFile(), anvsy);
    std::array<QString, 51> prefS = Globals::gPrefS;
    prefS[9] = QStringLiteral("@@@@"); // four bytes, replaced by the Shift_JIS ones
    QByteArray pref = Preferences::encode(Globals::gPref, prefS);
    ASSERT_EQ(pref.count("\x04@@@@"), 1);
    pref.replace("\x04@@@@", char(4) + sjis);
    writeFile(SettingsFiles::preferenceFile(), pref);

    std::unique_ptr<Window1> w;
    EXPECT_TRUE(noticesOf([&] {
                    startApp();
                    w = openWindow();
                }).isEmpty());
    ASSERT_EQ(w->pAnvsy.size(), 1);
    EXPECT_TRUE(noticesOf([&] { w->close(); }).isEmpty());
    EXPECT_EQ(fileBytes(SettingsFiles::anniversaryFile()).toHex(), anvsy.toHex());
    EXPECT_EQ(fileBytes(SettingsFiles::preferenceFile()).toHex(), pref.toHex());
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
