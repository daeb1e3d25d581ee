#include "cli/batch_command.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>
#include <initializer_list>
#include <optional>
#include <string>
#include <tuple>

#include "cli/batch_streams.h"
#include "conversion/field_model.h"
#include "text/characters.h"

namespace lagewandler {
namespace {

constexpr std::string_view kUsage =
    "Usage: lagewandler-cli [--north REF] [--east REF] [--format FORMAT] [--] [CODE ...]\n"
    "  or:  lagewandler-cli --encode [--north REF] [--east REF] [--] [LATITUDE LONGITUDE | POSITION ...]\n"
    "Converts position codes of eight hexadecimal digits (0-9, A-F, a-f) exactly as\n"
    "the Lagewandler window does. Each CODE, or when none is given each line of\n"
    "standard input (a line ends in \"\\n\" or \"\\r\\n\"), gives one line of output.\n"
    "Standard input is UTF-8; one that begins with a byte-order mark is read as the\n"
    "mark says (UTF-8, or UTF-16 in either byte order, as Windows writes files).\n"
    "Output is UTF-8. A Windows console window is written and read as Unicode\n"
    "text, its code pages left as they are; typed input ends with Ctrl+Z, Enter.\n"
    "Ctrl+C while typing is no end of input: it is said as a failed read.\n"
    "\n"
    "Output (--format):\n"
    "  tsv      The default. Latitude, a tab, longitude, a tab, the compact text, as\n"
    "           the window shows them after converting that code in a freshly\n"
    "           opened window with the given references. Output lines always match\n"
    "           input lines.\n"
    "  json     JSON Lines: one object per code, its keys in this order: \"code\"\n"
    "           (as given, a line up to the character that holds its 64th byte,\n"
    "           each byte that is not UTF-8 as U+FFFD), \"latitude\", \"longitude\",\n"
    "           \"compact\" (the texts of tsv), \"latitude_degrees\",\n"
    "           \"longitude_degrees\" (exact decimal degrees, four decimals and '.'\n"
    "           whatever the regional settings, null for a half without a\n"
    "           result), \"messages\" (that code's message texts, in order).\n"
    "           json and geojson are pure ASCII: every other character is written\n"
    "           as \\uXXXX (\"ung\\u00fcltiger Zahlenwert\"), two for one above\n"
    "           U+FFFF.\n"
    "  geojson  One GeoJSON (RFC 7946) FeatureCollection, written as it goes: a\n"
    "           Point at [longitude, latitude] in those decimal degrees for each\n"
    "           code whose two halves converted, with the properties \"line\" (the\n"
    "           line or argument number), \"code\", \"latitude\", \"longitude\" and\n"
    "           \"compact\". A code that drew a message is no feature, and neither\n"
    "           is a place off the globe (latitude beyond 90 or -90, longitude\n"
    "           beyond 180 or -180): its half draws \"ungültiger Zahlenwert\".\n"
    "           After a failed read the collection is left unclosed, so that no\n"
    "           reader takes it for the whole input.\n"
    "\n"
    "Encoding (--encode):\n"
    "Each LATITUDE LONGITUDE pair of arguments, or each line of standard input as\n"
    "LATITUDE<TAB>LONGITUDE (anything after a further tab ignored, so tsv output\n"
    "reads back), gives one line: its code, eight upper-case hexadecimal digits.\n"
    "A line without a tab, and an argument that holds both halves, is a whole\n"
    "position (below). A half is written in one of these forms, '.' or ',' or the\n"
    "regional separator for the decimal point, blanks between parts allowed:\n"
    "  decimal degrees            50.466  -0,0001  50.466\u00b0\n"
    "  degrees, minutes, seconds  50\u00b027'57.6\"  50\u00b0 27\u2032 57,6\u2033\n"
    "  degrees, decimal minutes   50\u00b027.96'  50\u00b0 27,960'\n"
    "  colons                     50:27:57.6  -0:30\n"
    "  the window's own texts     50 Grad 27 Min. 57,60 Sek.\n"
    "Degrees are marked \u00b0 or \u00ba, minutes ' \u2032 or \u2019, seconds \" \u2033 \u201d or ''.\n"
    "Instead of a sign, a hemisphere letter before or after, either case: N or S\n"
    "for the latitude, E, W or O (east, as German maps write it) for the\n"
    "longitude: 'N 50.466', '12.2136 O', '0.5W'. An O must not touch a digit\n"
    "('12\u00b0O' and '12 O' are east, '12O' is refused: it may be a zero).\n"
    "Two sign rules, side by side:\n"
    "  In every form but the window's texts a leading sign is the whole\n"
    "  position's: '-1\u00b0 30\u2032' and '-1:30' are -1.5 degrees, '-0\u00b0 30\u2032' is -0.5.\n"
    "  In the window's texts the sign belongs to the degrees and the minutes and\n"
    "  seconds count up from them: '-1 Grad 29 Min. 60,00 Sek.' is -0.5 degrees,\n"
    "  and '-0 Grad ...' is refused, so every text the window writes reads back.\n"
    "Refused, never guessed: a sign with a letter ('-50 N', 'S -33.9'), a letter\n"
    "of the other half or two letters, minutes or seconds of 60 or more (but in\n"
    "the window's texts, which write 60,00 seconds), parts out of order or after\n"
    "a fractional one ('50.5\u00b027\u2032'), exponents, NaN, inf and hexadecimal.\n"
    "A whole position is two halves apart by blanks, a comma or a semicolon,\n"
    "latitude first unless letters say otherwise: '50.466, 12.2136',\n"
    "'50,466 12,2136', '12.2136E 50.466N'. Every way of cutting it in two at its\n"
    "blanks, commas and semicolons is tried, and it must read in exactly one way:\n"
    "'50,10' (50.10, or 50 and 10) and '50.466 N 12.2136' (whose is the N?) are\n"
    "refused. An argument that reads as one half alone ('50,10' too) is a\n"
    "latitude and takes the next argument as its longitude.\n"
    "A position is taken to the nearest ten-thousandth of a degree, decided\n"
    "exactly on the text, an exact half rounding up. A position that cannot be\n"
    "read, that lies outside -3.2768 to +3.2767 degrees of its reference, or whose\n"
    "code would not convert back to it (near the ends of the references, where\n"
    "the degree would not fit in -32768 to 32767), gives an empty line and\n"
    "\"lagewandler-cli: line N: latitude: ungültiger Zahlenwert\" (or longitude, or\n"
    "argument N; without a half for a whole position that cannot be read). A\n"
    "line of standard input is read whole: one longer than 65536 bytes gives an\n"
    "empty line and \"lagewandler-cli: line N: line longer than 65536 bytes, not\n"
    "read\". Start negative arguments after --.\n"
    "\n"
    "Messages:\n"
    "Each goes to standard error as \"lagewandler-cli: line N: TEXT\" (or\n"
    "\"argument N: TEXT\"), after the output of every line before it.\n"
    "\"Bitte 8 Stellen eingeben\": the code does not have eight characters; the\n"
    "line is empty but for its two tabs.\n"
    "\"ungültiger Zahlenwert\": a half of the code is not four hexadecimal digits\n"
    "(a blank, a sign, \"&H\", the letter O for a zero, any other character), or\n"
    "the whole degrees of its position lie outside -32768 to 32767; that half's\n"
    "column and the compact text are empty, the other half is still converted.\n"
    "\"cannot read the input: REASON\": standard input could not be read (or typed\n"
    "input was interrupted with Ctrl+C); what was read before is converted.\n"
    "\n"
    "Exit status:\n"
    "  0  no code drew a message\n"
    "  1  some code drew a message, the input could not be read, or the output\n"
    "     could not be written\n"
    "  2  usage error, or a preset reference that is no REF (below)\n"
    "\n"
    "Options:\n"
    "  --north REF      north reference in whole degrees (default: the preset, or 50)\n"
    "  --east REF       east reference in whole degrees (default: the preset, or 10)\n"
    "  --format FORMAT  tsv (default), json or geojson; not with --encode\n"
    "  --encode         positions to codes (see Encoding)\n"
    "  -h, --help       show this text and exit (before --version, in any order)\n"
    "  --version        show the version and exit\n"
    "  --               what follows are codes or positions, even if they begin\n"
    "                   with '-'\n"
    "\n"
    "A REF is a whole number of degrees from -32768 to 32767: an optional sign and\n"
    "at most five decimal digits, blanks around them aside ('50', '-5', '+12').\n"
    "Anything else ('', '50.5', '50,7', '5O', '&H32', '5e1', '0x32', '00012345')\n"
    "is a usage error, so that neither a typing error nor a code that lands in\n"
    "the reference's place shifts a run. The window's reference fields read more\n"
    "forms ('50,7' as 50, '&H32' as 50).\n"
    "\n"
    "Preset references:\n"
    "IT may preset both references for a desk, for the window and this program\n"
    "alike: on Windows the string values NorthReference and EastReference under\n"
    "HKLM\\SOFTWARE\\Policies\\Lagewandler (as group policy writes them) or, for a\n"
    "value the machine does not set, HKCU\\SOFTWARE\\Policies\\Lagewandler;\n"
    "elsewhere the same keys in /etc/xdg/Lagewandler/lagewandler.conf (or in\n"
    "Lagewandler/lagewandler.conf under the first folder of XDG_CONFIG_DIRS).\n"
    "--north and --east win over a preset. A preset must be a REF; one that is\n"
    "not stops every run that needs it, with the place it was set. The last\n"
    "lines of this text and of --version say which references are in force.\n"
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
    "  lagewandler-cli --encode \"50\u00b027'57.6\\\"N, 12\u00b012'48.96\\\"E\"\n"
    "      Each prints \"12345678\".\n";

// What follows a usage error's reason: the whole usage would bury it.
constexpr std::string_view kSeeHelp = "Try 'lagewandler-cli --help' for more information.\n";

// What --version prints first; the version is the project's.
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
    std::string shown(text);
    for (char& c : shown) {
        if (isControlCharacter(c)) c = '?';
    }
    return shown;
}

// A reference: an optional sign and at most five decimal digits, blanks
// around them aside, from -32768 to 32767; nothing for anything else. A
// reference typed wrong would shift every code of the run, and a position
// code that lands in its place (an empty argument dropped by the shell)
// must not pass for one: "&H", exponents, fractions and eight digits are
// refused.
[[nodiscard]] std::optional<std::int16_t> wholeDegrees(std::string_view text) {
    constexpr std::size_t kMostDigits = 5;
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    const std::string_view digits = text.starts_with('+') || text.starts_with('-') ? text.substr(1) : text;
    if (digits.empty() || digits.size() > kMostDigits || !std::all_of(digits.begin(), digits.end(), isDecimalDigit)) {
        return std::nullopt;
    }
    int value = 0;
    static_cast<void>(std::from_chars(digits.data(), digits.data() + digits.size(), value));
    if (text.front() == '-') value = -value;
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
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
    const auto degrees = wholeDegrees(value);
    if (!degrees) {
        return UsageError{"option " + std::string(option) +
                          " needs a whole number of degrees from -32768 to 32767, not '" + printable(value) + "'"};
    }
    (option == kNorthOption ? options.north : options.east) = *degrees;
    (option == kNorthOption ? options.northGiven : options.eastGiven) = true;
    return std::nullopt;
}

// What the options allow only together, or not at all.
[[nodiscard]] std::optional<UsageError> checkCombination(const BatchOptions& options, bool formatGiven) {
    if (options.encode && formatGiven) return UsageError{"option --format does not go with --encode"};
    return std::nullopt;
}

// Says why the command line cannot be run; returns the exit status of a
// usage error.
int usageError(const BatchStreams& streams, const UsageError& error) {
    constexpr int kUsageErrorStatus = 2;
    const std::string text = std::string(kProgramName) + ": " + error.message + "\n" + std::string(kSeeHelp);
    static_cast<void>(writeAll(streams.errors, text));
    return kUsageErrorStatus;
}

// One reference of a run: its degrees, or nothing for a preset that is no
// REF, and where it comes from, for people.
struct ReferenceInForce {
    std::optional<std::int16_t> degrees;
    std::string text;    // as given
    std::string source;  // "--north", "built in", or "set in" where the preset was set
};

// The reference that option gives where given, else the preset, else the
// one a freshly opened window shows (builtIn).
[[nodiscard]] ReferenceInForce referenceInForce(bool given, std::int16_t optionDegrees, std::string_view option,
                                                const std::optional<PresetReference>& preset,
                                                std::string_view builtIn) {
    if (given) return {optionDegrees, std::to_string(optionDegrees), std::string(option)};
    if (preset) return {wholeDegrees(preset->text), preset->text, "set in " + preset->source};
    return {wholeDegrees(builtIn), std::string(builtIn), "built in"};
}

// One line of --help and --version: "north reference: 48 (set in HKLM\...)".
[[nodiscard]] std::string describe(std::string_view name, const ReferenceInForce& reference) {
    const std::string shown = reference.degrees ? reference.text : "'" + printable(reference.text) + "'";
    const std::string unusable = reference.degrees ? "" : ", not a REF: runs without the option stop";
    return std::string(name) + " reference: " + shown + " (" + printable(reference.source) + unusable + ")\n";
}

// The two references of a run.
struct References {
    ReferenceInForce north;
    ReferenceInForce east;
};

[[nodiscard]] References referencesOf(const BatchOptions& options, const ReferencePresets& presets) {
    return {referenceInForce(options.northGiven, options.north, kNorthOption, presets.north, kInitialNorthReference),
            referenceInForce(options.eastGiven, options.east, kEastOption, presets.east, kInitialEastReference)};
}

// The lines on the references in force, each after indent.
[[nodiscard]] std::string describe(const References& references, std::string_view indent = "") {
    return std::string(indent) + describe("north", references.north) + std::string(indent) +
           describe("east", references.east);
}

// Puts the references in force into options; the reason where a preset is
// no REF.
[[nodiscard]] std::optional<UsageError> useReferences(const References& references, BatchOptions& options) {
    for (const auto& [reference, name, target] : {std::tuple{&references.north, "north", &options.north},
                                                  std::tuple{&references.east, "east", &options.east}}) {
        if (reference->degrees) {
            *target = *reference->degrees;
            continue;
        }
        return UsageError{std::string("the ") + name + " reference '" + printable(reference->text) + "' " +
                          printable(reference->source) +
                          " is no whole number of degrees from -32768 to 32767; give --" + name + " REF"};
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
                    std::string_view decimalSeparator, const ReferencePresets& presets) {
    auto parsed = parseBatchArguments(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed)) return usageError(streams, *error);
    auto& options = std::get<BatchOptions>(parsed);
    const References references = referencesOf(options, presets);
    if (options.help) {
        const std::string help = std::string(kUsage) + "\nReferences in force here:\n" + describe(references, "  ");
        return writeAll(streams.output, help) ? 0 : 1;
    }
    if (options.version) return writeAll(streams.output, std::string(kVersion) + describe(references)) ? 0 : 1;
    if (auto error = useReferences(references, options)) return usageError(streams, *error);
    if (options.encode) {
        const auto positions = groupPositionArguments(options.codes, decimalSeparator);
        if (const auto* unpaired = std::get_if<UnpairedArgument>(&positions)) {
            return usageError(streams, UsageError{"--encode needs a LATITUDE and a LONGITUDE, or a whole position, "
                                                  "for argument " + std::to_string(unpaired->number)});
        }
        return runBatchEncoding(options, std::get<std::vector<PositionTexts>>(positions), streams, decimalSeparator);
    }
    return runBatchConversion(options, streams, decimalSeparator);
}

}  // namespace lagewandler
