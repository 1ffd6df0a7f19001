#include "core/Anniversary.h"

#include "platform/Conv.h"

namespace Anniversaries {

AnniversaryDates datesOf(const AnniversaryList& list)
{
    AnniversaryDates dates;
    dates.reserve(list.size());
    for (const Anniversary& entry : list)
        dates.append(AnniversaryDate{Conv::asInt32(entry.YY), Conv::asInt32(entry.MM), Conv::asInt32(entry.DD),
                                     Conv::asText(entry.tt)});
    return dates;
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
    // Leading zeros are no part of the value; past them no more digits than
    // the last year has can be in range, which also keeps a long text from
    // overflowing.
    qsizetype first = 0;
    while (first < text.size() && text[first] == u'0')
        ++first;
    const QString year = text.sliced(first);
    if (year.isEmpty() || year.size() > QString::number(Years::kLast).size())
        return std::nullopt;
    const int value = year.toInt();
    if (value < Years::kFirst || value > Years::kLast)
        return std::nullopt;
    return year;
}

} // namespace Anniversaries
