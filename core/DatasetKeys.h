#pragma once

#include <QString>

#include <cstdint>

// The names of a Dataset's keys, the meanings of its coded values and the
// indices of the preferences. The spellings and numbers are those the dataset
// files and the preference file hold: they never change.

namespace DatasetKey {

inline const QString stYY = QStringLiteral("stYY");
inline const QString stMM = QStringLiteral("stMM");
inline const QString prKind = QStringLiteral("prKind");
inline const QString size = QStringLiteral("size");
inline const QString cutline = QStringLiteral("cutline");
inline const QString pict = QStringLiteral("pict");
inline const QString pictPath = QStringLiteral("pictPath");
inline const QString extra = QStringLiteral("extra");
inline const QString dow1st = QStringLiteral("dow1st");
inline const QString dowLange = QStringLiteral("dowLange");
inline const QString ymPos = QStringLiteral("ymPos");
inline const QString holName = QStringLiteral("holName");
inline const QString line = QStringLiteral("line");
inline const QString dayFont = QStringLiteral("dayFont");
inline const QString dayFsize = QStringLiteral("dayFsize");
inline const QString dayColorN = QStringLiteral("dayColorN");
inline const QString dayColorS = QStringLiteral("dayColorS");
inline const QString dayColorT = QStringLiteral("dayColorT");
inline const QString dayColorH = QStringLiteral("dayColorH");
inline const QString dowFont = QStringLiteral("dowFont");
inline const QString dowFsize = QStringLiteral("dowFsize");
inline const QString dowColor = QStringLiteral("dowColor");
inline const QString ymFont = QStringLiteral("ymFont");
inline const QString ymFsize = QStringLiteral("ymFsize");
inline const QString ymColor = QStringLiteral("ymColor");
inline const QString holFont = QStringLiteral("holFont");
inline const QString holFsize = QStringLiteral("holFsize");
inline const QString holColor = QStringLiteral("holColor");
inline const QString lineColor = QStringLiteral("lineColor");
inline const QString annName = QStringLiteral("annName");
inline const QString dayColorA = QStringLiteral("dayColorA");
inline const QString annFont = QStringLiteral("annFont");
inline const QString annFsize = QStringLiteral("annFsize");
inline const QString annColor = QStringLiteral("annColor");
inline const QString annBkClr = QStringLiteral("annBkClr");
inline const QString frame = QStringLiteral("frame");

} // namespace DatasetKey

// The coded keys: each value is the row of its pop-up menu (for prKind, its
// radio button) in the main window. A value read from a damaged file may be
// none of these; every reader says what such a value does. The first weekday
// (dow1st) is calendar's WeekStart.

// prKind
enum class PrintRange : int32_t { WholeYear = 0, SingleSheet = 1 };
// size
enum class SheetSize : int32_t { FloppyCase = 0, Cd13x13 = 1, Cd12x14 = 2, Cd12x12 = 3 };
// cutline
enum class CutGuideStyle : int32_t { CropMarks = 0, DashedLines = 1, SolidLines = 2 };
// extra
enum class OverflowPlacement : int32_t { InLastWeek = 0, InFirstWeek = 1 };
// dowLange
enum class WeekdayLabels : int32_t { JapaneseLabels = 0, EnglishLower = 1, EnglishUpper = 2, NoLabels = 3 };
// ymPos
enum class TitlePosition : int32_t { TitleLeft = 0, TitleCentre = 1, TitleRight = 2 };
// holName
enum class HolidayDisplay : int32_t { HolidaysOff = 0, HolidayColourOnly = 1, HolidayColourAndName = 2 };
// line: the weight in points, but for the hairline, one device pixel at any scale
enum class LineWeight : int32_t { Hairline = 0, OnePoint = 1, TwoPoints = 2, ThreePoints = 3 };
// annName
enum class AnniversaryDisplay : int32_t {
    AnniversariesOff = 0,
    AnniversaryColourOnly = 1,
    AnniversaryColourAndName = 2,
    AnniversaryNameAndBackground = 3,
};
// frame
enum class FrameLines : int32_t { AllGridLines = 0, VerticalLinesOnly = 1, HorizontalLinesOnly = 2 };

// The number of sheet sizes, for tables indexed by SheetSize.
constexpr int32_t kSheetSizeCount = 4;

// A coded value as its Int32 row, to store in a Dataset or compare with one.
template <class E> constexpr int32_t codeOf(E value) { return static_cast<int32_t>(value); }

// The indices of gPref that something reads; the others are stored and read
// by nothing.
namespace PrefIndex {

constexpr int32_t kLastIndex = 0;              // the last index stored (50)
constexpr int32_t kKeepPageSetup = 3;          // keep the page setup between runs: 0 off, 1 on
constexpr int32_t kNoDialogAfterFirstPage = 4; // no print dialog from the second page on: 0 off, 1 on
constexpr int32_t kPrintResolution = 5;        // a PrintResolution
constexpr int32_t kBeep = 10;                  // beep when a notice opens: exactly 1 is on

// The colours of a new Dataset, 0xRRGGBB.
constexpr int32_t kDefaultYmColor = 20;
constexpr int32_t kDefaultDowColor = 21;
constexpr int32_t kDefaultLineColor = 22;
constexpr int32_t kDefaultDayColorN = 23;
constexpr int32_t kDefaultDayColorS = 24;
constexpr int32_t kDefaultDayColorT = 25;
constexpr int32_t kDefaultDayColorH = 26;
constexpr int32_t kDefaultHolColor = 27;
constexpr int32_t kDefaultDayColorA = 28;
constexpr int32_t kDefaultAnnColor = 29;
constexpr int32_t kDefaultAnnBkClr = 30;
constexpr int32_t kFirstDefaultColour = kDefaultYmColor;
constexpr int32_t kLastDefaultColour = kDefaultAnnBkClr;

// The measured printed width of one sheet, in 0.1 mm: one entry per
// SheetSize, from kMeasuredWidths + 0 (the floppy case) on.
constexpr int32_t kMeasuredWidths = 40;

} // namespace PrefIndex

// gPref(PrefIndex::kPrintResolution).
enum class PrintResolution : int32_t { Dpi360 = 0, Dpi72 = 1 };
