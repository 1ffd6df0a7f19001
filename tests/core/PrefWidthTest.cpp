#include "core/PrefDlgValues.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct WidthCase {
    const char16_t* typed;
    std::optional<int32_t> tenths;
};

TEST(PrefWidth, TypedMillimetresBecomeTenthsRoundedFromTheDecimalText)
{
    const WidthCase cases[] = {
        {u"90", 900},
        {u"90.0", 900},
        {u"90.", 900},
        {u"90.5", 905},
        {u"90.50", 905},       // a trailing zero changes nothing
        {u"90.05", 901},       // rounded half up to the tenth
        {u"90.04", 900},
        {u"90.55", 906},       // the decimal text, not the binary 90.5499...
        {u"90.549", 905},
        {u"90.95", 910},
        {u".5", 5},
        {u"0.1", 1},
        {u"0.05", 1},
        {u"+91", 910},
        {u" 90.5\t", 905},
        {u"119", 1190},
        {u"9999.9", 99999},
        {u"9999.94", 99999},
        // As a Japanese input method types them: full-width digits, point,
        // sign and blanks.
        {u"９０．５", 905},
        {u"\u3000１１９\u3000", 1190},
        {u"＋９１", 910},
        // Refused: not one plain number, 0 or below, over 9999.9 mm.
        {u"", std::nullopt},
        {u"   ", std::nullopt},
        {u"abc", std::nullopt},
        {u"90mm", std::nullopt},
        {u"90,5", std::nullopt},
        {u"119.2.7", std::nullopt},
        {u".", std::nullopt},
        {u"1e3", std::nullopt},
        {u"- 90", std::nullopt},
        {u"0", std::nullopt},
        {u"0.0", std::nullopt},
        {u"0.04", std::nullopt},   // rounds to 0
        {u"-90.5", std::nullopt},
        {u"－９０", std::nullopt},
        {u"\u221290", std::nullopt}, // the minus sign
        {u"-0", std::nullopt},
        {u"9999.95", std::nullopt},  // rounds past the largest width
        {u"10000", std::nullopt},
        {u"99999999999999999999999", std::nullopt},
        {u"2147483648", std::nullopt},
    };
    for (const WidthCase& c : cases) {
        const QString typed = QString::fromUtf16(c.typed);
        EXPECT_EQ(PrefWidth::parse(typed), c.tenths) << typed.toStdString();
    }
}

TEST(PrefWidth, AStoredWidthIsShownAsTextThatReadsBackUnchanged)
{
    const struct {
        int32_t tenths;
        const char* shown;
    } cases[] = {{900, "90"}, {905, "90.5"}, {901, "90.1"}, {1190, "119"}, {1300, "130"}, {1, "0.1"}, {99999, "9999.9"}};
    for (const auto& c : cases) {
        EXPECT_EQ(PrefWidth::text(c.tenths), QString::fromLatin1(c.shown));
        EXPECT_EQ(PrefWidth::parse(PrefWidth::text(c.tenths)), c.tenths);
    }
}

TEST(PrefWidth, AMeasuredWidthMustLieWithinHalfToTwiceTheNominalWidth)
{
    const struct {
        int32_t nominal;
        const char16_t* typed;
        std::optional<int32_t> tenths;
    } cases[] = {
        {900, u"45", 450},      {900, u"44.9", std::nullopt}, {900, u"180", 1800},   {900, u"180.1", std::nullopt},
        {900, u"0.1", std::nullopt}, {900, u"90.5", 905},     {900, u"４５", 450},
        {1300, u"65", 650},     {1300, u"64.9", std::nullopt}, {1300, u"260", 2600}, {1300, u"260.1", std::nullopt},
        {1190, u"59.5", 595},   {1190, u"59.4", std::nullopt}, {1190, u"238", 2380}, {1190, u"238.1", std::nullopt},
        {1200, u"60", 600},     {1200, u"59.9", std::nullopt}, {1200, u"240", 2400}, {1200, u"240.1", std::nullopt},
        {1200, u"abc", std::nullopt}, {1200, u"", std::nullopt},
    };
    for (const auto& c : cases) {
        const QString typed = QString::fromUtf16(c.typed);
        EXPECT_EQ(PrefWidth::measured(typed, c.nominal), c.tenths) << c.nominal << " " << typed.toStdString();
    }
}

TEST(PrefWidth, AFieldLeftAsShownPassesWhateverItHoldsAndAnEditedOneOnlyWhenPlausible)
{
    const struct {
        const char16_t* typed;
        const char16_t* shown;
        bool passes;
        std::optional<int32_t> tenths;
    } cases[] = {
        {u"90", u"90", true, std::nullopt},       // unchanged: the stored width stays
        {u"5000", u"5000", true, std::nullopt},   // out of range, but as the file held it
        {u"", u"", true, std::nullopt},
        {u"90.5", u"90", true, 905},
        {u"90.0", u"90", true, 900},              // the same width typed anew is stored
        {u"45", u"5000", true, 450},
        {u"44.9", u"90", false, std::nullopt},
        {u"180.1", u"90", false, std::nullopt},
        {u"5000 ", u"5000", false, std::nullopt}, // an edit, even one of blanks
        {u"", u"90", false, std::nullopt},
        {u"abc", u"90", false, std::nullopt},
    };
    for (const auto& c : cases) {
        const QString typed = QString::fromUtf16(c.typed);
        const PrefWidth::FieldAtSave field = PrefWidth::atSave(typed, QString::fromUtf16(c.shown), 900);
        EXPECT_EQ(field.passes, c.passes) << typed.toStdString();
        EXPECT_EQ(field.tenths, c.tenths) << typed.toStdString();
    }
}

} // namespace
