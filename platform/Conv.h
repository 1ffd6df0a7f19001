#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>

// Number conversions as the rest of the program expects them: a Double becomes an
// Int32 by dropping its fraction toward zero, a text gives its leading number.
// Every reader of a stored value goes through these, never QVariant::toInt(),
// which rounds and reads "9.0" as 0.
namespace Conv {

// Fraction dropped toward zero; NaN gives 0, values beyond Int32 (infinities
// included) clamp to its ends.
int32_t toInt32(double v);

// The leading decimal number of a text (leading blanks skipped, optional sign,
// digits, optional fraction and exponent); 0.0 when the text starts with none.
double val(const QString& text);

// The shortest text that reads back as the same Double ("2009", "90.5");
// whole numbers are written as plain digits.
QString str(double v);

// A stored value as Int32, Double or text, whatever kind it is held as.
int32_t asInt32(const QVariant& v);
double asDouble(const QVariant& v);
QString asText(const QVariant& v);

} // namespace Conv
