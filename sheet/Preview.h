#pragma once

#include "sheet/SheetContext.h"
#include "sheet/SheetSurface.h"

#include <cstdint>

namespace Sheet {

// One centimetre in points (72 / 2.54).
constexpr double kPointsPerCentimetre = 28.34645669291339;

// The ruler tick for i centimetres: its pixel along the ruler, whose scale
// starts 10 pixels in, where the preview's edge lies.
int32_t rulerTick(int32_t i);

// The preview: the canvas filled white, then the dataset's start month at one
// pixel per point. With no sheet to show (no dataset yet) only the white.
void paintPreview(SheetSurface& g, const SheetContext* sheet, int32_t canvasWidth, int32_t canvasHeight);

// The rulers draw with whatever the surface holds (colour, font, pen) and do
// not clear it first; `width` and `height` are the ruler canvases' own.
void paintVerticalRuler(SheetSurface& g, int32_t width);
void paintHorizontalRuler(SheetSurface& g, int32_t height);

} // namespace Sheet
