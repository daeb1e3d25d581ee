#include "text/utf16_text.h"

#include "text/utf8_text.h"

namespace lagewandler {
namespace {

constexpr char32_t kFirstHighSurrogate = 0xD800, kFirstLowSurrogate = 0xDC00, kPastSurrogates = 0xE000;

}  // namespace

bool isHighSurrogate(char32_t unit) noexcept { return unit >= kFirstHighSurrogate && unit < kFirstLowSurrogate; }

namespace {

constexpr char32_t kReplacementCodePoint = 0xFFFD;
constexpr char32_t kFirstSupplementary = 0x10000;
constexpr unsigned kSurrogateBits = 10;
constexpr char32_t kSurrogateLowBits = 0x3FF;
constexpr unsigned kContinuationBits = 6;
constexpr char32_t kContinuationMask = 0x3F;
constexpr char32_t kContinuation = 0x80;

// The bits a lead byte of a sequence of length bytes carries.
[[nodiscard]] char32_t leadBits(unsigned char lead, std::size_t length) noexcept {
    constexpr unsigned char kLeadMasks[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    return lead & kLeadMasks[length];
}

[[nodiscard]] bool isLowSurrogate(char32_t unit) noexcept {
    return unit >= kFirstLowSurrogate && unit < kPastSurrogates;
}

// Appends codePoint (below U+110000, no surrogate) to out as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint) {
    constexpr char32_t kOneByteLimit = 0x80, kTwoByteLimit = 0x800, kThreeByteLimit = 0x10000;
    constexpr char32_t kTwoByteLead = 0xC0, kThreeByteLead = 0xE0, kFourByteLead = 0xF0;
    if (codePoint < kOneByteLimit) {
        out += static_cast<char>(codePoint);
        return;
    }
    unsigned continuations = 3;
    char32_t lead = kFourByteLead;
    if (codePoint < kTwoByteLimit) {
        continuations = 1;
        lead = kTwoByteLead;
    } else if (codePoint < kThreeByteLimit) {
        continuations = 2;
        lead = kThreeByteLead;
    }
    out += static_cast<char>(lead | (codePoint >> (kContinuationBits * continuations)));
    for (unsigned index = continuations; index-- > 0;) {
        out += static_cast<char>(kContinuation | ((codePoint >> (kContinuationBits * index)) & kContinuationMask));
    }
}

}  // namespace

Utf8Character utf8CharacterAt(std::string_view text, std::size_t offset) noexcept {
    const std::size_t length = utf8WellFormedLength(text, offset);
    if (length == 0) return {kReplacementCodePoint, 1};
    char32_t codePoint = leadBits(static_cast<unsigned char>(text[offset]), length);
    for (std::size_t index = 1; index < length; ++index) {
        const auto continuation = static_cast<unsigned char>(text[offset + index]);
        codePoint = (codePoint << kContinuationBits) | (continuation & kContinuationMask);
    }
    return {codePoint, length};
}

Utf16Units utf16Units(char32_t codePoint) noexcept {
    if (codePoint < kFirstSupplementary) return {{static_cast<char16_t>(codePoint), 0}, 1};
    const char32_t above = codePoint - kFirstSupplementary;
    const auto high = static_cast<char16_t>(kFirstHighSurrogate + (above >> kSurrogateBits));
    const auto low = static_cast<char16_t>(kFirstLowSurrogate + (above & kSurrogateLowBits));
    return {{high, low}, 2};
}

void Utf16Decoder::add(std::uint16_t unit, std::string& out) {
    if (highSurrogate_ != 0) {
        const std::uint16_t high = highSurrogate_;
        highSurrogate_ = 0;
        if (isLowSurrogate(unit)) {
            const char32_t above = ((high - kFirstHighSurrogate) << kSurrogateBits) | (unit - kFirstLowSurrogate);
            appendUtf8(out, kFirstSupplementary + above);
            return;
        }
        appendUtf8(out, kReplacementCodePoint);
    }
    if (isHighSurrogate(unit)) {
        highSurrogate_ = unit;
    } else {
        appendUtf8(out, isLowSurrogate(unit) ? kReplacementCodePoint : unit);
    }
}

void Utf16Decoder::finish(std::string& out) {
    if (highSurrogate_ != 0) appendUtf8(out, kReplacementCodePoint);
    highSurrogate_ = 0;
}

std::u16string utf16FromUtf8(std::string_view utf8) {
    std::u16string utf16;
    utf16.reserve(utf8.size());
    for (std::size_t offset = 0; offset < utf8.size();) {
        const Utf8Character character = utf8CharacterAt(utf8, offset);
        offset += character.length;
        const Utf16Units units = utf16Units(character.codePoint);
        utf16.append(units.units, units.count);
    }
    return utf16;
}

std::string utf8FromUtf16(std::u16string_view utf16) {
    std::string utf8;
    utf8.reserve(utf16.size());
    Utf16Decoder decoder;
    for (const char16_t unit : utf16) decoder.add(unit, utf8);
    decoder.finish(utf8);
    return utf8;
}

}  // namespace lagewandler
