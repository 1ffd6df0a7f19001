#include "sheet/PrintPlan.h"

#include "calendar/DateMath.h"
#include "core/DatasetKeys.h"
#include "platform/FileIO.h"
#include "sheet/PageLayout.h"
#include "sheet/SheetSizes.h"

#include <QFileInfo>

#include <algorithm>

namespace Sheet {

namespace {

constexpr int32_t kHighResolution = 360;
constexpr int32_t kLowResolution = 72;

bool isPdfSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0'; }

qsizetype skipSpace(QByteArrayView bytes, qsizetype at)
{
    while (at < bytes.size() && isPdfSpace(bytes[at]))
        ++at;
    return at;
}

// The unsigned number at `at` (after any white space), and where it ends;
// -1 for none.
qint64 numberAt(QByteArrayView bytes, qsizetype& at)
{
    at = skipSpace(bytes, at);
    const qsizetype start = at;
    while (at < bytes.size() && at - start < 18 && bytes[at] >= '0' && bytes[at] <= '9')
        ++at;
    return at > start ? bytes.sliced(start, at - start).toLongLong() : -1;
}

// One row of a cross-reference table: "oooooooooo ggggg n" and a two-byte
// line end, 20 bytes in all.
constexpr qsizetype kXrefRow = 20;

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
    const QFileInfo first(firstFile);
    const QString suffix = first.suffix();
    const QString base = suffix.isEmpty() ? first.fileName() : first.completeBaseName();
    QString name = base + QLatin1Char('-') + QString::number(pageNumber);
    if (!suffix.isEmpty())
        name += QLatin1Char('.') + suffix;
    // The folder part stays exactly as the user's name had it.
    return firstFile.left(firstFile.size() - first.fileName().size()) + name;
}

int32_t freePageNumber(const QString& firstFile, int32_t from)
{
    int32_t number = std::max(from, 2);
    for (;; ++number) {
        if (!FileIO::somethingAt(pageFileName(firstFile, number)))
            return number;
    }
}

bool pdfIsWhole(const QByteArray& pdf)
{
    const QByteArrayView bytes(pdf);
    if (!bytes.startsWith("%PDF-"))
        return false;
    // The end is the last line, its line end included.
    const qsizetype eof = bytes.lastIndexOf("%%EOF");
    const QByteArrayView lineEnd = eof < 0 ? QByteArrayView() : bytes.sliced(eof + 5);
    if (lineEnd != "\n" && lineEnd != "\r\n" && lineEnd != "\r")
        return false;
    const qsizetype start = bytes.lastIndexOf("startxref", eof);
    if (start < 0)
        return false;
    qsizetype at = start + 9;
    const qint64 table = numberAt(bytes, at);
    if (table < 0 || table >= start || skipSpace(bytes, at) != eof || !bytes.sliced(table).startsWith("xref"))
        return false;

    at = qsizetype(table) + 4;
    int32_t objects = 0;
    for (;;) {
        at = skipSpace(bytes, at);
        if (bytes.sliced(at).startsWith("trailer"))
            return objects > 0 && at < start;
        const qint64 first = numberAt(bytes, at);
        const qint64 count = numberAt(bytes, at);
        if (first < 0 || count < 0 || count > (start - at) / kXrefRow)
            return false;
        at = skipSpace(bytes, at);
        for (qint64 i = 0; i < count; ++i, at += kXrefRow) {
            const QByteArrayView row = bytes.sliced(at, kXrefRow);
            if (row[10] != ' ' || row[16] != ' ' || !isPdfSpace(row[18]) || !isPdfSpace(row[19]))
                return false;
            if (row[17] == 'f')
                continue;
            if (row[17] != 'n')
                return false;
            const qint64 offset = row.first(10).toLongLong();
            const QByteArray header = QByteArray::number(first + i) + ' ' + QByteArray::number(row.sliced(11, 5).toInt())
                                      + " obj";
            if (offset <= 0 || offset >= table || !bytes.sliced(offset).startsWith(header))
                return false;
            ++objects;
        }
    }
}

} // namespace Sheet
