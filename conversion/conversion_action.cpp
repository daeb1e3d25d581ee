#include "conversion/conversion_action.h"

#include "conversion/group_decoder.h"
#include "conversion/numeric_text.h"
#include "conversion/utf8_text.h"

namespace lagewandler {
namespace {

constexpr std::size_t kGroupLength = kPositionCodeLength / 2;

// Reads one reference field and decodes one group against it into result.
void convertGroup(std::string& result, const std::string& referenceField, std::string_view group,
                  std::string& compactText, const ConversionEnvironment& environment) {
    const auto reference = roundToInt16(readNumericText(referenceField));
    if (!reference) {
        environment.messages.showMessage(kMessageInvalidNumber);
        result.clear();
        return;
    }
    decodeGroupInto(result, *reference, group, compactText, environment);
}

}  // namespace

void Command1_Click(FieldModel& fields, const ConversionEnvironment& environment) {
    fields.compactText.clear();
    if (utf8CharacterCountUpTo(fields.positionCode, kPositionCodeLength) != kPositionCodeLength) {
        environment.messages.showMessage(kMessageNeedEightCharacters);
        return;
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
    convertGroup(fields.latitude, fields.northReference, latitudeGroup, fields.compactText, environment);
    convertGroup(fields.longitude, fields.eastReference, longitudeGroup, fields.compactText, environment);
    fields.compactResult = fields.compactText;
}

}  // namespace lagewandler
