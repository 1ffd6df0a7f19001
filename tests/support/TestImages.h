#pragma once

#include <QImage>
#include <gtest/gtest.h>

#include <ostream>

class QWidget;

// gtest would show an image as the bytes of its handle; this shows its size,
// format and pixel ratio. Include this header wherever a test compares images,
// so every comparison prints them alike.
void PrintTo(const QImage& image, std::ostream* os);

// Comparing pictures so that a failure says where, and so that what passes on
// one machine passes on all. Use them through EXPECT_PRED_FORMAT2, e.g.
//   EXPECT_PRED_FORMAT2(TestImages::samePixels, picture, preview);
namespace TestImages {

// The widget as it paints itself, one image pixel per widget pixel whatever
// the screen's scale (grab() gives device pixels: twice as many at scale 2).
// Where the widget paints nothing the image is transparent, as in grab().
QImage rendered(QWidget* widget);

// Same size and every pixel the same colour and alpha. For pictures that went
// through nothing lossy: one drawing path against itself, PNG or BMP files.
::testing::AssertionResult samePixels(const char* aText, const char* bText, const QImage& a, const QImage& b);

// Same size and equal up to the rounding in which Qt's premultiplying paths
// (SSE, AVX2, AVX-512, plain C) differ: compared premultiplied, as drawing
// keeps them, alpha is equal everywhere and each colour channel is within 1
// where alpha is partial. For pictures drawn into or converted through a
// premultiplied image.
::testing::AssertionResult sameUpToRounding(const char* aText, const char* bText, const QImage& a,
                                            const QImage& b);

} // namespace TestImages
