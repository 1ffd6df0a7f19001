#include "ui/PrintFiles.h"

#include "platform/FileIO.h"
#include "sheet/PrintPlan.h"

#include <QByteArrayView>

#include <algorithm>

namespace PrintFiles {

namespace {

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

int32_t freePageNumber(const QString& firstFile, int32_t from)
{
    int32_t number = std::max(from, 2);
    for (;; ++number) {
        if (!FileIO::somethingAt(Sheet::pageFileName(firstFile, number)))
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

} // namespace PrintFiles
