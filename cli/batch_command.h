#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lagewandler {

// How converted codes are written: tab-separated texts, JSON Lines, or one
// GeoJSON FeatureCollection.
enum class OutputFormat { Tsv, Json, GeoJson };

// What the command line asked for.
struct BatchOptions {
    std::string north = "50";
    std::string east = "10";
    // Codes, or with encode positions in pairs; empty: read standard input.
    std::vector<std::string_view> codes;
    OutputFormat format = OutputFormat::Tsv;
    bool encode = false;  // positions to codes instead of codes to positions
    bool help = false;
    bool version = false;
};

// A command line that cannot be run; message says why, in one line.
struct UsageError {
    std::string message;
};

// Reads the arguments after the program name.
// Examples: {"--north", "51", "12345678"} -> north "51", one code;
// {"--east=-3"} -> east "-3", codes from standard input;
// {"--", "--123456"} -> one code "--123456"; {"--west", "1"} -> UsageError;
// {"--north"} -> UsageError (missing REF); {"-x"} -> UsageError;
// {"--north", "abc"}, {"--east="}, {"--north", "50,7"}, {"--north", "5O"} or
// {"--north", "99999"} -> UsageError (REF not one number from -32768 to 32767);
// {"--format=json", "12345678"} -> format Json; {"--format", "xml"} -> UsageError;
// {"--encode", "50.466", "12.2136"} -> encode, two positions;
// {"--encode", "50.466"} and {"--encode", "--format", "json"} -> UsageError.
[[nodiscard]] std::variant<BatchOptions, UsageError> parseBatchArguments(std::span<const char* const> arguments);

// The usage text, ending in a line feed.
[[nodiscard]] std::string_view batchUsage();

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

// Encodes every position pair (the arguments in pairs, else each line of
// input as LATITUDE<TAB>LONGITUDE, anything after a further tab ignored)
// against the given references, and writes its code, eight upper-case
// hexadecimal digits, or an empty line when a half could not be encoded;
// that half's message goes to errors as "lagewandler-cli: line N: latitude:
// ungültiger Zahlenwert". A line is read whole: one longer than 65536 bytes
// gives an empty line and a message. Returns 0 when every pair was encoded
// and the input read, else 1.
[[nodiscard]] int runBatchEncoding(const BatchOptions& options, const BatchStreams& streams,
                                   std::string_view decimalSeparator);

// The whole command: "--help" prints the usage and "--version" the version
// ("lagewandler-cli 1.0.0") to output and return 0 (help first); a
// usage error prints the reason and a line pointing to --help to errors and
// returns 2;
// anything else runs the conversion above.
[[nodiscard]] int runBatchCommand(std::span<const char* const> arguments, const BatchStreams& streams,
                                  std::string_view decimalSeparator);

}  // namespace lagewandler
