#include "window/caption_font.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <algorithm>

namespace lagewandler {
namespace {

// Room a button keeps between its edges and its caption for frame and focus.
constexpr int kButtonHorizontalInset = 4;
constexpr int kButtonVerticalInset = 1;
constexpr double kSizeStep = 0.5;
constexpr double kSmallestPointSize = 5.0;
constexpr int kSmallestPixelSize = 7;

[[nodiscard]] bool textFits(const QString& text, const QFont& font, int width, int height) {
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(text) <= width && metrics.height() <= height;
}

}  // namespace

bool captionFits(const QWidget& control, const QFont& font) {
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        return textFits(label->text(), font, label->width(), label->height());
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        return textFits(button->text(), font, button->width() - 2 * kButtonHorizontalInset,
                        button->height() - 2 * kButtonVerticalInset);
    }
    return true;
}

bool allCaptionsFit(const QWidget& window, const QFont& font) {
    const auto controls = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    return std::all_of(controls.begin(), controls.end(),
                       [&font](const QWidget* control) { return captionFits(*control, font); });
}

QFont captionFittingFont(const QFont& base, const QWidget& window) {
    QFont font = base;
    // A font given in pixels has no point size: it shrinks a pixel at a time.
    if (font.pointSizeF() <= 0) {
        while (!allCaptionsFit(window, font) && font.pixelSize() > kSmallestPixelSize) {
            font.setPixelSize(font.pixelSize() - 1);
        }
        return font;
    }
    while (!allCaptionsFit(window, font) && font.pointSizeF() - kSizeStep >= kSmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - kSizeStep);
    }
    return font;
}

}  // namespace lagewandler
