#include "window/caption_font.h"

#include <QFontInfo>
#include <QFontMetrics>

#include "form/caption_fit.h"
#include "window/qt_text.h"

namespace lagewandler {
namespace {

// Qt lays the window out in device-independent pixels: the layout's 96 DPI.
constexpr int kLogicalDpi = 96;

[[nodiscard]] QFont atPixels(const QFont& base, int fontPixels) {
    QFont font = base;
    font.setPixelSize(fontPixels);
    return font;
}

[[nodiscard]] CaptionMeasure measureIn(const QFont& base) {
    return [base](int fontPixels, std::string_view caption) {
        const QFontMetrics metrics(atPixels(base, fontPixels));
        return PixelSize{metrics.horizontalAdvance(qtText(caption)), metrics.height()};
    };
}

}  // namespace

bool allCaptionsFit(const QFont& font) {
    const int pixels = QFontInfo(font).pixelSize();
    return lagewandler::allCaptionsFit(pixels, kLogicalDpi, measureIn(font));
}

QFont captionFittingFont(const QFont& base) {
    const int basePixels = QFontInfo(base).pixelSize();
    const int pixels = captionFontPixels(basePixels, kLogicalDpi, measureIn(base));
    return pixels == basePixels ? base : atPixels(base, pixels);
}

}  // namespace lagewandler
