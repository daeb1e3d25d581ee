#include "text/utf8_text.h"

#include <algorithm>

#include "text/characters.h"

namespace lagewandler {
namespace {

[[nodiscard]] bool isContinuation(unsigned char byte) noexcept { return (byte & 0xC0U) == 0x80U; }

// The range the second byte of a sequence must lie in, which rules out
// overlong forms, surrogates and code points above U+10FFFF in one check.
struct LeadRule {
    std::size_t length;
    unsigned char secondMin;
    unsigned char secondMax;
};

[[nodiscard]] LeadRule leadRule(unsigned char lead) noexcept {
    if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    return {1, 0, 0};
}

// The byte length of the non-ASCII character at offset (see below).
[[nodiscard]] std::size_t utf8MultibyteLength(std::string_view text, std::size_t offset) noexcept {
    const auto lead = static_cast<unsigned char>(text[offset]);
    const LeadRule rule = leadRule(lead);
    if (rule.length == 1 || offset + rule.length > text.size()) return 1;
    const auto second = static_cast<unsigned char>(text[offset + 1]);
    if (second < rule.secondMin || second > rule.secondMax) return 1;
    for (std::size_t i = 2; i < rule.length; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[offset + i]))) return 1;
    }
    return rule.length;
}

// Takes a text and a byte offset inside it; returns the byte length (1 to 4)
// of the character that starts there. Examples: "A" -> 1, "Ä" -> 2,
// "\xC3" alone -> 1, "\xE2\x82" (cut off) -> 1, "\xF0\x9F\x98\x80" -> 4.
[[nodiscard]] std::size_t utf8CharacterLength(std::string_view text, std::size_t offset) noexcept {
    // Codes are nearly always ASCII; only other bytes need the full check.
    if (static_cast<unsigned char>(text[offset]) < kFirstNonAscii) return 1;
    return utf8MultibyteLength(text, offset);
}

}  // namespace

std::size_t utf8CharacterCountUpTo(std::string_view text, std::size_t limit) noexcept {
    // A character has at least one byte, so a short text is counted quickly
    // when every byte is ASCII.
    if (text.size() <= limit + 1 && std::all_of(text.begin(), text.end(), [](char c) {
            return static_cast<unsigned char>(c) < kFirstNonAscii;
        })) {
        return text.size();
    }
    std::size_t count = 0;
    for (std::size_t offset = 0; offset < text.size() && count <= limit; ++count) {
        offset += utf8CharacterLength(text, offset);
    }
    return count;
}

std::size_t utf8WellFormedLength(std::string_view text, std::size_t offset) noexcept {
    if (static_cast<unsigned char>(text[offset]) < kFirstNonAscii) return 1;
    const std::size_t length = utf8MultibyteLength(text, offset);
    return length == 1 ? 0 : length;
}

std::size_t utf8UnfinishedTail(std::string_view text) noexcept {
    for (std::size_t tail = 1; tail < kLongestUtf8Character && tail <= text.size(); ++tail) {
        const auto byte = static_cast<unsigned char>(text[text.size() - tail]);
        if (isContinuation(byte)) continue;
        const LeadRule rule = leadRule(byte);
        if (rule.length <= tail) return 0;
        if (tail == 1) return 1;
        const auto second = static_cast<unsigned char>(text[text.size() - tail + 1]);
        return second >= rule.secondMin && second <= rule.secondMax ? tail : 0;
    }
    return 0;
}

std::string_view utf8Characters(std::string_view text, std::size_t first, std::size_t count) noexcept {
    std::size_t begin = 0;
    for (std::size_t skipped = 0; skipped < first && begin < text.size(); ++skipped) {
        begin += utf8CharacterLength(text, begin);
    }
    std::size_t end = begin;
    for (std::size_t taken = 0; taken < count && end < text.size(); ++taken) {
        end += utf8CharacterLength(text, end);
    }
    return text.substr(begin, end - begin);
}

}  // namespace lagewandler
