#include "sheet/SheetSurface.h"

#include "platform/Conv.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Far beyond any surface the program draws on, small enough that no sum of
// two such values overflows an int inside Qt.
constexpr int64_t kFarAway = int64_t(1) << 28;

constexpr qsizetype kMaxBuiltFonts = 32;

int64_t clampFar(int64_t v) { return std::clamp(v, -kFarAway, kFarAway); }

QFont sheetFont(const QString& name, int32_t size)
{
    QFont font(name);
    // Device pixels, never points: a point size would grow with the
    // resolution of the screen or printer.
    if (size > 0)
        font.setPixelSize(size);
    return font;
}

} // namespace

SheetSurface::SheetSurface(QPainter& painter)
    : m_painter(painter)
    , m_textFont(painter.font().family())
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void SheetSurface::setTextFont(const QString& name)
{
    if (name != m_textFont) {
        m_textFont = name;
        m_fontDirty = true;
    }
}

void SheetSurface::setTextSize(int32_t size)
{
    if (size != m_textSize) {
        m_textSize = size;
        m_fontDirty = true;
    }
}

qsizetype SheetSurface::builtIndex(const QString& name, int32_t size)
{
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i].size == size && m_fonts[i].name == name)
            return i;
    }
    // A sheet uses a handful; a surface that meets many starts over.
    if (m_fonts.size() >= kMaxBuiltFonts) {
        m_fonts.clear();
        m_fontDirty = true;
    }
    m_fonts.append(BuiltFont{name, size, sheetFont(name, size)});
    return m_fonts.size() - 1;
}

const QFont& SheetSurface::builtFont(const QString& name, int32_t size)
{
    return m_fonts[builtIndex(name, size)].font;
}

const QFont& SheetSurface::font()
{
    if (m_fontDirty) {
        m_font = builtIndex(m_textFont, m_textSize);
        m_fontDirty = false;
    }
    return m_fonts[m_font].font;
}

void SheetSurface::fillDeviceRect(int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    if (m_painter.worldTransform().isIdentity() && m_painter.device()) {
        // Clip to the device so that far-off coordinates cost nothing.
        left = std::max<int64_t>(left, -1);
        top = std::max<int64_t>(top, -1);
        right = std::min<int64_t>(right, int64_t(m_painter.device()->width()) + 1);
        bottom = std::min<int64_t>(bottom, int64_t(m_painter.device()->height()) + 1);
    } else {
        left = clampFar(left);
        top = clampFar(top);
        right = clampFar(right);
        bottom = clampFar(bottom);
    }
    if (right <= left || bottom <= top)
        return;
    m_painter.fillRect(QRect(int(left), int(top), int(right - left), int(bottom - top)), m_foreColor);
}

void SheetSurface::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (m_penWidth <= 0 || m_penHeight <= 0)
        return;
    const int64_t w = m_penWidth, h = m_penHeight;
    if (x1 == x2 || y1 == y2) {
        const int64_t left = std::min(x1, x2), right = int64_t(std::max(x1, x2)) + w;
        const int64_t top = std::min(y1, y2), bottom = int64_t(std::max(y1, y2)) + h;
        fillDeviceRect(left, top, right, bottom);
        return;
    }

    // A slanted segment: one pen rectangle per step along its longer axis,
    // visiting only the steps that can touch the device.
    const int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const int64_t steps = alongX ? std::llabs(dx) : std::llabs(dy);
    int64_t first = 0, last = steps;
    if (m_painter.worldTransform().isIdentity() && m_painter.device()) {
        const int64_t start = alongX ? x1 : y1;
        const int64_t dir = (alongX ? dx : dy) > 0 ? 1 : -1;
        const int64_t extent = alongX ? m_painter.device()->width() : m_painter.device()->height();
        const int64_t pen = alongX ? w : h;
        // Positions start + dir * i that lie in [-pen, extent].
        int64_t a = dir > 0 ? (-pen - start) : (start - extent);
        int64_t b = dir > 0 ? (extent - start) : (start + pen);
        first = std::max<int64_t>(first, a);
        last = std::min<int64_t>(last, b);
    }
    for (int64_t i = first; i <= last; ++i) {
        int64_t px, py;
        if (alongX) {
            px = x1 + (dx > 0 ? i : -i);
            py = y1 + std::llround(double(dy) * double(px - x1) / double(dx));
        } else {
            py = y1 + (dy > 0 ? i : -i);
            px = x1 + std::llround(double(dx) * double(py - y1) / double(dy));
        }
        fillDeviceRect(px, py, px + w, py + h);
    }
}

void SheetSurface::fillRect(int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        return;
    fillDeviceRect(x, y, int64_t(x) + width, int64_t(y) + height);
}

void SheetSurface::drawString(const QString& text, int32_t x, int32_t y)
{
    if (text.isEmpty() || m_textSize <= 0)
        return;
    if (std::llabs(int64_t(x)) > kFarAway || std::llabs(int64_t(y)) > kFarAway)
        return;
    m_painter.setFont(font());
    m_painter.setPen(QPen(m_foreColor));
    m_painter.drawText(QPoint(x, y), text);
}

void SheetSurface::drawPicture(const QImage& picture, int32_t x, int32_t y, int32_t width, int32_t height,
                               int32_t srcX, int32_t srcY, int32_t srcWidth, int32_t srcHeight)
{
    if (picture.isNull() || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0)
        return;
    if (std::llabs(int64_t(x)) > kFarAway || std::llabs(int64_t(y)) > kFarAway || width > kFarAway
        || height > kFarAway)
        return;
    m_painter.drawImage(QRect(x, y, width, height), picture, QRect(srcX, srcY, srcWidth, srcHeight));
}

namespace Sheet {

int32_t getStrigWidth(SheetSurface& g, const QString& text, const QString& font, int32_t size)
{
    if (text.isEmpty() || size <= 0)
        return 0;
    // A pixel-size font measures the same on any device: the font alone,
    // without the surface's device, gives the width.
    return Conv::toInt32(QFontMetricsF(g.builtFont(font, size)).horizontalAdvance(text));
}

} // namespace Sheet
