#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QString>

#include <cstdint>

class QPainter;

// The drawing surface every sheet routine draws on: the preview's paint event,
// an off-screen picture or a printed page. It keeps the foreground colour, the
// font, the text size and the pen from one routine to the next for as long as
// it lives (the cutting guides take the colour the last sheet left), so one
// SheetSurface is made per painter and handed to every routine that draws on it.
//
// Coordinates are Int32 device units. Lines and fills land on exact device
// pixels (no antialiasing); text is antialiased and placed by its baseline.
class SheetSurface {
public:
    // The painter must outlive the surface and must be active.
    explicit SheetSurface(QPainter& painter);
    SheetSurface(const SheetSurface&) = delete;
    SheetSurface& operator=(const SheetSurface&) = delete;

    QPainter& painter() { return m_painter; }

    void setForeColor(const QColor& colour) { m_foreColor = colour; }
    QColor foreColor() const { return m_foreColor; }

    // A font name as the dataset stores it; an uninstalled name draws in
    // whatever the font system substitutes for it.
    void setTextFont(const QString& name);
    QString textFont() const { return m_textFont; }

    // In device pixels; 0 or less draws no text and measures every text as 0.
    void setTextSize(int32_t size);
    int32_t textSize() const { return m_textSize; }

    void setPenWidth(int32_t w) { m_penWidth = w; }
    void setPenHeight(int32_t h) { m_penHeight = h; }
    int32_t penWidth() const { return m_penWidth; }
    int32_t penHeight() const { return m_penHeight; }

    // A segment with both end points drawn: the pen's rectangle hangs right of
    // and below every point of the segment. A 1 x 1 pen from p to p + 1 covers
    // two pixels; a pen 0 wide or high draws nothing.
    void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // A width or height of 0 or less fills nothing.
    void fillRect(int32_t x, int32_t y, int32_t width, int32_t height);
    // One line of text starting at x with its baseline at y; no wrapping.
    void drawString(const QString& text, int32_t x, int32_t y);
    // The source rectangle of the picture scaled smoothly into the destination.
    void drawPicture(const QImage& picture, int32_t x, int32_t y, int32_t width, int32_t height,
                     int32_t srcX, int32_t srcY, int32_t srcWidth, int32_t srcHeight);

    // The font a text in `name` at `size` device pixels draws in; built once
    // per surface, so that a sheet's many texts reuse a handful of fonts. The
    // reference holds until the surface builds another font.
    const QFont& builtFont(const QString& name, int32_t size);

private:
    const QFont& font();
    qsizetype builtIndex(const QString& name, int32_t size);
    void fillDeviceRect(int64_t left, int64_t top, int64_t right, int64_t bottom);

    QPainter& m_painter;
    QColor m_foreColor{Qt::black};
    QString m_textFont;
    int32_t m_textSize = 12;
    int32_t m_penWidth = 1;
    int32_t m_penHeight = 1;
    // The fonts built so far on this surface, by name and size. A sheet
    // switches between its few fonts from cell to cell, and a font built anew
    // looks its font files up again before it draws.
    struct BuiltFont {
        QString name;
        int32_t size;
        QFont font;
    };
    QList<BuiltFont> m_fonts;
    qsizetype m_font = -1;  // the current font's entry, while the font is not dirty
    bool m_fontDirty = true;
};

namespace Sheet {

// The width in points of a text drawn in `font` at `size`, unscaled, fraction
// dropped, with the surface's fonts: what a sheet measures as it draws. It is
// measured apart from the surface's device, so that it stays in points
// whatever the target's scale and resolution.
int32_t getStrigWidth(SheetSurface& g, const QString& text, const QString& font, int32_t size);

} // namespace Sheet
