#pragma once

#include <string_view>

namespace lagewandler {

// The window's fixed German texts besides the controls' captions (which
// stand in the layout), in the tool's established wording, shown exactly as
// written here. The conversion's own two messages live with the conversion.
inline constexpr std::string_view kWindowTitle = "Lagewandler";
inline constexpr std::string_view kMessageBoxCaption = "Ortsmappe";
inline constexpr std::string_view kMessageClipboardUnavailable = "Zwischenablage nicht verfügbar";
// Where Windows refuses to make the window at all (no desktop, no memory).
inline constexpr std::string_view kMessageWindowUnavailable = "Das Fenster konnte nicht geöffnet werden.";

}  // namespace lagewandler
