// What a run leaves for the next one: the closing sequence writes the
// preferences and the anniversary list, and the next start reads them back.

#include "core/AnniversaryFile.h"
#include "core/App.h"
#include "core/DatasetFile.h"
#include "core/Globals.h"
#include "core/PageSetupFile.h"
#include "core/Preferences.h"
#include "core/ProgramPaths.h"
#include "platform/EndSignals.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "support/TestFiles.h"
#include "support/HostileFiles.h"
#include "support/TestMain.h"
#include "support/ModalDialogDriver.h"
#include "support/Waiting.h"
#include "ui/AnnDlg.h"
#include "ui/MainWindowFixture.h"
#include "ui/MenuBar1.h"
#include "ui/TextInputDlg.h"
#include "ui/Window1.h"

#include <QAction>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QComboBox>
#include <QPushButton>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>
#include <functional>
#include <memory>

namespace {

// The question a settings file that could not be stored asks at quit, as
// "message / explanation".
QString notStored(const char* what, const QString& detail)
{
    return QString::fromUtf8(what) + QStringLiteral("ファイルを保存できません。 / ") + detail
        + QStringLiteral("\n終了しなければ、この起動での変更はそのまま残ります。\n原因を取り除いてから、もう一度終了して下さい。");
}
QString notAFile(const QString& path) { return QStringLiteral("「%1」はファイルではありません。").arg(path); }
QString diskFull(const QString& path)
{
    return QStringLiteral("「%1」に書き込めません。\nファイルの大きさの上限を超えます。").arg(path);
}

class QuitAndRestart : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(ProgramPaths::settingsFolder()).removeRecursively();
        savedPref = Globals::gPref;
        startApp();
    }

    void TearDown() override { forgetTheRun(); }

    // No application, the preferences as before the test, no settings folder.
    void forgetTheRun()
    {
        app.reset();
        Globals::gPref = savedPref;
        QDir(ProgramPaths::settingsFolder()).removeRecursively();
    }

    // A first run, the one before it forgotten.
    void startAfresh()
    {
        forgetTheRun();
        startApp();
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
    QFile file(ProgramPaths::anniversaryFile());
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
    EXPECT_EQ(AnniversaryFile::load(ProgramPaths::anniversaryFile(), onDisk), AnniversaryFile::LoadResult::Loaded);
    EXPECT_EQ(onDisk.size(), 1);
}

TEST_F(QuitAndRestart, AnUnreadableAnniversaryFileIsReportedAndTheListStaysEmpty)
{
    // A folder where the file should be: it can be neither read nor replaced.
    ASSERT_TRUE(QDir().mkpath(ProgramPaths::anniversaryFile()));
    auto opening = MessageBoxDriver::answer(QStringLiteral("OK"));
    auto w = openWindow();
    EXPECT_TRUE(opening->shown);
    EXPECT_EQ(opening->text, QStringLiteral("記念日ファイルを開けません。"));
    EXPECT_EQ(opening->informativeText, notAFile(ProgramPaths::anniversaryFile()));
    EXPECT_TRUE(w->pAnvsy.isEmpty());

    w->pAnvsy = {everyYear(1, 1, QStringLiteral("a"))};
    auto closing = MessageBoxDriver::answer(QStringLiteral("保存せずに終了"));
    w->close();
    EXPECT_TRUE(closing->shown);
    EXPECT_EQ(closing->text + QStringLiteral(" / ") + closing->informativeText,
              notStored("記念日", notAFile(ProgramPaths::anniversaryFile())));
    EXPECT_FALSE(w->isVisible());
}

TEST_F(QuitAndRestart, AnEmptyListLeavesAnUnreadableFileAloneWithoutANotice)
{
    ASSERT_TRUE(QDir().mkpath(ProgramPaths::anniversaryFile()));
    auto opening = MessageBoxDriver::answer(QStringLiteral("OK"));
    auto w = openWindow();
    ASSERT_TRUE(opening->shown);

    auto closing = MessageBoxDriver::answer(QStringLiteral("OK"), MessageBoxDriver::Action::Click,
                                            MessageBoxDriver::kUntilStopped);
    w->close();
    EXPECT_FALSE(closing->shown);
    closing->stopWaiting = true;
    EXPECT_TRUE(QFileInfo(ProgramPaths::anniversaryFile()).isDir());
    EXPECT_TRUE(QFile::exists(ProgramPaths::preferenceFile()));
}



// The notices a step shows, in the order shown, each answered "OK" or,
// for a question, with the button `answer` names.
QStringList noticesOf(const std::function<void()>& step, const QString& answer = QStringLiteral("OK"))
{
    QStringList seen;
    MainWindowTesting::answerModal<QMessageBox>(step, [&](QMessageBox* box) {
        seen << box->text() + QStringLiteral(" / ") + box->informativeText();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == answer || b->text() == QStringLiteral("OK")) {
                b->click();
                return;
            }
        }
        box->reject();
    });
    return seen;
}

TEST_F(QuitAndRestart, AnAnniversaryFileThatMayNotBeReadIsToldWithTheReason)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads any file";
    TestFiles::plant(ProgramPaths::anniversaryFile(),
                     AnniversaryFile::encode({everyYear(5, 5, QStringLiteral("abc"))}));
    ASSERT_TRUE(QFile::setPermissions(ProgramPaths::anniversaryFile(), QFileDevice::WriteOwner));
    std::unique_ptr<Window1> w;
    EXPECT_EQ(noticesOf([&] { w = openWindow(); }),
              QStringList{QStringLiteral("記念日ファイルを開けません。 / 「%1」を読み込めません。\nアクセス権がありません。")
                              .arg(ProgramPaths::anniversaryFile())});
    EXPECT_TRUE(w->pAnvsy.isEmpty());
}

TEST_F(QuitAndRestart, AFirstRunThatAddsNoAnniversaryLeavesNoAnniversaryFile)
{
    EXPECT_TRUE(noticesOf([&] { openWindow()->close(); }).isEmpty());
    EXPECT_TRUE(QFile::exists(ProgramPaths::preferenceFile()));
    EXPECT_FALSE(QFileInfo::exists(ProgramPaths::anniversaryFile()));
}

TEST_F(QuitAndRestart, ADamagedAnniversaryFileIsAnnouncedShownAsFarAsItReadsAndKept)
{
    const AnniversaryList two = {everyYear(5, 5, QStringLiteral("こどもの日")),
                                 everyYear(12, 24, QStringLiteral("イブ"))};
    const QByteArray damaged = AnniversaryFile::encode(two).chopped(3);
    TestFiles::plant(ProgramPaths::anniversaryFile(), damaged);

    // Not changed during the run: the file stays as it is.
    std::unique_ptr<Window1> w;
    EXPECT_EQ(noticesOf([&] { w = openWindow(); }),
              QStringList{QStringLiteral("記念日ファイルが壊れています。 / 読み込めた記念日だけを表示します。")});
    ASSERT_EQ(w->pAnvsy.size(), 1);
    EXPECT_EQ(Conv::asText(w->pAnvsy[0].tt), QStringLiteral("こどもの日"));
    EXPECT_TRUE(noticesOf([&] { w->close(); }).isEmpty());
    EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::anniversaryFile()), damaged);
    EXPECT_FALSE(QFileInfo::exists(ProgramPaths::anniversaryFile() + QStringLiteral(".damaged")));

    // Changed: the new list is written, the damaged file kept beside it,
    // and the user told where.
    noticesOf([&] { w = openWindow(); });
    w->pAnvsy.append(everyYear(1, 1, QStringLiteral("元日")));
    EXPECT_EQ(noticesOf([&] { w->close(); }),
              QStringList{QStringLiteral("読み込めなかった記念日ファイルを「%1.damaged」として残しました。 / "
                                         "この起動での記念日を保存しました。")
                              .arg(ProgramPaths::anniversaryFile())});
    EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::anniversaryFile() + QStringLiteral(".damaged")), damaged);
    auto again = openWindow();
    ASSERT_EQ(again->pAnvsy.size(), 2);
    EXPECT_EQ(Conv::asText(again->pAnvsy[1].tt), QStringLiteral("元日"));
}

TEST_F(QuitAndRestart, AFifoInPlaceOfTheAnniversaryFileIsNeverOpened)
{
    HostileFiles::WatchedFifo fifo(ProgramPaths::anniversaryFile());
    ASSERT_TRUE(fifo.made());
    std::unique_ptr<Window1> w;
    EXPECT_EQ(noticesOf([&] { w = openWindow(); }),
              QStringList{QStringLiteral("記念日ファイルを開けません。 / ") + notAFile(ProgramPaths::anniversaryFile())});
    EXPECT_TRUE(noticesOf([&] { w->close(); }).isEmpty());

    noticesOf([&] { w = openWindow(); });
    w->pAnvsy = {everyYear(1, 1, QStringLiteral("a"))};
    EXPECT_EQ(noticesOf([&] { w->close(); }, QStringLiteral("保存せずに終了")),
              QStringList{notStored("記念日", notAFile(ProgramPaths::anniversaryFile()))});
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
    const QByteArray pref = TestFiles::bytesOf(ProgramPaths::preferenceFile());
    const QByteArray anvsy = TestFiles::bytesOf(ProgramPaths::anniversaryFile());

    startApp();
    auto w = openWindow();
    w->pAnvsy.append(everyYear(12, 24, QStringLiteral("イブ")));
    Globals::gPref[4] = 1;
    QStringList notices;
    {
        HostileFiles::FileSizeLimit full(16);
        ASSERT_TRUE(full.active());
        notices = noticesOf([&] { w->close(); }, QStringLiteral("保存せずに終了"));
    }
    EXPECT_EQ(notices, (QStringList{notStored("初期設定", diskFull(ProgramPaths::preferenceFile())),
                                    notStored("記念日", diskFull(ProgramPaths::anniversaryFile()))}));
    EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::preferenceFile()), pref);
    EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::anniversaryFile()), anvsy);
}

TEST_F(QuitAndRestart, TextsThatAreNoUtf8ComeBackByteForByteWhenNobodyEditsThem)
{
    const QByteArray sjis = QByteArray::fromHex("82a082a2"); // "あい" in Shift_JIS
    const QByteArray anvsy = QByteArray::fromHex("057665723a31" "00000000" "0130" "0135" "0135") + char(4) + sjis;
    TestFiles::plant(ProgramPaths::anniversaryFile(), anvsy);
    std::array<QString, 51> prefS = Globals::gPrefS;
    prefS[9] = QStringLiteral("@@@@"); // four bytes, replaced by the Shift_JIS ones
    QByteArray pref = Preferences::encode(Globals::gPref, prefS);
    ASSERT_EQ(pref.count("\x04@@@@"), 1);
    pref.replace("\x04@@@@", char(4) + sjis);
    TestFiles::plant(ProgramPaths::preferenceFile(), pref);

    std::unique_ptr<Window1> w;
    EXPECT_TRUE(noticesOf([&] {
                    startApp();
                    w = openWindow();
                }).isEmpty());
    ASSERT_EQ(w->pAnvsy.size(), 1);
    EXPECT_TRUE(noticesOf([&] { w->close(); }).isEmpty());
    EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::anniversaryFile()).toHex(), anvsy.toHex());
    EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::preferenceFile()).toHex(), pref.toHex());
}

// The quit's notices, one road for each file that cannot be stored: each
// names its file, and the other files are stored without a word.
TEST_F(QuitAndRestart, ANoticeNamesEachFileThatCouldNotBeSaved)
{
    enum class Obstacle { Folder, Fifo };
    const struct {
        const char* what;
        QString (*path)();
        Obstacle obstacle;
    } cases[] = {
        {"初期設定", ProgramPaths::preferenceFile, Obstacle::Folder},
        {"初期設定", ProgramPaths::preferenceFile, Obstacle::Fifo},
        {"記念日", ProgramPaths::anniversaryFile, Obstacle::Folder},
        {"記念日", ProgramPaths::anniversaryFile, Obstacle::Fifo},
        {"用紙設定", ProgramPaths::pageSetupFile, Obstacle::Folder},
        {"用紙設定", ProgramPaths::pageSetupFile, Obstacle::Fifo},
    };
    for (const auto& c : cases) {
        const QString path = c.path();
        SCOPED_TRACE(path.toStdString() + (c.obstacle == Obstacle::Folder ? " folder" : " FIFO"));
        startAfresh();
        auto w = openWindow();
        // Something for every file to store, then the path taken meanwhile.
        w->pAnvsy = {everyYear(5, 5, QStringLiteral("abc"))};
        Globals::gPref[3] = 1;
        Globals::gPrintSetup.insert(QStringLiteral("SetupString"), QStringLiteral("page"));
        std::unique_ptr<HostileFiles::WatchedFifo> fifo;
        if (c.obstacle == Obstacle::Folder) {
            ASSERT_TRUE(QDir().mkpath(path));
        } else {
            fifo = std::make_unique<HostileFiles::WatchedFifo>(path);
            ASSERT_TRUE(fifo->made());
        }
        EXPECT_EQ(noticesOf([&] { w->close(); }, QStringLiteral("保存せずに終了")),
                  QStringList{notStored(c.what, notAFile(path))});
        for (const QString& other :
             {ProgramPaths::preferenceFile(), ProgramPaths::anniversaryFile(), ProgramPaths::pageSetupFile()}) {
            if (other != path) {
                EXPECT_TRUE(FileIO::isRegularFile(other)) << other.toStdString();
            }
        }
        if (fifo) {
            EXPECT_FALSE(fifo->openedForReading());
            EXPECT_TRUE(fifo->stillThere());
        }
    }
}

TEST_F(QuitAndRestart, AFullDiskAtQuitNamesTheFilesNotSaved)
{
    ASSERT_TRUE(Folders::isFolder(ProgramPaths::settingsFolder()));
    auto w = openWindow();
    w->pAnvsy = {everyYear(5, 5, QStringLiteral("abc"))};
    Globals::gPref[3] = 1;
    Globals::gPrintSetup.insert(QStringLiteral("SetupString"), QStringLiteral("page"));
    QStringList notices;
    {
        HostileFiles::FileSizeLimit full(8);
        ASSERT_TRUE(full.active());
        notices = noticesOf([&] { w->close(); }, QStringLiteral("保存せずに終了"));
    }
    EXPECT_EQ(notices, (QStringList{notStored("初期設定", diskFull(ProgramPaths::preferenceFile())),
                                    notStored("記念日", diskFull(ProgramPaths::anniversaryFile())),
                                    notStored("用紙設定", diskFull(ProgramPaths::pageSetupFile()))}));
    EXPECT_EQ(QDir(ProgramPaths::settingsFolder()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// Another copy of the program on the same account saves its settings while
// this one runs: a quit that changed nothing leaves that work alone, and one
// that changed something keeps it beside its own, saying where.
TEST_F(QuitAndRestart, SettingsSavedElsewhereDuringTheRunAreNeverLost)
{
    {
        auto w = openWindow();
        w->pAnvsy = {everyYear(5, 5, QStringLiteral("abc"))};
        w->close();
    }
    const QString pref = ProgramPaths::preferenceFile();
    const QString anvsy = ProgramPaths::anniversaryFile();
    std::array<int32_t, 51> otherPref = Globals::gPref;
    otherPref[5] = 1;
    const QByteArray otherPrefBytes = Preferences::encode(otherPref, Globals::gPrefS);
    const QByteArray otherAnvsy
        = AnniversaryFile::encode({everyYear(5, 5, QStringLiteral("abc")), everyYear(7, 7, QStringLiteral("七夕"))});

    // Nothing changed in this run: the other copy's files stay as it saved them.
    startApp();
    auto w = openWindow();
    TestFiles::plant(pref, otherPrefBytes);
    TestFiles::plant(anvsy, otherAnvsy);
    EXPECT_TRUE(noticesOf([&] { w->close(); }).isEmpty());
    EXPECT_EQ(TestFiles::bytesOf(pref), otherPrefBytes);
    EXPECT_EQ(TestFiles::bytesOf(anvsy), otherAnvsy);

    // Both changed, and saved elsewhere again meanwhile.
    Globals::gPref = savedPref;
    startApp();
    w = openWindow();
    Globals::gPref[4] = 1;
    w->pAnvsy.append(everyYear(12, 24, QStringLiteral("イブ")));
    otherPref[10] = 0;
    const QByteArray laterPrefBytes = Preferences::encode(otherPref, Globals::gPrefS);
    TestFiles::plant(pref, laterPrefBytes);
    const QByteArray laterAnvsy
        = AnniversaryFile::encode({everyYear(5, 5, QStringLiteral("abc")), everyYear(8, 8, QStringLiteral("八"))});
    TestFiles::plant(anvsy, laterAnvsy);
    const auto kept = [](const char* what, const QString& path) {
        return QString::fromUtf8(what)
            + QStringLiteral("ファイルは、起動の後にほかから書き換えられていました。 / "
                             "書き換えられたファイルを「%1.other」として残し、この起動での%2を保存しました。")
                  .arg(path, QString::fromUtf8(what));
    };
    EXPECT_EQ(noticesOf([&] { w->close(); }), (QStringList{kept("初期設定", pref), kept("記念日", anvsy)}));
    EXPECT_EQ(TestFiles::bytesOf(pref + QStringLiteral(".other")), laterPrefBytes);
    EXPECT_EQ(TestFiles::bytesOf(anvsy + QStringLiteral(".other")), laterAnvsy);
    EXPECT_EQ(TestFiles::bytesOf(pref), Preferences::encode(Globals::gPref, Globals::gPrefS));
    EXPECT_EQ(TestFiles::bytesOf(anvsy), AnniversaryFile::encode(w->pAnvsy));
}

using ModalDialogs::runEventLoop;

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
    EXPECT_TRUE(QFile::exists(ProgramPaths::preferenceFile()));
    AnniversaryList onDisk;
    EXPECT_EQ(AnniversaryFile::load(ProgramPaths::anniversaryFile(), onDisk), AnniversaryFile::LoadResult::Loaded);
    EXPECT_EQ(onDisk.size(), 1);
}

// Counts the requests to quit that reach the application, as
// QCoreApplication::quit sends them.
class QuitRequests : public QObject {
public:
    QuitRequests() { qApp->installEventFilter(this); }
    ~QuitRequests() override { qApp->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == qApp && event->type() == QEvent::Quit)
            ++count;
        return false;
    }
};

TEST_F(QuitRoads, TheClosingSequenceOfAQuittingProgramDoesNotQuitAgain)
{
    auto w = openWindow();
    w->pAnvsy = {everyYear(5, 5, QStringLiteral("abc"))};
    QuitRequests quits;
    EXPECT_EQ(runEventLoop([&] {
                  w->Event_CancelClose(true);
                  // What the sequence asked of the program is seen before the
                  // loop ends, whatever the machine's speed: a loop started
                  // once it is over ends at once when the program was already
                  // told to end, and delivers a request to quit that the
                  // sequence queued before it ends itself.
                  QEventLoop after;
                  QMetaObject::invokeMethod(&after, [&after] { after.exit(7); }, Qt::QueuedConnection);
                  QCoreApplication::exit(after.exec());
              }),
              7);
    EXPECT_EQ(quits.count, 0);
    EXPECT_TRUE(QFile::exists(ProgramPaths::preferenceFile()));
    EXPECT_TRUE(QFile::exists(ProgramPaths::anniversaryFile()));
}

using ModalDialogs::Notices;

// The ways a user ends the program.
struct Road {
    const char* name;
    std::function<void(Window1&)> take;
};

const Road kCloseBox{"CloseBox", [](Window1& w) { w.windowHandle()->close(); }};
const Road kCtrlQ{"CtrlQ", [](Window1& w) {
                      // Back in front after a question (the offscreen platform
                      // does not bring it back by itself).
                      w.activateWindow();
                      EXPECT_TRUE(QTest::qWaitForWindowActive(&w, Waiting::kStepMs));
                      QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
                  }};
const Road kQuitItem{"QuitItem", [](Window1& w) { w.FileQuit()->trigger(); }};

class Quitting : public QuitRoads, public ::testing::WithParamInterface<Road> {
protected:
    // The program's window, open and in front, its menus bound as at start-up.
    std::unique_ptr<Window1> openProgram()
    {
        auto w = openWindow();
        MenuBar1::ApplicationAddMenuHandlers(*app, *w->menuBar1());
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get(), Waiting::kStepMs));
        return w;
    }

    // Everything the closing sequence stores: an anniversary, a preference
    // and a kept page setup.
    void giveEveryFileSomethingToStore(Window1& w)
    {
        w.pAnvsy = {everyYear(5, 5, QStringLiteral("abc"))};
        Globals::gPref[3] = 1;
        Globals::gPref[10] = 0;
        Globals::gPrintSetup.insert(QStringLiteral("SetupString"), QStringLiteral("page"));
    }
};

TEST_P(Quitting, EndsTheProgramAndStoresEverySettingsFile)
{
    auto w = openProgram();
    giveEveryFileSomethingToStore(*w);
    Notices notices;
    EXPECT_EQ(runEventLoop([&] { GetParam().take(*w); }), 0);
    EXPECT_TRUE(notices.said.isEmpty()) << notices.said.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(w->isVisible());

    QFile pref(ProgramPaths::preferenceFile());
    ASSERT_TRUE(pref.open(QIODevice::ReadOnly));
    Preferences::IntPrefs stored{};
    Preferences::TextPrefs storedS{};
    ASSERT_TRUE(Preferences::decode(pref.readAll(), stored, storedS, Globals::gClr, Globals::gSheetW));
    EXPECT_EQ(stored, Globals::gPref);
    QFile anvsy(ProgramPaths::anniversaryFile());
    ASSERT_TRUE(anvsy.open(QIODevice::ReadOnly));
    EXPECT_EQ(anvsy.readAll(), AnniversaryFile::encode(w->pAnvsy));
    QString page;
    EXPECT_EQ(PageSetupFile::load(ProgramPaths::settingsFolder(), page), PageSetupFile::LoadResult::Loaded);
    EXPECT_EQ(page, QStringLiteral("page"));
}

TEST_P(Quitting, RunsTheClosingSequenceOnce)
{
    auto w = openProgram();
    giveEveryFileSomethingToStore(*w);
    // Folders where the three files belong: each store fails, and says so
    // each time it is tried.
    for (const QString& f :
         {ProgramPaths::preferenceFile(), ProgramPaths::anniversaryFile(), ProgramPaths::pageSetupFile()})
        ASSERT_TRUE(QDir().mkpath(f));
    Notices notices(QStringLiteral("保存せずに終了"));
    EXPECT_EQ(runEventLoop([&] { GetParam().take(*w); }), 0);
    EXPECT_EQ(notices.said, (QStringList{notStored("初期設定", notAFile(ProgramPaths::preferenceFile())),
                                         notStored("記念日", notAFile(ProgramPaths::anniversaryFile())),
                                         notStored("用紙設定", notAFile(ProgramPaths::pageSetupFile()))}));
}

// The question about unsaved edits, on every road out.
TEST_P(Quitting, UnsavedEditsAreDroppedOnlyWhenTheUserSaysSo)
{
    auto w = openProgram();
    w->pWork.markEdited();

    // "キャンセル": nothing ends and nothing is stored.
    auto cancel = MessageBoxDriver::answer(QStringLiteral("キャンセル"));
    GetParam().take(*w);
    ASSERT_TRUE(cancel->shown);
    EXPECT_EQ(cancel->text, QStringLiteral("内容が変更されています。保存しますか？"));
    EXPECT_EQ(cancel->informativeText, QStringLiteral("保存しないと、変更内容は失われます。"));
    EXPECT_EQ(cancel->buttons, (QStringList{"保存", "キャンセル", "保存しない"}));
    EXPECT_EQ(cancel->defaultButton, QStringLiteral("保存"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->pWork.hasEdits());
    EXPECT_FALSE(QFile::exists(ProgramPaths::preferenceFile()));

    // Escape is a cancel too.
    auto escape = MessageBoxDriver::answer(QString(), MessageBoxDriver::Action::PressEscape);
    GetParam().take(*w);
    ASSERT_TRUE(escape->shown);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(QFile::exists(ProgramPaths::preferenceFile()));

    // Asked again, "保存しない": the program ends, storing its settings.
    auto drop = MessageBoxDriver::answer(QStringLiteral("保存しない"));
    EXPECT_EQ(runEventLoop([&] { GetParam().take(*w); }), 0);
    ASSERT_TRUE(drop->shown);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(QFile::exists(ProgramPaths::preferenceFile()));
}

TEST_P(Quitting, SaveWritesTheEditsBeforeTheProgramEnds)
{
    auto w = openProgram();
    ASSERT_TRUE(Folders::createFolder(Folders::datasetsFolder()));
    const QString file = Folders::child(Folders::datasetsFolder(), QStringLiteral("冬"));
    w->pWork.workOn(file, QByteArray());
    w->pDataset->setValue(QStringLiteral("ymPos"), 2);
    w->MarkChanged();

    auto save = MessageBoxDriver::answer(QStringLiteral("保存"));
    EXPECT_EQ(runEventLoop([&] { GetParam().take(*w); }), 0);
    ASSERT_TRUE(save->shown);
    EXPECT_FALSE(w->isVisible());
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), DatasetFile::encode(*w->pDataset));
    EXPECT_TRUE(QFile::exists(ProgramPaths::preferenceFile()));
}

TEST_P(Quitting, ASaveThatDoesNotHappenKeepsTheProgramRunning)
{
    // An untitled dataset asks for a name; the user cancels that too.
    auto w = openProgram();
    w->MarkChanged();
    QStringList shown;
    ModalDialogs::answerModal<QDialog>([&] { GetParam().take(*w); }, [&](QDialog* dlg) {
        if (auto* box = qobject_cast<QMessageBox*>(dlg)) {
            shown << box->text();
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == QStringLiteral("保存"))
                    b->click();
            }
        } else {
            shown << QLatin1String(dlg->metaObject()->className());
            dlg->reject();
        }
    });
    EXPECT_EQ(shown, (QStringList{"内容が変更されています。保存しますか？", "QFileDialog"}));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->pWork.hasEdits());
    EXPECT_FALSE(QFile::exists(ProgramPaths::preferenceFile()));
}

// Logout, shutdown and Ctrl+C: the signal wakes the event loop, and the
// program ends through the quit's own settings step, asking nothing, not
// even about the dataset's unsaved edits. A file that cannot be stored
// then is left as it is.
TEST_F(QuitRoads, AnEndSignalStoresWhatAQuitStoresAndEndsTheProgram)
{
    const struct {
        const char* what;
        int signalNumber;
        bool anniversaryFileBlocked;
    } cases[] = {
        {"SIGTERM", SIGTERM, false},
        {"SIGHUP", SIGHUP, false},
        {"SIGINT", SIGINT, false},
        {"SIGTERM, a folder where the anniversaries go", SIGTERM, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        startAfresh();
        auto w = openWindow();
        MenuBar1::ApplicationAddMenuHandlers(*app, *w->menuBar1());
        w->show();
        w->pAnvsy = {everyYear(5, 5, QStringLiteral("abc"))};
        Globals::gPref[3] = 1;
        Globals::gPref[4] = 1;
        Globals::gPrintSetup.insert(QStringLiteral("SetupString"), QStringLiteral("page"));
        w->MarkChanged();
        if (c.anniversaryFileBlocked) {
            ASSERT_TRUE(QDir().mkpath(ProgramPaths::anniversaryFile()));
        }

        EndSignals endSignals;
        ASSERT_TRUE(endSignals.installed());
        QObject::connect(&endSignals, &EndSignals::received, w.get(), &Window1::EndSession);
        endSignals.start();
        Notices notices;
        ::testing::internal::CaptureStderr();
        const int status = runEventLoop([&] { ::raise(c.signalNumber); });
        const QString said = QString::fromLocal8Bit(::testing::internal::GetCapturedStderr());
        // Whoever sent the signal learns from the status whether the settings
        // were stored, and the standard error says which file was not, and why.
        EXPECT_EQ(status, c.anniversaryFileBlocked ? 1 : 0);
        if (c.anniversaryFileBlocked) {
            EXPECT_TRUE(said.contains(QStringLiteral("記念日ファイルを保存できません。"))) << said.toStdString();
            EXPECT_TRUE(said.contains(notAFile(ProgramPaths::anniversaryFile()))) << said.toStdString();
        } else {
            EXPECT_FALSE(said.contains(QStringLiteral("保存できません"))) << said.toStdString();
        }
        EXPECT_TRUE(notices.said.isEmpty()) << notices.said.join(QLatin1Char('\n')).toStdString();
        EXPECT_FALSE(w->isVisible());

        Preferences::IntPrefs stored{};
        Preferences::TextPrefs storedS{};
        ASSERT_TRUE(Preferences::decode(TestFiles::bytesOf(ProgramPaths::preferenceFile()), stored, storedS,
                                        Globals::gClr, Globals::gSheetW));
        EXPECT_EQ(stored, Globals::gPref);
        if (c.anniversaryFileBlocked) {
            EXPECT_TRUE(QFileInfo(ProgramPaths::anniversaryFile()).isDir());
        } else {
            EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::anniversaryFile()), AnniversaryFile::encode(w->pAnvsy));
        }
        QString page;
        EXPECT_EQ(PageSetupFile::load(ProgramPaths::settingsFolder(), page), PageSetupFile::LoadResult::Loaded);
        EXPECT_EQ(page, QStringLiteral("page"));
        // The quit the window would still get asks and stores nothing more.
        EXPECT_TRUE(noticesOf([&] { w->close(); }).isEmpty());
    }
}

// The session ends while the anniversary editor is open. The editor has no
// キャンセル: what it shows is what the user made, and it is stored as
// "閉じる" followed by a quit would store it. A question of the editor's
// that waits (the delete question, the year entry) ends unanswered, as
// キャンセル: the row it was about stays as it is shown.
TEST_F(QuitRoads, AnEndSignalWithTheAnniversaryEditorOpenStoresWhatTheEditorShows)
{
    enum class Pending { Nothing, DeleteQuestion, YearEntry };
    const struct {
        const char* what;
        int signalNumber;
        Pending waiting;
        bool firstRun; // no settings files at all; else an anniversary list is there
    } cases[] = {
        {"SIGTERM", SIGTERM, Pending::Nothing, false},
        {"SIGHUP", SIGHUP, Pending::Nothing, false},
        {"SIGINT, a first run", SIGINT, Pending::Nothing, true},
        {"SIGTERM while the delete question waits", SIGTERM, Pending::DeleteQuestion, false},
        {"SIGTERM while the year entry waits", SIGTERM, Pending::YearEntry, false},
    };
    const QString typed = QStringLiteral("結婚記念日");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        startAfresh();
        if (!c.firstRun) {
            TestFiles::plant(ProgramPaths::anniversaryFile(),
                             AnniversaryFile::encode({everyYear(5, 5, QStringLiteral("こどもの日"))}));
        }
        auto w = openWindow();
        w->show();

        EndSignals endSignals;
        ASSERT_TRUE(endSignals.installed());
        QObject::connect(&endSignals, &EndSignals::received, w.get(), &Window1::EndSession);
        endSignals.start();
        AnniversaryList shown;
        QPointer<AnnDlg> editor;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (AnnDlg* dlg = ModalDialogs::takeShowing<AnnDlg>()) {
                editor = dlg;
                QTest::mouseClick(dlg->BevelButton1, Qt::LeftButton);
                // Japanese reaches the field as the input method commits it.
                QInputMethodEvent commit;
                commit.setCommitString(typed);
                QCoreApplication::sendEvent(dlg->EditField1, &commit);
                shown = dlg->Entries();
                // The question opens a loop of its own: from the event loop,
                // so that this poll goes on and finds it.
                if (c.waiting == Pending::DeleteQuestion)
                    QTimer::singleShot(0, dlg->BevelButton2, &QPushButton::click);
                else if (c.waiting == Pending::YearEntry)
                    QTimer::singleShot(0, dlg->PopupMenu1, [dlg] {
                        dlg->PopupMenu1->setCurrentIndex(dlg->PopupMenu1->count() - 1);
                    });
                else
                    ::raise(c.signalNumber);
            } else if (ModalDialogs::takeShowing<QMessageBox>() || ModalDialogs::takeShowing<TextInputDlg>()) {
                ::raise(c.signalNumber);
            }
        });
        poll.start();
        EXPECT_EQ(runEventLoop([&] { w->ShowAnnDlg(); }), 0);
        poll.stop();
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_EQ(shown.constLast().tt, QVariant(typed));
        EXPECT_EQ(shown.size(), c.firstRun ? 1 : 2);
        EXPECT_FALSE(w->isVisible());
        EXPECT_TRUE(editor.isNull());
        EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::anniversaryFile()), AnniversaryFile::encode(shown));
        EXPECT_TRUE(QFile::exists(ProgramPaths::preferenceFile()));
    }
}

// The session ends while the quit's question about a file that cannot be
// stored waits: the program ends without the answer, storing what it can,
// and its status says that a file was not stored.
TEST_F(QuitRoads, AnEndSignalDuringTheQuitsQuestionEndsTheProgramWithoutAnAnswer)
{
    auto w = openWindow();
    w->show();
    w->pAnvsy = {everyYear(5, 5, QStringLiteral("abc"))};
    Globals::gPref[3] = 1;
    Globals::gPrintSetup.insert(QStringLiteral("SetupString"), QStringLiteral("page"));
    ASSERT_TRUE(QDir().mkpath(ProgramPaths::preferenceFile()));

    EndSignals endSignals;
    ASSERT_TRUE(endSignals.installed());
    QObject::connect(&endSignals, &EndSignals::received, w.get(), &Window1::EndSession);
    endSignals.start();
    QStringList asked;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QMessageBox* box = ModalDialogs::takeShowing<QMessageBox>()) {
            asked << box->text();
            ::raise(SIGTERM);
        }
    });
    poll.start();
    EXPECT_EQ(runEventLoop([&] { w->close(); }), 1);
    poll.stop();
    EXPECT_EQ(asked, QStringList{QStringLiteral("初期設定ファイルを保存できません。")});
    EXPECT_TRUE(QFileInfo(ProgramPaths::preferenceFile()).isDir());
    EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::anniversaryFile()), AnniversaryFile::encode(w->pAnvsy));
    QString page;
    EXPECT_EQ(PageSetupFile::load(ProgramPaths::settingsFolder(), page), PageSetupFile::LoadResult::Loaded);
    EXPECT_EQ(page, QStringLiteral("page"));
}

// A settings file that cannot be stored at quit asks before the run's edits
// are lost. "終了しない" (also Return and Escape) keeps the program running
// with every edit; once the obstacle is gone, the next quit stores them all.
TEST_F(QuitRoads, AFileThatCannotBeStoredKeepsTheProgramRunningWithEveryEdit)
{
    enum class Obstacle { FullDisk, Folder, Fifo };
    enum class Answer { Click, Return, Escape };
    const struct {
        const char* what;
        QString (*path)();
        Obstacle obstacle;
        Answer answer;
    } cases[] = {
        {"初期設定", ProgramPaths::preferenceFile, Obstacle::FullDisk, Answer::Click},
        {"初期設定", ProgramPaths::preferenceFile, Obstacle::Folder, Answer::Return},
        {"記念日", ProgramPaths::anniversaryFile, Obstacle::FullDisk, Answer::Return},
        {"記念日", ProgramPaths::anniversaryFile, Obstacle::Fifo, Answer::Escape},
        {"用紙設定", ProgramPaths::pageSetupFile, Obstacle::FullDisk, Answer::Escape},
        {"用紙設定", ProgramPaths::pageSetupFile, Obstacle::Folder, Answer::Click},
    };
    const QString files[] = {ProgramPaths::preferenceFile(), ProgramPaths::anniversaryFile(),
                             ProgramPaths::pageSetupFile()};
    for (const auto& c : cases) {
        const QString path = c.path();
        SCOPED_TRACE(path.toStdString() + " " + std::to_string(int(c.obstacle)) + " " + std::to_string(int(c.answer)));
        app.reset();
        Globals::gPref = savedPref;
        Globals::gPrefS[9].clear();
        QDir(ProgramPaths::settingsFolder()).removeRecursively();
        startApp();
        auto w = openWindow();
        w->show();

        // Something for every file to store; the file under test is made
        // larger than the disk's room, the others fit.
        const bool big = c.obstacle == Obstacle::FullDisk;
        w->pAnvsy = {everyYear(5, 5, QStringLiteral("abc"))};
        if (big && path == ProgramPaths::anniversaryFile()) {
            for (int i = 0; i < 60; ++i)
                w->pAnvsy.append(everyYear(1 + i % 12, 1 + i % 28, QStringLiteral("記念日の長い名前 %1").arg(i)));
        }
        Globals::gPref[3] = 1;
        if (big && path == ProgramPaths::preferenceFile())
            Globals::gPrefS[9] = QString(600, QLatin1Char('x'));
        Globals::gPrintSetup.insert(QStringLiteral("SetupString"),
                                    big && path == ProgramPaths::pageSetupFile() ? QString(800, QLatin1Char('p'))
                                                                                  : QStringLiteral("page"));
        const AnniversaryList edits = w->pAnvsy;
        const std::array<int32_t, 51> prefEdits = Globals::gPref;

        std::unique_ptr<HostileFiles::WatchedFifo> fifo;
        if (c.obstacle == Obstacle::Folder) {
            ASSERT_TRUE(QDir().mkpath(path));
        } else if (c.obstacle == Obstacle::Fifo) {
            fifo = std::make_unique<HostileFiles::WatchedFifo>(path);
            ASSERT_TRUE(fifo->made());
        }

        QStringList asked;
        QStringList buttons;
        QString defaultButton;
        {
            std::unique_ptr<HostileFiles::FileSizeLimit> full;
            if (big) {
                full = std::make_unique<HostileFiles::FileSizeLimit>(600);
                ASSERT_TRUE(full->active());
            }
            MainWindowTesting::answerModal<QMessageBox>([&] { w->close(); }, [&](QMessageBox* box) {
                asked << box->text() + QStringLiteral(" / ") + box->informativeText();
                for (QAbstractButton* b : box->buttons())
                    buttons << b->text();
                defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
                switch (c.answer) {
                case Answer::Click:
                    for (QAbstractButton* b : box->buttons()) {
                        if (b->text() == QStringLiteral("終了しない"))
                            b->click();
                    }
                    break;
                case Answer::Return:
                    QTest::keyClick(box, Qt::Key_Return);
                    break;
                case Answer::Escape:
                    QTest::keyClick(box, Qt::Key_Escape);
                    break;
                }
                if (box->isVisible())
                    box->done(-1);
            });
        }
        const QString detail = c.obstacle == Obstacle::FullDisk ? diskFull(path) : notAFile(path);
        EXPECT_EQ(asked, QStringList{notStored(c.what, detail)});
        EXPECT_EQ(buttons, (QStringList{"保存せずに終了", "終了しない"}));
        EXPECT_EQ(defaultButton, QStringLiteral("終了しない"));

        // Still running, every edit in place; the files before the one that
        // failed are stored, the ones after it wait for the next quit.
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->pAnvsy.size(), edits.size());
        EXPECT_EQ(Globals::gPref, prefEdits);
        const int failed = path == files[0] ? 0 : path == files[1] ? 1 : 2;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(FileIO::isRegularFile(files[i]), i < failed) << files[i].toStdString();
        }
        if (fifo) {
            EXPECT_FALSE(fifo->openedForReading());
        }

        // The user makes room and quits again: everything is stored, nothing asked.
        fifo.reset();
        QDir(path).removeRecursively();
        QFile::remove(path);
        EXPECT_TRUE(noticesOf([&] { w->close(); }).isEmpty());
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::anniversaryFile()), AnniversaryFile::encode(edits));
        Preferences::IntPrefs stored{};
        Preferences::TextPrefs storedS{};
        ASSERT_TRUE(Preferences::decode(TestFiles::bytesOf(ProgramPaths::preferenceFile()), stored, storedS,
                                        Globals::gClr, Globals::gSheetW));
        EXPECT_EQ(stored, prefEdits);
        QString page;
        EXPECT_EQ(PageSetupFile::load(ProgramPaths::settingsFolder(), page), PageSetupFile::LoadResult::Loaded);
        EXPECT_EQ(page, Globals::gPrintSetup.value(QStringLiteral("SetupString")).toString());
    }
    Globals::gPrefS[9].clear();
}

// The settings folder gone during the run is made again at quit; a place
// where none can be made is told, naming what stands in the way.
TEST_F(QuitAndRestart, ASettingsFolderGoneAtQuitIsMadeAgainOrTold)
{
    const QString config = TestEnv::home() + QStringLiteral("/.config");
    const struct {
        const char* what;
        std::function<void()> remove;
        bool told;
    } cases[] = {
        {"the settings folder removed", [] { QDir(ProgramPaths::settingsFolder()).removeRecursively(); }, false},
        {"~/.config removed", [config] { QDir(config).removeRecursively(); }, false},
        {"~/.config a regular file",
         [config] {
             QDir(config).removeRecursively();
             TestFiles::plant(config, "no folder");
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        app.reset();
        Globals::gPref = savedPref;
        QFile::remove(config);
        QDir(ProgramPaths::settingsFolder()).removeRecursively();
        startApp();
        auto w = openWindow();
        w->pAnvsy = {everyYear(5, 5, QStringLiteral("abc"))};
        Globals::gPref[4] = 1;
        c.remove();
        const QStringList notices = noticesOf([&] { w->close(); }, QStringLiteral("保存せずに終了"));
        if (c.told) {
            const QString inTheWay = QStringLiteral("「%1」はフォルダではありません。").arg(config);
            EXPECT_EQ(notices, (QStringList{notStored("初期設定", inTheWay), notStored("記念日", inTheWay)}));
            EXPECT_EQ(TestFiles::bytesOf(config), QByteArray("no folder"));
        } else {
            EXPECT_TRUE(notices.isEmpty()) << notices.join(QLatin1Char('\n')).toStdString();
            EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::anniversaryFile()), AnniversaryFile::encode(w->pAnvsy));
            EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::preferenceFile()),
                      Preferences::encode(Globals::gPref, Globals::gPrefS));
        }
    }
    QFile::remove(config);
}

// A datasets folder whose place holds a regular file is told at start-up.
TEST_F(QuitAndRestart, ADatasetsFolderThatIsAFileIsToldAtStart)
{
    ASSERT_TRUE(QDir().mkpath(Folders::applicationSupportFolder()));
    TestFiles::plant(Folders::datasetsFolder(), "no folder");
    std::unique_ptr<Window1> w;
    EXPECT_EQ(noticesOf([&] { w = openWindow(); }),
              QStringList{QStringLiteral("データセットのフォルダ「%1」を使えません。 / 「%1」はフォルダではありません。\n"
                                         "データセットを保存するときは、ほかの場所を選んで下さい。")
                              .arg(Folders::datasetsFolder())});
    QFile::remove(Folders::datasetsFolder());
    EXPECT_TRUE(noticesOf([&] { w = openWindow(); }).isEmpty());
}

// A damaged preference file the quit replaces is kept, and the user told
// under which name.
TEST_F(QuitAndRestart, ADamagedPreferenceFileReplacedAtQuitIsToldWithItsKeptName)
{
    app.reset();
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    const QByteArray damaged("\x05pref2\0\0\0\x33\0\0", 12);
    TestFiles::plant(ProgramPaths::preferenceFile(), damaged);
    noticesOf([&] { startApp(); });
    auto w = openWindow();
    EXPECT_EQ(noticesOf([&] { w->close(); }),
              QStringList{QStringLiteral("読み込めなかった初期設定ファイルを「%1.damaged」として残しました。 / "
                                         "この起動での初期設定を保存しました。")
                              .arg(ProgramPaths::preferenceFile())});
    EXPECT_EQ(TestFiles::bytesOf(ProgramPaths::preferenceFile() + QStringLiteral(".damaged")), damaged);
}

INSTANTIATE_TEST_SUITE_P(Roads, Quitting, ::testing::Values(kCloseBox, kCtrlQ, kQuitItem),
                         [](const ::testing::TestParamInfo<Road>& test) { return std::string(test.param.name); });

} // namespace
