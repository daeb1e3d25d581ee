#include "group_decoder.h"

#include <cmath>
#include <limits>
#include <optional>

#include "numeric_text.h"

namespace lagewandler {
namespace {

constexpr double kTenThousandthsPerDegree = 10000.0;
constexpr double kMinutesPerDegree = 60.0;
constexpr double kSecondsPerMinute = 60.0;
constexpr std::int16_t kMinutesAfterBorrow = 59;
constexpr double kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr double kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::string_view kHexPrefix = "&H";
// Four characters of up to four bytes each, after the prefix.
constexpr std::size_t kGroupBufferSize = 2 + 4 * 4;

// Degrees, whole minutes and seconds of one decoded group.
struct Position {
    std::int16_t degrees;
    std::int16_t minutes;
    double seconds;
};

// Reads "&H" followed by the group, as the reference fields are read.
[[nodiscard]] double groupValue(std::string_view group) {
    if (group.size() + kHexPrefix.size() <= kGroupBufferSize) {
        // The usual four-character group: no allocation.
        char buffer[kGroupBufferSize];
        kHexPrefix.copy(buffer, kHexPrefix.size());
        group.copy(buffer + kHexPrefix.size(), group.size());
        return readNumericText({buffer, kHexPrefix.size() + group.size()});
    }
    std::string text(kHexPrefix);
    text += group;
    return readNumericText(text);
}

// The arithmetic of one group, in the order and the widths the results depend
// on. Returns nothing where a value leaves its 16-bit (or 32-bit) range.
[[nodiscard]] std::optional<Position> decodePosition(std::int16_t reference, std::string_view group) {
    // Hexadecimal reading always yields a whole number; only a group longer
    // than four characters could leave the 32-bit range.
    const double value = groupValue(group);
    if (!(value >= kInt32Min && value <= kInt32Max)) return std::nullopt;
    const double whole = truncateTowardZero(value / kTenThousandthsPerDegree);
    const auto degrees = roundToInt16(reference + whole);
    if (!degrees) return std::nullopt;
    // Multiplying before dividing keeps whole multiples of 1/600 degree exact.
    const double minutesFraction = ((value - whole * kTenThousandthsPerDegree) * kMinutesPerDegree) /
                                   kTenThousandthsPerDegree;
    Position position{*degrees, static_cast<std::int16_t>(truncateTowardZero(minutesFraction)), 0.0};
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

void writeDmsText(std::string& result, const Position& position, std::string_view decimalSeparator) {
    appendWholeNumberText(result, position.degrees);
    result += " Grad ";
    appendWholeNumberText(result, position.minutes);
    result += " Min. ";
    appendPatternTwoDigitsTwoDecimals(result, position.seconds, decimalSeparator);
    result += " Sek.";
}

// The seconds are rounded on their own, without a carry into the minutes:
// 59.64 seconds give "60" here.
void appendCompactDigits(std::string& compactText, const Position& position) {
    appendPatternTwoDigits(compactText, position.degrees);
    appendPatternTwoDigits(compactText, position.minutes);
    appendPatternTwoDigits(compactText, position.seconds);
}

}  // namespace

void decodeGroupInto(std::string& result, std::int16_t reference, std::string_view group,
                     std::string& compactText, const ConversionEnvironment& environment) {
    result.clear();
    const auto position = decodePosition(reference, group);
    if (!position) {
        environment.messages.showMessage(kMessageInvalidNumber);
        return;
    }
    writeDmsText(result, *position, environment.decimalSeparator);
    appendCompactDigits(compactText, *position);
}

std::string DecodeGroup(std::int16_t reference, std::string_view group, std::string& compactText,
                        const ConversionEnvironment& environment) {
    std::string result;
    decodeGroupInto(result, reference, group, compactText, environment);
    return result;
}

}  // namespace lagewandler
