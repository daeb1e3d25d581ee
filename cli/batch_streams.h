#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <system_error>
#include <vector>

namespace lagewandler {

// Writes all of data to the file descriptor fd; false when it could not.
[[nodiscard]] bool writeAll(int fd, std::string_view data);

// Collects output in a fixed buffer and writes it in large pieces, so memory
// stays the same however much is written.
class OutputBuffer {
public:
    explicit OutputBuffer(int fd);
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;
    ~OutputBuffer();

    // Adds a converted code's line: the three texts, tab-separated.
    void addLine(std::string_view first, std::string_view second, std::string_view third);
    // Adds the pieces one after the other.
    void add(std::initializer_list<std::string_view> pieces);
    // Where up to room bytes (at most kLargestPlace) can be written in place,
    // to be kept by commit with the end of what was written.
    [[nodiscard]] char* place(std::size_t room);
    void commit(const char* end) noexcept {
        const auto used = static_cast<std::size_t>(end - buffer_.data());
        if (used != used_) lineOpen_ = end[-1] != '\n';
        used_ = used;
    }
    static constexpr std::size_t kLargestPlace = 16 * 1024;
    // Whether the last byte added was not a line feed: a line is still open.
    [[nodiscard]] bool lineOpen() const noexcept { return lineOpen_; }
    // Writes out what has been added; false once a write has failed.
    [[nodiscard]] bool flush();
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
    bool lineOpen_ = false;
};

// What takes the lines of an input, one at a time.
class LineHandler {
public:
    LineHandler() = default;
    LineHandler(const LineHandler&) = delete;
    LineHandler& operator=(const LineHandler&) = delete;
    virtual ~LineHandler() = default;

    // Handles line number (from 1), without its line end. text is the line
    // whole, or, where whole is false, its start up to the handleLines limit;
    // false once output has failed, which ends the input.
    [[nodiscard]] virtual bool line(std::string_view text, std::uint64_t number, bool whole) = 0;
    // Writes out what has been handled so far; false once output has failed.
    [[nodiscard]] virtual bool flush() = 0;
};

// Reads input (a file descriptor) to its end in fixed blocks, as text in the
// encoding its byte-order mark names (see InputText), and hands each line to
// handler: "\n" ends a line, "\r\n" too, and a last line without either is a
// line. A line longer than limit bytes is handed on by its first limit bytes,
// the character that straddles the limit kept whole, and marked as not whole,
// so a line of any length takes no more memory than that. Results are
// flushed whenever no more input is waiting. Stops at the end of input or
// once the handler's output has failed, returning no error, or when reading
// fails, returning why: a failed read is no end of input.
[[nodiscard]] std::error_code handleLines(int input, LineHandler& handler, std::size_t limit);

}  // namespace lagewandler
