#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lagewandler {

// Positions in exact decimal form, and back from a position to its group.
// A position is held as a whole number of ten-thousandths of a degree, the
// code's own unit, so nothing here passes through a binary fraction.

// The longest decimal-degrees text: "-32771.2768" (more than any position a
// group decodes to needs).
inline constexpr std::size_t kMaxDecimalDegreesLength = 12;

// Writes tenThousandths as decimal degrees, exactly four decimals after a
// '.', "-" before a negative value, to out (room for
// kMaxDecimalDegreesLength); returns the end. 504660 -> "50.4660",
// -1 -> "-0.0001", 0 -> "0.0000".
[[nodiscard]] char* writeDecimalDegrees(char* out, std::int32_t tenThousandths) noexcept;
[[nodiscard]] std::string decimalDegreesText(std::int32_t tenThousandths);

// Reads a position: decimal degrees (optional sign, digits, '.' or ',' and
// digits: "50.466", "-0,0001") or a degrees/minutes/seconds text as the
// conversion writes it ("50 Grad 27 Min. 57,60 Sek.", minutes 0 to 59,
// seconds 0 to 60 with up to six decimals, '.' or ',', negative degrees as
// "-1 Grad 59 Min. 59,64 Sek."; the sign is the degrees', so "-0 Grad ..."
// is refused). decimalSeparator, the regional one, is
// accepted too. Blanks around the text are passed over. Returns the nearest
// ten-thousandth of a degree, decided exactly on the text, an exact half
// rounding up; nothing for any other text, nor for more than nine whole
// digits of decimal degrees or six of a degrees/minutes/seconds text.
// Examples: "50.466" -> 504660, "50.46605" -> 504661, "-0.00005" -> 0,
// "9 Grad 59 Min. 59,64 Sek." -> 99999, "49 Grad 53 Min. 60,00 Sek." -> 499000,
// "50" -> 500000, "5O.1" -> nothing, "" -> nothing.
[[nodiscard]] std::optional<std::int64_t> readPosition(std::string_view text, std::string_view decimalSeparator);

// The group that puts position (ten-thousandths of a degree) against
// reference: four upper-case hexadecimal digits of the 16-bit two's-complement
// offset; nothing where the offset lies outside -32768..32767 or where the
// group would not decode back to position (its degree outside the 16-bit
// range, which happens only near the ends of the references).
// Examples: (50, 504660) -> "1234", (10, 99999) -> "FFFF", (50, 540000) -> nothing,
// (32767, 327697500) -> nothing.
[[nodiscard]] std::optional<std::array<char, 4>> encodeGroup(std::int16_t reference, std::int64_t position) noexcept;

}  // namespace lagewandler
