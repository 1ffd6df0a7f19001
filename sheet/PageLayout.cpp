#include "sheet/PageLayout.h"

#include "platform/Conv.h"
#include "sheet/SheetUnits.h"

#include <QList>

namespace Sheet {

namespace {

// Half a difference of points, the fraction dropped toward zero, so that an
// odd point falls to the right or the bottom (and -1 halves to 0, not -1).
int32_t half(int64_t difference) { return Conv::toInt32(double(difference) / 2.0); }

// The right-hand crop marks of a 2-up page are this long.
constexpr int32_t kTwoUpRightMark = 20;
// Marks stop this far short of the sheet block.
constexpr int32_t kMarkGap = 2;
// The fixed left (and, but for the 12x14 cm CD, top) offset of a 2-up page.
constexpr int32_t kTwoUpInset = 20;

// One guide in device pixels.
struct Segment {
    int32_t x1, y1, x2, y2;
};

} // namespace

void getSheetPos(SheetPositions& positions, int32_t size, int32_t sheetWidth, int32_t sheetHeight,
                 int32_t printWidth, int32_t printHeight)
{
    const int64_t cw = sheetWidth, ch = sheetHeight;
    if (sixUp(size)) {
        const int32_t left = half(int64_t(printWidth) - 2 * cw);
        const int32_t top = half(int64_t(printHeight) - 3 * ch);
        for (int32_t j = 0; j < 6; ++j) {
            positions[j + 1][0] = Conv::toInt32(double(left + (j % 2) * cw));
            positions[j + 1][1] = Conv::toInt32(double(top + (j / 2) * ch));
        }
        positions[0][0] = 6;
        return;
    }
    // The 12x14 cm CD is the only tall pair that needs centring to fit a page.
    const int32_t top = size == codeOf(SheetSize::Cd12x14) ? half(int64_t(printHeight) - 2 * ch) : kTwoUpInset;
    positions[1][0] = kTwoUpInset;
    positions[1][1] = top;
    positions[2][0] = kTwoUpInset;
    positions[2][1] = Conv::toInt32(double(top + ch));
    positions[0][0] = 2;
}

void printSheet2CLBreak(SheetSurface& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    constexpr int64_t kPeriod = 4;
    if (y1 == y2) {
        const int64_t length = int64_t(x2) - x1;
        for (int64_t d = 0; d <= length; d += kPeriod)
            g.drawLine(Conv::toInt32(double(x1 + d)), y1, Conv::toInt32(double(x1 + d + 1)), y1);
        return;
    }
    const int64_t length = int64_t(y2) - y1;
    for (int64_t d = 0; d <= length; d += kPeriod)
        g.drawLine(x1, Conv::toInt32(double(y1 + d)), x1, Conv::toInt32(double(y1 + d + 1)));
}

void printSheet2CL(SheetSurface* g, const SheetPositions& positions, int32_t size, int32_t style,
                   int32_t sheetWidth, int32_t sheetHeight, double printWidth, double printHeight, double scale)
{
    if (!g)
        return;
    g->setPenWidth(1);
    g->setPenHeight(1);

    // Every end is formed in points first and converted on its own, so that
    // dev(L - 2) is not dev(L) - dev(2).
    const auto dev = [scale](int64_t v) { return Sheet::dev(v, scale); };
    const int32_t right = Conv::toInt32(printWidth * scale);
    const int32_t bottom = Conv::toInt32(printHeight * scale);
    const int64_t cw = sheetWidth, ch = sheetHeight;
    const int64_t l = positions[1][0];
    const int64_t t = positions[1][1];
    const int64_t gap = kMarkGap;

    QList<Segment> marks;
    QList<Segment> lines;
    if (sixUp(size)) {
        const int64_t m = positions[2][0], r = m + cw;
        const int64_t y3 = positions[3][1], y5 = positions[5][1], b = y5 + ch;
        marks = {
            {0, dev(t), dev(l - gap), dev(t)},          {dev(l), 0, dev(l), dev(t - gap)},
            {dev(m), 0, dev(m), dev(t - gap)},          {dev(r + gap), dev(t), right, dev(t)},
            {dev(r), 0, dev(r), dev(t - gap)},          {0, dev(y3), dev(l - gap), dev(y3)},
            {dev(r + gap), dev(y3), right, dev(y3)},    {0, dev(y5), dev(l - gap), dev(y5)},
            {dev(r + gap), dev(y5), right, dev(y5)},    {0, dev(b), dev(l - gap), dev(b)},
            {dev(l), dev(b + gap), dev(l), bottom},     {dev(m), dev(b + gap), dev(m), bottom},
            {dev(r + gap), dev(b), right, dev(b)},      {dev(r), dev(b + gap), dev(r), bottom},
        };
        lines = {
            {dev(l), dev(t), dev(r), dev(t)},   {dev(l), dev(y3), dev(r), dev(y3)},
            {dev(l), dev(y5), dev(r), dev(y5)}, {dev(l), dev(b), dev(r), dev(b)},
            {dev(l), dev(t), dev(l), dev(b)},   {dev(m), dev(t), dev(m), dev(b)},
            {dev(r), dev(t), dev(r), dev(b)},
        };
    } else {
        // The right marks of a pair are a fixed length: the page's right edge
        // is far away from a single column of sheets.
        const int64_t r = l + cw;
        const int64_t y2 = positions[2][1], b = y2 + ch;
        const int32_t rightEnd = dev(r + gap + kTwoUpRightMark);
        marks = {
            {0, dev(t), dev(l - gap), dev(t)},         {dev(l), 0, dev(l), dev(t - gap)},
            {dev(r + gap), dev(t), rightEnd, dev(t)},  {dev(r), 0, dev(r), dev(t - gap)},
            {0, dev(y2), dev(l - gap), dev(y2)},       {dev(r + gap), dev(y2), rightEnd, dev(y2)},
            {0, dev(b), dev(l - gap), dev(b)},         {dev(l), dev(b + gap), dev(l), bottom},
            {dev(r + gap), dev(b), rightEnd, dev(b)},  {dev(r), dev(b + gap), dev(r), bottom},
        };
        lines = {
            {dev(l), dev(t), dev(r), dev(t)}, {dev(l), dev(y2), dev(r), dev(y2)}, {dev(l), dev(b), dev(r), dev(b)},
            {dev(l), dev(t), dev(l), dev(b)}, {dev(r), dev(t), dev(r), dev(b)},
        };
    }

    switch (static_cast<CutGuideStyle>(style)) {
    case CutGuideStyle::CropMarks:
        for (const Segment& s : marks)
            g->drawLine(s.x1, s.y1, s.x2, s.y2);
        break;
    case CutGuideStyle::DashedLines:
        for (const Segment& s : lines)
            printSheet2CLBreak(*g, s.x1, s.y1, s.x2, s.y2);
        break;
    case CutGuideStyle::SolidLines:
        for (const Segment& s : lines)
            g->drawLine(s.x1, s.y1, s.x2, s.y2);
        break;
    default:
        break;
    }
}

} // namespace Sheet
