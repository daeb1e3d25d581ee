#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/characters.h"

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

// Whether readNumericText finds at least one digit in text, that is whether
// its value comes from the text rather than from the "no digit gives 0" rule.
// Examples: "50" -> true, "50,7" -> true, " .5" -> true, "&H1" -> true,
// "" -> false, "abc" -> false, "x12" -> false, "&H" -> false, "-" -> false,
// "NaN" -> false.
[[nodiscard]] bool numericTextHasDigit(std::string_view text);

// Both in one reading: the value readNumericText gives, where text holds a
// digit; nothing where it holds none. "50,7" -> 50, "" -> nothing.
[[nodiscard]] std::optional<double> readNumericTextWithDigit(std::string_view text);

// The signed value of a 16-bit two's-complement bit pattern (0 to 0xFFFF):
// 0x7FFF -> 32767, 0x8000 -> -32768, 0xFFFF -> -1.
[[nodiscard]] constexpr int signedSixteenBit(int pattern) noexcept {
    constexpr int kSmallestNegativePattern = 0x8000;
    constexpr int kSixteenBitModulus = 0x10000;
    return pattern >= kSmallestNegativePattern ? pattern - kSixteenBitModulus : pattern;
}

// The value of a byte as a hexadecimal digit (either case), or -1 for any
// other byte: '7' -> 7, 'b' -> 11, 'F' -> 15, 'G' -> -1, '\xC3' -> -1.
// A table rather than comparisons: code digits are random, so branches on
// them would mispredict.
inline constexpr std::array<signed char, 256> kHexDigitValues = [] {
    constexpr int kDecimalDigits = 10;
    constexpr int kHexLetters = 6;
    std::array<signed char, 256> values{};
    values.fill(-1);
    for (int digit = 0; digit < kDecimalDigits; ++digit) values['0' + digit] = static_cast<signed char>(digit);
    for (int letter = 0; letter < kHexLetters; ++letter) {
        values['A' + letter] = static_cast<signed char>(kDecimalDigits + letter);
        values['a' + letter] = static_cast<signed char>(kDecimalDigits + letter);
    }
    return values;
}();
[[nodiscard]] inline int hexDigitValue(char c) noexcept { return kHexDigitValues[static_cast<unsigned char>(c)]; }

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

// The longest text the writers below produce, not counting the decimal
// separator: a sign and the 309 digits of the largest double, two decimals.
inline constexpr std::size_t kMaxNumberTextLength = 320;
// The longest whole-number text of a 16-bit value: "-32768".
inline constexpr std::size_t kMaxWholeNumberTextLength = 6;

// The number texts above, written to a caller's buffer, which must have room
// for kMaxNumberTextLength characters plus the separator; each returns the end
// of what it wrote. They let a caller build a whole text before copying it.
[[nodiscard]] char* writeWholeNumberText(char* out, std::int16_t value);
[[nodiscard]] char* writePatternTwoDigits(char* out, double value);
// Pattern "00" for a whole number, which needs no rounding: 5 -> "05", -3 -> "-03".
[[nodiscard]] char* writePatternTwoDigitsWhole(char* out, std::int16_t value);
[[nodiscard]] char* writePatternTwoDigitsTwoDecimals(char* out, double value, std::string_view decimalSeparator);

// Copies text to out and returns the end of what it wrote. The texts are a few
// bytes (a separator, " Grad "): a plain loop beats a call to memcpy.
[[nodiscard]] inline char* writeText(char* out, std::string_view text) noexcept {
    for (const char c : text) *out++ = c;
    return out;
}

// Calls write(begin) on a scratch buffer with room for room characters and
// appends what it wrote (begin up to the returned end) to out, so a text made
// of several pieces grows out only once. Small texts are built on the stack.
template <typename Writer>
void appendBuilt(std::string& out, std::size_t room, Writer write) {
    constexpr std::size_t kStackRoom = 1024;
    // append(pointer, length): the iterator-pair overload would copy twice.
    const auto appendFrom = [&out, &write](char* begin) {
        out.append(begin, static_cast<std::size_t>(write(begin) - begin));
    };
    if (room <= kStackRoom) {
        std::array<char, kStackRoom> local;
        appendFrom(local.data());
    } else {
        std::string large(room, '\0');
        appendFrom(large.data());
    }
}

}  // namespace lagewandler
