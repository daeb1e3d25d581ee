#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/batch_runs.h"
#include "presets/reference_presets.h"

namespace lagewandler {

// How converted codes are written: tab-separated texts, JSON Lines, or one
// GeoJSON FeatureCollection.
enum class OutputFormat { Tsv, Json, GeoJson };

// What the command line asked for.
struct BatchOptions {
    std::int16_t north = 50;
    std::int16_t east = 10;
    bool northGiven = false;  // by --north, over any preset
    bool eastGiven = false;   // by --east
    // Codes, or with encode positions; empty: read standard input.
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
// Examples: {"--north", "51", "12345678"} -> north 51, one code;
// {"--east=-3"} -> east -3, codes from standard input;
// {"--", "--123456"} -> one code "--123456"; {"--west", "1"} -> UsageError;
// {"--north"} -> UsageError (missing REF); {"-x"} -> UsageError;
// {"--north", "abc"}, {"--east="}, {"--north", "50.5"}, {"--north", "&H32"},
// {"--north", "5e1"} or {"--north", "99999"} -> UsageError (REF not one whole
// number of degrees from -32768 to 32767 in decimal digits);
// {"--format=json", "12345678"} -> format Json; {"--format", "xml"} -> UsageError;
// {"--encode", "50.466", "12.2136"} -> encode, two positions;
// {"--encode", "--format", "json"} -> UsageError.
[[nodiscard]] std::variant<BatchOptions, UsageError> parseBatchArguments(std::span<const char* const> arguments);

// The usage text, ending in a line feed.
[[nodiscard]] std::string_view batchUsage();

// The whole command: "--help" prints the usage and "--version" the version
// ("lagewandler-cli 1.0.0"), each followed by the references in force and
// where they come from, to output and return 0 (help first); a usage error
// prints the reason and a line pointing to --help to errors and returns 2;
// anything else runs the conversion above. A reference without its option
// is the one presets hold, else the built-in one; a preset that is no
// whole number of degrees is an error like a usage error, naming where it
// was set.
[[nodiscard]] int runBatchCommand(std::span<const char* const> arguments, const BatchStreams& streams,
                                  std::string_view decimalSeparator, const ReferencePresets& presets = {});

}  // namespace lagewandler
