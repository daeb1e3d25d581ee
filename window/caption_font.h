#pragma once

#include <QFont>

class QWidget;

namespace lagewandler {

// Whether the caption of control (a QLabel or QPushButton) is shown whole
// inside the control's rectangle when drawn in font. Other widgets have no
// caption and always fit.
[[nodiscard]] bool captionFits(const QWidget& control, const QFont& font);

// Whether the caption of every label and button among window's direct
// children fits (see captionFits) when drawn in font.
[[nodiscard]] bool allCaptionsFit(const QWidget& window, const QFont& font);

// The layout was drawn for a narrower font than many desktops use. Returns
// base when every label and button caption among window's children fits its
// rectangle; otherwise the same family at the largest smaller size (in half
// points) at which all fit. The geometry itself never changes.
[[nodiscard]] QFont captionFittingFont(const QFont& base, const QWidget& window);

}  // namespace lagewandler
