#include "core/PrefDlgValues.h"

#include "platform/Conv.h"

#include <algorithm>

namespace PrefWidth {

QString text(int32_t tenths) { return Conv::str(double(tenths) / 10.0); }

namespace {

// A full-width form (U+FF01..U+FF5E) as its ASCII character.
QChar narrow(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E)
        return QChar(char16_t(u - 0xFF01 + 0x21));
    if (u == 0x2212) // the minus sign
        return QChar(u'-');
    return c;
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

} // namespace

std::optional<int32_t> parse(const QString& typed)
{
    QString s;
    for (QChar c : typed)
        s += narrow(c);
    s = s.trimmed(); // the ideographic space is white space too

    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    // Whole millimetres, kept only while they can still be in range, so a
    // long number cannot overflow.
    int64_t whole = 0;
    qsizetype wholeDigits = 0;
    while (i < s.size() && isDigit(s[i])) {
        whole = std::min<int64_t>(whole * 10 + (s[i].unicode() - u'0'), int64_t(kMaxTenths) + 1);
        ++wholeDigits;
        ++i;
    }
    int tenth = 0;
    bool roundUp = false;
    qsizetype fractionDigits = 0;
    if (i < s.size() && s[i] == u'.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            const int d = s[i].unicode() - u'0';
            if (fractionDigits == 0)
                tenth = d;
            else if (fractionDigits == 1)
                roundUp = d >= 5;
            ++fractionDigits;
            ++i;
        }
    }
    if (i != s.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;

    const int64_t tenths = whole * 10 + tenth + (roundUp ? 1 : 0);
    if (negative || tenths <= 0 || tenths > kMaxTenths)
        return std::nullopt;
    return static_cast<int32_t>(tenths);
}

Range plausible(int32_t nominal)
{
    return {nominal / 2, static_cast<int32_t>(std::min<int64_t>(int64_t(nominal) * 2, kMaxTenths))};
}

std::optional<int32_t> measured(const QString& typed, int32_t nominal)
{
    const std::optional<int32_t> tenths = parse(typed);
    const Range range = plausible(nominal);
    if (!tenths || *tenths < range.lowest || *tenths > range.highest)
        return std::nullopt;
    return tenths;
}

FieldAtSave atSave(const QString& typed, const QString& shown, int32_t nominal)
{
    if (typed == shown)
        return {true, std::nullopt};
    const std::optional<int32_t> tenths = measured(typed, nominal);
    return {tenths.has_value(), tenths};
}

} // namespace PrefWidth
