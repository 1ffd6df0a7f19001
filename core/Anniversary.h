#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <array>
#include <cstdint>
#include <optional>

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

// The years a calendar is made for, the years the calendar computes soundly:
// a dataset's start year and an anniversary's year alike.
namespace Years {
inline constexpr int32_t kFirst = 1;
inline constexpr int32_t kLast = 9999;
} // namespace Years

// An entry with its values converted, for the many lookups of one sheet.
struct AnniversaryDate {
    int32_t year = 0; // 0 = every year
    int32_t month = 0;
    int32_t day = 0;
    QString text;

    // An entry of year 0 falls on its day in every year.
    bool fallsOn(int32_t y, int32_t m, int32_t d) const { return (year == 0 || year == y) && month == m && day == d; }
};

using AnniversaryDates = QList<AnniversaryDate>;

namespace Anniversaries {
// The list in the same order with every value read once; a sheet converts it
// before its walk instead of reading each entry's texts again for every day.
AnniversaryDates datesOf(const AnniversaryList& list);

// A typed year as the list keeps it in YY: a year of Years in plain ASCII
// digits, with no leading zeros or blanks; full-width digits and blanks, as a
// Japanese input method types them, count as their ASCII forms. "毎年" stays
// as it is, as the year pop-up's own row says it. Nothing for any other text,
// an empty one included: it would be kept as no year at all and only read
// back as every year.
std::optional<QString> yearOf(const QString& typed);
} // namespace Anniversaries
