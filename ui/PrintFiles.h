#pragma once

// The PDF files a print writes, as they are on disk: which page names are
// still free there, and whether a page arrived whole. The names themselves
// are planned in sheet/PrintPlan.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace PrintFiles {

// The first number, from `from` on (2 at the least: the first page keeps its
// own name), whose Sheet::pageFileName() names nothing yet (not even a
// dangling link): a later page takes that name rather than replace a file
// that is already there.
int32_t freePageNumber(const QString& firstFile, int32_t from);

// True when `pdf` is a PDF with a cross-reference table, as Qt's printer
// writes it, that came through whole: its end names the table, the table
// stands where the end says, and every object the table lists begins where
// the table says. A file cut short lacks the end; bytes lost in between (a
// write the disk refused, then later ones it took) move everything after them
// off its place.
bool pdfIsWhole(const QByteArray& pdf);

} // namespace PrintFiles
