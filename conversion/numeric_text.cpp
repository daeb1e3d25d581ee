#include "numeric_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace lagewandler {
namespace {

constexpr int kEndOfText = -1;
constexpr int kHexRadix = 16;
constexpr int kOctalRadix = 8;
constexpr int kDecimalRadix = 10;
constexpr std::size_t kMaxHexDigitsFor16Bits = 4;
constexpr std::size_t kMaxOctalDigitsFor16Bits = 6;
constexpr double kLargest16BitPattern = 65535.0;
constexpr double kSmallestNegative16BitPattern = 32768.0;
constexpr double kSixteenBitModulus = 65536.0;
constexpr double kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr double kInt16Max = std::numeric_limits<std::int16_t>::max();

// A double is decided by its first 768 significant decimal digits; digits
// beyond a few more than that only matter as "something non-zero follows".
constexpr std::size_t kMaxSignificantDigits = 800;
// Exponent texts are clamped here: far beyond any double, and beyond the digit
// count of any text that fits in memory (which can offset the exponent), yet
// small enough that the arithmetic on it never overflows.
constexpr std::int64_t kExponentClamp = 100'000'000'000'000'000;
constexpr std::int64_t kBeyondDoubleRange = 400;

[[nodiscard]] bool isIgnored(char c) noexcept { return c == ' ' || c == '\t' || c == '\n'; }

[[nodiscard]] bool isDecimalDigit(int c) noexcept { return c >= '0' && c <= '9'; }

[[nodiscard]] int digitValue(int c, int radix) noexcept {
    int value = kHexRadix;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'A' && c <= 'F') value = c - 'A' + kDecimalRadix;
    else if (c >= 'a' && c <= 'f') value = c - 'a' + kDecimalRadix;
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

// Reads the digits after "&H" or "&O".
[[nodiscard]] double readRadixDigits(NumberCursor& cursor, int radix, std::size_t maxDigitsFor16Bits) {
    double value = 0.0;
    std::size_t digits = 0;
    for (int digit = digitValue(cursor.peek(), radix); digit >= 0; digit = digitValue(cursor.peek(), radix)) {
        value = value * radix + digit;
        ++digits;
        cursor.advance();
    }
    const bool sixteenBitPattern = digits <= maxDigitsFor16Bits && value <= kLargest16BitPattern;
    if (sixteenBitPattern && value >= kSmallestNegative16BitPattern) return value - kSixteenBitModulus;
    return value;
}

// Reads an exponent after its letter: optional sign and at least one digit.
// Without a digit the letter is not part of the number and the cursor goes
// back to it, so "5e" and "5e+" read as 5.
[[nodiscard]] std::int64_t readExponent(NumberCursor& cursor) {
    const std::size_t letter = cursor.position();
    cursor.advance();
    bool negative = false;
    if (const int sign = cursor.peek(); sign == '+' || sign == '-') {
        negative = sign == '-';
        cursor.advance();
    }
    if (!isDecimalDigit(cursor.peek())) {
        cursor.rewindTo(letter);
        return 0;
    }
    std::int64_t exponent = 0;
    for (int c = cursor.peek(); isDecimalDigit(c); c = cursor.peek()) {
        exponent = std::min(exponent * kDecimalRadix + (c - '0'), kExponentClamp);
        cursor.advance();
    }
    return negative ? -exponent : exponent;
}

[[nodiscard]] bool isExponentLetter(int c) noexcept {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// The significant digits of a decimal number (no leading zeros) and the power
// of ten they are scaled by.
struct DecimalDigits {
    std::string significant;
    std::int64_t exponent = 0;
    bool sawDigit = false;
    bool droppedNonZero = false;

    void take(char digit, bool afterPoint) {
        sawDigit = true;
        if (significant.empty() && digit == '0') {
            if (afterPoint) --exponent;
        } else if (significant.size() < kMaxSignificantDigits) {
            significant.push_back(digit);
            if (afterPoint) --exponent;
        } else {
            if (!afterPoint) ++exponent;
            droppedNonZero = droppedNonZero || digit != '0';
        }
    }
};

[[nodiscard]] double decimalValue(DecimalDigits& number) {
    if (number.significant.empty()) return 0.0;
    if (number.droppedNonZero) {
        // A trailing 1 stands for the dropped digits, so a value that sits
        // exactly between two doubles in its first digits still rounds up.
        number.significant.push_back('1');
        --number.exponent;
    }
    const auto magnitude = static_cast<std::int64_t>(number.significant.size()) + number.exponent;
    if (magnitude > kBeyondDoubleRange) return std::numeric_limits<double>::infinity();
    if (magnitude < -kBeyondDoubleRange) return 0.0;
    std::string text = number.significant;
    text += 'e';
    text += std::to_string(number.exponent);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        return magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return value;
}

[[nodiscard]] double readDecimal(NumberCursor& cursor) {
    bool negative = false;
    if (const int sign = cursor.peek(); sign == '+' || sign == '-') {
        negative = sign == '-';
        cursor.advance();
    }
    DecimalDigits number;
    for (int c = cursor.peek(); isDecimalDigit(c); c = cursor.peek()) {
        number.take(static_cast<char>(c), false);
        cursor.advance();
    }
    if (cursor.peek() == '.') {
        cursor.advance();
        for (int c = cursor.peek(); isDecimalDigit(c); c = cursor.peek()) {
            number.take(static_cast<char>(c), true);
            cursor.advance();
        }
    }
    if (!number.sawDigit) return 0.0;
    if (isExponentLetter(cursor.peek())) {
        number.exponent += readExponent(cursor);
    }
    const double value = decimalValue(number);
    return negative ? -value : value;
}

// Rounds to the nearest integer, halves to the even neighbour. Exact for every
// double: below 2^52 the subtraction is exact, above it every double is whole.
[[nodiscard]] double roundHalfToEven(double value) noexcept {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5) return below + 1.0;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

// Room for any double written in fixed notation with two decimals.
constexpr std::size_t kFixedBufferSize = 400;
using FixedBuffer = std::array<char, kFixedBufferSize>;

// Below this magnitude the value times 100 is off by less than 2e-8 from the
// exact product, so any fraction farther than kTieMargin from one half rounds
// the same either way; only near-ties need the exact (slower) formatter.
constexpr double kFastPathLimit = 1e6;
constexpr double kTieMargin = 1e-6;
constexpr int kCentsPerUnit = 100;

[[nodiscard]] std::string_view writeUnits(std::uint64_t units, int decimals, FixedBuffer& buffer) {
    char* end = buffer.data() + buffer.size();
    if (decimals == 0) return {buffer.data(), std::to_chars(buffer.data(), end, units).ptr};
    char* cursor = std::to_chars(buffer.data(), end, units / kCentsPerUnit).ptr;
    const auto cents = static_cast<unsigned>(units % kCentsPerUnit);
    *cursor++ = '.';
    *cursor++ = static_cast<char>('0' + cents / kDecimalRadix);
    *cursor++ = static_cast<char>('0' + cents % kDecimalRadix);
    return {buffer.data(), cursor};
}

// Writes a non-negative finite magnitude rounded to 0 or 2 decimals as plain
// digits, with "." before any decimals.
[[nodiscard]] std::string_view roundedMagnitude(double magnitude, int decimals, FixedBuffer& buffer) {
    if (magnitude < kFastPathLimit) {
        const double scaled = decimals == 0 ? magnitude : magnitude * kCentsPerUnit;
        const double below = std::floor(scaled);
        const double fraction = scaled - below;
        if (std::fabs(fraction - 0.5) > kTieMargin) {
            return writeUnits(static_cast<std::uint64_t>(fraction > 0.5 ? below + 1.0 : below), decimals, buffer);
        }
    }
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::fixed, decimals);
    return {buffer.data(), result.ptr};
}

constexpr std::size_t kMinIntegerDigits = 2;

void appendPatterned(std::string& out, double value, int decimals, std::string_view decimalSeparator) {
    if (!std::isfinite(value)) {
        out += std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
        return;
    }
    FixedBuffer buffer{};
    const std::string_view digits = roundedMagnitude(std::fabs(value), decimals, buffer);
    // A value that rounds to zero is written without a sign: -0.2 is "00".
    if (value < 0 && digits.find_first_not_of("0.") != std::string_view::npos) out += '-';
    const std::size_t point = digits.find('.');
    const std::string_view integerDigits = digits.substr(0, point);
    if (integerDigits.size() < kMinIntegerDigits) out.append(kMinIntegerDigits - integerDigits.size(), '0');
    out += integerDigits;
    if (point != std::string_view::npos) {
        out += decimalSeparator;
        out += digits.substr(point + 1);
    }
}

}  // namespace

double readNumericText(std::string_view text) {
    NumberCursor cursor(text);
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

std::optional<std::int16_t> roundToInt16(double value) noexcept {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = roundHalfToEven(value);
    if (rounded < kInt16Min || rounded > kInt16Max) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

double truncateTowardZero(double value) noexcept { return std::trunc(value); }

void appendWholeNumberText(std::string& out, std::int16_t value) {
    std::array<char, std::numeric_limits<std::int16_t>::digits10 + 3> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

void appendPatternTwoDigits(std::string& out, double value) { appendPatterned(out, value, 0, {}); }

void appendPatternTwoDigitsTwoDecimals(std::string& out, double value, std::string_view decimalSeparator) {
    appendPatterned(out, value, 2, decimalSeparator);
}

std::string wholeNumberText(std::int16_t value) {
    std::string text;
    appendWholeNumberText(text, value);
    return text;
}

std::string patternTwoDigits(double value) {
    std::string text;
    appendPatternTwoDigits(text, value);
    return text;
}

std::string patternTwoDigitsTwoDecimals(double value, std::string_view decimalSeparator) {
    std::string text;
    appendPatternTwoDigitsTwoDecimals(text, value, decimalSeparator);
    return text;
}

}  // namespace lagewandler
