#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string_view>
#include <string>
#include <utility>
#include <vector>

#include "cli/batch_command.h"

namespace lagewandler {
namespace {

struct CliRun {
    std::string output;
    std::string errors;
    int status;
};

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The command that starts the program under test: the companion built here,
// or, where LAGEWANDLER_CLI_EMULATOR and LAGEWANDLER_CLI_PROGRAM are set, a
// Windows build of it started through Wine.
std::vector<std::string> programCommand() {
    const char* emulator = std::getenv("LAGEWANDLER_CLI_EMULATOR");
    const char* program = std::getenv("LAGEWANDLER_CLI_PROGRAM");
    if (emulator != nullptr && program != nullptr) return {emulator, program};
    return {LAGEWANDLER_CLI_PATH};
}

// The program's environment: the locale, where Wine keeps its prefixes if
// that is set, and where the presets are: the test's own folder if set,
// never the machine's /etc/xdg.
std::vector<std::string> programEnvironment(const std::string& locale) {
    const char* presets = std::getenv("XDG_CONFIG_DIRS");
    std::vector<std::string> variables{"LC_ALL=" + locale, "LANG=" + locale,
                                       std::string("XDG_CONFIG_DIRS=") + (presets ? presets : "/nonexistent")};
    for (const char* name : {"LAGEWANDLER_WINE_ROOT"}) {
        if (const char* value = std::getenv(name)) variables.push_back(std::string(name) + "=" + value);
    }
    return variables;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// As outputTarget: standard error goes where standard output goes, as with
// "2>&1" in a shell; CliRun::output then holds both.
constexpr const char* kErrorsWithOutput = "2>&1";

CliRun runCliOnce(const std::vector<std::string>& arguments, const std::string& input, const std::string& locale,
                  const char* outputTarget, const char* inputSource) {
    const bool merged = outputTarget == kErrorsWithOutput;
    if (merged) outputTarget = nullptr;
    const auto folder = std::filesystem::temp_directory_path() / ("lagewandler-cli-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto inPath = folder / "in", outPath = folder / "out", errPath = folder / "err";
    std::ofstream(inPath, std::ios::binary) << input;

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, inputSource != nullptr ? inputSource : inPath.c_str(),
                                     O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, outputTarget != nullptr ? outputTarget : outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (merged) {
        posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    std::vector<std::string> texts = programCommand();
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<std::string> variables = programEnvironment(locale);
    const std::vector<char*> argv = pointersTo(texts), envp = pointersTo(variables);

    pid_t child = 0;
    int status = -1;
    if (posix_spawn(&child, argv.front(), &files, nullptr, argv.data(), envp.data()) == 0) {
        waitpid(child, &status, 0);
    }
    posix_spawn_file_actions_destroy(&files);
    CliRun run{readFile(outPath), readFile(errPath), WIFEXITED(status) ? WEXITSTATUS(status) : -1};
    std::filesystem::remove_all(folder);
    return run;
}

// Runs the real program with arguments, input on its standard input (or
// the file inputSource) and the given locale, and collects what it wrote
// and its exit status.
CliRun runCli(const std::vector<std::string>& arguments, const std::string& input,
              const std::string& locale = "de_DE.UTF-8", const char* outputTarget = nullptr,
              const char* inputSource = nullptr) {
    return runCliOnce(arguments, input, locale, outputTarget, inputSource);
}

const std::string kLine1234 = "50 Grad 27 Min. 57,60 Sek.\t12 Grad 12 Min. 48,96 Sek.\t502758121249\n";
const std::string kRejected = "\t\t\n";
const std::string kJson1234 =
    "{\"code\":\"12345678\",\"latitude\":\"50 Grad 27 Min. 57,60 Sek.\",\"longitude\":\"12 Grad 12 Min. 48,96 Sek.\","
    "\"compact\":\"502758121249\",\"latitude_degrees\":50.4660,\"longitude_degrees\":12.2136,\"messages\":[]}\n";

struct CliCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string input;
    std::string output;
    std::string errors;
    int status;
};

void expectRun(const CliCase& c, const std::string& locale = "de_DE.UTF-8", const char* inputSource = nullptr) {
    const CliRun run = runCli(c.arguments, c.input, locale, nullptr, inputSource);
    EXPECT_EQ(run.output, c.output) << c.name;
    EXPECT_EQ(run.errors, c.errors) << c.name;
    EXPECT_EQ(run.status, c.status) << c.name;
}

// text (ASCII) in UTF-16 with its byte-order mark, as Windows writes it.
std::string utf16(std::string_view text, bool littleEndian) {
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char c : text) bytes += littleEndian ? std::string{c, '\0'} : std::string{'\0', c};
    return bytes;
}

TEST(LagewandlerCli, ConvertsArgumentsAndLinesAsTheWindowDoes) {
    const CliCase cases[] = {
        {"argument", {"12345678"}, "", kLine1234, "", 0},
        {"standard input", {}, "12345678\n", kLine1234, "", 0},
        {"last line without line feed", {}, "12345678", kLine1234, "", 0},
        {"crlf lines", {}, "12345678\r\nFFFFFFFF\r\n", kLine1234 +
             "49 Grad 59 Min. 59,64 Sek.\t9 Grad 59 Min. 59,64 Sek.\t495960095960\n", "", 0},
        {"empty input", {}, "", "", "", 0},
        {"references as options", {"--north", " +51 ", "--east=-1", "00000000"}, "",
         "51 Grad 0 Min. 00,00 Sek.\t-1 Grad 0 Min. 00,00 Sek.\t510000-010000\n", "", 0},
        {"UTF-8 byte-order mark (Notepad)", {}, "\xEF\xBB\xBF" "12345678\r\n12345678", kLine1234 + kLine1234, "", 0},
        {"UTF-16 little-endian (PowerShell 5.1)", {}, utf16("12345678\r\n12345678\r\n", true),
         kLine1234 + kLine1234, "", 0},
        {"UTF-16 big-endian", {}, utf16("12345678\n", false), kLine1234, "", 0},
        {"only a byte-order mark", {}, "\xEF\xBB\xBF", "", "", 0},
        {"JSON Lines", {"--format", "json", "12345678"}, "", kJson1234, "", 0},
        {"GeoJSON of no input", {"--format=geojson"}, "", "{\"type\":\"FeatureCollection\",\"features\":[\n]}\n", "", 0},
        {"tsv output read back into codes", {"--encode"},
         kLine1234 + "49 Grad 53 Min. 60,00 Sek.\t9 Grad 0 Min. 00,00 Sek.\t495360090000\r\n", "12345678\nFC18D8F0\n",
         "", 0},
        {"decimal degrees as arguments", {"--encode", "--north", "0", "--", "-0.0001", "9,9999", "0.466", "12.2136"},
         "", "FFFFFFFF\n12345678\n", "", 0},
        // Every digit of a position counts, however long its line.
        {"padded and long positions read whole", {"--encode"},
         std::string(54, ' ') + "50.466\t12.2136\n50.466" + std::string(50, '0') + "\t12.21365\n",
         "12345678\n12345679\n", "", 0},
        {"the sign belongs to the degrees", {"--encode", "--north=0"}, "-1 Grad 29 Min. 60,00 Sek.\t10\n",
         "EC780000\n", "", 0},
        // Letters, marks, colons and whole positions.
        {"positions as people write them", {"--encode"},
         "N 50° 27.960'\t12.2136 O\n50.466, 12.2136\n12°12'48.96\"E 50°27'57.6\"N\n50:27:57.6\t12,2136\n",
         "12345678\n12345678\n12345678\n12345678\n", "", 0},
        {"a sign is the whole position's", {"--encode", "--north=0", "--east=0"}, "-0° 30′\t-0:30\n-1° 30'\t0\n",
         "EC78EC78\nC5680000\n", "", 0},
        {"whole positions and pairs as arguments", {"--encode", "50.466 12.2136", "N 50.466", "12.2136 E"}, "",
         "12345678\n12345678\n", "", 0},
        // The longest line read whole, 65536 bytes, and one byte more.
        {"the line limit", {"--encode"},
         std::string(65536 - 14, ' ') + "50.466\t12.2136\n" + std::string(65537 - 14, ' ') + "50.466\t12.2136\n",
         "12345678\n\n", "lagewandler-cli: line 2: line longer than 65536 bytes, not read\n", 1},
    };
    for (const CliCase& c : cases) expectRun(c);
}

// "ungültiger Zahlenwert" for each of the given input lines, in order.
std::string refused(std::initializer_list<int> lines) {
    std::string errors;
    for (const int line : lines) errors += "lagewandler-cli: line " + std::to_string(line) + ": ungültiger Zahlenwert\n";
    return errors;
}

TEST(LagewandlerCli, KeepsOneOutputLinePerCodeAndNamesWhereMessagesArose) {
    using namespace std::string_literals;
    const std::string need = "Bitte 8 Stellen eingeben\n";
    const std::string invalid = "ungültiger Zahlenwert\n";
    // A half that converted shows; the compact text of a refused code stays empty.
    const std::string kLatitudeOnly = "50 Grad 27 Min. 57,60 Sek.\t\t\n";
    const std::string kLongitudeOnly = "\t12 Grad 12 Min. 48,96 Sek.\t\n";
    const CliCase cases[] = {
        {"rejected lines", {}, "12345678\n1234567\n\n12345678\r\n", kLine1234 + kRejected + kRejected + kLine1234,
         "lagewandler-cli: line 2: " + need + "lagewandler-cli: line 3: " + need, 1},
        {"rejected argument", {"1234567", "12345678"}, "", kRejected + kLine1234,
         "lagewandler-cli: argument 1: " + need, 1},
        {"lone carriage return is part of the code", {}, "12345678\r", kRejected, "lagewandler-cli: line 1: " + need,
         1},
        {"group out of range", {"--north=32767"}, "27105678\n", kLongitudeOnly, "lagewandler-cli: line 1: " + invalid,
         1},
        {"lone dash is a code", {"-"}, "", kRejected, "lagewandler-cli: argument 1: " + need, 1},
        {"code after double dash, its signed group refused", {"--", "-123FFFF"}, "",
         "\t9 Grad 59 Min. 59,64 Sek.\t\n", "lagewandler-cli: argument 1: " + invalid, 1},
        // A character that UTF-16 cannot hold whole (a lone surrogate) is U+FFFD.
        {"UTF-16 umlaut and lone surrogates", {}, "\xFF\xFE" "\xC4\0" "2\0" "3\0" "4\0" "5\0" "6\0" "7\0" "8\0\n\0"
         "1\0" "2\0" "3\0" "\x00\xDC" "5\0" "6\0" "7\0" "8\0\n\0" "1\0" "2\0" "3\0" "4\0" "5\0" "6\0" "7\0" "\x00\xD8"s,
         kLongitudeOnly + kLongitudeOnly + kLatitudeOnly, refused({1, 2, 3}), 1},
        // A pair is one character; an unpaired high surrogate in the middle
        // of a line is one U+FFFD; a last odd byte is a line of its own.
        {"UTF-16 pair, lone high surrogate, last odd byte", {},
         "\xFF\xFE" "1\0" "2\0" "3\0" "4\0" "5\0" "6\0" "7\0" "\x3D\xD8\x00\xDE" "\n\0"
         "1\0" "2\0" "3\0" "\x00\xD8" "5\0" "6\0" "7\0" "8\0" "\n\0" "1"s,
         kLatitudeOnly + kLongitudeOnly + kRejected, refused({1, 2}) + "lagewandler-cli: line 3: " + need, 1},
        // Each mistyped group is refused; the other group of its code converts.
        {"mistyped groups", {},
         "12O45678\n123456O8\n1234 678\n+1235678\n1234&H78\n\u00c42345678\n1234567\U0001F600\n"
         "\xFF\xFE\xFD" "45678\n1234G678\nZZZZZZZZ\n",
         kLongitudeOnly + kLatitudeOnly + kLatitudeOnly + kLongitudeOnly + kLatitudeOnly + kLongitudeOnly +
             kLatitudeOnly + kLongitudeOnly + kLatitudeOnly + kRejected,
         refused({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10}), 1},
        // JSON is pure ASCII, every other character escaped.
        {"JSON of a refused half", {"--format", "json", "\u00c4\u00d6\u00dc\u00df5678", "\\GGGGGGG"}, "",
         "{\"code\":\"\\u00c4\\u00d6\\u00dc\\u00df5678\",\"latitude\":\"\","
         "\"longitude\":\"12 Grad 12 Min. 48,96 Sek.\","
         "\"compact\":\"\",\"latitude_degrees\":null,\"longitude_degrees\":12.2136,"
         "\"messages\":[\"ung\\u00fcltiger Zahlenwert\"]}\n"
         "{\"code\":\"\\\\GGGGGGG\",\"latitude\":\"\",\"longitude\":\"\",\"compact\":\"\",\"latitude_degrees\":null,"
         "\"longitude_degrees\":null,\"messages\":[\"ung\\u00fcltiger Zahlenwert\",\"ung\\u00fcltiger Zahlenwert\"]}\n",
         "lagewandler-cli: argument 1: " + invalid + "lagewandler-cli: argument 2: " + invalid +
             "lagewandler-cli: argument 2: " + invalid, 1},
        // Characters of three and four bytes as JSON escapes.
        {"JSON of the euro sign and U+10000", {"--format", "json", "\u20ac2345678", "\U00010000" "2345678"}, "",
         "{\"code\":\"\\u20ac2345678\",\"latitude\":\"\",\"longitude\":\"12 Grad 12 Min. 48,96 Sek.\","
         "\"compact\":\"\",\"latitude_degrees\":null,\"longitude_degrees\":12.2136,"
         "\"messages\":[\"ung\\u00fcltiger Zahlenwert\"]}\n"
         "{\"code\":\"\\ud800\\udc002345678\",\"latitude\":\"\",\"longitude\":\"12 Grad 12 Min. 48,96 Sek.\","
         "\"compact\":\"\",\"latitude_degrees\":null,\"longitude_degrees\":12.2136,"
         "\"messages\":[\"ung\\u00fcltiger Zahlenwert\"]}\n",
         "lagewandler-cli: argument 1: " + invalid + "lagewandler-cli: argument 2: " + invalid, 1},
        // The character that holds the 64th byte is kept whole.
        {"JSON of a line's first 64 bytes, its bad bytes and control characters", {"--format=json"},
         "\xFF\"\x01" + std::string(60, 'A') + "\U0001F600" + std::string(40, 'A') + "\n",
         "{\"code\":\"\\ufffd\\\"\\u0001" + std::string(60, 'A') + "\\ud83d\\ude00" +
             "\",\"latitude\":\"\",\"longitude\":\"\",\"compact\":\"\",\"latitude_degrees\":null,"
             "\"longitude_degrees\":null,\"messages\":[\"Bitte 8 Stellen eingeben\"]}\n",
         "lagewandler-cli: line 1: " + need, 1},
        // The 64th byte's character kept whole in a line that crosses the first 64 KiB read.
        {"JSON of a line across a read", {"--format=json"},
         std::string(65533, 'A') + "\n" + std::string(63, 'B') + "\U0001F600" + "\n",
         "{\"code\":\"" + std::string(64, 'A') + "\",\"latitude\":\"\",\"longitude\":\"\",\"compact\":\"\","
         "\"latitude_degrees\":null,\"longitude_degrees\":null,\"messages\":[\"Bitte 8 Stellen eingeben\"]}\n"
         "{\"code\":\"" + std::string(63, 'B') +
             "\\ud83d\\ude00\",\"latitude\":\"\",\"longitude\":\"\",\"compact\":\"\","
         "\"latitude_degrees\":null,\"longitude_degrees\":null,\"messages\":[\"Bitte 8 Stellen eingeben\"]}\n",
         "lagewandler-cli: line 1: " + need + "lagewandler-cli: line 2: " + need, 1},
        {"GeoJSON leaves out what drew a message", {"--format", "geojson", "1234567", "FFFFFFFF"}, "",
         "{\"type\":\"FeatureCollection\",\"features\":[\n{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\","
         "\"coordinates\":[9.9999,49.9999]},\"properties\":{\"line\":2,\"code\":\"FFFFFFFF\",\"latitude\":"
         "\"49 Grad 59 Min. 59,64 Sek.\",\"longitude\":\"9 Grad 59 Min. 59,64 Sek.\",\"compact\":\"495960095960\"}}\n]}\n",
         "lagewandler-cli: argument 1: " + need, 1},
        {"positions unreadable, far from the reference, negative zero degrees, or half missing", {"--encode"},
         "5O.1\t10\n99\t10\n50\n50 Grad 27 Min. 57,60 Sek.\t12.2136\textra\n-0 Grad 30 Min. 00,00 Sek.\t10\n",
         "\n\n\n12345678\n\n",
         "lagewandler-cli: line 1: latitude: " + invalid + "lagewandler-cli: line 2: latitude: " + invalid +
             "lagewandler-cli: line 3: " + invalid + "lagewandler-cli: line 5: latitude: " + invalid, 1},
        // Refused rather than guessed.
        {"ambiguous and mixed positions", {"--encode"},
         "50,10\n-50 N\t10\nS -33.9\t10\nN 50\tN 10\n50°60'\t10\n50.5°27'\t10\n50.466N 12.2136N\n1O\t12O\n",
         "\n\n\n\n\n\n\n\n",
         "lagewandler-cli: line 1: " + invalid + "lagewandler-cli: line 2: latitude: " + invalid +
             "lagewandler-cli: line 3: latitude: " + invalid + "lagewandler-cli: line 4: longitude: " + invalid +
             "lagewandler-cli: line 5: latitude: " + invalid + "lagewandler-cli: line 6: latitude: " + invalid +
             "lagewandler-cli: line 7: " + invalid + "lagewandler-cli: line 8: latitude: " + invalid +
             "lagewandler-cli: line 8: longitude: " + invalid, 1},
        // Near the ends of the references a degree would not fit: no code
        // that the decoder then refuses.
        {"positions whose code would not convert back", {"--encode", "--north", "32767", "--", "32768.5", "10"}, "",
         "\n", "lagewandler-cli: argument 1: latitude: " + invalid, 1},
        {"positions whose code would not convert back", {"--encode", "--north=-32768"}, "-32768.0002\t10\n", "\n",
         "lagewandler-cli: line 1: latitude: " + invalid, 1},
        {"a position's line too long to read whole", {"--encode"}, std::string(70'000, ' ') + "\n50.466\t12.2136\n",
         "\n12345678\n", "lagewandler-cli: line 1: line longer than 65536 bytes, not read\n", 1},
        // 90 and -180 degrees are on the globe; beyond either, each half off it draws a message.
        {"GeoJSON holds no place off the globe",
         {"--format", "geojson", "--north", "89", "--east", "-179", "75300000", "0000C568", "7530C568", "2710D8F0"}, "",
         "{\"type\":\"FeatureCollection\",\"features\":[\n{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\","
         "\"coordinates\":[-180.0000,90.0000]},\"properties\":{\"line\":4,\"code\":\"2710D8F0\",\"latitude\":"
         "\"90 Grad 0 Min. 00,00 Sek.\",\"longitude\":\"-180 Grad 0 Min. 00,00 Sek.\","
         "\"compact\":\"900000-1800000\"}}\n]}\n",
         "lagewandler-cli: argument 1: " + invalid + "lagewandler-cli: argument 2: " + invalid +
             "lagewandler-cli: argument 3: " + invalid + "lagewandler-cli: argument 3: " + invalid, 1},
        {"GeoJSON below -90 degrees", {"--format", "geojson", "--north", "-89", "8AD00000"}, "",
         "{\"type\":\"FeatureCollection\",\"features\":[\n]}\n", "lagewandler-cli: argument 1: " + invalid, 1},
        {"five megabyte line", {}, std::string(5'000'000, 'A') + "\n12345678\n", kRejected + kLine1234,
         "lagewandler-cli: line 1: " + need, 1},
        // Input is read 64 KiB at a time; this code and its "\r\n" straddle the first boundary.
        {"code across a read boundary", {}, std::string(65531, 'A') + "\n12345678\r\n", kRejected + kLine1234,
         "lagewandler-cli: line 1: " + need, 1},
    };
    for (const CliCase& c : cases) expectRun(c);
}

TEST(LagewandlerCli, FollowsTheRegionalDecimalSeparator) {
    const CliCase english{"C locale", {"12345678"}, "",
                          "50 Grad 27 Min. 57.60 Sek.\t12 Grad 12 Min. 48.96 Sek.\t502758121249\n", "", 0};
    expectRun(english, "C");
}

TEST(LagewandlerCli, AnswersHelpAndUsageErrors) {
    const std::string builtIn = "north reference: 50 (built in)\neast reference: 10 (built in)\n";
    const std::string help = std::string(batchUsage()) + "\nReferences in force here:\n  north reference: 50 (built in)\n"
                             "  east reference: 10 (built in)\n";
    // A usage error is its reason and one line pointing to the help, not the whole help.
    const std::string seeHelp = "\nTry 'lagewandler-cli --help' for more information.\n";
    const auto badReference = [&seeHelp](const std::string& option, const std::string& text) {
        return "lagewandler-cli: option " + option + " needs a whole number of degrees from -32768 to 32767, not '" +
               text + "'" + seeHelp;
    };
    const CliCase cases[] = {
        {"help", {"--help"}, "", help, "", 0},
        {"version", {"--version"}, "", "lagewandler-cli " LAGEWANDLER_VERSION "\n" + builtIn, "", 0},
        {"short help", {"-h"}, "", help, "", 0},
        {"help wins after version", {"--version", "--help"}, "", help, "", 0},
        {"help wins before version", {"--help", "--version"}, "", help, "", 0},
        {"unknown option", {"--west", "5"}, "", "", "lagewandler-cli: unknown option --west" + seeHelp, 2},
        {"missing reference", {"12345678", "--north"}, "", "",
         "lagewandler-cli: option --north needs a value (REF)" + seeHelp, 2},
        {"empty reference", {"--north", "", "12345678"}, "", "", badReference("--north", ""), 2},
        // Windows PowerShell 5.1 drops an empty argument: the code becomes the reference.
        {"reference out of range", {"--north", "12345678"}, "", "", badReference("--north", "12345678"), 2},
        {"letter O for a zero", {"--north", "5O", "12345678"}, "", "", badReference("--north", "5O"), 2},
        {"C's hexadecimal", {"--north=0x32"}, "", "", badReference("--north", "0x32"), 2},
        // Only decimal digits: a code in the reference's place never passes.
        {"the window's hexadecimal", {"--north=&HFFFF"}, "", "", badReference("--north", "&HFFFF"), 2},
        {"octal", {"--north", "&O62", "12345678"}, "", "", badReference("--north", "&O62"), 2},
        {"a code with an exponent letter", {"--north", "0001E001", "12345678"}, "", "",
         badReference("--north", "0001E001"), 2},
        {"a code of digits", {"--east", "00001234"}, "", "", badReference("--east", "00001234"), 2},
        {"a fraction", {"--north=50.5"}, "", "", badReference("--north", "50.5"), 2},
        {"a fraction that a double rounds", {"--north=1.4999999999999999"}, "", "",
         badReference("--north", "1.4999999999999999"), 2},
        {"decimal comma", {"--east", "50,7"}, "", "", badReference("--east", "50,7"), 2},
        {"letters as reference", {"--east=abc"}, "12345678\n", "",
         badReference("--east", "abc"), 2},
        {"digit after a stray letter", {"--north", "x12"}, "", "", badReference("--north", "x12"), 2},
        {"hex prefix alone", {"--east", "&H"}, "", "", badReference("--east", "&H"), 2},
        {"sign alone", {"--north", "-"}, "", "", badReference("--north", "-"), 2},
        {"umlaut as reference", {"--north=Ö"}, "", "", badReference("--north", "Ö"), 2},
        {"control characters shown as ?", {"--east=\x1B[2J\n"}, "", "", badReference("--east", "?[2J?"), 2},
        {"blank kept in the echo", {"--east=a b"}, "", "", badReference("--east", "a b"), 2},
        {"unknown format", {"--format", "xml"}, "", "",
         "lagewandler-cli: option --format needs tsv, json or geojson, not 'xml'" + seeHelp, 2},
        {"format with encode", {"--encode", "--format=tsv"}, "", "",
         "lagewandler-cli: option --format does not go with --encode" + seeHelp, 2},
        {"a position without its longitude", {"--encode", "50.466, 12.2136", "50.466"}, "", "",
         "lagewandler-cli: --encode needs a LATITUDE and a LONGITUDE, or a whole position, for argument 2" + seeHelp,
         2},
    };
    for (const CliCase& c : cases) expectRun(c);
}

TEST(LagewandlerCli, TakesTheReferencesThatAreNotGivenFromThePresets) {
    // Under Wine the presets are the registry's, read by the window's tests.
    if (std::getenv("LAGEWANDLER_CLI_EMULATOR") != nullptr) GTEST_SKIP() << "presets on Windows are in the registry";
    const auto folder = std::filesystem::temp_directory_path() / ("lagewandler-presets-" + std::to_string(getpid()));
    const auto file = folder / "Lagewandler" / "lagewandler.conf";
    std::filesystem::create_directories(file.parent_path());
    setenv("XDG_CONFIG_DIRS", folder.c_str(), 1);
    const std::string in = " (set in " + file.string() + ")\n";
    struct Case {
        std::string presets;
        CliCase run;
    };
    const Case cases[] = {
        {"[General]\nNorthReference=48\n", {"north preset", {"12345678"}, "",
          "48 Grad 27 Min. 57,60 Sek.\t12 Grad 12 Min. 48,96 Sek.\t482758121249\n", "", 0}},
        {"NorthReference=48\nEastReference=11\n", {"an option wins", {"--north", "50", "12345678"}, "",
          "50 Grad 27 Min. 57,60 Sek.\t13 Grad 12 Min. 48,96 Sek.\t502758131249\n", "", 0}},
        {"NorthReference=48\nEastReference=11\n", {"version names the sources", {"--east=-3", "--version"}, "",
          "lagewandler-cli " LAGEWANDLER_VERSION "\nnorth reference: 48" + in + "east reference: -3 (--east)\n", "",
          0}},
        {"EastReference=11,5\n", {"version shows a preset that is no REF", {"--version"}, "",
          "lagewandler-cli " LAGEWANDLER_VERSION "\nnorth reference: 50 (built in)\neast reference: '11,5' (set in " +
              file.string() + ", not a REF: runs without the option stop)\n", "", 0}},
        {"EastReference=11,5\n", {"a preset that is no REF stops the run", {"--encode", "50", "10"}, "", "",
          "lagewandler-cli: the east reference '11,5' set in " + file.string() +
              " is no whole number of degrees from -32768 to 32767; give --east REF\n"
              "Try 'lagewandler-cli --help' for more information.\n", 2}},
        {"EastReference=11,5\n", {"its option replaces it", {"--east", "10", "--encode", "50", "10"}, "",
          "00000000\n", "", 0}},
        {"[General\nNorthReference=48\n", {"a file Qt cannot read presets neither reference", {"--version"}, "",
          "lagewandler-cli " LAGEWANDLER_VERSION "\nnorth reference: '' (set in " + file.string() +
              ", not a REF: runs without the option stop)\neast reference: '' (set in " + file.string() +
              ", not a REF: runs without the option stop)\n", "", 0}},
    };
    for (const Case& c : cases) {
        std::ofstream(file, std::ios::binary) << c.presets;
        expectRun(c.run);
    }
    unsetenv("XDG_CONFIG_DIRS");
    std::filesystem::remove_all(folder);
}

// text repeated count times.
std::string repeated(const std::string& text, int count) {
    std::string all;
    for (int index = 0; index < count; ++index) all += text;
    return all;
}

TEST(LagewandlerCli, WritesEachMessageAfterTheResultsOfTheLinesBeforeIt) {
    const std::string need = "lagewandler-cli: line 2: Bitte 8 Stellen eingeben\n";
    const std::string needLate = "lagewandler-cli: line 5001: Bitte 8 Stellen eingeben\n";
    const std::string feature =
        "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[12.2136,50.4660]},\"properties\":"
        "{\"line\":1,\"code\":\"12345678\",\"latitude\":\"50 Grad 27 Min. 57,60 Sek.\",\"longitude\":"
        "\"12 Grad 12 Min. 48,96 Sek.\",\"compact\":\"502758121249\"}}";
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        std::string input;
        std::string output;
    } cases[] = {
        {"short input", {}, "12345678\n1234567\n12345678\n", kLine1234 + need + kRejected + kLine1234},
        {"two refused lines", {}, "1234567\n1234567\n",
         "lagewandler-cli: line 1: Bitte 8 Stellen eingeben\n" + kRejected + need + kRejected},
        {"after thousands of lines", {}, repeated("12345678\n", 5000) + "1234567\n12345678\n",
         repeated(kLine1234, 5000) + needLate + kRejected + kLine1234},
        // A message ends the feature's line rather than being glued to it.
        {"GeoJSON", {"--format=geojson"}, "12345678\n1234567\n",
         "{\"type\":\"FeatureCollection\",\"features\":[\n" + feature + "\n" + need + "]}\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.arguments, c.input, "de_DE.UTF-8", kErrorsWithOutput);
        EXPECT_EQ(run.output, c.output) << c.name;
        EXPECT_EQ(run.status, 1) << c.name;
    }
}

// Reading a folder fails: said, never taken for the end of the input; a
// GeoJSON collection stays unclosed, so no reader takes it for the whole.
TEST(LagewandlerCli, ReportsInputThatCannotBeRead) {
    // Windows' C runtime gives EINVAL for a read of a folder's handle.
    const std::string reason = std::getenv("LAGEWANDLER_CLI_EMULATOR") ? "Invalid argument" : "Is a directory";
    const std::string openCollection = "{\"type\":\"FeatureCollection\",\"features\":[\n";
    for (const auto& [arguments, output] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{}, ""}, {{"--encode"}, ""}, {{"--format", "geojson"}, openCollection}}) {
        expectRun({"failed read", arguments, "", output, "lagewandler-cli: cannot read the input: " + reason + "\n", 1},
                  "de_DE.UTF-8", "/");
    }
}

// The program reads from a pipe whose writer waits before its second line:
// the first line's result must come while it waits, not at end of input.
TEST(LagewandlerCli, AnswersALineFromAPipeWhenItArrives) {
    constexpr int kPatienceMs = 20000;
    int input[2], output[2];
    ASSERT_EQ(pipe(input), 0);
    ASSERT_EQ(pipe(output), 0);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&files, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    for (const int end : {input[0], input[1], output[0], output[1]}) posix_spawn_file_actions_addclose(&files, end);
    std::vector<std::string> texts = programCommand();
    std::vector<std::string> variables = programEnvironment("de_DE.UTF-8");
    const std::vector<char*> argv = pointersTo(texts), envp = pointersTo(variables);
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, argv.front(), &files, nullptr, argv.data(), envp.data()), 0);
    posix_spawn_file_actions_destroy(&files);
    close(input[0]);
    close(output[1]);
    const auto readLine = [&output] {
        std::string line;
        char c = 0;
        pollfd ready{output[0], POLLIN, 0};
        while (poll(&ready, 1, kPatienceMs) == 1 && read(output[0], &c, 1) == 1) {
            line += c;
            if (c == '\n') break;
        }
        return line;
    };
    ASSERT_EQ(write(input[1], "12345678\n", 9), 9);
    EXPECT_EQ(readLine(), kLine1234);
    ASSERT_EQ(write(input[1], "12345678\n", 9), 9);
    close(input[1]);
    EXPECT_EQ(readLine(), kLine1234);
    close(output[0]);
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0);
}

TEST(LagewandlerCli, ReportsOutputThatCannotBeWritten) {
    const CliRun run = runCli({"12345678"}, "", "de_DE.UTF-8", "/dev/full");
    EXPECT_EQ(run.errors, "lagewandler-cli: cannot write the output: No space left on device\n");
    EXPECT_EQ(run.status, 1);
}

}  // namespace
}  // namespace lagewandler
