// Feeds arbitrary bytes to the companion as its standard input, written into
// a pipe in pieces of a size the input's first byte chooses, so lines and
// "\r\n" pairs fall across reads. Stops on a crash, on what the sanitizers
// see, and when the output has not one line per input line ("\n" ends a
// line; a last line without it counts too) of two tabs each, or when a
// message does not name its line; half of the inputs are written as JSON
// Lines instead, one object a line. Input with a UTF-16 byte-order mark is
// only checked for whole output lines.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>

#include "cli/batch_conversion.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    constexpr std::size_t kLargestPiece = 97;
    const std::size_t piece = 1 + data[0] % kLargestPiece;
    // Every other input is written as JSON Lines: one object a line too.
    lagewandler::BatchOptions options;
    const bool json = data[0] / kLargestPiece % 2 == 1;
    if (json) options.format = lagewandler::OutputFormat::Json;
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

    int pipeEnds[2];
    require(pipe(pipeEnds) == 0);
    const int output = memfd_create("output", 0), errors = memfd_create("errors", 0);
    require(output >= 0 && errors >= 0);
    std::thread writer(writeInPieces, pipeEnds[1], input, piece);
    const int status = lagewandler::runBatchConversion(options, {pipeEnds[0], output, errors}, ",");
    writer.join();
    close(pipeEnds[0]);

    const std::string out = contentOf(output), err = contentOf(errors);
    close(output);
    close(errors);
    const auto outputLines = static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n'));
    require(json || static_cast<std::size_t>(std::count(out.begin(), out.end(), '\t')) == 2 * outputLines);
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
    return 0;
}
