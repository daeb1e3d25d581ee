#include "conversion/numeric_text.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <cmath>
#include <limits>
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

// Every integer of up to 15 digits and every power of ten up to 10^22 is an
// exact double, so one multiplication or division rounds correctly.
constexpr std::size_t kExactDigits = 15;
constexpr std::array<double, 23> kExactPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr auto kLargestExactPower = static_cast<std::int64_t>(kExactPowersOfTen.size() - 1);

[[nodiscard]] std::optional<double> shortDecimalValue(const DecimalDigits& number) {
    if (number.droppedNonZero || number.significant.size() > kExactDigits ||
        number.exponent > kLargestExactPower || number.exponent < -kLargestExactPower) {
        return std::nullopt;
    }
    std::uint64_t digits = 0;
    for (const char digit : number.significant) digits = digits * kDecimalRadix + static_cast<unsigned>(digit - '0');
    const auto value = static_cast<double>(digits);
    const double power = kExactPowersOfTen[static_cast<std::size_t>(number.exponent < 0 ? -number.exponent
                                                                                          : number.exponent)];
    return number.exponent < 0 ? value / power : value * power;
}

[[nodiscard]] double decimalValue(DecimalDigits& number) {
    if (number.significant.empty()) return 0.0;
    if (const auto shortValue = shortDecimalValue(number)) return *shortValue;
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

[[nodiscard]] Reading readDecimal(NumberCursor& cursor) {
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
    if (!number.sawDigit) return {0.0, false};
    if (isExponentLetter(cursor.peek())) {
        number.exponent += readExponent(cursor);
    }
    const double value = decimalValue(number);
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

// Below this magnitude the value times 100 is off by less than 2e-8 from the
// exact product, so any fraction farther than kTieMargin from one half rounds
// the same either way; only near-ties need the exact (slower) formatter.
constexpr double kFastPathLimit = 1e6;
constexpr double kTieMargin = 1e-6;
constexpr std::uint64_t kCentsPerUnit = 100;
constexpr std::uint64_t kTwoDigitLimit = 100;

// "00" to "99", for writing two digits at once.
constexpr std::array<char, 2 * kTwoDigitLimit> kDigitPairs = [] {
    std::array<char, 2 * kTwoDigitLimit> pairs{};
    for (std::size_t value = 0; value < kTwoDigitLimit; ++value) {
        pairs[2 * value] = static_cast<char>('0' + value / kDecimalRadix);
        pairs[2 * value + 1] = static_cast<char>('0' + value % kDecimalRadix);
    }
    return pairs;
}();

// Writes value in decimal with at least minDigits (1 or 2) digits. Values
// below 100, nearly all the tool writes, take two table bytes without a
// branch on their length (random digits would make it mispredict); the byte
// after a single digit is scratch, which every caller's buffer has room for.
[[nodiscard]] char* writeDigits(char* out, std::uint64_t value, int minDigits) {
    if (value >= kTwoDigitLimit) {
        return std::to_chars(out, out + std::numeric_limits<std::uint64_t>::digits10 + 1, value).ptr;
    }
    const std::size_t skip = value < kDecimalRadix && minDigits < 2 ? 1 : 0;
    const char* pair = kDigitPairs.data() + 2 * value + skip;
    out[0] = pair[0];
    out[1] = pair[1 - skip];
    return out + 2 - skip;
}

// Writes a value already rounded to whole units (or cents, with two decimals).
[[nodiscard]] char* writeRoundedUnits(char* out, bool negative, std::uint64_t units, int decimals,
                                      std::string_view decimalSeparator) {
    // A value that rounds to zero is written without a sign: -0.2 is "00".
    if (negative && units != 0) *out++ = '-';
    if (decimals == 0) return writeDigits(out, units, 2);
    out = writeText(writeDigits(out, units / kCentsPerUnit, 2), decimalSeparator);
    return writeDigits(out, units % kCentsPerUnit, 2);
}

// The exact path for large values and near-ties: the standard library rounds
// the value's exact binary expansion.
[[nodiscard]] char* writePatternedExactly(char* out, double value, int decimals, std::string_view decimalSeparator) {
    std::array<char, kMaxNumberTextLength> buffer;
    const char* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                    std::chars_format::fixed, decimals).ptr;
    const std::string_view digits(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    if (value < 0 && digits.find_first_not_of("0.") != std::string_view::npos) *out++ = '-';
    const std::size_t point = digits.find('.');
    const std::string_view integerDigits = digits.substr(0, point);
    if (integerDigits.size() < 2) *out++ = '0';
    out = writeText(out, integerDigits);
    if (point == std::string_view::npos) return out;
    return writeText(writeText(out, decimalSeparator), digits.substr(point + 1));
}

[[nodiscard]] char* writePatterned(char* out, double value, int decimals, std::string_view decimalSeparator) {
    if (!std::isfinite(value)) return writeText(out, std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf"));
    const double magnitude = std::fabs(value);
    if (magnitude < kFastPathLimit) {
        const double scaled = decimals == 0 ? magnitude : magnitude * static_cast<double>(kCentsPerUnit);
        // scaled is below 1e8 and not negative: the cast is its floor.
        const auto below = static_cast<std::int64_t>(scaled);
        const double fraction = scaled - static_cast<double>(below);
        if (std::fabs(fraction - 0.5) > kTieMargin) {
            const auto units = static_cast<std::uint64_t>(fraction > 0.5 ? below + 1 : below);
            return writeRoundedUnits(out, value < 0, units, decimals, decimalSeparator);
        }
    }
    return writePatternedExactly(out, value, decimals, decimalSeparator);
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

// The full reading: "&H" or "&O" and their digits, else a decimal.
[[nodiscard]] Reading readNumber(std::string_view text) {
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

char* writeWholeNumberText(char* out, std::int16_t value) {
    if (value < 0) *out++ = '-';
    return writeDigits(out, static_cast<std::uint64_t>(std::abs(static_cast<int>(value))), 1);
}

char* writePatternTwoDigits(char* out, double value) { return writePatterned(out, value, 0, {}); }

char* writePatternTwoDigitsWhole(char* out, std::int16_t value) {
    if (value < 0) *out++ = '-';
    return writeDigits(out, static_cast<std::uint64_t>(std::abs(static_cast<int>(value))), 2);
}

char* writePatternTwoDigitsTwoDecimals(char* out, double value, std::string_view decimalSeparator) {
    return writePatterned(out, value, 2, decimalSeparator);
}

std::string wholeNumberText(std::int16_t value) {
    std::string text;
    appendBuilt(text, kMaxNumberTextLength, [value](char* begin) { return writeWholeNumberText(begin, value); });
    return text;
}

std::string patternTwoDigits(double value) {
    std::string text;
    appendBuilt(text, kMaxNumberTextLength, [value](char* begin) { return writePatternTwoDigits(begin, value); });
    return text;
}

std::string patternTwoDigitsTwoDecimals(double value, std::string_view decimalSeparator) {
    std::string text;
    appendBuilt(text, kMaxNumberTextLength + decimalSeparator.size(), [value, decimalSeparator](char* begin) {
        return writePatternTwoDigitsTwoDecimals(begin, value, decimalSeparator);
    });
    return text;
}

}  // namespace lagewandler
