#pragma once

#include <cstddef>
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

// Converts the position code in fields.text2 against the references in
// fields.text6 (north) and fields.text1 (east), as the "umwandeln" button does.
// compactText is emptied first. A code of exactly eight characters (any
// characters; counted as UTF-8 code points) is decoded: characters 1-4 into
// text3, 5-8 into text4, and the collected digits into text5. Any other
// length shows "Bitte 8 Stellen eingeben" and leaves text3..text5 unchanged.
// A reference that cannot be rounded into -32768..32767 ('99999', '1e400')
// shows "ungültiger Zahlenwert" and empties that group's result, like a group
// that fails to decode; the other group is converted all the same.
// Example with "," and the initial references: "12345678" gives text3
// "50 Grad 27 Min. 57,60 Sek.", text4 "12 Grad 12 Min. 48,96 Sek.", text5
// "502758121249".
void Command1_Click(FieldModel& fields, const ConversionEnvironment& environment);

}  // namespace lagewandler
