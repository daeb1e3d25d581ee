#include "conversion/position_encoder.h"

#include <charconv>
#include <limits>

#include "conversion/group_decoder.h"
#include "conversion/numeric_text.h"
#include "conversion/position_units.h"
#include "text/characters.h"

namespace lagewandler {
namespace {

constexpr int kDecimals = 4;
constexpr std::int64_t kSixteenBitMask = 0xFFFF;
constexpr std::size_t kGroupDigits = 4;

}  // namespace

char* writeDecimalDegrees(char* out, std::int32_t tenThousandths) noexcept {
    if (tenThousandths < 0) *out++ = '-';
    const auto magnitude = static_cast<std::uint32_t>(tenThousandths < 0 ? -static_cast<std::int64_t>(tenThousandths)
                                                                         : tenThousandths);
    const auto perDegree = static_cast<std::uint32_t>(kTenThousandthsPerDegree);
    out = std::to_chars(out, out + kMaxDecimalDegreesLength, magnitude / perDegree).ptr;
    *out++ = '.';
    // The decimals with their leading zeros: 1 -> "0001".
    char decimals[kDecimals];
    const auto end = std::to_chars(decimals, decimals + kDecimals, magnitude % perDegree).ptr;
    const auto written = static_cast<std::size_t>(end - decimals);
    for (std::size_t place = written; place < kDecimals; ++place) *out++ = '0';
    return writeText(out, {decimals, written});
}

std::string decimalDegreesText(std::int32_t tenThousandths) {
    char text[kMaxDecimalDegreesLength];
    return {text, writeDecimalDegrees(text, tenThousandths)};
}

std::optional<std::array<char, 4>> encodeGroup(std::int16_t reference, std::int64_t position) noexcept {
    const std::int64_t offset = position - std::int64_t{reference} * kTenThousandthsPerDegree;
    if (offset < std::numeric_limits<std::int16_t>::min() || offset > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    std::array<char, kGroupDigits> group{};
    static_cast<void>(writeFixedHex(group.data(), static_cast<std::uint32_t>(offset & kSixteenBitMask), kGroupDigits,
                                    HexCase::Upper));
    // Near the ends of the 16-bit degrees the decoder refuses some offsets
    // (its degree would not fit): a code for them would not convert back.
    if (groupPosition(reference, {group.data(), group.size()}) != position) return std::nullopt;
    return group;
}

}  // namespace lagewandler
