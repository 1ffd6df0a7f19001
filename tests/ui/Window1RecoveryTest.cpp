// Unsaved edits outlive the run that made them: the real window keeps a copy
// while they are unsaved, an end of the session (a signal, a kill) leaves it,
// and the next start offers it. The dataset's own file is never touched.

#include "core/App.h"
#include "core/DatasetDefaults.h"
#include "core/DatasetFile.h"
#include "core/Globals.h"
#include "core/RecoveryCopy.h"
#include "platform/EndSignals.h"
#include "platform/Folders.h"
#include "sheet/JapaneseFont.h"
#include "ui/Window1.h"

#include "support/HostileFiles.h"
#include "support/ModalDialogDriver.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"
#include "support/Waiting.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <memory>

#include <signal.h>
#include <unistd.h>

namespace {

const QString kAsked = QStringLiteral("前回の終了時に保存されていなかった変更があります。復元しますか？");

// The copies in the recovery folder, by name.
QStringList copies()
{
    return QDir(Folders::recoveryFolder()).entryList({QStringLiteral("*.unsaved")}, QDir::Files, QDir::Name);
}

RecoveryCopy::Content theCopy()
{
    RecoveryCopy::Content content;
    const QStringList names = copies();
    EXPECT_EQ(names.size(), 1);
    if (!names.isEmpty()) {
        EXPECT_TRUE(RecoveryCopy::decode(TestFiles::bytesOf(Folders::child(Folders::recoveryFolder(), names[0])), content));
    }
    return content;
}

void click(QMessageBox* box, const QString& caption)
{
    for (QAbstractButton* b : box->buttons()) {
        if (b->text() == caption)
            b->click();
    }
}

void setSize(Window1& w, int size) { w.findChild<QComboBox*>(QStringLiteral("PopupMenu4"))->setCurrentIndex(size); }
int32_t sizeOf(const Window1& w) { return w.pDataset->i32(DatasetKey::size); }

using ModalDialogs::Notices;

// The program itself, as main opens it, for a second run beside the test's:
// it starts on the untitled design, changes its size to 1 and runs until it
// is ended. Its settings are its own; its recovery folder is the test's.
int editAndRun(int& argc, char** argv)
{
    QApplication qapp(argc, argv);
    EndSignals endSignals;
    JapaneseFont::installSubstitutes();
    App app;
    app.InitVal();
    app.InitColor();
    app.InitPref();
    Window1 window;
    window.InitApp();
    window.show();
    QObject::connect(&endSignals, &EndSignals::received, &window, &Window1::EndSession);
    endSignals.start();
    setSize(window, 1);
    std::printf("edited\n");
    std::fflush(stdout);
    return qapp.exec();
}
const TestEnv::ChildEntry editAndRunEntry("recovery-edit-and-run", editAndRun);

class Recovery : public ::testing::Test {
protected:
    void SetUp() override
    {
        JapaneseFont::installSubstitutes();
        savedPref = Globals::gPref;
        app = std::make_unique<App>();
        app->InitVal();
        app->InitColor();
        app->InitPref();
        clearRecovery();
        ASSERT_TRUE(Folders::createFolder(Folders::datasetsFolder()));
    }

    void TearDown() override
    {
        app.reset();
        Globals::gPref = savedPref;
    }

    // No copy and no recovery folder, nor anything in its place.
    static void clearRecovery()
    {
        QFile::remove(Folders::recoveryFolder());
        QDir(Folders::recoveryFolder()).removeRecursively();
    }

    static std::unique_ptr<Window1> openWindow()
    {
        auto w = std::make_unique<Window1>();
        w->InitApp();
        w->show();
        return w;
    }

    // A dataset file of the given size, saved before the run.
    static QString plantDataset(const QString& name, int32_t size, QByteArray* bytes = nullptr)
    {
        Dataset d;
        DatasetDefaults::initDataset(d, Globals::gPref, QDate(2027, 1, 1));
        d.setValue(DatasetKey::size, size);
        const QString path = Folders::child(Folders::datasetsFolder(), name);
        TestFiles::plant(path, DatasetFile::encode(d));
        if (bytes)
            *bytes = DatasetFile::encode(d);
        return path;
    }

    // The copy a run that has ended left: edits that made `path`'s design,
    // read as `fileBytes`, the given size.
    static void leaveCopy(const QString& path, const QByteArray& fileBytes, int32_t size)
    {
        Dataset d;
        if (!fileBytes.isEmpty()) {
            ASSERT_TRUE(DatasetFile::decode(fileBytes, d, Globals::gPref, [](const QString&) { return QImage(); }));
        } else {
            DatasetDefaults::initDataset(d, Globals::gPref, QDate(2027, 1, 1));
        }
        d.setValue(DatasetKey::size, size);
        RecoveryKeeper ended(Folders::recoveryFolder());
        ASSERT_TRUE(ended.keep({path, QDateTime(QDate(2026, 12, 10), QTime(21, 5), Qt::LocalTime), fileBytes,
                                DatasetFile::encode(d)}));
    }

    // The saved dataset "春" (size 0, as `before`), and a copy an ended run
    // left of edits that made it size 2.
    static QString springWithEditsLeft(QByteArray& before)
    {
        clearRecovery();
        const QString spring = plantDataset(QStringLiteral("春"), 0, &before);
        leaveCopy(spring, before, 2);
        return spring;
    }

    // Starts the program beside the test and waits until it has kept a copy
    // of its edit.
    static void startSecondRun(QProcess& run)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QLatin1String(TestEnv::kChildVariable), QStringLiteral("recovery-edit-and-run"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), TestEnv::home() + QStringLiteral("/second-run-config"));
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        run.start(QCoreApplication::applicationFilePath());
        ASSERT_TRUE(run.waitForStarted(Waiting::kStepMs));
        ASSERT_TRUE(Waiting::until([&] { return run.canReadLine() || run.state() != QProcess::Running; }));
        ASSERT_EQ(run.readLine(), QByteArray("edited\n"));
        ASSERT_TRUE(Waiting::until([] { return copies().size() == 1; }));
    }

    std::unique_ptr<App> app;
    std::array<int32_t, 51> savedPref{};
};

} // namespace

TEST_F(Recovery, ACopyFollowsTheEditsUntilTheyAreSavedOrDropped)
{
    QByteArray before;
    const QString spring = plantDataset(QStringLiteral("春"), 0, &before);
    auto w = openWindow();
    ASSERT_TRUE(w->LoadDataset(spring));
    EXPECT_TRUE(copies().isEmpty());

    setSize(*w, 2);
    ASSERT_TRUE(Waiting::until([] { return !copies().isEmpty(); }));
    const RecoveryCopy::Content kept = theCopy();
    EXPECT_EQ(kept.path, spring);
    EXPECT_EQ(kept.fileBytes, before);
    EXPECT_EQ(kept.dataset, DatasetFile::encode(*w->pDataset));
    EXPECT_EQ(TestFiles::bytesOf(spring), before);
    // Never in the list of datasets.
    EXPECT_EQ(DatasetFile::listNames(Folders::datasetsFolder()), QStringList{QStringLiteral("春")});

    ASSERT_TRUE(w->SaveFile(false));
    EXPECT_TRUE(copies().isEmpty());

    setSize(*w, 3);
    ASSERT_TRUE(Waiting::until([] { return !copies().isEmpty(); }));
    // Another dataset takes the edits' place: 保存しない drops them.
    Notices boxes(QStringLiteral("保存しない"));
    w->SetListIndex(-1);
    EXPECT_EQ(boxes.said.size(), 1);
    EXPECT_FALSE(w->pWork.hasEdits());
    EXPECT_TRUE(copies().isEmpty());
}

TEST_F(Recovery, AnEndSignalLeavesTheEditsForTheNextStart)
{
    const struct {
        const char* what;
        int signalNumber;
        bool saved;            // a saved dataset, else the untitled one
        bool recoveryBlocked;  // a file where the recovery folder goes
    } cases[] = {
        {"SIGTERM, a saved dataset", SIGTERM, true, false},
        {"SIGHUP, a saved dataset", SIGHUP, true, false},
        {"SIGINT, a saved dataset", SIGINT, true, false},
        {"SIGTERM, the untitled dataset", SIGTERM, false, false},
        {"SIGHUP, the untitled dataset", SIGHUP, false, false},
        {"SIGINT, the untitled dataset", SIGINT, false, false},
        {"SIGTERM, a file where the recovery folder goes", SIGTERM, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clearRecovery();
        if (c.recoveryBlocked) {
            ASSERT_TRUE(Folders::createFolder(Folders::stateFolder()));
            TestFiles::plant(Folders::recoveryFolder(), "in the way");
        }
        QByteArray before;
        const QString spring = plantDataset(QStringLiteral("春"), 0, &before);
        QByteArray edited;
        {
            auto w = openWindow();
            if (c.saved) {
                ASSERT_TRUE(w->LoadDataset(spring));
            }
            setSize(*w, 3);
            edited = DatasetFile::encode(*w->pDataset);

            EndSignals endSignals;
            ASSERT_TRUE(endSignals.installed());
            QObject::connect(&endSignals, &EndSignals::received, w.get(), &Window1::EndSession);
            endSignals.start();
            ::testing::internal::CaptureStderr();
            // Raised at once: the copy cannot have waited for its timer.
            const int status = ModalDialogs::runEventLoop([&] { ::raise(c.signalNumber); });
            const QString said = QString::fromLocal8Bit(::testing::internal::GetCapturedStderr());
            EXPECT_EQ(TestFiles::bytesOf(spring), before);
            if (c.recoveryBlocked) {
                EXPECT_EQ(status, 1);
                EXPECT_TRUE(said.contains(QStringLiteral("保存していない変更の控えを残せません。"))) << said.toStdString();
                EXPECT_TRUE(said.contains(Folders::recoveryFolder())) << said.toStdString();
                continue;
            }
            EXPECT_EQ(status, 0);
            EXPECT_TRUE(said.isEmpty()) << said.toStdString();
        }
        const RecoveryCopy::Content kept = theCopy();
        EXPECT_EQ(kept.path, c.saved ? spring : QString());
        EXPECT_EQ(kept.dataset, edited);

        // The next start asks, names the dataset, and 復元 shows the edits unsaved.
        auto next = openWindow();
        auto asked = MessageBoxDriver::answer(QStringLiteral("復元"));
        next->OfferRecovery();
        ASSERT_TRUE(asked->shown);
        EXPECT_EQ(asked->text, kAsked);
        EXPECT_TRUE(asked->informativeText.contains(c.saved ? QStringLiteral("データセット「春」の変更")
                                                            : QStringLiteral("まだ保存していない新しいデータセットの変更")))
            << asked->informativeText.toStdString();
        EXPECT_EQ(asked->buttons, (QStringList{"破棄", "復元"}));
        EXPECT_EQ(asked->defaultButton, QStringLiteral("復元"));
        EXPECT_EQ(sizeOf(*next), 3);
        EXPECT_EQ(next->pWork.path(), c.saved ? spring : QString());
        EXPECT_TRUE(next->pWork.hasEdits());
        EXPECT_TRUE(next->FileSave()->isEnabled());
        EXPECT_EQ(next->ListIndex(), c.saved ? next->SaveFileLB(QStringLiteral("春")) : -1);
        EXPECT_EQ(TestFiles::bytesOf(spring), before);

        // Closing asks about them as about any edits; 保存しない ends the copy.
        auto closing = MessageBoxDriver::answer(QStringLiteral("保存しない"));
        next->close();
        EXPECT_TRUE(closing->shown);
        EXPECT_EQ(closing->text, QStringLiteral("内容が変更されています。保存しますか？"));
        EXPECT_TRUE(copies().isEmpty());
        EXPECT_EQ(TestFiles::bytesOf(spring), before);
    }
}

TEST_F(Recovery, EachAnswerAtTheNextStart)
{
    const struct {
        const char* what;
        std::function<void(QMessageBox*)> answer;
        bool restored;
    } cases[] = {
        {"復元", [](QMessageBox* box) { click(box, QStringLiteral("復元")); }, true},
        {"Escape", [](QMessageBox* box) {
             QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(box, &press);
         }, true},
        {"the close box", [](QMessageBox* box) { box->close(); }, true},
        {"破棄", [](QMessageBox* box) { click(box, QStringLiteral("破棄")); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray before;
        const QString spring = springWithEditsLeft(before);

        auto w = openWindow();
        const int asked = ModalDialogs::answerModal<QMessageBox>([&] { w->OfferRecovery(); }, c.answer);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(TestFiles::bytesOf(spring), before);
        if (c.restored) {
            EXPECT_EQ(sizeOf(*w), 2);
            EXPECT_EQ(w->pWork.path(), spring);
            EXPECT_TRUE(w->pWork.hasEdits());
            // Now this run's own: kept on, and offered to no other run.
            EXPECT_EQ(copies().size(), 1);
        } else {
            EXPECT_EQ(sizeOf(*w), 0);
            EXPECT_TRUE(w->pWork.path().isEmpty());
            EXPECT_FALSE(w->pWork.hasEdits());
            EXPECT_TRUE(copies().isEmpty());
        }
        Notices later;
        openWindow()->OfferRecovery();
        EXPECT_TRUE(later.said.isEmpty()) << later.said.join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(Recovery, AKilledRunsEditsAreOfferedAndARunningOnesAreLeftAlone)
{
    QProcess second;
    startSecondRun(second);
    const QString secondsCopy = copies().value(0);

    // While the other run lives, its copy is not offered, and this run's
    // own edits and their end leave it alone.
    auto w = openWindow();
    {
        Notices none;
        w->OfferRecovery();
        EXPECT_TRUE(none.said.isEmpty()) << none.said.join(QLatin1Char('\n')).toStdString();
    }
    setSize(*w, 2);
    ASSERT_TRUE(Waiting::until([] { return copies().size() == 2; }));
    {
        Notices drop(QStringLiteral("保存しない"));
        EXPECT_EQ(w->SaveCheck(), Window1::EditsAnswer::Dropped);
        EXPECT_EQ(drop.said.size(), 1);
    }
    EXPECT_EQ(copies(), QStringList{secondsCopy});

    // Killed outright, the other run leaves its copy to the next start.
    ASSERT_EQ(::kill(pid_t(second.processId()), SIGKILL), 0);
    ASSERT_TRUE(second.waitForFinished(Waiting::kStepMs));
    EXPECT_EQ(second.exitStatus(), QProcess::CrashExit);
    auto next = openWindow();
    auto asked = MessageBoxDriver::answer(QStringLiteral("復元"));
    next->OfferRecovery();
    ASSERT_TRUE(asked->shown);
    EXPECT_TRUE(asked->informativeText.contains(QStringLiteral("新しいデータセット"))) << asked->informativeText.toStdString();
    EXPECT_EQ(sizeOf(*next), 1);
    EXPECT_TRUE(next->pWork.hasEdits());
}

TEST_F(Recovery, AnotherRunEndedBySIGTERMLeavesItsEditsToo)
{
    QProcess second;
    startSecondRun(second);
    ASSERT_EQ(::kill(pid_t(second.processId()), SIGTERM), 0);
    ASSERT_TRUE(second.waitForFinished(Waiting::kStepMs));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    auto next = openWindow();
    auto asked = MessageBoxDriver::answer(QStringLiteral("復元"));
    next->OfferRecovery();
    ASSERT_TRUE(asked->shown);
    EXPECT_EQ(sizeOf(*next), 1);
}

TEST_F(Recovery, ACopyThatCannotBeReadIsToldAndKeptAside)
{
    const QString damaged = Folders::child(Folders::recoveryFolder(), QStringLiteral("cut-short.unsaved"));
    ASSERT_TRUE(Folders::createFolder(Folders::recoveryFolder()));
    const QByteArray whole = [] {
        Dataset d;
        DatasetDefaults::initDataset(d, Globals::gPref, QDate(2027, 1, 1));
        return RecoveryCopy::encode({QString(), QDateTime::currentDateTimeUtc(), QByteArray(), DatasetFile::encode(d)});
    }();
    TestFiles::plant(damaged, whole.left(whole.size() - 3));

    auto w = openWindow();
    Notices boxes;
    w->OfferRecovery();
    const QString aside = Folders::child(Folders::recoveryFolder(), QStringLiteral("cut-short.damaged"));
    EXPECT_EQ(boxes.said, QStringList{QStringLiteral("前回の終了時に保存されていなかった変更を読めません。 / ")
                                      + QStringLiteral("控え「%1」は壊れているか、この版では読めない形式です。消さずに「%2」として残しました。")
                                            .arg(damaged, aside)});
    EXPECT_EQ(TestFiles::bytesOf(aside), whole.left(whole.size() - 3));
    EXPECT_FALSE(w->pWork.hasEdits());
    Notices later;
    openWindow()->OfferRecovery();
    EXPECT_TRUE(later.said.isEmpty());
}

TEST_F(Recovery, ASaveAfterARestoreGoesThroughTheUsualRules)
{
    const struct {
        const char* what;
        bool removed; // the file was removed since, else someone wrote it
    } cases[] = {
        {"the dataset file was removed since", true},
        {"the dataset file was written elsewhere since", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray before;
        const QString spring = springWithEditsLeft(before);
        QByteArray elsewhere;
        if (c.removed) {
            ASSERT_TRUE(QFile::remove(spring));
        } else {
            plantDataset(QStringLiteral("春"), 1, &elsewhere);
        }

        auto w = openWindow();
        {
            Notices restore(QStringLiteral("復元"));
            w->OfferRecovery();
            ASSERT_EQ(restore.said.size(), 1);
        }
        Notices replace(QStringLiteral("キャンセル"));
        const bool saved = w->SaveFile(false);
        if (c.removed) {
            EXPECT_TRUE(saved);
            EXPECT_TRUE(replace.said.isEmpty());
            EXPECT_EQ(TestFiles::bytesOf(spring), DatasetFile::encode(*w->pDataset));
            EXPECT_TRUE(copies().isEmpty());
        } else {
            EXPECT_FALSE(saved);
            ASSERT_EQ(replace.said.size(), 1);
            EXPECT_TRUE(replace.said[0].startsWith(QStringLiteral("「春」は、読み込んだ後にほかで書き換えられています。")));
            EXPECT_EQ(TestFiles::bytesOf(spring), elsewhere);
            EXPECT_TRUE(w->pWork.hasEdits());
            EXPECT_EQ(copies().size(), 1);
        }
    }
}

TEST_F(Recovery, ACopyThatCannotBeWrittenIsToldOnceAndTheWorkGoesOn)
{
    const struct {
        const char* what;
        std::function<void()> block;
        rlim_t fileSizeLimit; // 0: none
        bool ordinaryUserOnly;
    } cases[] = {
        {"a file where the recovery folder goes",
         [] {
             ASSERT_TRUE(Folders::createFolder(Folders::stateFolder()));
             TestFiles::plant(Folders::recoveryFolder(), "in the way");
         },
         0, false},
        {"a full disk", [] {}, 64, false},
        {"a recovery folder the user may not write to",
         [] {
             ASSERT_TRUE(Folders::createFolder(Folders::recoveryFolder()));
             ASSERT_TRUE(QFile::setPermissions(Folders::recoveryFolder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
         },
         0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.ordinaryUserOnly && ::geteuid() == 0) {
            std::printf("skipped as root, run by the ordinary user's pass: %s\n", c.what);
            continue;
        }
        c.block();
        auto w = openWindow();
        auto* timer = w->findChild<QTimer*>(QStringLiteral("RecoveryTimer"));
        ASSERT_NE(timer, nullptr);
        Notices boxes;
        {
            std::unique_ptr<HostileFiles::FileSizeLimit> limit;
            if (c.fileSizeLimit)
                limit = std::make_unique<HostileFiles::FileSizeLimit>(c.fileSizeLimit);
            for (int size : {1, 2, 3}) {
                setSize(*w, size);
                ASSERT_TRUE(timer->isActive());
                ASSERT_TRUE(Waiting::until([&] { return !timer->isActive() && !QApplication::activeModalWidget(); }));
            }
        }
        ASSERT_EQ(boxes.said.size(), 1) << boxes.said.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(boxes.said[0].startsWith(QStringLiteral("保存していない変更の控えを残せません。 / ")))
            << boxes.said[0].toStdString();
        // The edits are the window's still.
        EXPECT_EQ(sizeOf(*w), 3);
        EXPECT_TRUE(w->pWork.hasEdits());
        QFile::setPermissions(Folders::recoveryFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        clearRecovery();
    }
}
