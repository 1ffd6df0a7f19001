#pragma once

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

namespace Sheet {

struct YearMonth {
    int32_t year;
    int32_t month;
    bool operator==(const YearMonth&) const = default;
};

// What one print command prints, worked out from the dataset and the
// preferences before any page is opened.
struct PrintPlan {
    // 0 for a sheet size the layout does not know: nothing is printed.
    int32_t pageCount = 0;
    int32_t sheetsPerPage = 0;
    // Nominal over measured sheet width: below 1 when the sheets came out too wide.
    double printScale = 0.0;
    // Dots per inch asked of the printer; the painter's real resolution decides
    // the device units per point once the job has begun.
    int32_t resolution = 0;
};

// `prKind` 0 prints twelve months (2 floppy pages or 6 CD pages), any other
// value one page. `pref` is gPref: 5 chooses the resolution (0 360 dpi, any
// other 72), 40 to 43 the measured widths; `sheetW` the nominal widths.
PrintPlan makePrintPlan(int32_t prKind, int32_t size, const std::array<int32_t, 51>& pref,
                        const std::array<int32_t, 4>& sheetW);

// gSheetW(size) / gPref(40 + size) for a size 0..3, 0 for any other. A
// measured width of 0 or less, which the preferences can hold, is taken as
// the nominal width rather than dividing by it.
double printSheet2scle(int32_t size, const std::array<int32_t, 51>& pref, const std::array<int32_t, 4>& sheetW);

// 360 dpi for gPref(5) 0, 72 for any other value.
int32_t requestedResolution(int32_t printResolution);

// Device units per point on a page whose painter runs at `dpi`.
inline double deviceScale(double printScale, int dpi) { return printScale * double(dpi) / 72.0; }

// The months of one page: `sheets` months from the running (year, month),
// which is advanced past them.
QList<YearMonth> takePageMonths(int32_t& year, int32_t& month, int32_t sheets);

// The name a print's PDF output is proposed under: "Morvelin-2027-04" for a
// print that starts in April 2027.
QString printFileStem(int32_t year, int32_t month);

// Where page `pageNumber` (1 for the first) of a print goes when the first
// page went to the PDF file `firstFile`: the first page keeps it, later pages
// are numbered beside it ("name-2.pdf", ...), so no page replaces another.
QString pageFileName(const QString& firstFile, int32_t pageNumber);

} // namespace Sheet
