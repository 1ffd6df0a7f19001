#include "platform/Conv.h"

#include <QByteArray>
#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace Conv {

int32_t toInt32(double v)
{
    if (std::isnan(v))
        return 0;
    // Compare before casting: a cast of an out-of-range double is undefined.
    if (v >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v); // truncates toward zero
}

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

int32_t clampToInt32(long long v)
{
    if (v > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

int32_t clampToInt32(unsigned long long v)
{
    if (v > static_cast<unsigned long long>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v);
}

} // namespace

double val(const QString& text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;

    // Collect the number as plain ASCII; std::from_chars reads it without
    // regard to the process locale (which QApplication sets from the user's).
    std::string number;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        if (text[i] == u'-')
            number += '-';
        ++i;
    }
    bool anyDigit = false;
    while (i < n && isDigit(text[i])) {
        number += char(text[i].unicode());
        anyDigit = true;
        ++i;
    }
    if (i < n && text[i] == u'.') {
        qsizetype j = i + 1;
        std::string fraction;
        while (j < n && isDigit(text[j])) {
            fraction += char(text[j].unicode());
            ++j;
        }
        if (!fraction.empty() || anyDigit) {
            number += '.';
            number += fraction;
            anyDigit = anyDigit || !fraction.empty();
            i = j;
        }
    }
    if (!anyDigit)
        return 0.0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < n && (text[j] == u'-' || text[j] == u'+')) {
            exponent += char(text[j].unicode());
            ++j;
        }
        bool expDigit = false;
        while (j < n && isDigit(text[j])) {
            exponent += char(text[j].unicode());
            expDigit = true;
            ++j;
        }
        if (expDigit)
            number += exponent;
    }

    double result = 0.0;
    const char* first = number.data();
    const char* last = first + number.size();
    const auto [ptr, ec] = std::from_chars(first, last, result);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Either too large (an infinity) or too small (zero); tell them apart
        // by the exponent's sign.
        const bool negative = number.front() == '-';
        const auto e = number.find('e');
        const bool tiny = e != std::string::npos && e + 1 < number.size() && number[e + 1] == '-';
        if (tiny)
            return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    if (ec != std::errc())
        return 0.0;
    return result;
}

QString str(double v)
{
    // Whole numbers (years, months) as plain digits: the shortest 'g' form
    // would spell 1000000 as "1e+06".
    if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 1e15)
        return QString::number(static_cast<long long>(v));
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

namespace {

// The kinds of value a stored key can hold, folding Qt's many integer types.
enum class Kind { None, Bool, Signed, Unsigned, Real, Text, Bytes, Other };

Kind kindOf(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::UnknownType:
        return Kind::None;
    case QMetaType::Bool:
        return Kind::Bool;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::Char:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return Kind::Signed;
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return Kind::Unsigned;
    case QMetaType::Double:
    case QMetaType::Float:
        return Kind::Real;
    case QMetaType::QString:
        return Kind::Text;
    case QMetaType::QByteArray:
        return Kind::Bytes;
    default:
        return Kind::Other;
    }
}

} // namespace

int32_t asInt32(const QVariant& v)
{
    switch (kindOf(v)) {
    case Kind::Bool:
        return v.toBool() ? 1 : 0;
    case Kind::Signed:
        return clampToInt32(v.toLongLong());
    case Kind::Unsigned:
        return clampToInt32(v.toULongLong());
    case Kind::Real:
        return toInt32(v.toDouble());
    case Kind::Text:
    case Kind::Bytes:
        return toInt32(val(asText(v)));
    case Kind::None:
    case Kind::Other:
        break;
    }
    return 0;
}

double asDouble(const QVariant& v)
{
    switch (kindOf(v)) {
    case Kind::Bool:
        return v.toBool() ? 1.0 : 0.0;
    case Kind::Signed:
        return static_cast<double>(v.toLongLong());
    case Kind::Unsigned:
        return static_cast<double>(v.toULongLong());
    case Kind::Real:
        return v.toDouble();
    case Kind::Text:
    case Kind::Bytes:
        return val(asText(v));
    case Kind::None:
    case Kind::Other:
        break;
    }
    return 0.0;
}

QString asText(const QVariant& v)
{
    switch (kindOf(v)) {
    case Kind::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Signed:
        return QString::number(v.toLongLong());
    case Kind::Unsigned:
        return QString::number(v.toULongLong());
    case Kind::Real:
        return str(v.toDouble());
    case Kind::Text:
        return v.toString();
    case Kind::Bytes:
        return QString::fromUtf8(v.toByteArray());
    case Kind::None:
    case Kind::Other:
        // A picture or anything else has no text form.
        break;
    }
    return QString();
}

} // namespace Conv
