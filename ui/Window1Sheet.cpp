// The main window's sheet drawing, preview and rulers: thin methods that read
// the window's state and hand it to the renderer in sheet/.

#include "ui/Window1.h"

#include "sheet/GridTables.h"
#include "sheet/MonthSheet.h"
#include "sheet/Preview.h"
#include "sheet/SheetSizes.h"
#include "sheet/SheetSurface.h"
#include "ui/Canvas.h"

#include <QPainter>

namespace {

// The preview's size at start, from the window layout: the floppy sheet.
constexpr QSize kPreviewStart = Sheet::sheetSizeInPoints(SheetSize::FloppyCase);
constexpr int32_t kPreviewStartWidth = kPreviewStart.width();
constexpr int32_t kPreviewStartHeight = kPreviewStart.height();

Sheet::SheetContext contextOf(const Window1& w)
{
    // The sheet's width is the preview's current width, also on paper and in a picture.
    const int32_t width = w.Canvas1 ? w.Canvas1->width() : kPreviewStartWidth;
    return Sheet::SheetContext{*w.pDataset, w.pAnvsy, w.pDOWline, w.pWEEKline, width};
}

Canvas* makeCanvas(QWidget* parent, const char* name, int x, int y, int width, int height,
                   std::function<void(SheetSurface&)> paint)
{
    auto* canvas = new Canvas(parent);
    canvas->setObjectName(QLatin1String(name));
    canvas->setGeometry(x, y, width, height);
    canvas->setPaintHandler([paint = std::move(paint)](QPainter& painter) {
        SheetSurface surface(painter);
        paint(surface);
    });
    return canvas;
}

} // namespace

void Window1::InitSheetCanvases(QWidget* parent)
{
    Canvas1 = makeCanvas(parent, "Canvas1", 30, 220, kPreviewStartWidth, kPreviewStartHeight,
                         [this](SheetSurface& g) { Canvas1_Paint(g); });
    Canvas9 = makeCanvas(parent, "Canvas9", 0, 210, 30, 410, [this](SheetSurface& g) { Canvas9_Paint(g); });
    Canvas10 = makeCanvas(parent, "Canvas10", 20, 190, 390, 30, [this](SheetSurface& g) { Canvas10_Paint(g); });
}

void Window1::InitDOWLine()
{
    if (pDataset)
        Sheet::initDOWLine(pDOWline, pDataset->i32(DatasetKey::size));
}

void Window1::InitWeekLine()
{
    if (pDataset)
        Sheet::initWeekLine(pWEEKline, pDataset->i32(DatasetKey::size), pDataset->i32(DatasetKey::extra));
}

void Window1::DrawCal(SheetSurface& g, int32_t x, int32_t y, double scale, int32_t year, int32_t month) const
{
    if (pDataset)
        Sheet::drawCal(g, contextOf(*this), x, y, scale, year, month);
}

void Window1::Canvas1_Paint(SheetSurface& g)
{
    const int32_t width = Canvas1 ? Canvas1->width() : kPreviewStartWidth;
    const int32_t height = Canvas1 ? Canvas1->height() : kPreviewStartHeight;
    if (!pDataset) {
        Sheet::paintPreview(g, nullptr, width, height);
        return;
    }
    const Sheet::SheetContext sheet = contextOf(*this);
    Sheet::paintPreview(g, &sheet, width, height);
}

void Window1::Canvas9_Paint(SheetSurface& g) { Sheet::paintVerticalRuler(g, Canvas9 ? Canvas9->width() : 30); }

void Window1::Canvas10_Paint(SheetSurface& g) { Sheet::paintHorizontalRuler(g, Canvas10 ? Canvas10->height() : 30); }
