// The print command: thin methods that read the window's state and hand it to
// the page layout and the print plan in sheet/, and the one place that talks
// to Qt's printer and print dialog.

#include "ui/Window1.h"

#include "core/App.h"
#include "core/DatasetKeys.h"
#include "core/Globals.h"
#include "platform/Conv.h"
#include "sheet/PageLayout.h"
#include "sheet/PrintPlan.h"
#include "sheet/SheetSurface.h"
#include "ui/AppPrintSetup.h"
#include "ui/Canvas.h"
#include "ui/PrintJob.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace {

const QString kSetupString = QStringLiteral("SetupString");

QString storedSetup() { return Globals::gPrintSetup.value(kSetupString).toString(); }

// Later pages that found their numbered name taken went to the next free one:
// the user is told where, once, after the print.
void tellMovedPages(const PrintJob& job)
{
    if (job.movedPages().isEmpty())
        return;
    QStringList where;
    for (const PrintJob::MovedPage& moved : job.movedPages())
        where << QStringLiteral("%1ページ目：「%2」").arg(moved.page).arg(QFileInfo(moved.file).fileName());
    where << QStringLiteral("同じ名前で既にあったファイルはそのままです。");
    Globals::gCautionDlg1(QStringLiteral("同じ名前のファイルがあったため、別の名前で書き出したページがあります。"),
                          where.join(u'\n'));
}

// A PDF page that could not be made, or did not reach its file whole: the
// print stops there, and says why.
void tellCannotWrite(const PrintJob& job)
{
    const QString file = job.outputFile();
    if (!file.isEmpty())
        Globals::gCautionDlg1(QStringLiteral("「%1」に書き込めません。").arg(QDir::toNativeSeparators(file)),
                              QStringLiteral("印刷を中止しました。"));
}

} // namespace

void Window1::GetSheetPos(Sheet::SheetPositions& positions) const
{
    if (!pDataset || !Canvas1)
        return;
    Sheet::getSheetPos(positions, pDataset->i32(DatasetKey::size), Canvas1->width(), Canvas1->height(),
                       Conv::asInt32(Globals::gPrintSetup.value(QStringLiteral("Width"))),
                       Conv::asInt32(Globals::gPrintSetup.value(QStringLiteral("Height"))));
}

void Window1::PrintSheet2CL(SheetSurface* g, const Sheet::SheetPositions& positions, double scale) const
{
    if (!pDataset || !Canvas1)
        return;
    Sheet::printSheet2CL(g, positions, pDataset->i32(DatasetKey::size), pDataset->i32(DatasetKey::cutline),
                         Canvas1->width(), Canvas1->height(),
                         Conv::asDouble(Globals::gPrintSetup.value(QStringLiteral("Width"))),
                         Conv::asDouble(Globals::gPrintSetup.value(QStringLiteral("Height"))), scale);
}

void Window1::PrintSheet()
{
    if (!pDataset || !Canvas1)
        return;
    const Sheet::PrintPlan plan = Sheet::makePrintPlan(pDataset->i32(DatasetKey::prKind),
                                                       pDataset->i32(DatasetKey::size), Globals::gPref,
                                                       Globals::gSheetW);
    int32_t year = pDataset->i32(DatasetKey::stYY);
    int32_t month = pDataset->i32(DatasetKey::stMM);
    PrintJob job(year, month);
    bool noDialog = false;
    for (int32_t page = 0; page < plan.pageCount; ++page) {
        if (!PrintSheet2(job, noDialog, year, month))
            break;
        noDialog = Globals::gConvIB(Globals::gPref[PrefIndex::kNoDialogAfterFirstPage], true);
    }
    tellMovedPages(job);
}

bool Window1::PrintSheet2(PrintJob& job, bool noDialog, int32_t& year, int32_t& month)
{
    if (!pDataset || !Canvas1)
        return false;
    Sheet::SheetPositions positions{};

    if (storedSetup().isEmpty()) {
        if (App* app = App::instance())
            app->PrintSetup();
    }
    const QString setup = storedSetup();
    if (setup.isEmpty())
        return false;
    QPrinter* printer = job.printer(setup);
    if (!printer)
        return false;

    const Sheet::PrintPlan plan = Sheet::makePrintPlan(pDataset->i32(DatasetKey::prKind),
                                                       pDataset->i32(DatasetKey::size), Globals::gPref,
                                                       Globals::gSheetW);
    if (plan.pageCount == 0)
        return false;
    job.prepareNextPage();
    printer->setResolution(plan.resolution);

    if (!noDialog) {
        QPrintDialog dialog(printer, this);
        // A page is one job of its own: there is nothing to choose among.
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        const bool accepted = dialog.exec() == QDialog::Accepted;
        // The dialog's own file dialog for a PDF can delete and rename files:
        // the list shows what is left.
        RefreshDatasetList();
        if (!accepted)
            return false;
        // The dialog keeps the printer or file the user chose, but it drops a
        // custom paper size: the page is laid out on the stored page format,
        // so that is the format it is printed on.
        AppPrintSetup::applyPage(*printer, setup);
    }

    QPainter painter;
    if (!job.beginPage(painter, !noDialog)) {
        tellCannotWrite(job);
        return false;
    }
    // The calibration holds whatever resolution the printer granted: the
    // sheets, their positions and the guides are drawn at the measured-width
    // correction times the painter's own device pixels per point.
    const double scale = Sheet::deviceScale(plan.printScale, printer->resolution());

    GetSheetPos(positions);
    int32_t runningYear = year, runningMonth = month;
    const QList<Sheet::YearMonth> months = Sheet::takePageMonths(runningYear, runningMonth, positions[0][0]);
    SheetSurface g(painter);
    for (qsizetype j = 0; j < months.size(); ++j)
        DrawCal(g, positions[j + 1][0], positions[j + 1][1], scale, months[j].year, months[j].month);
    PrintSheet2CL(&g, positions, scale);
    if (!job.endPage(painter)) {
        tellCannotWrite(job);
        return false;
    }

    year = runningYear;
    month = runningMonth;
    return true;
}
