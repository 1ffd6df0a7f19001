// The page setup on installed printers: two queues of a print server the
// test starts itself, with a real driver's paper list and printable margins.

#include "ui/AppPrintSetup.h"

#include "MainWindowFixture.h"
#include "PrivateCups.h"
#include "core/App.h"
#include "core/Globals.h"
#include "core/PageSetup.h"
#include "support/TestMain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

using MainWindowTesting::answerModal;

QString onPrinter(const QString& printer, QPageSize::PageSizeId page, const QMarginsF& margins)
{
    return PageSetup::encode(
        {printer, QPageLayout(QPageSize(page), QPageLayout::Landscape, margins, QPageLayout::Point)});
}

class InstalledPrinters : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const QString what = PrivateCups::missing(); !what.isEmpty())
            GTEST_SKIP() << "no private print server: " << what.toStdString() << " is missing";
        if (!QFileInfo::exists(PrivateCups::genericPpd()))
            GTEST_SKIP() << "no driver for the queues: " << PrivateCups::genericPpd().toStdString() << " is missing";
        cups = std::make_unique<PrivateCups>();
        ASSERT_TRUE(cups->start()) << cups->error().toStdString();
        ASSERT_TRUE(cups->addQueue(QStringLiteral("Office")));
        ASSERT_TRUE(cups->addQueue(QStringLiteral("Photo")));
        ASSERT_TRUE(cups->setDefault(QStringLiteral("Office")));
        ASSERT_EQ(QPrinterInfo::defaultPrinterName(), QStringLiteral("Office"));
        savedPref = Globals::gPref;
        app.InitVal();
        Globals::gPref[10] = 0;
        AppPrintSetup::install(app);
    }
    void TearDown() override
    {
        Globals::gPref = savedPref;
        Globals::gPrintSetup.clear();
        cups.reset();
    }
    std::unique_ptr<PrivateCups> cups;
    App app;
    std::array<int32_t, 51> savedPref{};
};

TEST_F(InstalledPrinters, TheStoredPrinterIsUsedWhileItIsInstalledElseTheDefaultOne)
{
    const QString onPhoto = onPrinter(QStringLiteral("Photo"), QPageSize::A5, QMarginsF(20, 40, 20, 40));
    {
        QPrinter printer;
        ASSERT_TRUE(AppPrintSetup::apply(printer, onPhoto));
        EXPECT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
        EXPECT_EQ(printer.printerName(), QStringLiteral("Photo"));
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
        EXPECT_EQ(AppPrintSetup::printableSize(printer), QSize(595 - 40, 420 - 80));
        EXPECT_EQ(AppPrintSetup::setupString(printer), onPhoto);
    }

    ASSERT_TRUE(cups->removeQueue(QStringLiteral("Photo")));
    QPrinter printer;
    ASSERT_TRUE(AppPrintSetup::apply(printer, onPhoto));
    EXPECT_EQ(printer.printerName(), QStringLiteral("Office"));
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(AppPrintSetup::printableSize(printer), QSize(595 - 40, 420 - 80));
}

TEST_F(InstalledPrinters, MarginsNarrowerThanThePrinterCanPrintBecomeItsNarrowest)
{
    // This driver prints no closer than 18 pt to the sides and 36 pt to the
    // top and bottom edges; the page itself is still taken.
    QPrinter printer;
    ASSERT_TRUE(AppPrintSetup::apply(printer, onPrinter(QStringLiteral("Office"), QPageSize::A5, QMarginsF(5, 50, 5, 5))));
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.pageLayout().margins(QPageLayout::Point), QMarginsF(18, 50, 18, 36));
}

TEST_F(InstalledPrinters, TheDialogOpensOnTheStoredPageAndItsChoiceIsKept)
{
    std::unique_ptr<PrinterSetup> ps = app.NewPrinterSetup();
    ASSERT_TRUE(ps->SetSetupString(onPrinter(QStringLiteral("Photo"), QPageSize::A5, QMarginsF(20, 40, 20, 40))));
    app.PrintSetupParam(*ps);

    QString page;
    bool landscape = false;
    QMarginsF shown;
    ASSERT_EQ(answerModal<QPageSetupDialog>([&] { app.PrintSetup(); },
                                            [&](QPageSetupDialog* dlg) {
                                                auto* pages = dlg->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
                                                page = pages->currentText();
                                                landscape = dlg->findChild<QRadioButton*>(QStringLiteral("landscape"))
                                                                ->isChecked();
                                                auto margin = [dlg](const char* name) {
                                                    return dlg->findChild<QDoubleSpinBox*>(QLatin1String(name));
                                                };
                                                const auto unit = dlg->findChild<QComboBox*>(QStringLiteral("unitCombo"))
                                                                      ->currentData()
                                                                      .value<QPageLayout::Unit>();
                                                shown = QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape,
                                                                    QMarginsF(margin("leftMargin")->value(),
                                                                              margin("topMargin")->value(),
                                                                              margin("rightMargin")->value(),
                                                                              margin("bottomMargin")->value()),
                                                                    unit)
                                                            .margins(QPageLayout::Point);
                                                // Another paper, a top margin of 80 pt in the dialog's
                                                // unit, and no left margin at all.
                                                pages->setCurrentIndex(pages->findText(QStringLiteral("A4")));
                                                const QPageLayout wanted(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                                                         QMarginsF(0, 80, 0, 0), QPageLayout::Point);
                                                margin("topMargin")->setValue(wanted.margins(unit).top());
                                                margin("leftMargin")->setValue(0);
                                                dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                                            }),
              1);
    EXPECT_EQ(page, QStringLiteral("A5"));
    EXPECT_TRUE(landscape);
    EXPECT_NEAR(shown.left(), 20, 0.05);
    EXPECT_NEAR(shown.top(), 40, 0.05);
    EXPECT_NEAR(shown.right(), 20, 0.05);
    EXPECT_NEAR(shown.bottom(), 40, 0.05);

    // The printer cannot print as close to the edge as the dialog let the
    // user ask: the choice is kept all the same, with the printer's narrowest
    // margin on that side.
    const auto stored = PageSetup::decode(Globals::gPrintSetup.value(QStringLiteral("SetupString")).toString());
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->printerName, QStringLiteral("Photo"));
    EXPECT_EQ(stored->layout.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(stored->layout.orientation(), QPageLayout::Landscape);
    const QMarginsF margins = stored->layout.margins(QPageLayout::Point);
    EXPECT_NEAR(margins.left(), 18, 0.05);
    EXPECT_NEAR(margins.top(), 80, 0.05);
    EXPECT_NEAR(margins.right(), 20, 0.05);
    EXPECT_NEAR(margins.bottom(), 40, 0.05);
    EXPECT_EQ(Globals::gPrintSetup.value(QStringLiteral("Width")).toInt(), 842 - 18 - 20);
    EXPECT_EQ(Globals::gPrintSetup.value(QStringLiteral("Height")).toInt(), stored->layout.paintRectPoints().height());
}

} // namespace
