#include "conversion/numeric_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

// The number writers: whole numbers and the patterns "00" and "00.00".
namespace lagewandler {
namespace {

constexpr int kDecimalRadix = 10;

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

}  // namespace

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
