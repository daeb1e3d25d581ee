#pragma once

#include <functional>
#include <string_view>

#include "form/layout.h"

namespace lagewandler {

// How both windows fit the captions of labels and buttons into the layout's
// rectangles. The layout was drawn for a narrower font than many desktops
// use, so where a caption would be cut, the whole window's font is made
// smaller; the geometry never changes. Sizes are in pixels at a DPI (96 is
// 100 %); a font's size is its character height in pixels.

struct PixelSize {
    int width;
    int height;
};

// The smallest font the fitting goes down to at dpi: 7 pixels at 96 DPI,
// scaled with the DPI (11 at 144).
[[nodiscard]] int smallestCaptionFontPixels(int dpi);

// The room the caption of row has inside its control at dpi: a label's
// whole rectangle; a button's rectangle less the room its frame and focus
// mark keep on each side. Fields have no caption; their rectangle is given.
[[nodiscard]] PixelSize captionRoom(const ControlRow& row, int dpi);

// Measures caption drawn in the window's font at fontPixels.
using CaptionMeasure = std::function<PixelSize(int fontPixels, std::string_view caption)>;

// Whether every label's and button's caption, measured by measure at
// fontPixels, fits its captionRoom at dpi.
[[nodiscard]] bool allCaptionsFit(int fontPixels, int dpi, const CaptionMeasure& measure);

// The font size for the window: basePixels where every caption fits,
// otherwise the largest smaller size at which all fit, but never below
// smallestCaptionFontPixels(dpi); a basePixels already below that stays.
[[nodiscard]] int captionFontPixels(int basePixels, int dpi, const CaptionMeasure& measure);

}  // namespace lagewandler
