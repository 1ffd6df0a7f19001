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
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

using namespace MainWindowTesting;

namespace {

const QString kQueue = QStringLiteral("morvelin-test");

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
    if (QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin")}).isEmpty())
        GTEST_SKIP() << "cupsd is not installed (Debian package cups-daemon)";

    // The server runs its jobs as lp, which must reach its folder and the jobs folder.
    QTemporaryDir base;
    ASSERT_TRUE(base.isValid());
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                      | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(base.path(), open);
    const QString jobsFolder = base.filePath(QStringLiteral("jobs"));
    ASSERT_TRUE(QDir().mkpath(jobsFolder));
    QFile::setPermissions(jobsFolder, open | QFile::WriteGroup | QFile::WriteOther);

    PrivateCups cups;
    ASSERT_TRUE(cups.start(base.filePath(QStringLiteral("cups"))));
    ASSERT_TRUE(cups.addJobQueue(kQueue, jobsFolder));
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(kQueue));

    // The page setup names the queue, as the page-setup dialog leaves it.
    {
        QPrinter printer;
        printer.setPrinterName(kQueue);
        ASSERT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(20, 20, 20, 20), QPageLayout::Point));
        const QRect area = printer.pageLayout().paintRectPoints();
        Globals::gPrintSetup = QVariantMap{{QStringLiteral("SetupString"), AppPrintSetup::setupString(printer)},
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

    // Both jobs reach the backend, and nothing is left queued.
    const QDir jobs(jobsFolder);
    QStringList arrived;
    QString output;
    QElapsedTimer bail;
    bail.start();
    while (bail.elapsed() < 60000) {
        arrived = jobs.entryList({QStringLiteral("job-*.pdf")}, QDir::Files, QDir::Name);
        if (arrived.size() >= 2 && PrivateCups::run(QStringLiteral("lpstat"), {QStringLiteral("-o")}, &output)
            && output.trimmed().isEmpty())
            break;
        QThread::msleep(50);
    }
    ASSERT_EQ(arrived, (QStringList{"job-1.pdf", "job-2.pdf"}));
    ASSERT_TRUE(PrivateCups::run(QStringLiteral("lpstat"),
                                 {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), kQueue},
                                 &output));
    EXPECT_EQ(output.trimmed().split(u'\n').size(), 2) << output.toStdString();

    const QString first = jobs.filePath(QStringLiteral("job-1.pdf"));
    const QString second = jobs.filePath(QStringLiteral("job-2.pdf"));
    EXPECT_EQ(PdfPages::pageCount(first), 1);
    EXPECT_EQ(PdfPages::pageCount(second), 1);
    EXPECT_EQ(PdfPages::titles(first), (QStringList{"2027.4", "2027.5"}));
    EXPECT_EQ(PdfPages::titles(second), (QStringList{"2027.6", "2027.7"}));
}

} // namespace
