#include "form/caption_fit.h"

namespace lagewandler {
namespace {

// Room a button keeps between its edges and its caption, at 96 DPI.
constexpr int kButtonHorizontalInset = 4;
constexpr int kButtonVerticalInset = 1;
constexpr int kSmallestFontPixels = 7;

// value given at 96 DPI, at dpi, rounded to the nearest pixel.
[[nodiscard]] int scaled(int value, int dpi) { return (value * dpi + kLayoutDpi / 2) / kLayoutDpi; }

}  // namespace

int smallestCaptionFontPixels(int dpi) { return scaled(kSmallestFontPixels, dpi); }

PixelSize captionRoom(const ControlRow& row, int dpi) {
    const PixelSize whole{twipsToPixels(row.rect.width, dpi), twipsToPixels(row.rect.height, dpi)};
    if (row.kind != ControlKind::Button) return whole;
    return {whole.width - 2 * scaled(kButtonHorizontalInset, dpi), whole.height - 2 * scaled(kButtonVerticalInset, dpi)};
}

bool allCaptionsFit(int fontPixels, int dpi, const CaptionMeasure& measure) {
    for (const ControlRow& row : kControls) {
        if (row.kind == ControlKind::Field) continue;
        const PixelSize drawn = measure(fontPixels, row.caption);
        const PixelSize room = captionRoom(row, dpi);
        if (drawn.width > room.width || drawn.height > room.height) return false;
    }
    return true;
}

int captionFontPixels(int basePixels, int dpi, const CaptionMeasure& measure) {
    const int smallest = smallestCaptionFontPixels(dpi);
    int pixels = basePixels;
    while (pixels > smallest && !allCaptionsFit(pixels, dpi, measure)) --pixels;
    return pixels;
}

}  // namespace lagewandler
