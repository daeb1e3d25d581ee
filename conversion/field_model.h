#pragma once

#include <string>
#include <string_view>

namespace lagewandler {

// What the two reference fields hold when the window opens.
inline constexpr std::string_view kInitialEastReference = "10";
inline constexpr std::string_view kInitialNorthReference = "50";

// The texts of the window's six fields plus the hidden compactText, all UTF-8.
// The conversion reads and writes only this, so it runs with or without a
// window. A default-constructed model holds what a freshly opened window shows.
struct FieldModel {
    std::string text1{kInitialEastReference};   // east reference, whole degrees
    std::string text2;         // the eight-character position code
    std::string text3;         // latitude as degrees/minutes/seconds
    std::string text4;         // longitude as degrees/minutes/seconds
    std::string text5;         // compact text of the last conversion
    std::string text6{kInitialNorthReference};  // north reference, whole degrees
    std::string compactText;   // digits collected while converting
};

}  // namespace lagewandler
