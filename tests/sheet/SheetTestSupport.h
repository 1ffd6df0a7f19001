#pragma once

#include "core/Anniversary.h"
#include "core/Dataset.h"
#include "core/DatasetDefaults.h"
#include "sheet/GridTables.h"
#include "sheet/JapaneseFont.h"
#include "sheet/MonthSheet.h"
#include "sheet/SheetContext.h"
#include "sheet/SheetSizes.h"
#include "sheet/SheetSurface.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace SheetTest {

// The program maps the default font name to an installed Japanese font at
// start-up; the tests do the same before drawing any text.
inline void useJapaneseFont() { JapaneseFont::installSubstitutes(); }

// Sheet width and height per SheetSize, in points.
inline int32_t sheetWidth(int32_t size) { return Sheet::kSheetSizes[size].width(); }
inline int32_t sheetHeight(int32_t size) { return Sheet::kSheetSizes[size].height(); }

// ---- pieces of the names of parametrised cases ----
// gtest allows a case's name letters, digits and underscores only.

// A number with its sign spelt out.
inline std::string caseNumber(int32_t value)
{
    return value < 0 ? "Minus" + std::to_string(-int64_t(value)) : std::to_string(value);
}

// The name of a coded value's row in `names`, or "Unknown<what><code>" for a
// value that only a damaged file holds.
template <size_t N> std::string codeName(const std::array<const char*, N>& names, int32_t code, const char* what)
{
    if (code >= 0 && size_t(code) < N)
        return names[size_t(code)];
    return std::string("Unknown") + what + caseNumber(code);
}

// A SheetSize code as the size it stands for.
inline std::string sizeName(int32_t size)
{
    static constexpr std::array<const char*, kSheetSizeCount> kNames{"Floppy", "Cd13x13", "Cd12x14", "Cd12x12"};
    return codeName(kNames, size, "Size");
}

// A drawing's scale and, unless the sheet stands at the picture's corner,
// the offset of the sheet in the picture: Scale5_Offset20x30.
inline std::string placementName(double scale, int32_t x = 0, int32_t y = 0)
{
    std::string name = "Scale" + QString::number(scale).replace(QLatin1Char('.'), QLatin1Char('_')).toStdString();
    if (x != 0 || y != 0)
        name += "_Offset" + caseNumber(x) + "x" + caseNumber(y);
    return name;
}

// Distinct colours, so that every pixel tells what drew it.
constexpr int32_t kTitle = 0x101010;
constexpr int32_t kHeader = 0x303030;
constexpr int32_t kLine = 0x0000FF;
constexpr int32_t kWeekday = 0x000000;
constexpr int32_t kSunday = 0xFF0000;
constexpr int32_t kSaturday = 0x008080;
constexpr int32_t kHoliday = 0x00A000;
constexpr int32_t kAnnDay = 0xC000C0;
constexpr int32_t kHolName = 0x806000;
constexpr int32_t kAnnText = 0x604080;
constexpr int32_t kAnnBack = 0xFFE0A0;

inline QColor rgb(int32_t v) { return QColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }

// A default dataset of one SheetSize with the colours above.
inline Dataset makeDataset(int32_t size = 0)
{
    Dataset ds;
    DatasetDefaults::initDataset(ds, std::array<int32_t, 51>{}, QDate(2014, 11, 1));
    ds.setValue(QStringLiteral("size"), size);
    const std::pair<const char*, int32_t> colours[] = {
        {"ymColor", kTitle},     {"dowColor", kHeader},   {"lineColor", kLine},   {"dayColorN", kWeekday},
        {"dayColorS", kSunday},  {"dayColorT", kSaturday}, {"dayColorH", kHoliday}, {"dayColorA", kAnnDay},
        {"holColor", kHolName},  {"annColor", kAnnText},  {"annBkClr", kAnnBack},
    };
    for (const auto& [key, value] : colours)
        ds.setValue(QString::fromLatin1(key), value);
    return ds;
}

inline Anniversary anniversary(int32_t yy, int32_t mm, int32_t dd, const QString& text)
{
    return Anniversary{QVariant(yy), QVariant(mm), QVariant(dd), QVariant(text)};
}

// One sheet's inputs, as the main window would hold them.
struct SheetFixture {
    Dataset ds;
    AnniversaryList anniversaries;
    Sheet::DowLine dowLine{};
    Sheet::WeekLine weekLine;
    int32_t width = 255;
    int32_t height = 260;

    explicit SheetFixture(int32_t size = 0)
        : ds(makeDataset(size))
    {
        useJapaneseFont();
        rebuild();
    }

    // As the size pop-up does: the canvas takes the size, the tables follow.
    void rebuild()
    {
        const int32_t size = ds.i32(QStringLiteral("size"));
        width = sheetWidth(size);
        height = sheetHeight(size);
        Sheet::initDOWLine(dowLine, size);
        Sheet::initWeekLine(weekLine, size, ds.i32(QStringLiteral("extra")));
    }

    Sheet::SheetContext context() const { return {ds, anniversaries, dowLine, weekLine, width}; }

    // Draws nothing but the grid lines: every text size 0, no holidays, no
    // anniversaries.
    void linesOnly()
    {
        for (const char* key : {"dayFsize", "dowFsize", "ymFsize", "holFsize", "annFsize"})
            ds.setValue(QString::fromLatin1(key), 0);
        ds.setValue(QStringLiteral("holName"), 0);
        ds.setValue(QStringLiteral("annName"), 0);
    }

    // The sheet drawn on a white picture big enough for it at that scale and origin.
    QImage render(int32_t year, int32_t month, double scale = 1.0, int32_t x = 0, int32_t y = 0,
                  const std::function<void(SheetSurface&)>& after = {}) const
    {
        QImage img(int((width + x) * scale) + 40, int((height + y) * scale) + 40, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        SheetSurface surface(p);
        Sheet::drawCal(surface, context(), x, y, scale, year, month);
        if (after)
            after(surface);
        p.end();
        return img;
    }
};

// Text drawn straight through QPainter, by baseline, at a pixel size: what
// the sheet must show at the positions the layout fixes.
struct ReferenceText {
    QString text;
    int x;
    int y;
    int pixelSize;
    int32_t colour;
};

inline QImage referenceImage(QSize size, const QList<ReferenceText>& texts)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    for (const ReferenceText& t : texts) {
        QFont f(QStringLiteral("osaka"));
        f.setPixelSize(t.pixelSize);
        p.setFont(f);
        p.setPen(rgb(t.colour));
        p.drawText(QPoint(t.x, t.y), t.text);
    }
    p.end();
    return img;
}

// The number of pixels in `area` that differ between the two pictures.
inline int differingPixels(const QImage& a, const QImage& b, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                ++n;
    return n;
}

inline bool anyPixelOf(const QImage& img, const QRect& area, int32_t colour)
{
    const QRgb want = rgb(colour).rgb();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.pixel(x, y) == want)
                return true;
    return false;
}

// The ink colour of a small antialiased text: the candidate whose blend with
// white best explains the darkest pixel of the area; -1 when the area is blank.
inline int32_t inkColour(const QImage& img, const QRect& area, const QList<int32_t>& candidates)
{
    int darkest = 3 * 255;
    QColor px;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            const int sum = c.red() + c.green() + c.blue();
            if (sum < darkest) {
                darkest = sum;
                px = c;
            }
        }
    if (darkest >= 3 * 255 - 30)
        return -1;
    int32_t best = -1;
    double bestErr = 1e18;
    for (int32_t cand : candidates) {
        const QColor c = rgb(cand);
        const int ch[3] = {c.red(), c.green(), c.blue()};
        const int pc[3] = {px.red(), px.green(), px.blue()};
        // pixel = 255 - a * (255 - colour) on every channel, one coverage a.
        double num = 0, den = 0;
        for (int k = 0; k < 3; ++k) {
            num += double(255 - pc[k]) * (255 - ch[k]);
            den += double(255 - ch[k]) * (255 - ch[k]);
        }
        const double a = den > 0 ? num / den : 0;
        double err = 0;
        for (int k = 0; k < 3; ++k) {
            const double e = (255 - pc[k]) - a * (255 - ch[k]);
            err += e * e;
        }
        if (err < bestErr) {
            bestErr = err;
            best = cand;
        }
    }
    return best;
}

} // namespace SheetTest
