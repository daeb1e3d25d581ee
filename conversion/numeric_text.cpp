#include "conversion/numeric_text.h"

#include "text/characters.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace lagewandler {
namespace {

constexpr int kEndOfText = -1;
constexpr int kOctalRadix = 8;
constexpr int kDecimalRadix = 10;
constexpr std::size_t kMaxHexDigitsFor16Bits = 4;
constexpr std::size_t kMaxOctalDigitsFor16Bits = 6;
constexpr double kLargest16BitPattern = 65535.0;
constexpr double kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr double kInt16Max = std::numeric_limits<std::int16_t>::max();

// Exponent texts are clamped here: far beyond any double, and beyond the digit
// count of any text that fits in memory, yet small enough that the arithmetic
// on it never overflows. Only the sign of an out-of-range value's decimal
// magnitude is taken from it.
constexpr std::int64_t kExponentClamp = 100'000'000'000'000'000;

// The reader drops line feeds as well as blanks, so a code pasted with its
// line end still reads.
[[nodiscard]] bool isIgnored(char c) noexcept { return isBlank(c) || c == '\n'; }

// The digit value of c in radix 16 or 8, or -1 when c is no such digit.
[[nodiscard]] int digitValue(int c, int radix) noexcept {
    if (c == kEndOfText) return -1;
    const int value = hexDigitValue(static_cast<char>(c));
    return value < radix ? value : -1;
}

// Walks a text forward, passing over the characters the reader ignores, so
// the reader sees the text as if they had been removed beforehand.
class NumberCursor {
public:
    explicit NumberCursor(std::string_view text) noexcept : text_(text) {}

    [[nodiscard]] int peek() noexcept {
        while (position_ < text_.size() && isIgnored(text_[position_])) ++position_;
        return position_ < text_.size() ? static_cast<unsigned char>(text_[position_]) : kEndOfText;
    }
    void advance() noexcept { ++position_; }
    [[nodiscard]] std::size_t position() const noexcept { return position_; }
    void rewindTo(std::size_t position) noexcept { position_ = position; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

// What the reader made of a text: the value, and whether any digit was read
// (without one the value is 0 by rule, not from the text).
struct Reading {
    double value;
    bool sawDigit;
};

// Reads the digits after "&H" or "&O".
[[nodiscard]] Reading readRadixDigits(NumberCursor& cursor, int radix, std::size_t maxDigitsFor16Bits) {
    double value = 0.0;
    std::size_t digits = 0;
    for (int digit = digitValue(cursor.peek(), radix); digit >= 0; digit = digitValue(cursor.peek(), radix)) {
        value = value * radix + digit;
        ++digits;
        cursor.advance();
    }
    if (digits <= maxDigitsFor16Bits && value <= kLargest16BitPattern) {
        return {static_cast<double>(signedSixteenBit(static_cast<int>(value))), digits > 0};
    }
    return {value, true};
}

// Copies the digits at the cursor to text; returns how many there were.
std::size_t takeDigits(NumberCursor& cursor, std::string& text) {
    std::size_t count = 0;
    for (int c = cursor.peek(); isDecimalDigit(c); c = cursor.peek(), ++count) {
        text.push_back(static_cast<char>(c));
        cursor.advance();
    }
    return count;
}

// Takes a sign at the cursor, if there is one; true for '-'.
[[nodiscard]] bool takeSign(NumberCursor& cursor) noexcept {
    const int sign = cursor.peek();
    if (sign != '+' && sign != '-') return false;
    cursor.advance();
    return sign == '-';
}

// Reads an exponent after its letter: optional sign and at least one digit,
// appended to text as "e", the sign and the digits; returns its value,
// clamped. Without a digit the letter is not part of the number and the
// cursor goes back to it, so "5e" and "5e+" read as 5.
[[nodiscard]] std::int64_t readExponent(NumberCursor& cursor, std::string& text) {
    const std::size_t letter = cursor.position();
    cursor.advance();
    const bool negative = takeSign(cursor);
    if (!isDecimalDigit(cursor.peek())) {
        cursor.rewindTo(letter);
        return 0;
    }
    text += negative ? "e-" : "e";
    const std::size_t start = text.size();
    static_cast<void>(takeDigits(cursor, text));
    std::int64_t exponent = 0;
    for (std::size_t digit = start; digit < text.size(); ++digit) {
        exponent = std::min(exponent * kDecimalRadix + (text[digit] - '0'), kExponentClamp);
    }
    return negative ? -exponent : exponent;
}

[[nodiscard]] bool isExponentLetter(int c) noexcept {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// The power of ten of the first non-zero digit of a number text of
// integerDigits whole digits, a point and decimals ("120.5" -> 2,
// "0.05" -> -2), or nothing when every digit is zero.
[[nodiscard]] std::optional<std::int64_t> leadingPower(std::string_view digits, std::size_t integerDigits) {
    const std::size_t first = digits.find_first_of("123456789");
    if (first == std::string_view::npos) return std::nullopt;
    if (first < integerDigits) return static_cast<std::int64_t>(integerDigits - first) - 1;
    return -static_cast<std::int64_t>(first - integerDigits);  // the point stands between
}

// The decimal number at the cursor: its accepted form is copied as it is,
// without the ignored characters and with the exponent letter as "e", and
// std::from_chars rounds it correctly whatever its length. A value beyond
// the doubles is the infinity or zero it stands for.
[[nodiscard]] Reading readDecimal(NumberCursor& cursor) {
    const bool negative = takeSign(cursor);
    std::string text;
    const std::size_t integerDigits = takeDigits(cursor, text);
    std::size_t decimals = 0;
    if (cursor.peek() == '.') {
        cursor.advance();
        text.push_back('.');
        decimals = takeDigits(cursor, text);
    }
    if (integerDigits + decimals == 0) return {0.0, false};
    const std::size_t mantissaLength = text.size();
    const std::int64_t exponent = isExponentLetter(cursor.peek()) ? readExponent(cursor, text) : 0;
    double value = 0.0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc::result_out_of_range) {
        const auto power = leadingPower(std::string_view(text).substr(0, mantissaLength), integerDigits);
        value = power && *power + exponent >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return {negative ? -value : value, true};
}

// Below 2^52 in magnitude a double converts to a 64-bit integer and back
// exactly, which is much cheaper than the library's floor and trunc; at and
// above it every double is a whole number already.
constexpr double kIntegerCastLimit = 4503599627370496.0;

// Rounds to the nearest integer, halves to the even neighbour.
[[nodiscard]] double roundHalfToEven(double value) noexcept {
    if (!(std::fabs(value) < kIntegerCastLimit)) return value;
    auto below = static_cast<double>(static_cast<std::int64_t>(value));
    if (below > value) below -= 1.0;
    const double fraction = value - below;
    if (fraction > 0.5) return below + 1.0;
    if (fraction < 0.5) return below;
    return static_cast<std::int64_t>(below) % 2 == 0 ? below : below + 1.0;
}

// Plain whole numbers of a few digits, such as the usual references "50" and
// "10", are read directly; the result is the same as the full reading.
constexpr std::size_t kMaxDirectDigits = 9;

[[nodiscard]] std::optional<double> plainWholeNumber(std::string_view text) noexcept {
    if (text.empty() || text.size() > kMaxDirectDigits) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (!isDecimalDigit(c)) return std::nullopt;
        value = value * kDecimalRadix + (c - '0');
    }
    return static_cast<double>(value);
}

// The full reading at cursor: "&H" or "&O" and their digits, else a decimal.
[[nodiscard]] Reading readNumber(NumberCursor& cursor) {
    if (cursor.peek() == '&') {
        const std::size_t ampersand = cursor.position();
        cursor.advance();
        const int prefix = cursor.peek();
        cursor.advance();
        if (prefix == 'H' || prefix == 'h') return readRadixDigits(cursor, kHexRadix, kMaxHexDigitsFor16Bits);
        if (prefix == 'O' || prefix == 'o') return readRadixDigits(cursor, kOctalRadix, kMaxOctalDigitsFor16Bits);
        cursor.rewindTo(ampersand);
    }
    return readDecimal(cursor);
}

[[nodiscard]] Reading readNumber(std::string_view text) {
    NumberCursor cursor(text);
    return readNumber(cursor);
}

}  // namespace

double readNumericText(std::string_view text) {
    if (const auto plain = plainWholeNumber(text)) return *plain;
    return readNumber(text).value;
}

bool numericTextHasDigit(std::string_view text) { return readNumericTextWithDigit(text).has_value(); }

std::optional<double> readNumericTextWithDigit(std::string_view text) {
    if (const auto plain = plainWholeNumber(text)) return *plain;
    const Reading reading = readNumber(text);
    if (!reading.sawDigit) return std::nullopt;
    return reading.value;
}

std::optional<std::int16_t> roundToInt16(double value) noexcept {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = roundHalfToEven(value);
    if (rounded < kInt16Min || rounded > kInt16Max) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

double truncateTowardZero(double value) noexcept {
    if (!(std::fabs(value) < kIntegerCastLimit)) return value;
    // The cast drops the fraction; copysign keeps -0.006 -> -0 as trunc does.
    return std::copysign(static_cast<double>(static_cast<std::int64_t>(value)), value);
}

}  // namespace lagewandler
