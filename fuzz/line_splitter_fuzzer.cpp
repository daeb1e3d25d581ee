// Feeds arbitrary bytes to the companion as its standard input, written into
// a pipe in pieces of a size the input's first byte chooses, so lines and
// "\r\n" pairs fall across reads. Half of the inputs are converted (a
// quarter of those written as JSON Lines), half encoded. Stops on a crash,
// on what the sanitizers see, when the output has not one line per input
// line ("\n" ends a line; a last line without it counts too) of two tabs
// each (one object each in JSON), when a message does not name its line,
// and when an encoded line gives another code or other messages than its
// two texts given as arguments. Input with a UTF-16 byte-order mark is only
// checked for whole output lines.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>

#include "cli/batch_command.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

std::string contentOf(int fd) {
    std::string text(static_cast<std::size_t>(lseek(fd, 0, SEEK_END)), '\0');
    require(pread(fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size()));
    return text;
}

void writeInPieces(int fd, std::string_view data, std::size_t piece) {
    while (!data.empty()) {
        const ssize_t written = write(fd, data.data(), std::min(piece, data.size()));
        require(written > 0);
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    close(fd);
}

// The messages of errors that name place ("line 3: "), without that prefix.
std::string messagesOf(std::string_view errors, const std::string& place) {
    const std::string prefix = "lagewandler-cli: " + place;
    std::string messages;
    for (std::size_t start = 0; start < errors.size(); start = errors.find('\n', start) + 1) {
        const std::string_view line = errors.substr(start, errors.find('\n', start) + 1 - start);
        if (line.starts_with(prefix)) messages += line.substr(prefix.size());
    }
    return messages;
}

// Each of the first lines of input, encoded from standard input, gives the
// same code and messages as its latitude and longitude given as arguments.
void requireSameAsArguments(std::string_view input, std::string_view output, std::string_view errors) {
    constexpr std::uint64_t kLinesCompared = 32;
    std::size_t start = 0, outputStart = 0;
    for (std::uint64_t number = 1; start < input.size() && number <= kLinesCompared; ++number) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        std::string_view line = input.substr(start, end - start);
        if (line.ends_with('\r') && end < input.size()) line.remove_suffix(1);
        start = end + 1;
        const std::size_t tab = line.find('\t');
        const std::string_view rest = line.substr(std::min(tab + 1, line.size()));
        // A line without a tab is a whole position, as one argument is.
        using lagewandler::PositionTexts;
        const PositionTexts position = tab == std::string_view::npos
                                           ? PositionTexts{line, {}, true}
                                           : PositionTexts{line.substr(0, tab), rest.substr(0, rest.find('\t'))};
        const int out = memfd_create("output", 0), err = memfd_create("errors", 0);
        static_cast<void>(lagewandler::runBatchEncoding({}, {&position, 1}, {-1, out, err}, ","));
        const std::size_t outputEnd = output.find('\n', outputStart) + 1;
        require(output.substr(outputStart, outputEnd - outputStart) == contentOf(out));
        const std::string place = "line " + std::to_string(number) + ": ";
        require(messagesOf(errors, place) == messagesOf(contentOf(err), "argument 1: "));
        outputStart = outputEnd;
        close(out);
        close(err);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    constexpr std::size_t kLargestPiece = 97;
    const bool encode = (data[0] & 1U) != 0;
    const std::size_t piece = 1 + (data[0] >> 1U) % kLargestPiece;
    lagewandler::BatchOptions options;
    options.encode = encode;
    const bool json = !encode && (data[0] >> 1U) / kLargestPiece % 2 == 1;
    if (json) options.format = lagewandler::OutputFormat::Json;
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

    int pipeEnds[2];
    require(pipe(pipeEnds) == 0);
    const int output = memfd_create("output", 0), errors = memfd_create("errors", 0);
    require(output >= 0 && errors >= 0);
    std::thread writer(writeInPieces, pipeEnds[1], input, piece);
    const int status = encode ? lagewandler::runBatchEncoding(options, {}, {pipeEnds[0], output, errors}, ",")
                              : lagewandler::runBatchConversion(options, {pipeEnds[0], output, errors}, ",");
    writer.join();
    close(pipeEnds[0]);
    const std::string out = contentOf(output), err = contentOf(errors);
    close(output);
    close(errors);
    const auto outputLines = static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n'));
    require(json || encode || static_cast<std::size_t>(std::count(out.begin(), out.end(), '\t')) == 2 * outputLines);
    require(status == (err.empty() ? 0 : 1));
    for (std::size_t start = 0; start < err.size(); start = err.find('\n', start) + 1) {
        require(err.compare(start, 22, "lagewandler-cli: line ") == 0);
    }
    // UTF-16 input (after its mark) has its own line ends; UTF-8 input's mark
    // is no part of its first line.
    if (input.starts_with("\xFF\xFE") || input.starts_with("\xFE\xFF")) return 0;
    if (input.starts_with("\xEF\xBB\xBF")) input.remove_prefix(3);
    const auto lines = static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n')) +
                       (!input.empty() && input.back() != '\n' ? 1 : 0);
    require(outputLines == lines);
    if (encode) requireSameAsArguments(input, out, err);
    return 0;
}
