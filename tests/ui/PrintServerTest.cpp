// Printing through a real print server: the test's own cupsd, with one
// queue whose jobs arrive in a folder. The machine's own print server is never
// asked.

#include "MainWindowFixture.h"
#include "PdfPages.h"
#include "PrivateCups.h"

#include "ui/AppPrintSetup.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QThread>

using namespace MainWindowTesting;

namespace {

const QString kQueue = QStringLiteral("morvelin-test");
// A queue that prints to nowhere: the page setup's printer, which the user
// passes over in the print dialog.
const QString kOtherQueue = QStringLiteral("morvelin-elsewhere");

class PrintServerTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        if (const QString what = PrivateCups::missing(); !what.isEmpty())
            GTEST_SKIP() << "no private print server: " << what.toStdString()
                         << " is missing (Debian packages cups-daemon, cups-client)";

        ASSERT_TRUE(cups.start()) << cups.error().toStdString();
        // The server runs its jobs as lp, which reaches the server's own
        // folder. The jobs folder's name goes into the queue's device URI
        // percent-encoded, and the backend must decode it.
        jobsFolder = cups.folder() + QStringLiteral("/届いた jobs%");
        ASSERT_TRUE(QDir().mkpath(jobsFolder));
        ASSERT_TRUE(QFile::setPermissions(jobsFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                          | QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                                          | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));
        ASSERT_TRUE(cups.addJobQueue(kQueue, jobsFolder));
        ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(kQueue));
    }

    void TearDown() override
    {
        Globals::gPrintSetup = savedSetup;
        MainWindowTest::TearDown();
    }

    // The page setup names `queue`, as the page-setup dialog leaves it.
    static void storePageSetupOn(const QString& queue)
    {
        QPrinter printer;
        printer.setPrinterName(queue);
        ASSERT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(20, 20, 20, 20), QPageLayout::Point));
        storePageSetupOf(printer);
    }

    // Waits until `count` jobs have reached the jobs folder and nothing is left
    // queued anywhere; the names of the jobs that arrived.
    QStringList arrivedJobs(qsizetype count) const
    {
        const QDir jobs(jobsFolder);
        QStringList arrived;
        QString output;
        QElapsedTimer bail;
        bail.start();
        while (bail.elapsed() < 60000) {
            arrived = jobs.entryList({QStringLiteral("job-*.pdf")}, QDir::Files, QDir::Name);
            if (arrived.size() >= count
                && PrivateCups::run(QStringLiteral("lpstat"), {QStringLiteral("-o")}, &output)
                && output.trimmed().isEmpty())
                break;
            QThread::msleep(50);
        }
        return arrived;
    }

    QString job(const QString& name) const { return QDir(jobsFolder).filePath(name); }

    QVariantMap savedSetup = Globals::gPrintSetup;
    QString jobsFolder;
    PrivateCups cups;
};

TEST_F(PrintServerTest, TwoPagesOfACdYearArriveAsTwoOnePagePdfJobs)
{
    storePageSetupOn(kQueue);

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

    // Both jobs reach the backend, and nothing is left queued.
    ASSERT_EQ(arrivedJobs(2), (QStringList{"job-1.pdf", "job-2.pdf"}));

    EXPECT_EQ(PdfPages::pageCount(job("job-1.pdf")), 1);
    EXPECT_EQ(PdfPages::pageCount(job("job-2.pdf")), 1);
    EXPECT_EQ(PdfPages::titles(job("job-1.pdf")), (QStringList{"2027.4", "2027.5"}));
    EXPECT_EQ(PdfPages::titles(job("job-2.pdf")), (QStringList{"2027.6", "2027.7"}));
}

TEST_F(PrintServerTest, PagesWithoutADialogGoToThePrinterChosenForTheFirst)
{
    // The page setup was made on another printer; the user picks this one
    // for the first page, and the second page opens no dialog.
    ASSERT_TRUE(cups.addQueue(kOtherQueue));
    storePageSetupOn(kOtherQueue);
    data().setValue("prKind", 0);
    data().setValue("stYY", 2027);
    data().setValue("stMM", 4);
    Globals::gPref[4] = 1;
    const int dialogs = answerModal<QPrintDialog>([this] { w->PrintSheet(); },
                                                  [&](QPrintDialog* dialog) {
                                                      auto* printers =
                                                          dialog->findChild<QComboBox*>(QStringLiteral("printers"));
                                                      ASSERT_NE(printers, nullptr);
                                                      ASSERT_EQ(printers->currentText(), kOtherQueue);
                                                      printers->setCurrentIndex(printers->findText(kQueue));
                                                      dialog->accept();
                                                  });
    EXPECT_EQ(dialogs, 1);

    ASSERT_EQ(arrivedJobs(2), (QStringList{"job-1.pdf", "job-2.pdf"}));
    EXPECT_EQ(PdfPages::titles(job("job-1.pdf")).value(0), QStringLiteral("2027.4"));
    EXPECT_EQ(PdfPages::titles(job("job-2.pdf")).value(0), QStringLiteral("2027.10"));
}

} // namespace
