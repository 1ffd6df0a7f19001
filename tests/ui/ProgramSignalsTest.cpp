// The program itself, started as a child in a home of its own, ended by the
// signals of a logout, a shutdown or a terminal: it stores its settings as a
// quit does and exits normally, and a run that changed nothing leaves the
// files it found as they were; its status says whether they were stored.

#include "core/AnniversaryFile.h"
#include "core/Preferences.h"

#include "support/HostileFiles.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

#include <signal.h>

namespace {

// The signals a process catches, from the kernel's own account of it.
quint64 caughtSignals(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return line.mid(7).trimmed().toULongLong(nullptr, 16);
    }
    return 0;
}

quint64 bitOf(int signalNumber) { return quint64(1) << (signalNumber - 1); }

// The files of a settings folder below `home`.
QString settingsFile(const QString& home, const char* name)
{
    return home + QStringLiteral("/.config/Morvelin初期設定/") + QLatin1String(name);
}

// Starts the program in a home of its own; its standard error goes to the
// test's own unless `channels` says otherwise. False when the home's runtime
// folder cannot be made.
bool startIn(const QString& home, QProcess& program,
             QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel)
{
    const QString runtime = home + QStringLiteral("/.runtime");
    if (!QDir().mkpath(runtime))
        return false;
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    env.insert(QStringLiteral("XDG_STATE_HOME"), home + QStringLiteral("/.local/state"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("CUPS_SERVER"), runtime + QStringLiteral("/no-print-server"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(channels);
    program.setProgram(QStringLiteral(MORVELIN_PROGRAM));
    program.start();
    return true;
}

// Waits until the program catches all three end signals: before that a
// signal would end it on the spot, as it would any program.
bool catchesEndSignals(const QProcess& program)
{
    const quint64 wanted = bitOf(SIGTERM) | bitOf(SIGHUP) | bitOf(SIGINT);
    QElapsedTimer clock;
    clock.start();
    while ((caughtSignals(program.processId()) & wanted) != wanted && clock.elapsed() < 20000)
        QThread::msleep(5);
    return (caughtSignals(program.processId()) & wanted) == wanted;
}

QByteArray defaultPreferences()
{
    Preferences::IntPrefs pref{};
    Preferences::TextPrefs prefS{};
    Preferences::Palette clr{};
    Preferences::SheetWidths sheetW{};
    QVariantMap printSetup;
    Preferences::initVal(printSetup, sheetW);
    Preferences::initColor(clr);
    Preferences::initPref(pref, prefS, clr, sheetW);
    return Preferences::encode(pref, prefS);
}

TEST(TheProgram, EndsOnAnEndSignalThroughItsQuit)
{
    const QByteArray otherPref = [] {
        Preferences::IntPrefs pref{};
        Preferences::TextPrefs prefS{};
        Preferences::decode(defaultPreferences(), pref, prefS, {}, {900, 1300, 1190, 1200});
        pref[5] = 1;
        return Preferences::encode(pref, prefS);
    }();
    const QByteArray anvsy = AnniversaryFile::encode(
        {Anniversary{QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("こどもの日")}});
    const struct {
        const char* what;
        int signalNumber;
        bool firstRun; // no settings folder yet; else a preference and an anniversary file are there
    } cases[] = {
        {"SIGTERM, a first run", SIGTERM, true},
        {"SIGHUP, a first run", SIGHUP, true},
        {"SIGINT, a first run", SIGINT, true},
        {"SIGTERM, files there", SIGTERM, false},
        {"SIGHUP, files there", SIGHUP, false},
        {"SIGINT, files there", SIGINT, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir home;
        ASSERT_TRUE(home.isValid());
        const QString pref = settingsFile(home.path(), "pref");
        const QString anniversaries = settingsFile(home.path(), "anvsy");
        if (!c.firstRun) {
            ASSERT_TRUE(QDir().mkpath(QFileInfo(pref).path()));
            TestFiles::plant(pref, otherPref);
            TestFiles::plant(anniversaries, anvsy);
        }
        QProcess program;
        ASSERT_TRUE(startIn(home.path(), program));
        ASSERT_TRUE(program.waitForStarted(10000));
        ASSERT_TRUE(catchesEndSignals(program));
        ASSERT_EQ(::kill(pid_t(program.processId()), c.signalNumber), 0);

        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        if (c.firstRun) {
            EXPECT_EQ(TestFiles::bytesOf(pref).toHex(), defaultPreferences().toHex());
            EXPECT_FALSE(QFileInfo::exists(anniversaries));
        } else {
            EXPECT_EQ(TestFiles::bytesOf(pref).toHex(), otherPref.toHex());
            EXPECT_EQ(TestFiles::bytesOf(anniversaries).toHex(), anvsy.toHex());
        }
        EXPECT_EQ(QDir(QFileInfo(pref).path()).entryList(QDir::Files | QDir::Hidden).size(), c.firstRun ? 1 : 2);
    }
}

// A quit that cannot store a settings file, here a first run's preferences
// on a disk that takes no more than a few bytes: the program still ends, but
// its status says so, and its standard error names the file and why.
TEST(TheProgram, AnEndSignalWhoseQuitCannotStoreASettingsFileEndsWithAFailureStatus)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString pref = settingsFile(home.path(), "pref");
    QProcess program;
    {
        // The child takes the limit with it; the test itself goes on without.
        HostileFiles::FileSizeLimit full(8);
        ASSERT_TRUE(full.active());
        ASSERT_TRUE(startIn(home.path(), program, QProcess::SeparateChannels));
        ASSERT_TRUE(program.waitForStarted(10000));
    }
    ASSERT_TRUE(catchesEndSignals(program));
    ASSERT_EQ(::kill(pid_t(program.processId()), SIGTERM), 0);

    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(program.exitCode(), 0);
    const QString said = QString::fromUtf8(program.readAllStandardError());
    EXPECT_TRUE(said.contains(QStringLiteral("初期設定ファイルを保存できません。"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("「%1」").arg(pref))) << said.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pref));
}

} // namespace
