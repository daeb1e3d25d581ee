#pragma once

#include <span>
#include <string_view>
#include <variant>
#include <vector>

namespace lagewandler {

struct BatchOptions;

// The companion's name, which starts each of its messages.
inline constexpr std::string_view kProgramName = "lagewandler-cli";

// Where the conversion's input and output go: file descriptors, so that a
// long input streams through fixed-size buffers.
struct BatchStreams {
    int input;
    int output;
    int errors;
};

// Converts every code (the arguments, else each line of input) as the
// window's "umwandeln" does in a freshly opened window holding the given
// references, and writes per code "Text3<TAB>Text4<TAB>Text5", a JSON object
// or a GeoJSON feature (see the usage). Each message the window would show
// goes to errors as "lagewandler-cli: line N: text" (or "argument N:"), as
// does a position off the globe in GeoJSON. A failed read of input is said
// as "lagewandler-cli: cannot read the input: REASON" and leaves a GeoJSON
// collection unclosed. Returns 0 when no code drew a message, 1 when any
// did, the input could not be read or the output could not be written.
[[nodiscard]] int runBatchConversion(const BatchOptions& options, const BatchStreams& streams,
                                     std::string_view decimalSeparator);

// The texts of one position to encode: a latitude and a longitude, or both
// in one text (whole).
struct PositionTexts {
    std::string_view first;
    std::string_view second;
    bool whole = false;
};

// A position argument left without its other half, by its number from 1.
struct UnpairedArgument {
    std::size_t number;
};

// Groups the encoder's arguments into positions: an argument that reads as
// a whole position (see readWholePosition) is one, any other is a latitude
// and takes the next argument as its longitude. Returns the argument left
// without one where the count does not come out.
// Examples: {"50.466", "12.2136"} -> one pair; {"50.466, 12.2136", "50.5",
// "12.5"} -> a whole position and a pair; {"50,5", "10,5"} -> one pair;
// {"50.466"} -> UnpairedArgument{1}.
[[nodiscard]] std::variant<std::vector<PositionTexts>, UnpairedArgument> groupPositionArguments(
    std::span<const std::string_view> arguments, std::string_view decimalSeparator);

// Encodes every position (the given ones, else each line of input: as
// LATITUDE<TAB>LONGITUDE, anything after a further tab ignored, or a line
// without a tab as a whole position) against the given references, and
// writes its code, eight upper-case hexadecimal digits, or an empty line
// when it could not be encoded; the message goes to errors as
// "lagewandler-cli: line N: latitude: ungültiger Zahlenwert" (or longitude,
// or without a half where a whole position could not be read). A line is
// read whole: one longer than 65536 bytes gives an empty line and a
// message. Returns 0 when every position was encoded and the input read,
// else 1.
[[nodiscard]] int runBatchEncoding(const BatchOptions& options, std::span<const PositionTexts> positions,
                                   const BatchStreams& streams, std::string_view decimalSeparator);

}  // namespace lagewandler
