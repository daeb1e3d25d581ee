#include "conversion/conversion_action.h"

#include <cstdint>
#include <optional>

#include "conversion/group_decoder.h"
#include "conversion/numeric_text.h"
#include "text/utf8_text.h"

namespace lagewandler {
namespace {

constexpr std::size_t kGroupLength = kPositionCodeLength / 2;

// Reads one reference field and decodes one group against it into result;
// returns the position, or nothing when either was refused, with the message
// shown.
[[nodiscard]] std::optional<std::int32_t> convertGroup(std::string& result, const std::string& referenceField,
                                                       std::string_view group, std::string& compactText,
                                                       const ConversionEnvironment& environment) {
    const auto reference = referenceDegrees(referenceField);
    if (!reference) {
        environment.messages.showMessage(kMessageInvalidNumber);
        result.clear();
        return std::nullopt;
    }
    return decodeGroupInto(result, *reference, group, compactText, environment);
}

}  // namespace

// Reading a field without a digit ('', 'abc', '-') as 0 degrees would put the
// position on the equator without a word.
std::optional<std::int16_t> referenceDegrees(std::string_view referenceField) {
    const auto value = readNumericTextWithDigit(referenceField);
    if (!value) return std::nullopt;
    return roundToInt16(*value);
}

void Command1_Click(FieldModel& fields, const ConversionEnvironment& environment) {
    static_cast<void>(convertPositionCode(fields, environment));
}

DecodedPositions convertPositionCode(FieldModel& fields, const ConversionEnvironment& environment) {
    fields.compactText.clear();
    if (utf8CharacterCountUpTo(fields.positionCode, kPositionCodeLength) != kPositionCodeLength) {
        // No result of an earlier code may stay beside this one, one press
        // from being copied out as its position.
        fields.latitude.clear();
        fields.longitude.clear();
        fields.compactResult.clear();
        environment.messages.showMessage(kMessageNeedEightCharacters);
        return {};
    }
    // The message sink may run an event loop (a modal box), so the code is
    // copied first: nothing it does can change the groups being decoded.
    const std::string code = fields.positionCode;
    // Eight bytes that make eight characters are one byte each: split directly.
    const bool eightBytes = code.size() == kPositionCodeLength;
    const std::string_view codeView = code;
    const std::string_view latitudeGroup =
        eightBytes ? codeView.substr(0, kGroupLength) : utf8Characters(code, 0, kGroupLength);
    const std::string_view longitudeGroup =
        eightBytes ? codeView.substr(kGroupLength) : utf8Characters(code, kGroupLength, kGroupLength);
    // North is read and written before east is read: the order of the
    // messages the operator sees depends on it.
    const DecodedPositions positions{
        convertGroup(fields.latitude, fields.northReference, latitudeGroup, fields.compactText, environment),
        convertGroup(fields.longitude, fields.eastReference, longitudeGroup, fields.compactText, environment)};
    // Half a compact text reads like a whole position of another place: only
    // a code whose two halves converted gives one.
    if (!(positions.latitude && positions.longitude)) fields.compactText.clear();
    fields.compactResult = fields.compactText;
    return positions;
}

}  // namespace lagewandler
