#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace lagewandler {

// Positions in exact decimal form, and back from a position to its group
// (position_reader.h reads positions from texts). A position is held as a
// whole number of ten-thousandths of a degree, the code's own unit, so
// nothing here passes through a binary fraction.

// The longest decimal-degrees text: "-32771.2768" (more than any position a
// group decodes to needs).
inline constexpr std::size_t kMaxDecimalDegreesLength = 12;

// Writes tenThousandths as decimal degrees, exactly four decimals after a
// '.', "-" before a negative value, to out (room for
// kMaxDecimalDegreesLength); returns the end. 504660 -> "50.4660",
// -1 -> "-0.0001", 0 -> "0.0000".
[[nodiscard]] char* writeDecimalDegrees(char* out, std::int32_t tenThousandths) noexcept;
[[nodiscard]] std::string decimalDegreesText(std::int32_t tenThousandths);

// The group that puts position (ten-thousandths of a degree) against
// reference: four upper-case hexadecimal digits of the 16-bit two's-complement
// offset; nothing where the offset lies outside -32768..32767 or where the
// group would not decode back to position (its degree outside the 16-bit
// range, which happens only near the ends of the references).
// Examples: (50, 504660) -> "1234", (10, 99999) -> "FFFF", (50, 540000) -> nothing,
// (32767, 327697500) -> nothing.
[[nodiscard]] std::optional<std::array<char, 4>> encodeGroup(std::int16_t reference, std::int64_t position) noexcept;

}  // namespace lagewandler
