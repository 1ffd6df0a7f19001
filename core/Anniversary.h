#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <cstdint>

// One entry of the user's anniversary list. The values are held as their writer
// left them (a text read from the file, an Int32 0 from the editor for an
// every-year entry); readers convert them.
struct Anniversary {
    QVariant YY; // year, 0 = every year
    QVariant MM;
    QVariant DD;
    QVariant tt; // the text shown in the cell
};

using AnniversaryList = QList<Anniversary>;

namespace Anniversaries {
// The first entry, in list order, that fits the date; its text is the date's
// anniversary text (an empty text still hides the later entries).
// Returns nullptr when no entry fits.
const Anniversary* findFirst(const AnniversaryList& list, int32_t year, int32_t month, int32_t day);
} // namespace Anniversaries
