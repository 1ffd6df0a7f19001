#include "MainWindowFixture.h"
#include "PdfPages.h"

#include "support/HostileFiles.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"
#include "ui/AppPrintSetup.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include <ostream>
#include <string>

#include <unistd.h>

using namespace MainWindowTesting;

namespace {

// Ink on a grey picture of a printed page.
bool dark(const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 200; }

// The [first, last] pixels of each run of ink along row y.
QList<std::pair<int, int>> inkRuns(const QImage& img, int y)
{
    QList<std::pair<int, int>> runs;
    int start = -1;
    for (int x = 0; x <= img.width(); ++x) {
        const bool ink = x < img.width() && dark(img, x, y);
        if (ink && start < 0)
            start = x;
        if (!ink && start >= 0) {
            runs.append({start, x - 1});
            start = -1;
        }
    }
    return runs;
}

// Types a file name into the print dialog, as a user choosing PDF output does, and prints.
void printToFile(QPrintDialog* dialog, const QString& path)
{
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    dialog->accept();
}

QString proposedFile(QPrintDialog* dialog)
{
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    return name ? name->text() : QString();
}

class PrintTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        savedSetup = Globals::gPrintSetup;
        ASSERT_TRUE(out.isValid());
        // A 600 x 840 point page with 20 point margins: 560 x 800 to print on.
        storePageSetup(QSizeF(600, 840), 20);
        data().setValue("stYY", 2014);
        data().setValue("stMM", 4);
        w->pWork.dropEdits();
    }

    void TearDown() override
    {
        Globals::gPrintSetup = savedSetup;
        MainWindowTest::TearDown();
    }

    // A page setup as the page-setup dialog leaves it: PDF output on a custom page.
    static void storePageSetup(QSizeF page, double margin)
    {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageLayout(QPageLayout(QPageSize(page, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                          QPageLayout::Portrait, QMarginsF(margin, margin, margin, margin),
                                          QPageLayout::Point));
        storePageSetupOf(printer);
    }

    void setSize(int size) { ctl<QComboBox>("PopupMenu4")->setCurrentIndex(size); }

    // Sheets of black hairline grids only: no text crosses the lines being
    // measured, and the grid has a pen at every scale.
    void linesOnly()
    {
        for (const char* key : {"dayFsize", "dowFsize", "ymFsize", "holFsize", "annFsize"})
            data().setValue(QString::fromLatin1(key), 0);
        data().setValue("lineColor", 0);
        data().setValue("line", 0);
    }

    QString file(const QString& name) const { return QDir(out.path()).filePath(name); }

    // The longest file name, in bytes, the output folder's file system takes; -1 when it sets none.
    long longestName() const { return ::pathconf(QFile::encodeName(out.path()).constData(), _PC_NAME_MAX); }

    // Runs the print command, answering its n-th print dialog (from 0) with
    // `answer`; returns how many print dialogs it showed.
    int print(const std::function<void(QPrintDialog*, int)>& answer)
    {
        int n = 0;
        return answerModal<QPrintDialog>([this] { w->PrintSheet(); },
                                         [&](QPrintDialog* dialog) { answer(dialog, n++); });
    }

    // Prints into `name` through the first dialog; later dialogs are accepted as they stand.
    int printTo(const QString& name)
    {
        return print([&](QPrintDialog* dialog, int n) {
            if (n == 0)
                printToFile(dialog, file(name));
            else
                dialog->accept();
        });
    }

    QTemporaryDir out;
    QVariantMap savedSetup;
};

TEST_F(PrintTest, TwelveFloppyMonthsOnTwoPagesThroughOneDialog)
{
    Globals::gPref[4] = 1;
    // Every page has its own name free: nothing to tell.
    auto notice = MessageBoxDriver::answer(QStringLiteral("OK"), MessageBoxDriver::Action::Click,
                                           MessageBoxDriver::kUntilStopped);
    bool optionsOff = false;
    EXPECT_EQ(print([&](QPrintDialog* dialog, int) {
                  optionsOff = !dialog->testOption(QAbstractPrintDialog::PrintPageRange)
                               && !dialog->testOption(QAbstractPrintDialog::PrintSelection)
                               && !dialog->testOption(QAbstractPrintDialog::PrintCurrentPage);
                  printToFile(dialog, file("floppy.pdf"));
              }),
              1);
    notice->stopWaiting = true;
    EXPECT_FALSE(notice->shown) << notice->text.toStdString();
    EXPECT_TRUE(optionsOff);

    // The later page went beside the first one, each page a PDF of its own.
    EXPECT_EQ(PdfPages::pageCount(file("floppy.pdf")), 1);
    EXPECT_EQ(PdfPages::pageCount(file("floppy-2.pdf")), 1);
    EXPECT_FALSE(QFileInfo::exists(file("floppy-3.pdf")));
    EXPECT_EQ(PdfPages::titles(file("floppy.pdf")),
              (QStringList{"2014.4", "2014.5", "2014.6", "2014.7", "2014.8", "2014.9"}));
    EXPECT_EQ(PdfPages::titles(file("floppy-2.pdf")),
              (QStringList{"2014.10", "2014.11", "2014.12", "2015.1", "2015.2", "2015.3"}));

    // A print changes nothing in the dataset.
    EXPECT_EQ(data().i32("stYY"), 2014);
    EXPECT_EQ(data().i32("stMM"), 4);
    EXPECT_FALSE(w->pWork.hasEdits());
}

TEST_F(PrintTest, EveryPageHasItsDialogUntilOneIsCancelled)
{
    Globals::gPref[4] = 0;
    setSize(1);
    data().setValue("stMM", 11);
    QString secondProposal;
    EXPECT_EQ(print([&](QPrintDialog* dialog, int n) {
                  if (n == 0) {
                      printToFile(dialog, file("cd.pdf"));
                  } else if (n == 1) {
                      secondProposal = proposedFile(dialog);
                      dialog->accept();
                  } else {
                      dialog->reject();
                  }
              }),
              3);
    EXPECT_EQ(secondProposal, file("cd-2.pdf"));
    EXPECT_EQ(PdfPages::titles(file("cd.pdf")), (QStringList{"2014.11", "2014.12"}));
    EXPECT_EQ(PdfPages::titles(file("cd-2.pdf")), (QStringList{"2015.1", "2015.2"}));
    EXPECT_FALSE(QFileInfo::exists(file("cd-3.pdf")));
}

TEST_F(PrintTest, WholeYearOfCdSheetsRunsToPageSix)
{
    Globals::gPref[4] = 1;
    setSize(2);
    data().setValue("stMM", 11);
    EXPECT_EQ(printTo("cd.pdf"), 1);
    EXPECT_EQ(PdfPages::titles(file("cd-6.pdf")), (QStringList{"2015.9", "2015.10"}));
    EXPECT_FALSE(QFileInfo::exists(file("cd-7.pdf")));
}

TEST_F(PrintTest, OnePageRangePrintsOnePage)
{
    Globals::gPref[4] = 1;
    for (int32_t prKind : {1, 2}) {
        for (int size : {0, 3}) {
            setSize(size);
            data().setValue("prKind", prKind);
            const QString name = QStringLiteral("one-%1-%2.pdf").arg(prKind).arg(size);
            EXPECT_EQ(printTo(name), 1);
            EXPECT_EQ(PdfPages::titles(file(name)).size(), size == 0 ? 6 : 2) << name.toStdString();
            EXPECT_FALSE(QFileInfo::exists(file(name).replace(".pdf", "-2.pdf"))) << name.toStdString();
        }
    }
}

TEST_F(PrintTest, ProposesAFileInTheHomeFolderNamedAfterTheFirstMonth)
{
    Globals::gPref[4] = 1;
    data().setValue("stYY", 2027);
    const QString first = QDir(TestEnv::home()).filePath("Morvelin-2027-04.pdf");
    const QString second = QDir(TestEnv::home()).filePath("Morvelin-2027-04-2.pdf");
    QString proposal;
    EXPECT_EQ(print([&](QPrintDialog* dialog, int) {
                  proposal = proposedFile(dialog);
                  dialog->accept();
              }),
              1);
    EXPECT_EQ(proposal, first);
    EXPECT_EQ(PdfPages::titles(first).value(0), QStringLiteral("2027.4"));
    EXPECT_EQ(PdfPages::titles(second).value(0), QStringLiteral("2027.10"));
    QFile::remove(first);
    QFile::remove(second);
}

TEST_F(PrintTest, ALaterPageTakesTheNextFreeNameAndTheUserIsToldWhere)
{
    Globals::gPref[4] = 1;
    setSize(1);
    data().setValue("stMM", 11);
    TestFiles::plant(file("cd-2.pdf"), "the user's own cd-2");
    ASSERT_TRUE(QFile::link(file("nowhere"), file("cd-4.pdf")));

    auto notice = MessageBoxDriver::answer(QStringLiteral("OK"));
    EXPECT_EQ(printTo("cd.pdf"), 1);
    ASSERT_TRUE(notice->shown);
    EXPECT_EQ(notice->text, QStringLiteral("同じ名前のファイルがあったため、別の名前で書き出したページがあります。"));
    EXPECT_EQ(notice->informativeText, QStringLiteral("2ページ目：「cd-3.pdf」\n3ページ目：「cd-5.pdf」\n"
                                                      "4ページ目：「cd-6.pdf」\n5ページ目：「cd-7.pdf」\n"
                                                      "6ページ目：「cd-8.pdf」\n"
                                                      "同じ名前で既にあったファイルはそのままです。"));

    EXPECT_EQ(TestFiles::bytesOf(file("cd-2.pdf")), QByteArray("the user's own cd-2"));
    EXPECT_TRUE(QFileInfo(file("cd-4.pdf")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(file("nowhere")));
    EXPECT_EQ(PdfPages::titles(file("cd.pdf")), (QStringList{"2014.11", "2014.12"}));
    EXPECT_EQ(PdfPages::titles(file("cd-3.pdf")), (QStringList{"2015.1", "2015.2"}));
    EXPECT_EQ(PdfPages::titles(file("cd-5.pdf")), (QStringList{"2015.3", "2015.4"}));
    EXPECT_EQ(PdfPages::titles(file("cd-8.pdf")), (QStringList{"2015.9", "2015.10"}));
    EXPECT_FALSE(QFileInfo::exists(file("cd-9.pdf")));
}

TEST_F(PrintTest, ALaterPagesDialogProposesTheNextFreeName)
{
    Globals::gPref[4] = 0;
    TestFiles::plant(file("floppy-2.pdf"), "kept");
    QString secondProposal;
    // The user saw where the page goes: nothing to tell afterwards.
    auto notice = MessageBoxDriver::answer(QStringLiteral("OK"), MessageBoxDriver::Action::Click,
                                           MessageBoxDriver::kUntilStopped);
    EXPECT_EQ(print([&](QPrintDialog* dialog, int n) {
                  if (n == 0) {
                      printToFile(dialog, file("floppy.pdf"));
                      return;
                  }
                  secondProposal = proposedFile(dialog);
                  dialog->accept();
              }),
              2);
    notice->stopWaiting = true;
    EXPECT_FALSE(notice->shown);
    EXPECT_EQ(secondProposal, file("floppy-3.pdf"));
    EXPECT_EQ(TestFiles::bytesOf(file("floppy-2.pdf")), QByteArray("kept"));
    EXPECT_EQ(PdfPages::titles(file("floppy-3.pdf")).value(0), QStringLiteral("2014.10"));
}

TEST_F(PrintTest, ALaterPageThatCannotBeWrittenEndsThePrintWithANotice)
{
    Globals::gPref[4] = 1;
    setSize(1);
    // The longest name the file system takes: the first page's file can be
    // made, the numbered one beside it is too long.
    const long longest = longestName();
    if (longest < 0)
        GTEST_SKIP() << "the output folder's file system sets no longest file name";
    const QString stem(longest - 4, u'x');
    const QString first = stem + QStringLiteral(".pdf");
    const QString second = file(stem + QStringLiteral("-2.pdf"));
    auto notice = MessageBoxDriver::answer(QStringLiteral("OK"));
    EXPECT_EQ(printTo(first), 1);
    ASSERT_TRUE(notice->shown);
    EXPECT_EQ(notice->text, QStringLiteral("「%1」に書き込めません。").arg(second));
    EXPECT_EQ(notice->informativeText, QStringLiteral("印刷を中止しました。"));
    EXPECT_EQ(PdfPages::titles(file(first)), (QStringList{"2014.4", "2014.5"}));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{first});
}

// ---- A disk that fills during the print ----

class PrintOnAFullDisk : public PrintTest {
protected:
    // Anniversaries in the second page's months only, each in characters of
    // its own: the second page holds more glyphs, so its file is larger.
    void fillTheSecondPage()
    {
        const QString texts[] = {QStringLiteral("秋祭鯉幟"), QStringLiteral("稲刈紅葉"), QStringLiteral("栗拾柿渋"),
                                 QStringLiteral("菊花展覧"), QStringLiteral("霜月焚火"), QStringLiteral("酉市熊手"),
                                 QStringLiteral("師走煤払"), QStringLiteral("餅搗門松"), QStringLiteral("凧揚羽根"),
                                 QStringLiteral("豆撒鬼面")};
        data().setValue("annName", 2);
        w->pAnvsy.clear();
        const int months[] = {10, 11, 12, 1, 2, 3};
        for (int i = 0; i < 10; ++i)
            w->pAnvsy.append({QVariant(0), QVariant(QString::number(months[i % 6])), QVariant(QString::number(3 + 2 * i)),
                              QVariant(texts[i])});
    }

    // Prints the twelve floppy months into `folder` while no file can grow
    // past `limit` bytes, and gives the notice the print showed. The limit is
    // this process's own: a forked copy of a window that paints cannot paint
    // (Qt's painting threads stay behind).
    std::shared_ptr<SeenMessageBox> printWithLimit(rlim_t limit, const QString& folder)
    {
        auto notice = MessageBoxDriver::answer(QStringLiteral("OK"));
        HostileFiles::FileSizeLimit full(limit);
        EXPECT_TRUE(full.active());
        print([&](QPrintDialog* dialog, int) { printToFile(dialog, QDir(folder).filePath("floppy.pdf")); });
        return notice;
    }

    static void expectStopped(const SeenMessageBox& notice, const QString& file)
    {
        ASSERT_TRUE(notice.shown);
        EXPECT_EQ(notice.text, QStringLiteral("「%1」に書き込めません。").arg(file));
        EXPECT_EQ(notice.informativeText, QStringLiteral("印刷を中止しました。"));
    }

    static QStringList entries(const QString& folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(PrintOnAFullDisk, AFirstPageThatDoesNotFitLeavesNothingAndIsTold)
{
    Globals::gPref[4] = 1;
    expectStopped(*printWithLimit(4096, out.path()), file("floppy.pdf"));
    EXPECT_EQ(entries(out.path()), QStringList());
}

TEST_F(PrintOnAFullDisk, ALaterPageThatDoesNotFitIsToldAndTheEarlierPageStaysWhole)
{
    Globals::gPref[4] = 1;
    fillTheSecondPage();
    // With room enough, for the size each page takes.
    QTemporaryDir room;
    ASSERT_TRUE(room.isValid());
    ASSERT_EQ(printTo(QDir(room.path()).filePath("floppy.pdf")), 1);
    const qint64 first = QFileInfo(QDir(room.path()).filePath("floppy.pdf")).size();
    const qint64 second = QFileInfo(QDir(room.path()).filePath("floppy-2.pdf")).size();
    ASSERT_GT(first, 0);
    ASSERT_GT(second, first + 512) << "the second page is not the larger one";

    // Room for the first page, not for the second.
    expectStopped(*printWithLimit(rlim_t(first + (second - first) / 2), out.path()), file("floppy-2.pdf"));
    EXPECT_EQ(entries(out.path()), QStringList{"floppy.pdf"});
    EXPECT_EQ(PdfPages::titles(file("floppy.pdf")),
              (QStringList{"2014.4", "2014.5", "2014.6", "2014.7", "2014.8", "2014.9"}));
}

TEST_F(PrintTest, CancelledFirstDialogPrintsNothing)
{
    EXPECT_EQ(print([](QPrintDialog* dialog, int) { dialog->reject(); }), 1);
    EXPECT_TRUE(QDir(out.path()).isEmpty());
}

TEST_F(PrintTest, AJobThatCannotBeginEndsThePrint)
{
    // Every page would ask again: a print that went on past the failed page
    // would show the next page's dialog.
    Globals::gPref[4] = 0;
    setSize(1);
    // The dialog takes the name; the file system refuses it.
    const long longest = longestName();
    if (longest < 0)
        GTEST_SKIP() << "the output folder's file system sets no longest file name";
    const QString tooLong = file(QString(longest - 3, u'x') + ".pdf");
    auto notice = MessageBoxDriver::answer(QStringLiteral("OK"));
    EXPECT_EQ(print([&](QPrintDialog* dialog, int) { printToFile(dialog, tooLong); }), 1);
    EXPECT_TRUE(notice->shown);
    EXPECT_EQ(notice->text, QStringLiteral("「%1」に書き込めません。").arg(tooLong));
    EXPECT_EQ(notice->informativeText, QStringLiteral("印刷を中止しました。"));
    EXPECT_TRUE(QDir(out.path()).isEmpty());
}

TEST_F(PrintTest, AnUnknownSheetSizePrintsNothing)
{
    data().setValue("size", 4);
    EXPECT_EQ(printTo("none.pdf"), 0);
    EXPECT_TRUE(QDir(out.path()).isEmpty());
}

TEST_F(PrintTest, WithoutAPageSetupThePageSetupDialogComesFirst)
{
    Globals::gPref[4] = 1;
    // The application as the program starts it: no page setup yet, Qt's page-setup dialog.
    App app;
    app.InitVal();
    AppPrintSetup::install(app);
    ASSERT_TRUE(Globals::gPrintSetup.value("SetupString").toString().isEmpty());

    // Cancelled: nothing is printed and no print dialog opens.
    QStringList seen;
    answerModal<QDialog>([this] { w->PrintSheet(); },
                         [&](QDialog* dialog) {
                             seen << QString::fromLatin1(dialog->metaObject()->className());
                             dialog->reject();
                         });
    EXPECT_EQ(seen, QStringList{"QPageSetupDialog"});
    EXPECT_TRUE(Globals::gPrintSetup.value("SetupString").toString().isEmpty());

    // A3 chosen: that page lays out the sheets, and the second page asks for no page setup.
    seen.clear();
    answerModal<QDialog>([this] { w->PrintSheet(); },
                         [&](QDialog* dialog) {
                             seen << QString::fromLatin1(dialog->metaObject()->className());
                             if (auto* print = qobject_cast<QPrintDialog*>(dialog)) {
                                 printToFile(print, file("chosen.pdf"));
                                 return;
                             }
                             auto* paper = dialog->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
                             ASSERT_NE(paper, nullptr);
                             paper->setCurrentIndex(paper->findText(QStringLiteral("A3")));
                             dialog->accept();
                         });
    EXPECT_EQ(seen, (QStringList{"QPageSetupDialog", "QPrintDialog"}));
    ASSERT_FALSE(Globals::gPrintSetup.value("SetupString").toString().isEmpty());
    EXPECT_EQ(PdfPages::pageCount(file("chosen-2.pdf")), 1);
    EXPECT_NEAR(PdfPages::pageSize(file("chosen.pdf")).width(), 842, 1);
    EXPECT_NEAR(PdfPages::pageSize(file("chosen-2.pdf")).height(), 1191, 1);

    // The block of six sheets is centred on the chosen printable area: its
    // top-left crop mark stands at L = (W - 510) / 2 from the area's edge.
    const int32_t width = Globals::gPrintSetup.value("Width").toInt();
    const int32_t height = Globals::gPrintSetup.value("Height").toInt();
    const QSizeF page = PdfPages::pageSize(file("chosen.pdf"));
    ASSERT_TRUE(page.isValid());
    const double marginLeft = (page.width() - width) / 2.0;
    const double marginTop = (page.height() - height) / 2.0;
    const int32_t left = (width - 510) / 2, top = (height - 780) / 2;
    const QImage band = PdfPages::render(file("chosen.pdf"), 72 * 10,
                                         QRect(0, int((marginTop + top - 6) * 10), int(page.width() * 10), 20));
    const auto runs = inkRuns(band, 10);
    ASSERT_GE(runs.size(), 3);
    EXPECT_NEAR(runs.first().first / 10.0, marginLeft + left, 1.0);
}

// ---- The calibration: what the user measured decides the size on paper ----

struct CalibrationCase {
    int32_t measured;      // gPref(40), 0.1 mm
    int32_t resolution;    // gPref(5)
    double printScale;     // the expected size over the nominal size
};

// As Dpi72_Width910: the print resolution and the width the user measured.
std::string calibrationName(const CalibrationCase& c)
{
    const std::string resolution = c.resolution == 0   ? "Dpi360"
                                   : c.resolution == 1 ? "Dpi72"
                                                       : "UnknownResolution" + std::to_string(c.resolution);
    return resolution + (c.measured == 0 ? "_NoMeasuredWidth" : "_Width" + std::to_string(c.measured));
}

void PrintTo(const CalibrationCase& c, std::ostream* out) { *out << calibrationName(c); }

class PrintCalibration : public PrintTest, public ::testing::WithParamInterface<CalibrationCase> {};

TEST_P(PrintCalibration, SheetsAndGuidesScaleTogetherFromTheCorner)
{
    const CalibrationCase& c = GetParam();
    Globals::gPref[40] = c.measured;
    Globals::gPref[5] = c.resolution;
    data().setValue("prKind", 1);
    linesOnly();
    ASSERT_EQ(printTo("calibrated.pdf"), 1);

    // Pixels of the 720 dpi picture: 10 to a point. On paper one device pixel
    // is 1/360 inch at high resolution and 1/72 at low; the places of the
    // marks are whole device pixels.
    constexpr double kPixelsPerPoint = 10.0;
    const double devicePixel = c.resolution == 0 ? 0.2 : 1.0; // points
    const double tolerance = std::max(0.1 / 25.4 * 72.0, devicePixel);
    const double margin = 20.0;
    const double s = c.printScale;

    // The top marks, 4 points into the band above the block (T = 10).
    const QImage marksBand = PdfPages::render(file("calibrated.pdf"), 720, QRect(0, int((margin + 4 * s) * 10) - 5, 6000, 10));
    ASSERT_FALSE(marksBand.isNull());
    const auto marks = inkRuns(marksBand, 5);
    ASSERT_EQ(marks.size(), 3);
    const double l = marks[0].first / kPixelsPerPoint, m = marks[1].first / kPixelsPerPoint,
                 r = marks[2].first / kPixelsPerPoint;
    // One device pixel wide: the job ran at the resolution asked for.
    EXPECT_NEAR((marks[0].second - marks[0].first + 1) / kPixelsPerPoint, devicePixel, 0.11);
    EXPECT_NEAR(l, margin + 25 * s, tolerance);
    EXPECT_NEAR(m - l, 255 * s, tolerance) << "one sheet's width";
    EXPECT_NEAR(r - l, 510 * s, tolerance);

    // The first sheet's grid, 5 points in from each of its edges.
    const QImage gridBand =
        PdfPages::render(file("calibrated.pdf"), 720, QRect(0, int((margin + 160 * s) * 10) - 5, 6000, 10));
    const auto lines = inkRuns(gridBand, 5);
    ASSERT_EQ(lines.size(), 16);
    EXPECT_NEAR(lines[0].first / kPixelsPerPoint - l, 5 * s, tolerance);
    EXPECT_NEAR(m - lines[7].first / kPixelsPerPoint, 5 * s, tolerance);
    EXPECT_NEAR((lines[7].first - lines[0].first) / kPixelsPerPoint, 245 * s, tolerance);
}

INSTANTIATE_TEST_SUITE_P(MeasuredWidths, PrintCalibration,
                         ::testing::Values(CalibrationCase{900, 0, 1.0}, CalibrationCase{910, 0, 900.0 / 910.0},
                                           CalibrationCase{900, 1, 1.0}, CalibrationCase{910, 1, 900.0 / 910.0},
                                           CalibrationCase{890, 0, 900.0 / 890.0},
                                           // A width of 0 prints at the nominal size.
                                           CalibrationCase{0, 0, 1.0}),
                         [](const ::testing::TestParamInfo<CalibrationCase>& test) {
                             return calibrationName(test.param);
                         });

} // namespace
