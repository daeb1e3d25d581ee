#pragma once

#include <cstddef>
#include <string_view>

namespace lagewandler {

// Texts are UTF-8. Every length and position the operator sees is counted in
// characters (code points). A byte that does not belong to a well-formed
// sequence (stray continuation byte, overlong form, surrogate, truncated
// sequence) counts as one character of its own, so no input is ever rejected.

// The longest UTF-8 character, in bytes.
inline constexpr std::size_t kLongestUtf8Character = 4;

// U+FFFD, which stands for what is not a character, as UTF-8.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// Counts the characters of text, but stops counting once limit is passed, so a
// huge paste is not walked to its end: the result is min(count, limit + 1).
// Examples: ("ÄÖÜ12345", 8) -> 8, ("123456789", 8) -> 9, ("", 8) -> 0.
[[nodiscard]] std::size_t utf8CharacterCountUpTo(std::string_view text, std::size_t limit) noexcept;

// Returns the part of text made of count characters starting at character
// first (0-based); it is shorter where text ends first.
// Examples: ("ÄÖÜ12345", 4, 4) -> "2345", ("ABC", 2, 4) -> "C", ("AB", 5, 1) -> "".
[[nodiscard]] std::string_view utf8Characters(std::string_view text, std::size_t first,
                                              std::size_t count) noexcept;

// The byte length (1 to 4) of the well-formed character that starts at byte
// offset of text, or 0 where the byte there is one of its own (see above).
// Examples: ("A", 0) -> 1, ("Ä", 0) -> 2, ("\xC3", 0) -> 0, ("\xFF", 0) -> 0.
[[nodiscard]] std::size_t utf8WellFormedLength(std::string_view text, std::size_t offset) noexcept;

// How many bytes at the end of text are the well-formed start of a character
// whose rest has not come yet (0 when text ends with whole characters or
// with bytes of no character), so a stream cut there can wait for the rest.
// Examples: "ab\xC3" -> 1, "\xF0\x9F\x98" -> 3, "\xC3\x84" -> 0, "\xC0" -> 0.
[[nodiscard]] std::size_t utf8UnfinishedTail(std::string_view text) noexcept;

}  // namespace lagewandler
