#include "sheet/PrintPlan.h"

#include "calendar/DateMath.h"
#include "core/DatasetKeys.h"
#include "sheet/NameParts.h"
#include "sheet/PageLayout.h"
#include "sheet/SheetSizes.h"

namespace Sheet {

namespace {

constexpr int32_t kHighResolution = 360;
constexpr int32_t kLowResolution = 72;

} // namespace

double printSheet2scle(int32_t size, const std::array<int32_t, 51>& pref, const std::array<int32_t, 4>& sheetW)
{
    if (!isSheetSize(size))
        return 0.0;
    const int32_t measured = pref[PrefIndex::kMeasuredWidths + size];
    if (measured <= 0)
        return 1.0;
    return double(sheetW[size]) / double(measured);
}

int32_t requestedResolution(int32_t printResolution)
{
    return printResolution == codeOf(PrintResolution::Dpi360) ? kHighResolution : kLowResolution;
}

PrintPlan makePrintPlan(int32_t prKind, int32_t size, const std::array<int32_t, 51>& pref,
                        const std::array<int32_t, 4>& sheetW)
{
    PrintPlan plan;
    if (!isSheetSize(size))
        return plan;
    const bool twelveMonths = prKind == codeOf(PrintRange::WholeYear);
    plan.sheetsPerPage = sixUp(size) ? 6 : 2;
    plan.pageCount = twelveMonths ? 12 / plan.sheetsPerPage : 1;
    plan.printScale = printSheet2scle(size, pref, sheetW);
    plan.resolution = requestedResolution(pref[PrefIndex::kPrintResolution]);
    return plan;
}

QList<YearMonth> takePageMonths(int32_t& year, int32_t& month, int32_t sheets)
{
    QList<YearMonth> months;
    for (int32_t j = 0; j < sheets; ++j) {
        months.append({year, month});
        Calendar::countYYMM(year, month);
    }
    return months;
}

QString printFileStem(int32_t year, int32_t month)
{
    return QStringLiteral("Morvelin-%1-%2").arg(year).arg(month, 2, 10, QLatin1Char('0'));
}

QString pageFileName(const QString& firstFile, int32_t pageNumber)
{
    if (pageNumber <= 1 || firstFile.isEmpty())
        return firstFile;
    const QStringView file = fileNameOf(firstFile);
    const QStringView suffix = suffixOf(file);
    // The number goes before the suffix's dot, when there is one.
    QString name = (suffix.isEmpty() ? file : file.first(file.size() - suffix.size() - 1)).toString();
    name += QLatin1Char('-') + QString::number(pageNumber);
    if (!suffix.isEmpty()) {
        name += QLatin1Char('.');
        name += suffix;
    }
    // The folder part stays exactly as the user's name had it.
    return firstFile.first(firstFile.size() - file.size()) + name;
}

} // namespace Sheet
