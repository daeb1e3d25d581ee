#pragma once

#include <cstddef>
#include <string_view>

namespace lagewandler {

// The most bytes a JSON string of a text of size bytes can take: each byte
// escaped as \u00XX, and the quotes.
[[nodiscard]] constexpr std::size_t jsonStringRoom(std::size_t size) noexcept {
    constexpr std::size_t kEscapeBytes = 6;
    return kEscapeBytes * size + 2;
}

// Writes text to out (room for jsonStringRoom(text.size()) bytes) as a JSON
// string, quotes included, and returns the end of what it wrote: pure
// ASCII, so that a reader that takes the bytes in another code page
// (Windows PowerShell 5.1 reads a program's output as code page 850 on a
// German desk) still reads every character right. '"', '\' and the control
// characters are escaped, every character beyond ASCII is written as
// \uXXXX (two for one above U+FFFF), a byte that is not part of a
// well-formed UTF-8 character as \ufffd.
// Examples: 12345678 -> "12345678", a"b -> "a\"b", a<TAB>b -> "a\tb",
// ü -> "\u00fc", U+1F600 -> "\ud83d\ude00", "\xFF" "1" -> "\ufffd1".
[[nodiscard]] char* writeJsonString(char* out, std::string_view text);

}  // namespace lagewandler
