#pragma once

#include <QString>

#include <string_view>

namespace lagewandler {

// The window's fixed German texts, in the tool's established wording (typos
// included), shown exactly as written here. The conversion's own two messages
// live with the conversion.
inline constexpr std::string_view kWindowTitle = "Lagewandler";
inline constexpr std::string_view kMessageBoxCaption = "Ortsmappe";
inline constexpr std::string_view kMessageClipboardUnavailable = "Zwischenablage nicht verfügbar";

inline constexpr std::string_view kCaptionConvert = "umwandeln";
inline constexpr std::string_view kCaptionEnd = "Ende";
inline constexpr std::string_view kCaptionPaste = "Clipboard";
inline constexpr std::string_view kCaptionCopy = "ins Clipboard";
inline constexpr std::string_view kCaptionReferences = "Bzugspunkte";
inline constexpr std::string_view kCaptionNorth = "nördlich (50)";
inline constexpr std::string_view kCaptionEast = "östlich (10)";
inline constexpr std::string_view kCaptionCode = "8-stelliger Hex-Wert";
inline constexpr std::string_view kCaptionLongitude = "Östlicher Längengrad";
inline constexpr std::string_view kCaptionLatitude = "Nördlicher Breiengrad";
inline constexpr std::string_view kCaptionCompact = "Varn-konformer Text";

// A UTF-8 text as Qt's string: "Ende" -> "Ende", "östlich (10)" -> "östlich (10)".
[[nodiscard]] inline QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace lagewandler
