#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>

namespace lagewandler {

// Which bytes of a text count as what, decided once for every reader and
// writer of the tool, and hexadecimal digits as every writer writes them.

// Bytes from here on belong to characters beyond ASCII.
inline constexpr unsigned char kFirstNonAscii = 0x80;
// Bytes below it, and kDelete, are control characters.
inline constexpr char kFirstPrintable = ' ';
inline constexpr char kDelete = '\x7F';

// A blank between the parts of a text: a space or a tab.
[[nodiscard]] constexpr bool isBlank(char c) noexcept { return c == ' ' || c == '\t'; }

[[nodiscard]] constexpr bool isDecimalDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// Whether the byte is a control character (below a space, or DEL).
[[nodiscard]] constexpr bool isControlCharacter(char c) noexcept {
    return static_cast<unsigned char>(c) < static_cast<unsigned char>(kFirstPrintable) || c == kDelete;
}

inline constexpr int kHexRadix = 16;

enum class HexCase { Lower, Upper };

// Writes value as exactly digits hexadecimal digits (leading zeros, the
// higher digits dropped where value is larger) in the given case to out;
// returns the end. (0x1234, 4, Upper) -> "1234", (0xfc, 4, Lower) -> "00fc".
[[nodiscard]] inline char* writeFixedHex(char* out, std::uint32_t value, std::size_t digits, HexCase letters) noexcept {
    constexpr std::size_t kMaxDigits = 8;
    char text[kMaxDigits];
    const char* end = std::to_chars(text, text + kMaxDigits, value, kHexRadix).ptr;
    const auto written = static_cast<std::size_t>(end - text);
    for (std::size_t place = 0; place < digits; ++place) {
        const std::size_t fromEnd = digits - place;
        char c = fromEnd <= written ? text[written - fromEnd] : '0';
        if (letters == HexCase::Upper && c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
        *out++ = c;
    }
    return out;
}

}  // namespace lagewandler
