#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lagewandler {

// The one conversion between UTF-8 and UTF-16 that the window, the
// companion and the regional settings share. What cannot be converted (a
// byte of no well-formed UTF-8 character, an unpaired surrogate) becomes
// U+FFFD, one for each such byte or code unit, so nothing vanishes.

// A character of a UTF-8 text: its code point and byte length.
struct Utf8Character {
    char32_t codePoint;
    std::size_t length;
};

// The character that starts at byte offset of text; U+FFFD with length 1
// for a byte of no well-formed character. ("Ä", 0) -> {0xC4, 2},
// ("\xFF", 0) -> {0xFFFD, 1}.
[[nodiscard]] Utf8Character utf8CharacterAt(std::string_view text, std::size_t offset) noexcept;

// The UTF-16 code units of codePoint: one, or a surrogate pair above U+FFFF.
struct Utf16Units {
    char16_t units[2];
    std::size_t count;
};
[[nodiscard]] Utf16Units utf16Units(char32_t codePoint) noexcept;

// Whether a UTF-16 code unit is the first half of a surrogate pair.
[[nodiscard]] bool isHighSurrogate(char32_t unit) noexcept;

// Turns UTF-16 code units, handed over one at a time (as a stream arrives),
// into UTF-8.
class Utf16Decoder {
public:
    // Appends what unit completes to out.
    void add(std::uint16_t unit, std::string& out);
    // Appends U+FFFD for a high surrogate still waiting for its partner.
    void finish(std::string& out);

private:
    std::uint16_t highSurrogate_ = 0;  // waiting for its low half, or 0
};

// A whole text from one form to the other. "Ortsmappe" <-> u"Ortsmappe",
// "ü" <-> u"\u00FC", "\xFF" -> u"\uFFFD", u"\xD800" -> "\uFFFD".
[[nodiscard]] std::u16string utf16FromUtf8(std::string_view utf8);
[[nodiscard]] std::string utf8FromUtf16(std::u16string_view utf16);

#ifdef _WIN32
// Windows' wide texts are UTF-16 in 16-bit wchar_t.
[[nodiscard]] inline std::wstring wideText(std::string_view utf8) {
    const std::u16string utf16 = utf16FromUtf8(utf8);
    return {utf16.begin(), utf16.end()};
}
[[nodiscard]] inline std::string utf8Text(std::wstring_view wide) {
    return utf8FromUtf16(std::u16string(wide.begin(), wide.end()));
}
#endif

}  // namespace lagewandler
