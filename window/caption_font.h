#pragma once

#include <QFont>

namespace lagewandler {

// Whether every label and button caption of the layout fits its control
// (see form/caption_fit.h) when drawn in font.
[[nodiscard]] bool allCaptionsFit(const QFont& font);

// The font for the window, by the form's caption fitting: base when every
// caption fits, otherwise the same family at the largest smaller pixel size
// at which all fit (but not below the form's smallest size).
[[nodiscard]] QFont captionFittingFont(const QFont& base);

}  // namespace lagewandler
