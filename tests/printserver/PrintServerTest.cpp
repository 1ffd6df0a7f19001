// Printing through a real print server: a CUPS daemon of the test's own, with
// its configuration, spool and socket in a temporary folder, found by the
// program through CUPS_SERVER. The machine's own print server is never asked.
//
// This program holds this one test: libcups settles on its server the first
// time anything in a process asks for a printer, so the test must be the
// first in its process to do so.

#include "ui/MainWindowFixture.h"
#include "ui/PdfPages.h"
#include "ui/PrintSetupLink.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <unistd.h>

using namespace MainWindowTesting;

namespace {

const QStringList kSystemBin{QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin")};
const QString kDebianServerBin = QStringLiteral("/usr/lib/cups");
const QString kQueue = QStringLiteral("morvelin-test");

QString findTool(const QString& name) { return QStandardPaths::findExecutable(name, kSystemBin); }

bool writeText(const QString& path, const QString& text, QFile::Permissions permissions)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(text.toUtf8()) < 0)
        return false;
    f.close();
    return f.setPermissions(permissions);
}

constexpr QFile::Permissions kOpen = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                     | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
constexpr QFile::Permissions kShared = kOpen | QFile::WriteGroup | QFile::WriteOther;

// A cupsd of the test's own. Its one queue hands every job to a backend of a
// few lines that copies the job into a folder: Debian's raw queue on a file:
// device completes jobs without writing them.
class PrivateCups {
public:
    ~PrivateCups() { stop(); }

    QString socket() const { return m_dir.filePath(QStringLiteral("cups.sock")); }
    QString jobs() const { return m_dir.filePath(QStringLiteral("jobs")); }
    QString errorLog() const
    {
        QFile f(m_dir.filePath(QStringLiteral("log/error_log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll().right(3000)) : QString();
    }

    bool start(const QString& cupsd, QString& error)
    {
        if (!m_dir.isValid()) {
            error = QStringLiteral("no temporary folder");
            return false;
        }
        const QString d = m_dir.path();
        QDir root(d);
        // The daemon runs its jobs as another user: that user must reach the
        // backend and write the jobs folder.
        QFile::setPermissions(d, kOpen);
        for (const char* sub : {"root", "spool", "cache", "state", "tmp", "log", "jobs", "bin", "bin/backend"})
            root.mkpath(QString::fromLatin1(sub));
        QFile::setPermissions(jobs(), kShared);
        QFile::setPermissions(root.filePath(QStringLiteral("tmp")), kShared);

        // The daemon's helper programs are Debian's, but for the backends.
        for (const QString& entry : QDir(kDebianServerBin).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            if (entry != QLatin1String("backend"))
                QFile::link(QDir(kDebianServerBin).filePath(entry), root.filePath(QStringLiteral("bin/") + entry));
        }
        const QString backend = QStringLiteral(R"(#!/bin/sh
# Without arguments cupsd asks which devices this backend offers.
if [ $# -eq 0 ]; then echo 'direct morvelin "Unknown" "Morvelin test queue"'; exit 0; fi
out="${DEVICE_URI#morvelin:}"
if [ -n "$6" ]; then cat "$6" > "$out/.job-$1"; else cat > "$out/.job-$1"; fi
chmod 644 "$out/.job-$1"
mv "$out/.job-$1" "$out/job-$1.pdf"
)");
        if (!writeText(root.filePath(QStringLiteral("bin/backend/morvelin")), backend, kOpen)) {
            error = QStringLiteral("cannot write the backend");
            return false;
        }

        const QString conf = QStringLiteral("Listen %1\nLogLevel info\nBrowsing No\nDefaultAuthType None\n"
                                            "WebInterface No\n<Location />\n  Order allow,deny\n  Allow all\n"
                                            "</Location>\n<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                            "    Allow all\n  </Limit>\n</Policy>\n")
                                 .arg(socket());
        // cupsd refuses to run jobs as root.
        const QString user = geteuid() == 0 ? QStringLiteral("lp") : qEnvironmentVariable("USER");
        const QString files = QStringLiteral("ServerRoot %1/root\nRequestRoot %1/spool\nCacheDir %1/cache\n"
                                             "StateDir %1/state\nTempDir %1/tmp\nServerBin %1/bin\n"
                                             "DataDir /usr/share/cups\nAccessLog %1/log/access_log\n"
                                             "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\n"
                                             "User %2\nSystemGroup root\n")
                                  .arg(d, user);
        if (!writeText(root.filePath(QStringLiteral("cupsd.conf")), conf, kOpen & ~QFile::ExeOwner)
            || !writeText(root.filePath(QStringLiteral("cups-files.conf")), files, kOpen & ~QFile::ExeOwner)) {
            error = QStringLiteral("cannot write the configuration");
            return false;
        }

        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        m_cupsd.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), root.filePath(QStringLiteral("cupsd.conf")),
                              QStringLiteral("-s"), root.filePath(QStringLiteral("cups-files.conf"))});
        if (!m_cupsd.waitForStarted()) {
            error = QStringLiteral("cupsd did not start");
            return false;
        }
        // Ready once it answers on its socket.
        while (m_cupsd.state() == QProcess::Running) {
            if (QFileInfo::exists(socket()) && run(findTool(QStringLiteral("lpstat")), {QStringLiteral("-r")}))
                return true;
            QThread::msleep(50);
        }
        error = QStringLiteral("cupsd stopped: ") + QString::fromUtf8(m_cupsd.readAll()) + errorLog();
        return false;
    }

    // A client tool run against this server only.
    bool run(const QString& tool, const QStringList& args, QString* output = nullptr)
    {
        if (tool.isEmpty())
            return false;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), socket());
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(tool, args);
        const bool ok = p.waitForFinished() && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        if (output)
            *output = QString::fromUtf8(p.readAll());
        return ok;
    }

    void stop()
    {
        if (m_cupsd.state() == QProcess::NotRunning)
            return;
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished();
        }
    }

private:
    QTemporaryDir m_dir;
    QProcess m_cupsd;
};

class PrintServerTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        Globals::gPrintSetup = savedSetup;
        MainWindowTest::TearDown();
    }
    QVariantMap savedSetup = Globals::gPrintSetup;
};

TEST_F(PrintServerTest, TwoPagesOfACdYearArriveAsTwoOnePagePdfJobs)
{
    const QString cupsd = findTool(QStringLiteral("cupsd"));
    if (cupsd.isEmpty())
        GTEST_SKIP() << "cupsd is not installed (Debian package cups)";

    PrivateCups cups;
    QString error;
    ASSERT_TRUE(cups.start(cupsd, error)) << error.toStdString();
    QString output;
    ASSERT_TRUE(cups.run(findTool(QStringLiteral("lpadmin")),
                         {QStringLiteral("-p"), kQueue, QStringLiteral("-E"), QStringLiteral("-v"),
                          QStringLiteral("morvelin:") + cups.jobs(), QStringLiteral("-m"), QStringLiteral("raw")},
                         &output))
        << output.toStdString() << cups.errorLog().toStdString();

    // From here on the program's printing talks to this server.
    qputenv("CUPS_SERVER", QFile::encodeName(cups.socket()));
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(kQueue)) << cups.errorLog().toStdString();

    // The page setup names the queue, as the page-setup dialog leaves it.
    {
        QPrinter printer;
        printer.setPrinterName(kQueue);
        ASSERT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(20, 20, 20, 20), QPageLayout::Point));
        const QRect area = printer.pageLayout().paintRectPoints();
        Globals::gPrintSetup = QVariantMap{{QStringLiteral("SetupString"), PrintSetupLink::setupString(printer)},
                                           {QStringLiteral("Width"), area.width()},
                                           {QStringLiteral("Height"), area.height()}};
    }

    // Twelve months of 13 cm CD sheets from April 2027, a dialog on every
    // page, the third one cancelled.
    ctl<QComboBox>("PopupMenu4")->setCurrentIndex(1);
    data().setValue("prKind", 0);
    data().setValue("stYY", 2027);
    data().setValue("stMM", 4);
    Globals::gPref[4] = 0;
    Globals::gPref[5] = 0;
    QStringList chosen;
    int n = 0;
    const int dialogs = answerModal<QPrintDialog>([this] { w->PrintSheet(); },
                                                  [&](QPrintDialog* dialog) {
                                                      if (n++ >= 2) {
                                                          dialog->reject();
                                                          return;
                                                      }
                                                      auto* printers =
                                                          dialog->findChild<QComboBox*>(QStringLiteral("printers"));
                                                      chosen << (printers ? printers->currentText() : QString());
                                                      dialog->accept();
                                                  });
    EXPECT_EQ(dialogs, 3);
    EXPECT_EQ(chosen, (QStringList{kQueue, kQueue}));

    // Both jobs reach the backend; nothing else is queued.
    const QDir jobs(cups.jobs());
    QStringList arrived;
    QElapsedTimer bail;
    bail.start();
    while (bail.elapsed() < 60000) {
        arrived = jobs.entryList({QStringLiteral("job-*.pdf")}, QDir::Files, QDir::Name);
        QString pending;
        if (arrived.size() >= 2 && cups.run(findTool(QStringLiteral("lpstat")), {QStringLiteral("-o")}, &pending)
            && pending.trimmed().isEmpty())
            break;
        QThread::msleep(50);
    }
    ASSERT_EQ(arrived, (QStringList{"job-1.pdf", "job-2.pdf"})) << cups.errorLog().toStdString();
    ASSERT_TRUE(cups.run(findTool(QStringLiteral("lpstat")),
                         {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), kQueue}, &output));
    EXPECT_EQ(output.trimmed().split(u'\n').size(), 2) << output.toStdString();

    const QString first = jobs.filePath(QStringLiteral("job-1.pdf"));
    const QString second = jobs.filePath(QStringLiteral("job-2.pdf"));
    EXPECT_EQ(PdfPages::pageCount(first), 1);
    EXPECT_EQ(PdfPages::pageCount(second), 1);
    EXPECT_EQ(PdfPages::titles(first), (QStringList{"2027.4", "2027.5"}));
    EXPECT_EQ(PdfPages::titles(second), (QStringList{"2027.6", "2027.7"}));

    cups.stop();
    qunsetenv("CUPS_SERVER");
}

} // namespace
