#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "conversion/field_model.h"
#include "conversion/messages.h"

namespace lagewandler {

// What a conversion needs from its surroundings: where messages go, and the
// decimal separator of the operator's regional settings ("," in Germany; it
// may be longer than one byte, e.g. the Arabic "٫").
struct ConversionEnvironment {
    MessageSink& messages;
    std::string_view decimalSeparator;
};

// The number of characters of a position code.
inline constexpr std::size_t kPositionCodeLength = 8;

// The reference a reference field holds, in whole degrees: read and rounded
// as the conversion does; nothing when no digit can be read in it or it rounds
// outside -32768..32767. Examples: "50" -> 50, "50,7" -> 50, "51.5" -> 52,
// "&H32" -> 50, "" -> nothing, "abc" -> nothing, "99999" -> nothing.
[[nodiscard]] std::optional<std::int16_t> referenceDegrees(std::string_view referenceField);

// Converts fields.positionCode against the references fields.northReference
// and fields.eastReference, as the "umwandeln" button does. compactText is
// emptied first. A code of exactly eight characters (any characters; counted
// as UTF-8 code points) is decoded: characters 1-4 into latitude, 5-8 into
// longitude, and the collected digits into compactResult. Any other length
// empties the three results and shows "Bitte 8 Stellen eingeben".
// A reference without a digit ('', 'abc') or that cannot be rounded into
// -32768..32767 ('99999', '1e400') shows "ungültiger Zahlenwert" and empties
// that group's result, like a group that fails to decode (one that is not
// four hexadecimal digits, or whose degree leaves the 16-bit range); the other
// group is converted all the same, but compactResult stays "": half a compact
// text would pass for a position. positionCode is never changed.
// Example with "," and the initial references: "12345678" gives latitude
// "50 Grad 27 Min. 57,60 Sek.", longitude "12 Grad 12 Min. 48,96 Sek." and
// compactResult "502758121249".
void Command1_Click(FieldModel& fields, const ConversionEnvironment& environment);

// The positions behind a conversion's two texts, in ten-thousandths of a
// degree; nothing for a half that shows no result.
struct DecodedPositions {
    std::optional<std::int32_t> latitude;
    std::optional<std::int32_t> longitude;
};

// Command1_Click, returning the positions it decoded, so that a caller who
// needs them as numbers takes them from the same arithmetic as the texts.
// "12345678" with the initial references -> {504660, 122136}.
DecodedPositions convertPositionCode(FieldModel& fields, const ConversionEnvironment& environment);

}  // namespace lagewandler
