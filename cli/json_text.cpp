#include "cli/json_text.h"

#include <array>

#include "conversion/numeric_text.h"
#include "conversion/utf8_text.h"

namespace lagewandler {
namespace {

constexpr char kFirstPrintable = ' ';
constexpr unsigned char kFirstNonAscii = 0x80;

// Which bytes can stand in a JSON string as they are, without a closer look:
// printable ASCII but '"' and '\'. A table, as every byte of every text
// written is looked up.
constexpr std::array<bool, 256> kPlainBytes = [] {
    std::array<bool, 256> plain{};
    for (unsigned byte = kFirstPrintable; byte < kFirstNonAscii; ++byte) plain[byte] = byte != '"' && byte != '\\';
    return plain;
}();

[[nodiscard]] bool isPlain(char c) noexcept { return kPlainBytes[static_cast<unsigned char>(c)]; }

// The escape of a control character or of '"' and '\'.
[[nodiscard]] char* writeEscape(char* out, char c) {
    switch (c) {
        case '"': return writeText(out, "\\\"");
        case '\\': return writeText(out, "\\\\");
        case '\n': return writeText(out, "\\n");
        case '\r': return writeText(out, "\\r");
        case '\t': return writeText(out, "\\t");
        default: break;
    }
    static constexpr std::array<char, 16> kHexDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                                     '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    constexpr int kHexDigitBits = 4;
    constexpr unsigned kLowDigit = 0xF;
    const auto byte = static_cast<unsigned char>(c);
    out = writeText(out, "\\u00");
    *out++ = kHexDigits[byte >> kHexDigitBits];
    *out++ = kHexDigits[byte & kLowDigit];
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
        } else if (const std::size_t length = utf8WellFormedLength(text, offset); length > 0) {
            out = writeText(out, text.substr(offset, length));
            offset += length;
        } else {
            out = writeText(out, kReplacementCharacter);
            ++offset;
        }
    }
    *out++ = '"';
    return out;
}

}  // namespace lagewandler
