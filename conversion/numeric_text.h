#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lagewandler {

// The rules by which the conversion moves between texts and numbers. They
// work on UTF-8 text and never consult the process locale: the decimal
// separator of the output is always passed in by the caller.

// Reads the number at the start of text; never fails.
// Blanks, tabs and line feeds are dropped from the whole text first. "&H"
// introduces hexadecimal digits and "&O" octal digits (either case); a value
// of at most four hex (six octal) digits that fits in 16 bits is read as a
// 16-bit two's-complement number, any longer or larger one as its plain
// value. Everything else is read as a decimal: optional sign, digits,
// optional "." and digits, optional exponent (E or D, either case) with
// optional sign and digits. Reading stops at the first character that
// cannot continue the number; no digit at all gives 0. Values too large for
// a double give an infinity, which no rounding accepts.
// Examples: "50" -> 50, "50,7" -> 50, "50.5" -> 50.5, "" -> 0, "x12" -> 0,
// "&HFFFF" -> -1, "&H8000" -> -32768, "&H12G4" -> 18, "&H12 4" -> 292,
// "&H12345" -> 74565, "1D2" -> 100, "5e" -> 5, "NaN" -> 0, "1e400" -> inf.
[[nodiscard]] double readNumericText(std::string_view text);

// Rounds to the nearest integer, a half going to the even neighbour; returns
// nothing when the result lies outside -32768..32767 or value is not finite.
// Examples: 50.5 -> 50, 51.5 -> 52, -0.5 -> 0, 32767.4 -> 32767,
// 32767.5 -> nothing, -32768.5 -> -32768, inf -> nothing.
[[nodiscard]] std::optional<std::int16_t> roundToInt16(double value) noexcept;

// Drops the fractional part: 27.96 -> 27, -16.608 -> -16, -0.006 -> 0.
[[nodiscard]] double truncateTowardZero(double value) noexcept;

// Decimal digits, "-" before a negative value, no padding: 9 -> "9", -3 -> "-3".
[[nodiscard]] std::string wholeNumberText(std::int16_t value);

// Pattern "00": the value rounded to a whole number with at least two digits,
// "-" before a negative one: 5 -> "05", 123 -> "123", -5 -> "-05",
// 57.6 -> "58", 59.64 -> "60", -0.2 -> "00". Infinities and NaN give "inf",
// "-inf", "nan".
[[nodiscard]] std::string patternTwoDigits(double value);

// Pattern "00.00": the value rounded to two decimals, at least two integer
// digits, then decimalSeparator, then exactly two decimals, no grouping.
// Examples with ",": 57.6 -> "57,60", 2.4 -> "02,40", 0 -> "00,00",
// 59.88 -> "59,88", 1234.5 -> "1234,50"; with "٫" (two bytes): 2.4 -> "02٫40".
[[nodiscard]] std::string patternTwoDigitsTwoDecimals(double value, std::string_view decimalSeparator);

// The same three writers appending to out instead of returning a new text, so
// a caller that converts many codes can reuse one buffer.
void appendWholeNumberText(std::string& out, std::int16_t value);
void appendPatternTwoDigits(std::string& out, double value);
void appendPatternTwoDigitsTwoDecimals(std::string& out, double value, std::string_view decimalSeparator);

}  // namespace lagewandler
