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

std::optional<QString> yearOf(const QString& typed)
{
    const QString text = typed.normalized(QString::NormalizationForm_KC).trimmed();
    if (text == QStringLiteral("毎年"))
        return text;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    // Leading zeros are no part of the value; past them at most four digits
    // can be in range, which also keeps a long text from overflowing.
    qsizetype first = 0;
    while (first < text.size() && text[first] == u'0')
        ++first;
    const qsizetype length = text.size() - first;
    if (length == 0 || length > 4)
        return std::nullopt;
    return text.sliced(first);
}

} // namespace Anniversaries
