#include "cli/batch_streams.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <string>
#include <system_error>

#include "cli/input_text.h"
#ifdef _WIN32
#include "cli/windows_console.h"
#endif
#include "text/utf8_text.h"

namespace lagewandler {
namespace {

constexpr std::size_t kReadBlockSize = 64 * 1024;

// The system's read and write: POSIX, or the C runtime's on Windows, where
// a console window is read and written in UTF-16 through its own functions
// and files and pipes carry UTF-8 bytes. Each returns the bytes moved, or
// -1: a write with errno set, a read with the reason in error.
#ifdef _WIN32
// The C runtime counts in unsigned int: a larger request moves part of it.
[[nodiscard]] unsigned pieceSize(std::size_t size) {
    constexpr std::size_t kLargestPiece = 1U << 30U;
    return static_cast<unsigned>(std::min(size, kLargestPiece));
}
#endif

[[nodiscard]] std::ptrdiff_t readSome(int fd, char* buffer, std::size_t size, std::error_code& error) {
#ifdef _WIN32
    if (ConsoleReader* console = consoleReaderOf(fd)) return console->read(buffer, size, error);
    const std::ptrdiff_t count = _read(fd, buffer, pieceSize(size));
#else
    const std::ptrdiff_t count = ::read(fd, buffer, size);
#endif
    if (count < 0) error = std::error_code(errno, std::generic_category());
    return count;
}

[[nodiscard]] std::ptrdiff_t writeSome(int fd, const char* data, std::size_t size) {
#ifdef _WIN32
    if (ConsoleWriter* console = consoleWriterOf(fd)) {
        if (console->write({data, size})) return static_cast<std::ptrdiff_t>(size);
        errno = EIO;
        return -1;
    }
    return _write(fd, data, pieceSize(size));
#else
    return ::write(fd, data, size);
#endif
}

// line cut after the character that reaches limit bytes (a byte of no
// well-formed character is one of its own), so no character is split.
[[nodiscard]] std::string_view keptPart(std::string_view line, std::size_t limit) noexcept {
    if (line.size() <= limit) return line;
    std::size_t end = 0;
    while (end < limit) end += std::max<std::size_t>(1, utf8WellFormedLength(line, end));
    return line.substr(0, std::min(end, line.size()));
}

// "\r\n" ends a line as well as "\n"; the "\r" is not part of the line.
[[nodiscard]] std::string_view withoutCarriageReturn(std::string_view line) noexcept {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// Splits text, handed over in pieces, into lines. A line that spans pieces
// is kept only up to a few bytes past the limit, so memory stays flat.
class LineSplitter {
public:
    LineSplitter(LineHandler& handler, std::size_t limit) : handler_(handler), limit_(limit) {}

    // Hands on every line that piece completes; false once output has failed.
    [[nodiscard]] bool add(std::string_view piece) {
        for (std::size_t end = piece.find('\n'); end != std::string_view::npos; end = piece.find('\n')) {
            std::string_view line = piece.substr(0, end);
            if (!spanning_.empty()) {
                keep(line);
                line = spanning_;
            }
            if (!handOn(withoutCarriageReturn(line))) return false;
            spanning_.clear();
            piece.remove_prefix(end + 1);
        }
        keep(piece);
        return true;
    }
    // A last line without a line feed is a line too.
    [[nodiscard]] bool finish() { return spanning_.empty() || handOn(spanning_); }

private:
    // Past the limit, enough bytes to finish the character that straddles it
    // and to tell that the line is longer.
    void keep(std::string_view piece) {
        const std::size_t kept = limit_ + kLongestUtf8Character;
        if (spanning_.size() < kept) spanning_.append(piece.substr(0, kept - spanning_.size()));
    }
    [[nodiscard]] bool handOn(std::string_view line) {
        return handler_.line(keptPart(line, limit_), ++lineNumber_, line.size() <= limit_);
    }

    LineHandler& handler_;
    std::size_t limit_;
    std::string spanning_;  // the start of a line that began in an earlier piece
    std::uint64_t lineNumber_ = 0;
};

}  // namespace

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const std::ptrdiff_t written = writeSome(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

OutputBuffer::OutputBuffer(int fd) : fd_(fd), buffer_(kOutputBufferSize) {}

OutputBuffer::~OutputBuffer() { static_cast<void>(flush()); }

void OutputBuffer::addLine(std::string_view first, std::string_view second, std::string_view third) {
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
    lineOpen_ = false;
}

void OutputBuffer::add(std::initializer_list<std::string_view> pieces) {
    for (const std::string_view piece : pieces) {
        if (!piece.empty()) lineOpen_ = piece.back() != '\n';
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

char* OutputBuffer::place(std::size_t room) {
    if (used_ + room > buffer_.size()) static_cast<void>(flush());
    return buffer_.data() + used_;
}

bool OutputBuffer::flush() {
    if (ok_ && !writeAll(fd_, {buffer_.data(), used_})) {
        ok_ = false;
        error_ = errno;
    }
    used_ = 0;
    return ok_;
}

std::error_code handleLines(int input, LineHandler& handler, std::size_t limit) {
    std::vector<char> block(kReadBlockSize);
    InputText text;
    LineSplitter lines(handler, limit);
    for (;;) {
        std::error_code error;
        const std::ptrdiff_t count = readSome(input, block.data(), block.size(), error);
        // A signal that interrupted the system's read is retried; a console
        // read interrupted by Ctrl+C fails with a reason of its own.
        if (count < 0 && error == std::errc::interrupted) continue;
        // A failed read is no end of input: what was read may be a part.
        if (count < 0) return error ? error : std::make_error_code(std::errc::io_error);
        if (count == 0) break;
        if (!lines.add(text.decode({block.data(), static_cast<std::size_t>(count)}))) return {};
        // A short read means no more input is waiting (a terminal, a slow
        // pipe): show the results so far instead of holding them back.
        if (static_cast<std::size_t>(count) < block.size() && !handler.flush()) return {};
    }
    static_cast<void>(lines.add(text.finish()) && lines.finish());
    return {};
}

}  // namespace lagewandler
