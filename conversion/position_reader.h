#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lagewandler {

// Positions as people write them, read exactly into ten-thousandths of a
// degree, the code's own unit, or refused: nothing is guessed.

enum class Axis { Latitude, Longitude };

// Reads one half of a position for axis. Blanks around it are passed over;
// '.', ',' and decimalSeparator (the regional one) are decimal points.
// - The tool's own texts, "50 Grad 27 Min. 57,60 Sek.": minutes 0 to 59,
//   seconds 0 to 60 with up to six decimals; the sign is the degrees' and
//   the minutes and seconds count up from them, so "-1 Grad 29 Min. 60,00
//   Sek." is -0.5 and "-0 Grad ..." is refused.
// - Every other form takes a leading sign for the whole position, and a
//   hemisphere letter instead of a sign, before or after, in either case: N
//   or S for a latitude, E, O (German maps' east) or W for a longitude. An O
//   must stand apart from the digits ("O 12.5", "12° O", never "1O").
//   - decimal degrees: "50.466", "-0,0001", "50.466°", "N 50.466";
//   - degrees, minutes and seconds with symbols: "50°27'57.6\"N",
//     "50° 27′ 57,6″ N" (° or º; ' ′ ’ for minutes; " ″ ” or two minute
//     marks for seconds), or degrees and minutes ("N 50° 27.960'");
//   - colons: "50:27:57.6", "-0:30".
//   Minutes and seconds are below 60 and only the last part has a fraction.
// Returns the nearest ten-thousandth, decided exactly on the text, an exact
// half rounding up; nothing for any other text, a letter of the other axis,
// a sign with a letter, exponents, "NaN", hexadecimal, or more than six
// significant whole digits of degrees.
// Examples: ("50.466", Latitude) -> 504660, ("12.2136 O", Longitude) ->
// 122136, ("0.5 W", Longitude) -> -5000, ("-1° 30'", Latitude) -> -15000,
// ("N 50", Longitude) -> nothing, ("-50 N", Latitude) -> nothing.
[[nodiscard]] std::optional<std::int64_t> readPosition(std::string_view text, std::string_view decimalSeparator,
                                                       Axis axis);

// A latitude and a longitude in ten-thousandths of a degree.
struct WholePosition {
    std::int64_t latitude;
    std::int64_t longitude;
};

// Reads both halves of a position from one text, as map applications copy
// it: two halves of the forms above, apart by blanks, a comma or a
// semicolon, latitude first unless hemisphere letters say otherwise. Every
// way of cutting the text in two at its blanks, commas and semicolons is
// tried; the text must read in exactly one way. A text that reads as one
// half alone is no whole position, so "50,5" (one half, or 50 and 5) is
// refused. Returns nothing for anything else.
// Examples: "50.466, 12.2136" -> {504660, 122136}, "50,466 12,2136" ->
// {504660, 122136}, "12.2136E 50.466N" -> {504660, 122136}, "50,10" ->
// nothing, "50.466" -> nothing, "50.466 N 12.2136 S" -> nothing.
[[nodiscard]] std::optional<WholePosition> readWholePosition(std::string_view text,
                                                             std::string_view decimalSeparator);

}  // namespace lagewandler
