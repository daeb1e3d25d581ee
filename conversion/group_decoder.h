#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "conversion/conversion_action.h"

namespace lagewandler {

// The offset a group of exactly four hexadecimal digits (either case) holds,
// read as a 16-bit two's-complement number, in ten-thousandths of a degree;
// nothing for any other group. Examples: "7FFF" -> 32767, "ffff" -> -1,
// "8000" -> -32768, "12O4" -> nothing, " 123" -> nothing.
[[nodiscard]] std::optional<std::int32_t> groupOffset(std::string_view group) noexcept;

// Decodes one four-character group of a position code, a signed 16-bit
// hexadecimal offset in ten-thousandths of a degree, against a reference in
// whole degrees. Returns the degrees/minutes/seconds text and appends the
// same position as digits (degrees, minutes, whole seconds, two digits each
// at least) to compactText.
// A group that is not exactly four hexadecimal digits (either case), and a
// degree outside the 16-bit range, are refused: it shows "ungültiger
// Zahlenwert", returns "" and leaves compactText as it was.
// Examples with ",": (50, "1234") -> "50 Grad 27 Min. 57,60 Sek." and
// appends "502758"; (10, "FFFF") -> "9 Grad 59 Min. 59,64 Sek." and "095960";
// (50, "FC18") -> "49 Grad 53 Min. 60,00 Sek." and "495360";
// (50, "ZZZZ"), (50, "12 4"), (50, "O000") and (32767, "2710") -> message, "".
[[nodiscard]] std::string DecodeGroup(std::int16_t reference, std::string_view group, std::string& compactText,
                                      const ConversionEnvironment& environment);

// The same, writing the text into result (replacing what it held) so a caller
// that converts many codes reuses its buffers. Returns the position the text
// shows, in ten-thousandths of a degree (reference * 10000 plus the offset:
// (50, "1234") -> 504660); nothing after a failure, with result "".
std::optional<std::int32_t> decodeGroupInto(std::string& result, std::int16_t reference, std::string_view group,
                                            std::string& compactText, const ConversionEnvironment& environment);

// The position decodeGroupInto gives for group against reference, without
// writing anything; nothing where it refuses the group.
// Examples: (50, "1234") -> 504660, (32767, "2710") -> nothing.
[[nodiscard]] std::optional<std::int32_t> groupPosition(std::int16_t reference, std::string_view group);

}  // namespace lagewandler
