#include "ui/PrintSetupLink.h"

#include "core/Globals.h"

#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>

namespace PrintSetupLink {

namespace {

const QString kHeader = QStringLiteral("page setup");

} // namespace

QString setupString(const QPrinter& printer)
{
    const QPageLayout layout = printer.pageLayout();
    const QSizeF size = layout.pageSize().size(QPageSize::Point);
    const QMarginsF m = layout.margins(QPageLayout::Point);
    QStringList fields{kHeader, printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString()};
    for (double v : {size.width(), size.height(), double(layout.orientation()), m.left(), m.top(), m.right(),
                     m.bottom()})
        fields << QString::number(v, 'g', 17);
    return fields.join(u'\n');
}

namespace {

bool decode(const QString& text, QString& printerName, QPageLayout& layout)
{
    const QStringList fields = text.split(u'\n');
    if (fields.size() != 9 || fields[0] != kHeader)
        return false;
    double v[7];
    for (int i = 0; i < 7; ++i) {
        bool ok = false;
        v[i] = fields[i + 2].toDouble(&ok);
        if (!ok)
            return false;
    }
    printerName = fields[1];
    layout = QPageLayout(QPageSize(QSizeF(v[0], v[1]), QPageSize::Point, QString(), QPageSize::ExactMatch),
                         v[2] == 1 ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(v[3], v[4], v[5], v[6]),
                         QPageLayout::Point);
    return true;
}

} // namespace

bool apply(QPrinter& printer, const QString& text)
{
    QString target;
    QPageLayout layout;
    if (!decode(text, target, layout))
        return false;
    if (target.isEmpty() || QPrinterInfo::printerInfo(target).isNull())
        target = QPrinterInfo::defaultPrinterName();
    if (target.isEmpty())
        printer.setOutputFormat(QPrinter::PdfFormat);
    else
        printer.setPrinterName(target);
    printer.setPageLayout(layout);
    return true;
}

bool applyPageFormat(QPrinter& printer, const QString& text)
{
    QString target;
    QPageLayout layout;
    if (!decode(text, target, layout))
        return false;
    return printer.setPageLayout(layout);
}

void runPageSetup()
{
    QPrinter printer;
    const QString stored = Globals::gPrintSetup.value(QStringLiteral("SetupString")).toString();
    if (!stored.isEmpty())
        apply(printer, stored);
    QPageSetupDialog dialog(&printer);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QRect area = printer.pageLayout().paintRectPoints();
    Globals::gPrintSetup.insert(QStringLiteral("SetupString"), setupString(printer));
    Globals::gPrintSetup.insert(QStringLiteral("Width"), area.width());
    Globals::gPrintSetup.insert(QStringLiteral("Height"), area.height());
}

} // namespace PrintSetupLink
