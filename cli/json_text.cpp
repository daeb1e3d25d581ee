#include "cli/json_text.h"

#include <array>

#include "conversion/numeric_text.h"
#include "text/characters.h"
#include "text/utf16_text.h"

namespace lagewandler {
namespace {

// Which bytes can stand in a JSON string as they are, without a closer look:
// printable ASCII but '"' and '\'. A table, as every byte of every text
// written is looked up.
constexpr std::array<bool, 256> kPlainBytes = [] {
    std::array<bool, 256> plain{};
    for (unsigned byte = kFirstPrintable; byte < kFirstNonAscii; ++byte) plain[byte] = byte != '"' && byte != '\\';
    return plain;
}();

[[nodiscard]] bool isPlain(char c) noexcept { return kPlainBytes[static_cast<unsigned char>(c)]; }

// Writes "\uXXXX" of a UTF-16 code unit.
[[nodiscard]] char* writeUnitEscape(char* out, char32_t unit) noexcept {
    constexpr std::size_t kEscapeDigits = 4;
    return writeFixedHex(writeText(out, "\\u"), static_cast<std::uint32_t>(unit), kEscapeDigits, HexCase::Lower);
}

// The escape of an ASCII character that cannot stand as it is.
[[nodiscard]] char* writeEscape(char* out, char c) {
    switch (c) {
        case '"': return writeText(out, "\\\"");
        case '\\': return writeText(out, "\\\\");
        case '\n': return writeText(out, "\\n");
        case '\r': return writeText(out, "\\r");
        case '\t': return writeText(out, "\\t");
        default: return writeUnitEscape(out, static_cast<unsigned char>(c));
    }
}

// The escape of a character beyond ASCII: its UTF-16 code unit, or two for
// a character above U+FFFF.
[[nodiscard]] char* writeCharacterEscape(char* out, char32_t codePoint) noexcept {
    const Utf16Units units = utf16Units(codePoint);
    for (std::size_t index = 0; index < units.count; ++index) out = writeUnitEscape(out, units.units[index]);
    return out;
}

}  // namespace

char* writeJsonString(char* out, std::string_view text) {
    *out++ = '"';
    for (std::size_t offset = 0; offset < text.size();) {
        const char c = text[offset];
        if (isPlain(c)) {
            *out++ = c;
            ++offset;
        } else if (static_cast<unsigned char>(c) < kFirstNonAscii) {
            out = writeEscape(out, c);
            ++offset;
        } else {
            const Utf8Character character = utf8CharacterAt(text, offset);
            out = writeCharacterEscape(out, character.codePoint);
            offset += character.length;
        }
    }
    *out++ = '"';
    return out;
}

}  // namespace lagewandler
