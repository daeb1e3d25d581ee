#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

#include "text/utf16_text.h"

namespace lagewandler {

// What one read of a console gave: the units read, or why it failed.
struct ConsoleRead {
    std::size_t count = 0;
    std::error_code error;
};

// A console window's own text functions, which take UTF-16 whatever the
// console's code pages (Windows' WriteConsoleW and ReadConsoleW); an
// interface, so that tests can stand in for the console.
class Console {
public:
    Console() = default;
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;
    virtual ~Console() = default;

    // Shows units; false when the console refused them.
    [[nodiscard]] virtual bool write(std::u16string_view units) = 0;
    // Reads what the operator typed into units (room for size): the number
    // of units read, or why reading failed. Ctrl+C and Ctrl+Break interrupt
    // a read, which then fails; a read of no unit without a failure is the
    // end of the input.
    [[nodiscard]] virtual ConsoleRead read(char16_t* units, std::size_t size) = 0;
};

// The companion's UTF-8 output shown on a console. A character split
// between two writes is held until its rest arrives, so a write of any
// bytes shows the same as one write of all of them; a byte of no character
// shows as U+FFFD.
class ConsoleWriter {
public:
    explicit ConsoleWriter(Console& console) : console_(console) {}

    // Shows bytes; false when the console refused them.
    [[nodiscard]] bool write(std::string_view bytes);

private:
    Console& console_;
    std::string pending_;  // the start of a character, waiting for its rest
};

// What is typed on a console, as the UTF-8 bytes the companion reads.
// A Ctrl+Z ends the input wherever it is typed (it arrives once Enter is
// pressed); what precedes it is still read, what follows it is not.
class ConsoleReader {
public:
    explicit ConsoleReader(Console& console) : console_(console) {}

    // Fills up to size bytes of buffer: the count, 0 at the end, -1 when
    // reading failed, with the reason in error.
    [[nodiscard]] std::ptrdiff_t read(char* buffer, std::size_t size, std::error_code& error);

private:
    Console& console_;
    Utf16Decoder decoder_;  // holds a surrogate pair's first half between reads
    std::string ready_;     // read and converted, not yet handed out
    std::size_t handedOut_ = 0;
    bool ended_ = false;
};

}  // namespace lagewandler
