#pragma once

// Names are taken apart as text and never looked up: nothing here asks the disk.

#include <QStringView>

namespace Sheet {

// The last component of a path: everything after its last '/'.
inline QStringView fileNameOf(QStringView path) { return path.sliced(path.lastIndexOf(u'/') + 1); }

// The part of the last component after its last '.', empty when it has none:
// "cal.v2.pdf" has "pdf", "a.b/c" none.
inline QStringView suffixOf(QStringView path)
{
    const QStringView name = fileNameOf(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QStringView() : name.sliced(dot + 1);
}

} // namespace Sheet
