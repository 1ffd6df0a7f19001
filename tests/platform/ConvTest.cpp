#include "platform/Conv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(ConvVal, TakesTheLeadingNumberOfAText)
{
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"9", 9.0},       {"9.0", 9.0},        {"2008年", 2008.0}, {"", 0.0},
        {"abc", 0.0},     {"-3.5", -3.5},      {" 12", 12.0},      {"\t7", 7.0},
        {"+7", 7.0},      {"12abc", 12.0},     {"10132122", 10132122.0},
        {".5", 0.5},      {"5.", 5.0},         {".", 0.0},         {"-", 0.0},
        {"- 5", 0.0},     {"1e3", 1000.0},     {"2.5E-1", 0.25},   {"1e", 1.0},
        {"1e+", 1.0},     {"3.5.2", 3.5},      {"12 34", 12.0},    {"１２", 0.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Conv::val(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(ConvVal, HugeExponentsGiveInfinityOrZeroNotGarbage)
{
    EXPECT_TRUE(std::isinf(Conv::val(QStringLiteral("1e999"))));
    EXPECT_GT(Conv::val(QStringLiteral("1e999")), 0.0);
    EXPECT_LT(Conv::val(QStringLiteral("-1e999")), 0.0);
    EXPECT_EQ(Conv::val(QStringLiteral("1e-999")), 0.0);
}

TEST(ConvToInt32, DropsTheFractionAndDefinesEveryOtherValue)
{
    const struct {
        double v;
        int32_t expected;
    } cases[] = {
        {12.9, 12},
        {-0.5, 0},
        {-12.9, -12},
        {0.0, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {std::numeric_limits<double>::infinity(), kMax},
        {-std::numeric_limits<double>::infinity(), kMin},
        {3e10, kMax},
        {-3e10, kMin},
        {2147483647.9, kMax},
        {2147483646.9, 2147483646},
        {-2147483648.9, kMin},
        {-2147483647.9, -2147483647},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Conv::toInt32(c.v), c.expected) << c.v;
}

TEST(ConvStr, WritesTextThatReadsBackAsTheSameNumber)
{
    EXPECT_EQ(Conv::str(2009.0), QStringLiteral("2009"));
    EXPECT_EQ(Conv::str(90.5), QStringLiteral("90.5"));
    EXPECT_EQ(Conv::str(-3.0), QStringLiteral("-3"));
    EXPECT_EQ(Conv::str(1000000.0), QStringLiteral("1000000"));
    for (double d : {2009.0, 12.0, 90.5, 0.1, -3.25, 1e20, 123456789.125})
        EXPECT_EQ(Conv::val(Conv::str(d)), d) << d;
}

TEST(ConvVariant, EveryKindOfStoredValueConvertsAlike)
{
    const struct {
        QVariant v;
        int32_t asInt;
        double asDouble;
        const char* asText;
    } cases[] = {
        {QVariant(int32_t(9)), 9, 9.0, "9"},
        {QVariant(QStringLiteral("9")), 9, 9.0, "9"},
        {QVariant(QStringLiteral("9.0")), 9, 9.0, "9.0"},
        {QVariant(2009.0), 2009, 2009.0, "2009"},
        {QVariant(12.9), 12, 12.9, "12.9"},
        {QVariant(int32_t(-7)), -7, -7.0, "-7"},
        {QVariant(int32_t(0x9A9A9A)), 10132122, 10132122.0, "10132122"},
        {QVariant(QStringLiteral("10132122")), 10132122, 10132122.0, "10132122"},
        {QVariant(QStringLiteral("2008年")), 2008, 2008.0, "2008年"},
        {QVariant(QByteArray("12")), 12, 12.0, "12"},
        {QVariant(qint64(5'000'000'000)), kMax, 5e9, "5000000000"},
        {QVariant(std::numeric_limits<double>::quiet_NaN()), 0, std::nan(""), nullptr},
        {QVariant(), 0, 0.0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.v.toString().toStdString());
        EXPECT_EQ(Conv::asInt32(c.v), c.asInt);
        if (std::isnan(c.asDouble)) {
            EXPECT_TRUE(std::isnan(Conv::asDouble(c.v)));
        } else {
            EXPECT_DOUBLE_EQ(Conv::asDouble(c.v), c.asDouble);
        }
        if (c.asText) {
            EXPECT_EQ(Conv::asText(c.v), QString::fromUtf8(c.asText));
        }
    }
}

} // namespace
