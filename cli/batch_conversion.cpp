#include "cli/batch_conversion.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <system_error>
#include <vector>

#include "cli/input_text.h"
#include "conversion/conversion_action.h"
#include "conversion/numeric_text.h"

namespace lagewandler {
namespace {

constexpr std::string_view kProgram = "lagewandler-cli";
constexpr std::string_view kUsage =
    "Usage: lagewandler-cli [--north REF] [--east REF] [--] [CODE ...]\n"
    "Converts position codes of eight hexadecimal digits (0-9, A-F, a-f) exactly as\n"
    "the Lagewandler window does. Each CODE, or when none is given each line of\n"
    "standard input (a line ends in \"\\n\" or \"\\r\\n\"), gives one line of output.\n"
    "Standard input is UTF-8; one that begins with a byte-order mark is read as the\n"
    "mark says (UTF-8, or UTF-16 in either byte order, as Windows writes files).\n"
    "\n"
    "Output:\n"
    "Latitude, a tab, longitude, a tab, the compact text, as the window shows them\n"
    "after converting that code in a freshly opened window with the given\n"
    "references. Output lines always match input lines.\n"
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
    "  --north REF  north reference in whole degrees (default 50)\n"
    "  --east REF   east reference in whole degrees (default 10)\n"
    "  -h, --help   show this text and exit (before --version, in any order)\n"
    "  --version    show the version and exit\n"
    "  --           what follows are codes, even if they begin with '-'\n"
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
    "      Prints just the compact texts of a file of codes, one a line.\n";

// What follows a usage error's reason: the whole usage would bury it.
constexpr std::string_view kSeeHelp = "Try 'lagewandler-cli --help' for more information.\n";

// What --version prints; the version is the project's.
constexpr std::string_view kVersion = "lagewandler-cli " LAGEWANDLER_VERSION "\n";

constexpr std::size_t kReadBlockSize = 64 * 1024;
// A character takes at most four bytes, so any text longer than 32 bytes has
// more than eight characters. Keeping this many bytes of a line that spans
// several reads therefore gives the same result as keeping all of it.
constexpr std::size_t kKeptLineBytes = 64;

// The system's read and write: POSIX, or the C runtime's on Windows. Each
// returns the bytes moved, or -1 with errno set.
#ifdef _WIN32
// The C runtime counts in unsigned int: a larger request moves part of it.
[[nodiscard]] unsigned pieceSize(std::size_t size) {
    constexpr std::size_t kLargestPiece = 1U << 30U;
    return static_cast<unsigned>(std::min(size, kLargestPiece));
}
[[nodiscard]] std::ptrdiff_t readSome(int fd, char* buffer, std::size_t size) {
    return _read(fd, buffer, pieceSize(size));
}
[[nodiscard]] std::ptrdiff_t writeSome(int fd, const char* data, std::size_t size) {
    return _write(fd, data, pieceSize(size));
}
#else
[[nodiscard]] std::ptrdiff_t readSome(int fd, char* buffer, std::size_t size) { return ::read(fd, buffer, size); }
[[nodiscard]] std::ptrdiff_t writeSome(int fd, const char* data, std::size_t size) {
    return ::write(fd, data, size);
}
#endif

[[nodiscard]] bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const std::ptrdiff_t written = writeSome(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Collects output in a fixed buffer and writes it in large pieces, so memory
// stays the same however much is written.
class OutputBuffer {
public:
    explicit OutputBuffer(int fd) : fd_(fd), buffer_(kOutputBufferSize) {}
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;
    ~OutputBuffer() { static_cast<void>(flush()); }

    // Adds a converted code's line: the three texts, tab-separated.
    void addLine(std::string_view first, std::string_view second, std::string_view third) {
        const std::size_t length = first.size() + second.size() + third.size() + 3;
        if (used_ + length > buffer_.size()) {
            add({first, "\t", second, "\t", third, "\n"});
            return;
        }
        char* out = buffer_.data() + used_;
        out = std::copy_n(first.data(), first.size(), out);
        *out++ = '\t';
        out = std::copy_n(second.data(), second.size(), out);
        *out++ = '\t';
        out = std::copy_n(third.data(), third.size(), out);
        *out = '\n';
        used_ += length;
    }

    // Adds the pieces one after the other.
    void add(std::initializer_list<std::string_view> pieces) {
        for (const std::string_view piece : pieces) {
            if (used_ + piece.size() > buffer_.size()) {
                static_cast<void>(flush());
                if (piece.size() > buffer_.size()) {
                    if (ok_ && !writeAll(fd_, piece)) {
                        ok_ = false;
                        error_ = errno;
                    }
                    continue;
                }
            }
            // The piece fits the buffer now: one that is larger went out above.
            std::copy_n(piece.data(), piece.size(), buffer_.data() + used_);
            used_ += piece.size();
        }
    }
    [[nodiscard]] bool flush() {
        if (ok_ && !writeAll(fd_, {buffer_.data(), used_})) {
            ok_ = false;
            error_ = errno;
        }
        used_ = 0;
        return ok_;
    }
    [[nodiscard]] bool ok() const noexcept { return ok_; }
    // Why the first failed write failed (an errno value), once one has.
    [[nodiscard]] int error() const noexcept { return error_; }

private:
    static constexpr std::size_t kOutputBufferSize = 64 * 1024;

    int fd_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    bool ok_ = true;
    int error_ = 0;
};

// Sends each message to the error output, naming where its code came from.
// The results of the lines before it are written out first and the message
// at once, so that with both streams in one place ("2>&1") every message
// stands after the results of the lines before it.
class BatchMessageSink final : public MessageSink {
public:
    BatchMessageSink(OutputBuffer& output, OutputBuffer& errors) : output_(output), errors_(errors) {}

    void setPlace(std::string_view kind, std::uint64_t number) noexcept {
        kind_ = kind;
        number_ = number;
    }
    void showMessage(std::string_view text) override {
        char digits[std::numeric_limits<std::uint64_t>::digits10 + 1];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), number_).ptr;
        static_cast<void>(output_.flush());  // a failed output ends the run after this line
        errors_.add({kProgram, ": ", kind_, " ", {digits, static_cast<std::size_t>(end - digits)}, ": ", text, "\n"});
        static_cast<void>(errors_.flush());
        anyMessage = true;
    }

    bool anyMessage = false;

private:
    OutputBuffer& output_;
    OutputBuffer& errors_;
    std::string_view kind_;
    std::uint64_t number_ = 0;
};

// Runs each code through the window's conversion on one field model that is
// reset to a freshly opened window's results before every code.
class BatchConverter {
public:
    BatchConverter(const BatchOptions& options, const BatchStreams& streams, std::string_view decimalSeparator)
        : output_(streams.output),
          errors_(streams.errors),
          sink_(output_, errors_),
          environment_{sink_, decimalSeparator} {
        fields_.northReference = options.north;
        fields_.eastReference = options.east;
    }

    // Converts one code and writes its line; false once output has failed.
    [[nodiscard]] bool convert(std::string_view code, std::string_view kind, std::uint64_t number) {
        fields_.positionCode.assign(code);
        fields_.latitude.clear();
        fields_.longitude.clear();
        fields_.compactResult.clear();
        sink_.setPlace(kind, number);
        Command1_Click(fields_, environment_);
        output_.addLine(fields_.latitude, fields_.longitude, fields_.compactResult);
        return output_.ok();
    }

    // Writes out what has been converted so far; false once output has failed.
    // Messages are written as well as they can be: a closed error stream
    // must not stop the conversion.
    [[nodiscard]] bool flush() {
        static_cast<void>(errors_.flush());
        return output_.flush();
    }

    [[nodiscard]] int finish() {
        const bool written = output_.flush();
        if (!written) errors_.add({kProgram, ": cannot write the output: ", std::generic_category().message(output_.error()), "\n"});
        static_cast<void>(errors_.flush());
        return written && !sink_.anyMessage ? 0 : 1;
    }

private:
    OutputBuffer output_;
    OutputBuffer errors_;
    BatchMessageSink sink_;
    ConversionEnvironment environment_;
    FieldModel fields_;
};

// Appends as much of piece to line as is worth keeping (see kKeptLineBytes).
void keepLinePart(std::string& line, std::string_view piece) {
    if (line.size() < kKeptLineBytes) line.append(piece.substr(0, kKeptLineBytes - line.size()));
}

// "\r\n" ends a line as well as "\n"; the "\r" is not part of the code.
[[nodiscard]] std::string_view withoutCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

constexpr std::string_view kLine = "line";

// Splits text, handed over in pieces, into lines and converts each one. A
// line that spans pieces is kept only as far as it can matter, so memory
// stays flat whatever the input's size.
class LineSplitter {
public:
    explicit LineSplitter(BatchConverter& converter) : converter_(converter) {}

    // Converts every line that piece completes; false once output has failed.
    [[nodiscard]] bool add(std::string_view piece) {
        for (std::size_t end = piece.find('\n'); end != std::string_view::npos; end = piece.find('\n')) {
            std::string_view line = piece.substr(0, end);
            if (!spanning_.empty()) {
                keepLinePart(spanning_, line);
                line = spanning_;
            }
            if (!converter_.convert(withoutCarriageReturn(line), kLine, ++lineNumber_)) return false;
            spanning_.clear();
            piece.remove_prefix(end + 1);
        }
        keepLinePart(spanning_, piece);
        return true;
    }
    // A last line without a line feed is a line too.
    [[nodiscard]] bool finish() { return spanning_.empty() || converter_.convert(spanning_, kLine, ++lineNumber_); }

private:
    BatchConverter& converter_;
    std::string spanning_;  // the start of a line that began in an earlier piece
    std::uint64_t lineNumber_ = 0;
};

// Reads the input in fixed blocks, as text in the encoding its byte-order
// mark names, and converts each line.
[[nodiscard]] bool convertLines(int input, BatchConverter& converter) {
    std::vector<char> block(kReadBlockSize);
    InputText text;
    LineSplitter lines(converter);
    for (;;) {
        const std::ptrdiff_t count = readSome(input, block.data(), block.size());
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) break;
        if (!lines.add(text.decode({block.data(), static_cast<std::size_t>(count)}))) return false;
        // A short read means no more input is waiting (a terminal, a slow
        // pipe): show the results so far instead of holding them back.
        if (static_cast<std::size_t>(count) < block.size() && !converter.flush()) return false;
    }
    return lines.add(text.finish()) && lines.finish();
}

[[nodiscard]] bool convertArguments(const std::vector<std::string_view>& codes, BatchConverter& converter) {
    std::uint64_t number = 0;
    for (const std::string_view code : codes) {
        if (!converter.convert(code, "argument", ++number)) return false;
    }
    return true;
}

constexpr std::string_view kNorthOption = "--north";
constexpr std::string_view kEastOption = "--east";

// The reference option that argument gives ("--north", "--east=5" ->
// "--east"), or "" for any other argument.
[[nodiscard]] std::string_view referenceOption(std::string_view argument) {
    for (const std::string_view option : {kNorthOption, kEastOption}) {
        if (argument.starts_with(option) && (argument.size() == option.size() || argument[option.size()] == '=')) {
            return option;
        }
    }
    return {};
}

// Reads the value of option, given as "--north REF" or "--north=REF"; false
// when REF is missing.
[[nodiscard]] bool takeReference(std::string_view option, std::span<const char* const> arguments, std::size_t& index,
                                 std::string& reference) {
    const std::string_view argument = arguments[index];
    if (argument.size() > option.size()) {
        reference = argument.substr(option.size() + 1);
        return true;
    }
    if (index + 1 >= arguments.size()) return false;
    reference = arguments[++index];
    return true;
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

}  // namespace

std::string_view batchUsage() { return kUsage; }

std::variant<BatchOptions, UsageError> parseBatchArguments(std::span<const char* const> arguments) {
    BatchOptions options;
    bool optionsEnded = false;
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
        } else if (const std::string_view option = referenceOption(argument); !option.empty()) {
            std::string& reference = option == kNorthOption ? options.north : options.east;
            if (!takeReference(option, arguments, index, reference)) {
                return UsageError{"option " + std::string(option) + " needs a value (REF)"};
            }
            // Without a digit the reference would silently be 0 degrees.
            if (!numericTextHasDigit(reference)) {
                return UsageError{"option " + std::string(option) + " needs a number, not '" + printable(reference) +
                                  "'"};
            }
        } else {
            return UsageError{"unknown option " + printable(argument)};
        }
    }
    return options;
}

int runBatchConversion(const BatchOptions& options, const BatchStreams& streams, std::string_view decimalSeparator) {
    BatchConverter converter(options, streams, decimalSeparator);
    if (options.codes.empty()) {
        static_cast<void>(convertLines(streams.input, converter));
    } else {
        static_cast<void>(convertArguments(options.codes, converter));
    }
    return converter.finish();
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
    return runBatchConversion(options, streams, decimalSeparator);
}

}  // namespace lagewandler
