#include "core/Anniversary.h"

#include "platform/Conv.h"

namespace Anniversaries {

namespace {

bool fits(int32_t yy, int32_t mm, int32_t dd, int32_t year, int32_t month, int32_t day)
{
    return (yy == 0 || yy == year) && mm == month && dd == day;
}

} // namespace

const Anniversary* findFirst(const AnniversaryList& list, int32_t year, int32_t month, int32_t day)
{
    for (const Anniversary& entry : list) {
        if (fits(Conv::asInt32(entry.YY), Conv::asInt32(entry.MM), Conv::asInt32(entry.DD), year, month, day))
            return &entry;
    }
    return nullptr;
}

AnniversaryDates datesOf(const AnniversaryList& list)
{
    AnniversaryDates dates;
    dates.reserve(list.size());
    for (const Anniversary& entry : list)
        dates.append(AnniversaryDate{Conv::asInt32(entry.YY), Conv::asInt32(entry.MM), Conv::asInt32(entry.DD),
                                     Conv::asText(entry.tt)});
    return dates;
}

QString textOn(const AnniversaryDates& dates, int32_t year, int32_t month, int32_t day)
{
    for (const AnniversaryDate& date : dates) {
        if (fits(date.year, date.month, date.day, year, month, day))
            return date.text;
    }
    return QString();
}

} // namespace Anniversaries
