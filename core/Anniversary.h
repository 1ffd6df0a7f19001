#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <array>
#include <cstdint>

// One entry of the user's anniversary list. The values are held as their writer
// left them (a text read from the file, an Int32 0 from the editor for an
// every-year entry); readers convert them.
struct Anniversary {
    QVariant YY; // year, 0 = every year
    QVariant MM;
    QVariant DD;
    QVariant tt; // the text shown in the cell
    // The bytes YY, MM, DD and tt were read from, in that order; null for a
    // value that did not come from the file. A value still equal to what its
    // bytes read as is written back as those bytes, so a text that is no
    // valid UTF-8 survives a run in which nobody edited it. Whoever rebuilds
    // the list keeps this with each entry it carries over.
    std::array<QByteArray, 4> readFrom = {};
};

using AnniversaryList = QList<Anniversary>;

namespace Anniversaries {
// The first entry, in list order, that fits the date; its text is the date's
// anniversary text (an empty text still hides the later entries).
// Returns nullptr when no entry fits.
const Anniversary* findFirst(const AnniversaryList& list, int32_t year, int32_t month, int32_t day);
} // namespace Anniversaries
