#include "conversion/position_encoder.h"

#include <limits>

#include "conversion/group_decoder.h"

namespace lagewandler {
namespace {

constexpr std::int64_t kTenThousandths = 10000;
constexpr int kDecimals = 4;
constexpr std::int64_t kDecimalRadix = 10;
// Beyond any reference and offset; keeps the arithmetic far from overflow.
constexpr int kMaxIntegerDigits = 9;
constexpr int kMaxDmsDegreeDigits = 6;
// A second is 10000 / 3600 = 25 / 9 ten-thousandths of a degree.
constexpr std::int64_t kTenThousandthsPerNineSeconds = 25;
constexpr std::int64_t kNineSeconds = 9;
constexpr int kMaxSecondsDecimals = 6;
constexpr std::int64_t kMaxMinutes = 59;
constexpr std::int64_t kMaxSeconds = 60;
constexpr std::int64_t kMinutesPerDegree = 60;
constexpr std::int64_t kSecondsPerDegree = 3600;
constexpr int kOffsetBits = 16;
constexpr std::int64_t kSixteenBitMask = 0xFFFF;

constexpr std::string_view kDegreesWord = "Grad";
constexpr std::string_view kMinutesWord = "Min.";
constexpr std::string_view kSecondsWord = "Sek.";

[[nodiscard]] bool isBlank(char c) noexcept { return c == ' ' || c == '\t'; }
[[nodiscard]] bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// Walks a position text from its start.
class PositionCursor {
public:
    PositionCursor(std::string_view text, std::string_view decimalSeparator) noexcept
        : text_(text), separator_(decimalSeparator) {}

    void skipBlanks() noexcept {
        while (!text_.empty() && isBlank(text_.front())) text_.remove_prefix(1);
    }
    // Takes word after at least one blank; false when it is not there.
    [[nodiscard]] bool takeWord(std::string_view word) noexcept {
        if (text_.empty() || !isBlank(text_.front())) return false;
        skipBlanks();
        if (!text_.starts_with(word)) return false;
        text_.remove_prefix(word.size());
        return true;
    }
    // Takes a sign; true for "-".
    [[nodiscard]] bool takeSign() noexcept {
        if (text_.empty() || (text_.front() != '-' && text_.front() != '+')) return false;
        const bool negative = text_.front() == '-';
        text_.remove_prefix(1);
        return negative;
    }
    // Takes a decimal point: '.', ',' or the regional separator.
    [[nodiscard]] bool takePoint() noexcept {
        for (const std::string_view point : {std::string_view("."), std::string_view(","), separator_}) {
            if (!point.empty() && text_.starts_with(point)) {
                text_.remove_prefix(point.size());
                return true;
            }
        }
        return false;
    }
    // Takes digits into value (at most maxDigits significant ones); returns
    // how many digits it took, or -1 where they are too many.
    [[nodiscard]] int takeDigits(std::int64_t& value, int maxDigits) noexcept {
        int taken = 0;
        int significant = 0;
        while (!text_.empty() && isDigit(text_.front())) {
            significant += value != 0 || text_.front() != '0' ? 1 : 0;
            if (significant > maxDigits) return -1;
            value = value * kDecimalRadix + (text_.front() - '0');
            text_.remove_prefix(1);
            ++taken;
        }
        return taken;
    }
    // The next digit, or nothing; for reading a fraction digit by digit.
    [[nodiscard]] std::optional<int> takeDigit() noexcept {
        if (text_.empty() || !isDigit(text_.front())) return std::nullopt;
        const int digit = text_.front() - '0';
        text_.remove_prefix(1);
        return digit;
    }
    [[nodiscard]] bool atEnd() noexcept {
        skipBlanks();
        return text_.empty();
    }

private:
    std::string_view text_;
    std::string_view separator_;
};

// floor(numerator / denominator + 1/2) for a positive denominator: the
// nearest whole number, an exact half rounding up.
[[nodiscard]] std::int64_t roundHalfUp(std::int64_t numerator, std::int64_t denominator) noexcept {
    const std::int64_t twice = 2 * numerator + denominator;
    const std::int64_t quotient = twice / (2 * denominator);
    return twice % (2 * denominator) < 0 ? quotient - 1 : quotient;
}

// Decimal degrees: the first four decimals are exact, the fifth and whether
// any later one is non-zero decide the rounding.
[[nodiscard]] std::optional<std::int64_t> readDecimalDegrees(PositionCursor& cursor) {
    const bool negative = cursor.takeSign();
    std::int64_t whole = 0;
    const int wholeDigits = cursor.takeDigits(whole, kMaxIntegerDigits);
    if (wholeDigits < 0) return std::nullopt;
    std::int64_t fraction = 0;  // the first four decimals, in ten-thousandths
    int fifth = 0;
    bool laterNonZero = false;
    int decimals = 0;
    if (cursor.takePoint()) {
        for (auto digit = cursor.takeDigit(); digit; digit = cursor.takeDigit(), ++decimals) {
            if (decimals < kDecimals) fraction = fraction * kDecimalRadix + *digit;
            else if (decimals == kDecimals) fifth = *digit;
            else laterNonZero = laterNonZero || *digit != 0;
        }
    }
    if (wholeDigits + decimals == 0 || !cursor.atEnd()) return std::nullopt;
    for (int padded = decimals; padded < kDecimals; ++padded) fraction *= kDecimalRadix;
    // Twice the part beyond the fourth decimal, in its units: 10 is a half.
    const int beyond = 2 * fifth + (laterNonZero ? 1 : 0);
    constexpr int kHalf = 10;
    const std::int64_t magnitude = whole * kTenThousandths + fraction;
    // Up is toward +infinity: a half rounds away from zero for a positive
    // value, toward it for a negative one.
    if (!negative) return magnitude + (beyond >= kHalf ? 1 : 0);
    return -(magnitude + (beyond > kHalf ? 1 : 0));
}

// "D Grad M Min. S Sek.": D signed, M 0 to 59, S 0 to 60 with up to six
// decimals; the position is D + M/60 + S/3600 degrees.
[[nodiscard]] std::optional<std::int64_t> readDegreesMinutesSeconds(PositionCursor& cursor) {
    const bool negative = cursor.takeSign();
    std::int64_t degrees = 0, minutes = 0, seconds = 0;
    if (cursor.takeDigits(degrees, kMaxDmsDegreeDigits) <= 0 || !cursor.takeWord(kDegreesWord)) {
        return std::nullopt;
    }
    // The sign belongs to the degrees and the minutes and seconds count up
    // from them, so the conversion never writes "-0 Grad": -0.5 degrees is
    // "-1 Grad 29 Min. 60,00 Sek.". A hand-written "-0 Grad 30 Min." means a
    // negative position this text cannot say; reading it as +0.5 would move
    // the place across the meridian or the equator.
    if (negative && degrees == 0) return std::nullopt;
    cursor.skipBlanks();
    if (cursor.takeDigits(minutes, 2) <= 0 || minutes > kMaxMinutes || !cursor.takeWord(kMinutesWord)) {
        return std::nullopt;
    }
    cursor.skipBlanks();
    if (cursor.takeDigits(seconds, 2) <= 0) return std::nullopt;
    std::int64_t scale = 1;  // 10 to the number of the seconds' decimals
    if (cursor.takePoint()) {
        const int decimals = cursor.takeDigits(seconds, 2 + kMaxSecondsDecimals);
        if (decimals <= 0 || decimals > kMaxSecondsDecimals) return std::nullopt;
        for (int place = 0; place < decimals; ++place) scale *= kDecimalRadix;
    }
    if (seconds > kMaxSeconds * scale || !cursor.takeWord(kSecondsWord) || !cursor.atEnd()) return std::nullopt;
    // In units of 1 / scale second, then rounded to ten-thousandths.
    const std::int64_t units = ((negative ? -degrees : degrees) * kSecondsPerDegree +
                                minutes * (kSecondsPerDegree / kMinutesPerDegree)) * scale + seconds;
    return roundHalfUp(units * kTenThousandthsPerNineSeconds, kNineSeconds * scale);
}

}  // namespace

char* writeDecimalDegrees(char* out, std::int32_t tenThousandths) noexcept {
    if (tenThousandths < 0) *out++ = '-';
    auto magnitude = static_cast<std::uint32_t>(tenThousandths < 0 ? -static_cast<std::int64_t>(tenThousandths)
                                                                   : tenThousandths);
    // Digits from the last: four decimals, the point, then the whole degrees.
    char digits[kMaxDecimalDegreesLength];
    char* end = digits + sizeof digits;
    char* begin = end;
    for (int place = 0; place < kDecimals; ++place, magnitude /= kDecimalRadix) {
        *--begin = static_cast<char>('0' + magnitude % kDecimalRadix);
    }
    *--begin = '.';
    do {
        *--begin = static_cast<char>('0' + magnitude % kDecimalRadix);
        magnitude /= kDecimalRadix;
    } while (magnitude != 0);
    while (begin != end) *out++ = *begin++;
    return out;
}

std::string decimalDegreesText(std::int32_t tenThousandths) {
    char text[kMaxDecimalDegreesLength];
    return {text, writeDecimalDegrees(text, tenThousandths)};
}

std::optional<std::int64_t> readPosition(std::string_view text, std::string_view decimalSeparator) {
    PositionCursor cursor(text, decimalSeparator);
    cursor.skipBlanks();
    return text.find(kDegreesWord) == std::string_view::npos ? readDecimalDegrees(cursor)
                                                              : readDegreesMinutesSeconds(cursor);
}

std::optional<std::array<char, 4>> encodeGroup(std::int16_t reference, std::int64_t position) noexcept {
    const std::int64_t offset = position - reference * kTenThousandths;
    if (offset < std::numeric_limits<std::int16_t>::min() || offset > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    constexpr int kBitsPerDigit = 4;
    constexpr std::int64_t kDigitMask = 0xF;
    const std::int64_t pattern = offset & kSixteenBitMask;
    std::array<char, 4> group{};
    for (int index = 0; index < 4; ++index) {
        const int shift = kOffsetBits - kBitsPerDigit * (index + 1);
        group[static_cast<std::size_t>(index)] = kHexDigits[(pattern >> shift) & kDigitMask];
    }
    // Near the ends of the 16-bit degrees the decoder refuses some offsets
    // (its degree would not fit): a code for them would not convert back.
    if (groupPosition(reference, {group.data(), group.size()}) != position) return std::nullopt;
    return group;
}

}  // namespace lagewandler
