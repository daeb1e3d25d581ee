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
// Each member names what its field (Text1 ... Text6) holds.
struct FieldModel {
    std::string eastReference{kInitialEastReference};    // Text1: whole degrees
    std::string positionCode;                            // Text2: the eight-character code
    std::string latitude;                                // Text3: degrees/minutes/seconds
    std::string longitude;                               // Text4: degrees/minutes/seconds
    std::string compactResult;                           // Text5: compact text of the last conversion
    std::string northReference{kInitialNorthReference};  // Text6: whole degrees
    std::string compactText;                             // digits collected while converting
};

}  // namespace lagewandler
