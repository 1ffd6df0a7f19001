#include "core/Anniversary.h"

#include "platform/Conv.h"

namespace Anniversaries {

const Anniversary* findFirst(const AnniversaryList& list, int32_t year, int32_t month, int32_t day)
{
    for (const Anniversary& entry : list) {
        const int32_t yy = Conv::asInt32(entry.YY);
        if ((yy == 0 || yy == year) && Conv::asInt32(entry.MM) == month && Conv::asInt32(entry.DD) == day)
            return &entry;
    }
    return nullptr;
}

} // namespace Anniversaries
