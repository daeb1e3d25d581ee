#include "conversion/group_decoder.h"

#include <limits>
#include <optional>

#include "conversion/numeric_text.h"
#include "conversion/position_units.h"

namespace lagewandler {
namespace {

// The decoder's arithmetic is in doubles, as the results depend on it.
constexpr double kTenThousandthsPerDegreeReal = kTenThousandthsPerDegree;
constexpr double kMinutesPerDegree = 60.0;
constexpr double kSecondsPerMinute = 60.0;
constexpr std::int16_t kMinutesAfterBorrow = 59;
constexpr std::size_t kGroupCharacters = 4;

// Degrees, whole minutes and seconds of one decoded group, and the same
// position exactly, in ten-thousandths of a degree.
struct Position {
    std::int16_t degrees;
    std::int16_t minutes;
    double seconds;
    std::int32_t tenThousandths;
};

}  // namespace

// A blank, a sign, "&H", a letter beyond F or any non-ASCII character refuses
// the group: an O typed for a zero must not turn into a position near the
// reference.
std::optional<std::int32_t> groupOffset(std::string_view group) noexcept {
    if (group.size() != kGroupCharacters) return std::nullopt;
    int value = 0;
    int invalid = 0;
    for (const char c : group) {
        const int digit = hexDigitValue(c);
        invalid |= digit;
        value = value * kHexRadix + digit;
    }
    if (invalid < 0) return std::nullopt;
    return signedSixteenBit(value);
}

namespace {

// The arithmetic of one group, in the order and the widths the results depend
// on. Returns nothing for a group that is not four hexadecimal digits and
// where a degree leaves its 16-bit range.
[[nodiscard]] std::optional<Position> decodePosition(std::int16_t reference, std::string_view group) {
    const auto pattern = groupOffset(group);
    if (!pattern) return std::nullopt;
    const auto value = static_cast<double>(*pattern);
    // v / 10000 truncated toward zero. For whole numbers the integer division
    // gives exactly what dividing the doubles and truncating would, at a
    // fraction of the cost (the sign of a zero quotient differs, which no
    // later step can see).
    const auto whole = static_cast<double>(*pattern / kTenThousandthsPerDegree);
    const auto degrees = roundToInt16(reference + whole);
    if (!degrees) return std::nullopt;
    // Multiplying before dividing keeps whole multiples of 1/600 degree exact.
    const double minutesFraction = ((value - whole * kTenThousandthsPerDegreeReal) * kMinutesPerDegree) /
                                   kTenThousandthsPerDegreeReal;
    Position position{*degrees, static_cast<std::int16_t>(truncateTowardZero(minutesFraction)), 0.0,
                      reference * kTenThousandthsPerDegree + *pattern};
    position.seconds = (minutesFraction - position.minutes) * kSecondsPerMinute;
    // A negative remainder borrows a degree. It does so even when the seconds
    // are zero, which then show as 60: the dispatch system expects exactly that.
    if (minutesFraction < 0) {
        if (position.degrees == std::numeric_limits<std::int16_t>::min()) return std::nullopt;
        --position.degrees;
        position.minutes = static_cast<std::int16_t>(position.minutes + kMinutesAfterBorrow);
        position.seconds += kSecondsPerMinute;
    }
    return position;
}

// Degrees, " Grad ", minutes, " Min. ", seconds with two decimals, " Sek.".
void writeDmsText(std::string& result, const Position& position, std::string_view decimalSeparator) {
    constexpr std::string_view kDegreesUnit = " Grad ";
    constexpr std::string_view kMinutesUnit = " Min. ";
    constexpr std::string_view kSecondsUnit = " Sek.";
    const std::size_t room = 2 * kMaxWholeNumberTextLength + kDegreesUnit.size() + kMinutesUnit.size() +
                             kMaxNumberTextLength + decimalSeparator.size() + kSecondsUnit.size();
    appendBuilt(result, room, [&](char* out) {
        out = writeText(writeWholeNumberText(out, position.degrees), kDegreesUnit);
        out = writeText(writeWholeNumberText(out, position.minutes), kMinutesUnit);
        return writeText(writePatternTwoDigitsTwoDecimals(out, position.seconds, decimalSeparator), kSecondsUnit);
    });
}

// The seconds are rounded on their own, without a carry into the minutes:
// 59.64 seconds give "60" here.
void appendCompactDigits(std::string& compactText, const Position& position) {
    // Degrees and minutes are 16-bit whole numbers; only the seconds are not.
    appendBuilt(compactText, 2 * kMaxWholeNumberTextLength + kMaxNumberTextLength, [&](char* out) {
        out = writePatternTwoDigitsWhole(out, position.degrees);
        out = writePatternTwoDigitsWhole(out, position.minutes);
        return writePatternTwoDigits(out, position.seconds);
    });
}

}  // namespace

std::optional<std::int32_t> decodeGroupInto(std::string& result, std::int16_t reference, std::string_view group,
                                            std::string& compactText, const ConversionEnvironment& environment) {
    const auto position = decodePosition(reference, group);
    // The message comes before the result is emptied: while it is shown, the
    // field still holds what it held before the conversion.
    if (!position) {
        environment.messages.showMessage(kMessageInvalidNumber);
        result.clear();
        return std::nullopt;
    }
    result.clear();
    writeDmsText(result, *position, environment.decimalSeparator);
    appendCompactDigits(compactText, *position);
    return position->tenThousandths;
}

std::optional<std::int32_t> groupPosition(std::int16_t reference, std::string_view group) {
    const auto position = decodePosition(reference, group);
    if (!position) return std::nullopt;
    return position->tenThousandths;
}

std::string DecodeGroup(std::int16_t reference, std::string_view group, std::string& compactText,
                        const ConversionEnvironment& environment) {
    std::string result;
    static_cast<void>(decodeGroupInto(result, reference, group, compactText, environment));
    return result;
}

}  // namespace lagewandler
