#include "ui/AppPrintSetup.h"

#include "core/App.h"
#include "core/PageSetup.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace AppPrintSetup {

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

    // A printer whose minimum margins are wider than those stored refuses the
    // layout as a whole; it still takes the page, and keeps its own margins.
    const QPageLayout& layout = format->layout;
    if (!printer.setPageLayout(layout)) {
        printer.setPageSize(layout.pageSize());
        printer.setPageOrientation(layout.orientation());
        printer.setPageMargins(layout.margins(QPageLayout::Point), QPageLayout::Point);
    }
    return true;
}

QSize printableSize(const QPrinter& printer) { return printer.pageLayout().paintRectPoints().size(); }

namespace {

// Qt's page-setup dialog lists no custom size of its own accord: opened on
// one, it shows (and on OK keeps) the first size of its list instead. Put the
// custom size back into its "Custom" row and size fields.
void showCustomSize(QPageSetupDialog& dialog, const QPageLayout& layout)
{
    if (layout.pageSize().id() != QPageSize::Custom)
        return;
    auto* pages = dialog.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
    auto* units = dialog.findChild<QComboBox*>(QStringLiteral("unitCombo"));
    auto* width = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("pageWidth"));
    auto* height = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("pageHeight"));
    if (!pages || !units || !width || !height)
        return;
    int customRow = -1;
    for (int i = 0; i < pages->count(); ++i) {
        if (!pages->itemData(i).isValid())
            customRow = i;
    }
    if (customRow < 0)
        return;
    const auto unit = units->currentData().value<QPageLayout::Unit>();
    const QRectF full = layout.fullRect(unit);
    pages->setCurrentIndex(customRow);
    width->setValue(full.width());
    height->setValue(full.height());
}

class QtPrinterSetup final : public PrinterSetup {
public:
    QString SetupString() const override { return setupString(m_printer); }
    bool SetSetupString(const QString& text) override { return apply(m_printer, text); }
    int32_t Width() const override { return printableSize(m_printer).width(); }
    int32_t Height() const override { return printableSize(m_printer).height(); }
    bool PageSetupDialog() override
    {
        QPageSetupDialog dialog(&m_printer);
        showCustomSize(dialog, m_printer.pageLayout());
        return dialog.exec() == QDialog::Accepted;
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
