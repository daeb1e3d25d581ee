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
// string, quotes included, and returns the end of what it wrote: '"', '\'
// and the control characters escaped, each byte that is not part of a
// well-formed UTF-8 character written as U+FFFD, everything else as it is.
// Examples: 12345678 -> "12345678", a"b -> "a\"b", a<TAB>b -> "a\tb",
// "\xFF" "1" -> "\uFFFD1" (as the three UTF-8 bytes of U+FFFD).
[[nodiscard]] char* writeJsonString(char* out, std::string_view text);

}  // namespace lagewandler
