#pragma once

#include <QString>

// Font names that datasets store but this system does not have. Every sheet
// surface (the preview, an exported picture, a printed page) draws through the
// same substitution.
namespace JapaneseFont {

// The installed Japanese Gothic family that stands in for "osaka", the font of
// every new dataset; empty when none is installed.
QString gothicFamily();

// Maps "osaka" to that family, so that text asked for in "osaka" draws in a
// Japanese font. The stored font name stays "osaka". Call once the
// application object exists; calling again changes nothing.
void installSubstitutes();

} // namespace JapaneseFont
