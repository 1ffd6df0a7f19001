#include "ui/AppPrintSetup.h"

#include "core/App.h"
#include "core/PageSetup.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>

#include <algorithm>
#include <optional>

namespace AppPrintSetup {

namespace {

// An installed printer refuses a layout as a whole when one margin is
// narrower than it can print; it then takes the page, and each margin as
// close to the edge as it can print.
void setLayoutNearest(QPrinter& printer, const QPageLayout& layout)
{
    if (printer.setPageLayout(layout))
        return;
    printer.setPageSize(layout.pageSize());
    printer.setPageOrientation(layout.orientation());
    QPageLayout now = printer.pageLayout();
    now.setUnits(QPageLayout::Point);
    const QMarginsF least = now.minimumMargins();
    const QMarginsF wanted = layout.margins(QPageLayout::Point);
    printer.setPageMargins(QMarginsF(std::max(wanted.left(), least.left()), std::max(wanted.top(), least.top()),
                                     std::max(wanted.right(), least.right()),
                                     std::max(wanted.bottom(), least.bottom())),
                           QPageLayout::Point);
}

} // namespace

QString setupString(const QPrinter& printer)
{
    PageSetup::PageFormat format;
    if (printer.outputFormat() == QPrinter::NativeFormat)
        format.printerName = printer.printerName();
    format.layout = printer.pageLayout();
    return PageSetup::encode(format);
}

bool apply(QPrinter& printer, const QString& text)
{
    const std::optional<PageSetup::PageFormat> format = PageSetup::decode(text);
    if (!format)
        return false;

    // An empty name stands for the default printer too: a setup made while no
    // printer was installed goes to the one installed since.
    QString target = format->printerName;
    if (target.isEmpty() || QPrinterInfo::printerInfo(target).isNull())
        target = QPrinterInfo::defaultPrinterName();
    if (target.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName() != target) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(target);
    }
    setLayoutNearest(printer, format->layout);
    return true;
}

bool applyPage(QPrinter& printer, const QString& text)
{
    const std::optional<PageSetup::PageFormat> format = PageSetup::decode(text);
    if (!format)
        return false;
    setLayoutNearest(printer, format->layout);
    return true;
}

QSize printableSize(const QPrinter& printer) { return printer.pageLayout().paintRectPoints().size(); }

namespace {

// The controls of Qt's page-setup dialog, found by the names Qt gives them.
struct PageSetupControls {
    QComboBox* pages = nullptr;
    QComboBox* units = nullptr;
    QDoubleSpinBox* width = nullptr;
    QDoubleSpinBox* height = nullptr;
    QRadioButton* landscape = nullptr;
    QDoubleSpinBox* margins[4] = {}; // left, top, right, bottom

    explicit PageSetupControls(QPageSetupDialog& dialog)
    {
        pages = dialog.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
        units = dialog.findChild<QComboBox*>(QStringLiteral("unitCombo"));
        width = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("pageWidth"));
        height = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("pageHeight"));
        landscape = dialog.findChild<QRadioButton*>(QStringLiteral("landscape"));
        const char* const names[4] = {"leftMargin", "topMargin", "rightMargin", "bottomMargin"};
        for (int i = 0; i < 4; ++i)
            margins[i] = dialog.findChild<QDoubleSpinBox*>(QLatin1String(names[i]));
    }
    bool found() const
    {
        return pages && units && width && height && landscape
               && std::all_of(std::begin(margins), std::end(margins), [](auto* m) { return m != nullptr; });
    }
    QPageLayout::Unit unit() const { return units->currentData().value<QPageLayout::Unit>(); }
};

// Qt's dialog does not always open on the page it is given: on an installed
// printer it shows the printer's default paper with no margins, and a custom
// size it shows (and on OK keeps) as the first paper of its list. Show the
// given page, its row or the "Custom" row with its size, and its margins.
void showCurrentPage(const PageSetupControls& c, const QPageLayout& layout)
{
    const QPageSize page = layout.pageSize();
    int sameRow = -1;
    int customRow = -1;
    for (int i = 0; i < c.pages->count(); ++i) {
        const QVariant data = c.pages->itemData(i);
        if (!data.isValid())
            customRow = i;
        else if (sameRow < 0 && data.value<QPageSize>().isEquivalentTo(page))
            sameRow = i;
    }
    const QPageLayout::Unit unit = c.unit();
    if (sameRow >= 0) {
        c.pages->setCurrentIndex(sameRow);
    } else if (customRow >= 0) {
        const QRectF full = layout.fullRect(unit);
        c.pages->setCurrentIndex(customRow);
        c.width->setValue(full.width());
        c.height->setValue(full.height());
    }
    const QMarginsF m = layout.margins(unit);
    const double values[4] = {m.left(), m.top(), m.right(), m.bottom()};
    for (int i = 0; i < 4; ++i)
        c.margins[i]->setValue(values[i]);
}

// The page, orientation and margins the dialog shows.
std::optional<QPageLayout> chosenLayout(const PageSetupControls& c)
{
    const QPageLayout::Unit unit = c.unit();
    const bool landscape = c.landscape->isChecked();
    const QVariant data = c.pages->currentData();
    QPageSize page;
    if (data.isValid()) {
        page = data.value<QPageSize>();
    } else {
        // The size fields show the page as it lies.
        const QSizeF shown(c.width->value(), c.height->value());
        page = QPageSize(landscape ? shown.transposed() : shown, QPageSize::Unit(unit));
    }
    if (!page.isValid())
        return std::nullopt;
    const QMarginsF margins(c.margins[0]->value(), c.margins[1]->value(), c.margins[2]->value(),
                            c.margins[3]->value());
    return QPageLayout(page, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, margins, unit);
}

class QtPrinterSetup final : public PrinterSetup {
public:
    QString SetupString() const override { return setupString(m_printer); }
    bool SetSetupString(const QString& text) override { return apply(m_printer, text); }
    int32_t Width() const override { return printableSize(m_printer).width(); }
    int32_t Height() const override { return printableSize(m_printer).height(); }
    bool PageSetupDialog() override
    {
        // Over the window the command came from, when there is one.
        QPageSetupDialog dialog(&m_printer, QApplication::activeWindow());
        const PageSetupControls controls(dialog);
        if (controls.found())
            showCurrentPage(controls, m_printer.pageLayout());
        if (dialog.exec() != QDialog::Accepted)
            return false;
        // Qt has applied the choice as one layout, which an installed printer
        // refuses whole when a margin is narrower than it can print.
        if (controls.found()) {
            if (const auto chosen = chosenLayout(controls))
                setLayoutNearest(m_printer, *chosen);
        }
        return true;
    }

private:
    QPrinter m_printer;
};

} // namespace

void install(App& app)
{
    app.setPrinterSetupFactory([] { return std::make_unique<QtPrinterSetup>(); });
}

} // namespace AppPrintSetup
