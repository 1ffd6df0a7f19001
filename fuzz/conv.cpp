// The value conversions every stored value goes through: any text through
// Val, any double through Str and the Int32 conversion, and a stored value of
// any kind read as a number or a text.

#include "FuzzSupport.h"

#include "platform/Conv.h"

#include <QStringList>
#include <QVariant>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

void checkText(const QString& text)
{
    const double v = Conv::val(text);
    FUZZ_CHECK(!std::isnan(v));
    // The number ends where its digits end, and leading blanks are skipped.
    FUZZ_CHECK(same(Conv::val(text + QStringLiteral("x")), v));
    FUZZ_CHECK(same(Conv::val(QStringLiteral(" \t") + text), v));
    // A value read from a text and written again reads back the same.
    if (std::isfinite(v))
        FUZZ_CHECK(Conv::val(Conv::str(v)) == v);

    const QVariant stored(text);
    FUZZ_CHECK(same(Conv::asDouble(stored), v));
    FUZZ_CHECK(Conv::asInt32(stored) == Conv::toInt32(v));
    FUZZ_CHECK(Conv::asText(stored) == text);
}

// Int32 by dropping the fraction, worked out through a 64-bit integer: every
// double below 2^63 in magnitude converts to one without loss of its whole part.
int32_t expectedInt32(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 9.2e18)
        return std::numeric_limits<int32_t>::max();
    if (v <= -9.2e18)
        return std::numeric_limits<int32_t>::min();
    const long long whole = static_cast<long long>(v);
    if (whole > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (whole < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(whole);
}

void checkDouble(double v)
{
    FUZZ_CHECK(Conv::toInt32(v) == expectedInt32(v));
    const QString text = Conv::str(v);
    FUZZ_CHECK(!text.isEmpty());
    if (std::isfinite(v))
        FUZZ_CHECK(Conv::val(text) == v);

    // Stored as a double, read as Int32 or as its text: the same number.
    const QVariant stored(v);
    FUZZ_CHECK(Conv::asInt32(stored) == Conv::toInt32(v));
    FUZZ_CHECK(Conv::asText(stored) == text);
    if (std::isfinite(v))
        FUZZ_CHECK(Conv::asDouble(QVariant(Conv::asText(stored))) == v);
}

void checkStoredKinds(long long v, unsigned long long u, const QByteArray& bytes)
{
    // Whole numbers of any width clamp to Int32 and read back from their text;
    // the text of a switch, a missing value or a list reads as no number.
    const QVariant numbers[] = {QVariant(v), QVariant(u), QVariant(static_cast<int>(v)), QVariant(static_cast<uint>(u)),
                                QVariant(static_cast<float>(v)), QVariant(bytes)};
    for (const QVariant& stored : numbers) {
        FUZZ_CHECK(Conv::asInt32(stored) == Conv::toInt32(Conv::asDouble(stored)));
        FUZZ_CHECK(Conv::asDouble(QVariant(Conv::asText(stored))) == Conv::asDouble(stored));
    }
    const QVariant flag(v % 2 == 0);
    FUZZ_CHECK(Conv::asInt32(flag) == (v % 2 == 0 ? 1 : 0) && Conv::asDouble(flag) == Conv::asInt32(flag));
    FUZZ_CHECK(Conv::asText(flag) == (v % 2 == 0 ? QStringLiteral("True") : QStringLiteral("False")));
    for (const QVariant& none : {QVariant(), QVariant(QStringList{QString::fromUtf8(bytes)})}) {
        FUZZ_CHECK(Conv::asInt32(none) == 0 && Conv::asDouble(none) == 0.0 && Conv::asText(none).isEmpty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    checkText(QString::fromUtf8(input));
    // The same bytes as UTF-16, which may hold lone surrogates and any digit form.
    checkText(QString(reinterpret_cast<const QChar*>(input.constData()), input.size() / 2));

    if (size >= sizeof(double)) {
        double v = 0;
        std::memcpy(&v, data, sizeof v);
        checkDouble(v);
        long long i = 0;
        unsigned long long u = 0;
        std::memcpy(&i, data, sizeof i);
        std::memcpy(&u, data + size - sizeof u, sizeof u);
        checkStoredKinds(i, u, input);
    }
    return 0;
}
