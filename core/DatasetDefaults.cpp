#include "core/DatasetDefaults.h"

#include "calendar/DateMath.h"

namespace DatasetDefaults {

namespace K = DatasetKey;
namespace P = PrefIndex;

namespace {
void set(Dataset& d, const QString& key, int32_t v) { d.setValue(key, QVariant(v)); }
void set(Dataset& d, const QString& key, const QString& v) { d.setValue(key, QVariant(v)); }
} // namespace

void initDataset(Dataset& d, const std::array<int32_t, 51>& pref, QDate today)
{
    set(d, K::stYY, static_cast<int32_t>(today.year()));
    set(d, K::stMM, static_cast<int32_t>(today.month()));
    set(d, K::prKind, codeOf(PrintRange::WholeYear));
    set(d, K::size, codeOf(SheetSize::FloppyCase));
    set(d, K::cutline, codeOf(CutGuideStyle::CropMarks));
    d.setValue(K::pict, QVariant());
    set(d, K::pictPath, QStringLiteral(""));
    set(d, K::extra, codeOf(OverflowPlacement::InLastWeek));
    set(d, K::dow1st, static_cast<int32_t>(WeekStart::SundayFirst));
    set(d, K::dowLange, codeOf(WeekdayLabels::JapaneseLabels));
    set(d, K::ymPos, codeOf(TitlePosition::TitleLeft));
    set(d, K::holName, codeOf(HolidayDisplay::HolidayColourAndName));
    set(d, K::line, codeOf(LineWeight::OnePoint));
    set(d, K::dayFont, kDefaultFont);
    set(d, K::dayFsize, 9);
    set(d, K::dayColorN, pref[P::kDefaultDayColorN]);
    set(d, K::dayColorS, pref[P::kDefaultDayColorS]);
    set(d, K::dayColorT, pref[P::kDefaultDayColorT]);
    set(d, K::dayColorH, pref[P::kDefaultDayColorH]);
    set(d, K::dowFont, kDefaultFont);
    set(d, K::dowFsize, 10);
    set(d, K::dowColor, pref[P::kDefaultDowColor]);
    set(d, K::ymFont, kDefaultFont);
    set(d, K::ymFsize, 12);
    set(d, K::ymColor, pref[P::kDefaultYmColor]);
    set(d, K::holFont, kDefaultFont);
    set(d, K::holFsize, 7);
    set(d, K::holColor, pref[P::kDefaultHolColor]);
    set(d, K::lineColor, pref[P::kDefaultLineColor]);
    initDataset2(d, pref);
    initDataset3(d);
}

void initDataset2(Dataset& d, const std::array<int32_t, 51>& pref)
{
    set(d, K::annName, codeOf(AnniversaryDisplay::AnniversariesOff));
    set(d, K::dayColorA, pref[P::kDefaultDayColorA]);
    set(d, K::annFont, kDefaultFont);
    set(d, K::annFsize, 7);
    set(d, K::annColor, pref[P::kDefaultAnnColor]);
    set(d, K::annBkClr, pref[P::kDefaultAnnBkClr]);
}

void initDataset3(Dataset& d) { set(d, K::frame, codeOf(FrameLines::AllGridLines)); }

const QStringList& storedKeys()
{
    static const QStringList keys{
        K::stYY,      K::stMM,     K::prKind,    K::size,      K::cutline,   K::pictPath,  K::extra,
        K::dow1st,    K::dowLange, K::ymPos,     K::holName,   K::line,      K::dayFont,   K::dayFsize,
        K::dayColorN, K::dayColorS, K::dayColorT, K::dayColorH, K::dowFont,  K::dowFsize,  K::dowColor,
        K::ymFont,    K::ymFsize,  K::ymColor,   K::holFont,   K::holFsize,  K::holColor,  K::lineColor,
        K::annName,   K::dayColorA, K::annFont,  K::annFsize,  K::annColor,  K::annBkClr,  K::frame,
    };
    return keys;
}

const QStringList& allKeys()
{
    static const QStringList keys = [] {
        QStringList k = storedKeys();
        k.insert(k.indexOf(K::cutline) + 1, K::pict);
        return k;
    }();
    return keys;
}

} // namespace DatasetDefaults
