#include "cli/batch_conversion.h"

#include <cstddef>
#include <initializer_list>
#include <optional>

#include "cli/batch_streams.h"
#include "conversion/numeric_text.h"

namespace lagewandler {
namespace {

constexpr std::string_view kProgram = "lagewandler-cli";
constexpr std::string_view kUsage =
    "Usage: lagewandler-cli [--north REF] [--east REF] [--format FORMAT] [--] [CODE ...]\n"
    "  or:  lagewandler-cli --encode [--north REF] [--east REF] [--] [LATITUDE LONGITUDE ...]\n"
    "Converts position codes of eight hexadecimal digits (0-9, A-F, a-f) exactly as\n"
    "the Lagewandler window does. Each CODE, or when none is given each line of\n"
    "standard input (a line ends in \"\\n\" or \"\\r\\n\"), gives one line of output.\n"
    "Standard input is UTF-8; one that begins with a byte-order mark is read as the\n"
    "mark says (UTF-8, or UTF-16 in either byte order, as Windows writes files).\n"
    "\n"
    "Output (--format):\n"
    "  tsv      The default. Latitude, a tab, longitude, a tab, the compact text, as\n"
    "           the window shows them after converting that code in a freshly\n"
    "           opened window with the given references. Output lines always match\n"
    "           input lines.\n"
    "  json     JSON Lines: one object per code, its keys in this order: \"code\"\n"
    "           (as given, a line by its first 64 bytes, each byte that is not\n"
    "           UTF-8 as U+FFFD), \"latitude\", \"longitude\", \"compact\" (the texts\n"
    "           of tsv), \"latitude_degrees\", \"longitude_degrees\" (exact decimal\n"
    "           degrees, four decimals and '.' whatever the regional settings, null\n"
    "           for a half without a result), \"messages\" (that code's message\n"
    "           texts, in order).\n"
    "  geojson  One GeoJSON (RFC 7946) FeatureCollection, written as it goes: a\n"
    "           Point at [longitude, latitude] in those decimal degrees for each\n"
    "           code whose two halves converted, with the properties \"line\" (the\n"
    "           line or argument number), \"code\", \"latitude\", \"longitude\" and\n"
    "           \"compact\". A code that drew a message is no feature.\n"
    "\n"
    "Encoding (--encode):\n"
    "Each LATITUDE LONGITUDE pair of arguments, or each line of standard input as\n"
    "LATITUDE<TAB>LONGITUDE (anything after a further tab ignored, so tsv output\n"
    "reads back), gives one line: its code, eight upper-case hexadecimal digits.\n"
    "A position is decimal degrees ('50.466', '-0,0001') or a degrees, minutes and\n"
    "seconds text as the window shows it ('50 Grad 27 Min. 57,60 Sek.', '.' or ','\n"
    "or the regional separator). It is taken to the nearest ten-thousandth of a\n"
    "degree, decided exactly on the text, an exact half rounding up. A position\n"
    "that cannot be read, or lies more than 3.2768 degrees from its reference,\n"
    "gives an empty line and \"lagewandler-cli: line N: latitude: ungültiger\n"
    "Zahlenwert\" (or longitude, or argument N). Start negative arguments after --.\n"
    "\n"
    "Messages:\n"
    "Each goes to standard error as \"lagewandler-cli: line N: TEXT\" (or\n"
    "\"argument N: TEXT\"), after the output of every line before it.\n"
    "\"Bitte 8 Stellen eingeben\": the code does not have eight characters; the\n"
    "line is empty but for its two tabs.\n"
    "\"ungültiger Zahlenwert\": a half of the code is not four hexadecimal digits\n"
    "(a blank, a sign, \"&H\", the letter O for a zero, any other character), or a\n"
    "REF or a decoded position lies outside -32768 to 32767 degrees; that half's\n"
    "column and the compact text are empty, the other half is still converted.\n"
    "\n"
    "Exit status:\n"
    "  0  no code drew a message\n"
    "  1  some code drew a message, or the output could not be written\n"
    "  2  usage error\n"
    "\n"
    "Options:\n"
    "  --north REF      north reference in whole degrees (default 50)\n"
    "  --east REF       east reference in whole degrees (default 10)\n"
    "  --format FORMAT  tsv (default), json or geojson; not with --encode\n"
    "  --encode         positions to codes (see Encoding)\n"
    "  -h, --help       show this text and exit (before --version, in any order)\n"
    "  --version        show the version and exit\n"
    "  --               what follows are codes or positions, even if they begin\n"
    "                   with '-'\n"
    "\n"
    "A REF is read as the window reads its reference fields ('50,7' is 50, '&H32'\n"
    "is 50); a REF in which no digit can be read ('', 'abc', '-') is a usage error.\n"
    "\n"
    "Environment:\n"
    "  LC_ALL, LC_NUMERIC, LANG\n"
    "      The first of them that is set names the locale whose decimal separator\n"
    "      the seconds are written with: \"57,60\" under de_DE.UTF-8, \"57.60\"\n"
    "      under C. On Windows the user's regional settings decide.\n"
    "\n"
    "Examples:\n"
    "  lagewandler-cli 12345678\n"
    "      Prints \"50 Grad 27 Min. 57,60 Sek.\", \"12 Grad 12 Min. 48,96 Sek.\" and\n"
    "      \"502758121249\", tab-separated, under German settings.\n"
    "  lagewandler-cli --east 11 < codes.txt | cut -f3\n"
    "      Prints just the compact texts of a file of codes, one a line.\n"
    "  lagewandler-cli --format json 12345678\n"
    "      Prints {\"code\":\"12345678\",...,\"latitude_degrees\":50.4660,\n"
    "      \"longitude_degrees\":12.2136,\"messages\":[]}.\n"
    "  lagewandler-cli --format geojson < codes.txt > codes.geojson\n"
    "      Writes the codes' places for a map or GIS (ogrinfo codes.geojson).\n"
    "  lagewandler-cli --encode 50.466 12.2136\n"
    "      Prints \"12345678\".\n";

// What follows a usage error's reason: the whole usage would bury it.
constexpr std::string_view kSeeHelp = "Try 'lagewandler-cli --help' for more information.\n";

// What --version prints; the version is the project's.
constexpr std::string_view kVersion = "lagewandler-cli " LAGEWANDLER_VERSION "\n";

constexpr std::string_view kNorthOption = "--north";
constexpr std::string_view kEastOption = "--east";
constexpr std::string_view kFormatOption = "--format";

// The option with a value that argument gives ("--north", "--east=5" ->
// "--east", "--format"), or "" for any other argument.
[[nodiscard]] std::string_view valuedOption(std::string_view argument) {
    for (const std::string_view option : {kNorthOption, kEastOption, kFormatOption}) {
        if (argument.starts_with(option) && (argument.size() == option.size() || argument[option.size()] == '=')) {
            return option;
        }
    }
    return {};
}

// Reads the value of option, given as "--north REF" or "--north=REF"; false
// when the value is missing.
[[nodiscard]] bool takeValue(std::string_view option, std::span<const char* const> arguments, std::size_t& index,
                             std::string& value) {
    const std::string_view argument = arguments[index];
    if (argument.size() > option.size()) {
        value = argument.substr(option.size() + 1);
        return true;
    }
    if (index + 1 >= arguments.size()) return false;
    value = arguments[++index];
    return true;
}

// The output format a --format value names.
[[nodiscard]] std::optional<OutputFormat> outputFormat(std::string_view name) {
    if (name == "tsv") return OutputFormat::Tsv;
    if (name == "json") return OutputFormat::Json;
    if (name == "geojson") return OutputFormat::GeoJson;
    return std::nullopt;
}

// text for a one-line message: control characters, which could break the
// line or drive the terminal, are shown as '?'.
[[nodiscard]] std::string printable(std::string_view text) {
    constexpr char kFirstPrintable = ' ';
    constexpr char kDelete = '\x7F';
    std::string shown(text);
    for (char& c : shown) {
        if ((c >= 0 && c < kFirstPrintable) || c == kDelete) c = '?';
    }
    return shown;
}

// The usage error of an option given without its value.
[[nodiscard]] UsageError missingValue(std::string_view option) {
    const std::string_view wanted = option == kFormatOption ? "tsv, json or geojson" : "REF";
    return UsageError{"option " + std::string(option) + " needs a value (" + std::string(wanted) + ")"};
}

// Puts an option's value into options; the reason when it cannot be used.
[[nodiscard]] std::optional<UsageError> setOption(std::string_view option, const std::string& value,
                                                  BatchOptions& options) {
    if (option == kFormatOption) {
        const auto format = outputFormat(value);
        if (!format) return UsageError{"option --format needs tsv, json or geojson, not '" + printable(value) + "'"};
        options.format = *format;
        return std::nullopt;
    }
    // Without a digit the reference would silently be 0 degrees.
    if (!numericTextHasDigit(value)) {
        return UsageError{"option " + std::string(option) + " needs a number, not '" + printable(value) + "'"};
    }
    (option == kNorthOption ? options.north : options.east) = value;
    return std::nullopt;
}

// What the options allow only together, or not at all.
[[nodiscard]] std::optional<UsageError> checkCombination(const BatchOptions& options, bool formatGiven) {
    if (options.encode && formatGiven) return UsageError{"option --format does not go with --encode"};
    if (options.encode && options.codes.size() % 2 != 0) {
        return UsageError{"--encode needs a LATITUDE and a LONGITUDE for each position"};
    }
    return std::nullopt;
}

}  // namespace

std::string_view batchUsage() { return kUsage; }

std::variant<BatchOptions, UsageError> parseBatchArguments(std::span<const char* const> arguments) {
    BatchOptions options;
    bool optionsEnded = false;
    bool formatGiven = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string_view argument = arguments[index];
        if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
            options.codes.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--encode") {
            options.encode = true;
        } else if (const std::string_view option = valuedOption(argument); !option.empty()) {
            std::string value;
            if (!takeValue(option, arguments, index, value)) return missingValue(option);
            if (auto error = setOption(option, value, options)) return *error;
            formatGiven = formatGiven || option == kFormatOption;
        } else {
            return UsageError{"unknown option " + printable(argument)};
        }
    }
    if (auto error = checkCombination(options, formatGiven)) return *error;
    return options;
}

int runBatchCommand(std::span<const char* const> arguments, const BatchStreams& streams,
                    std::string_view decimalSeparator) {
    constexpr int kUsageErrorStatus = 2;
    const auto parsed = parseBatchArguments(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        const std::string text = std::string(kProgram) + ": " + error->message + "\n" + std::string(kSeeHelp);
        static_cast<void>(writeAll(streams.errors, text));
        return kUsageErrorStatus;
    }
    const auto& options = std::get<BatchOptions>(parsed);
    if (options.help) return writeAll(streams.output, kUsage) ? 0 : 1;
    if (options.version) return writeAll(streams.output, kVersion) ? 0 : 1;
    if (options.encode) return runBatchEncoding(options, streams, decimalSeparator);
    return runBatchConversion(options, streams, decimalSeparator);
}

}  // namespace lagewandler
