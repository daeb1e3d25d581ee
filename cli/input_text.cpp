#include "cli/input_text.h"

#include "conversion/utf8_text.h"

namespace lagewandler {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

constexpr std::uint32_t kFirstHighSurrogate = 0xD800;
constexpr std::uint32_t kFirstLowSurrogate = 0xDC00;
constexpr std::uint32_t kPastLowSurrogates = 0xE000;
constexpr std::uint32_t kFirstSupplementary = 0x10000;
constexpr int kSurrogateBits = 10;
constexpr int kBitsPerByte = 8;

// Whether text could still grow into mark.
[[nodiscard]] bool mayBecome(std::string_view text, std::string_view mark) noexcept {
    return text.size() < mark.size() && mark.starts_with(text);
}

// Appends codePoint (below 0x110000) as one to four UTF-8 bytes.
void appendUtf8(std::string& out, std::uint32_t codePoint) {
    constexpr std::uint32_t kOneByteLimit = 0x80, kTwoByteLimit = 0x800, kThreeByteLimit = 0x10000;
    constexpr std::uint32_t kTwoByteLead = 0xC0, kThreeByteLead = 0xE0, kFourByteLead = 0xF0;
    constexpr std::uint32_t kContinuation = 0x80, kContinuationBits = 6, kContinuationMask = 0x3F;
    int continuations = 0;
    std::uint32_t lead = 0;
    if (codePoint < kOneByteLimit) {
        out += static_cast<char>(codePoint);
        return;
    }
    if (codePoint < kTwoByteLimit) {
        continuations = 1;
        lead = kTwoByteLead;
    } else if (codePoint < kThreeByteLimit) {
        continuations = 2;
        lead = kThreeByteLead;
    } else {
        continuations = 3;
        lead = kFourByteLead;
    }
    out += static_cast<char>(lead | (codePoint >> (kContinuationBits * continuations)));
    for (int index = continuations - 1; index >= 0; --index) {
        out += static_cast<char>(kContinuation | ((codePoint >> (kContinuationBits * index)) & kContinuationMask));
    }
}

[[nodiscard]] bool isHighSurrogate(std::uint32_t unit) noexcept {
    return unit >= kFirstHighSurrogate && unit < kFirstLowSurrogate;
}
[[nodiscard]] bool isLowSurrogate(std::uint32_t unit) noexcept {
    return unit >= kFirstLowSurrogate && unit < kPastLowSurrogates;
}

}  // namespace

std::string_view InputText::decode(std::string_view bytes) {
    switch (encoding_) {
        case Encoding::Utf8: return bytes;
        case Encoding::Undecided: return decideEncoding(bytes);
        default: return fromUtf16(bytes);
    }
}

// Reads up to the first three bytes before deciding: a pipe may hand them
// over one at a time.
std::string_view InputText::decideEncoding(std::string_view bytes) {
    start_.append(bytes);
    const std::string_view start = start_;
    if (mayBecome(start, kUtf8Mark) || mayBecome(start, kUtf16LittleEndianMark) ||
        mayBecome(start, kUtf16BigEndianMark)) {
        return {};
    }
    if (start.starts_with(kUtf8Mark)) {
        encoding_ = Encoding::Utf8;
        return start.substr(kUtf8Mark.size());
    }
    if (start.starts_with(kUtf16LittleEndianMark) || start.starts_with(kUtf16BigEndianMark)) {
        encoding_ = start.starts_with(kUtf16LittleEndianMark) ? Encoding::Utf16LittleEndian : Encoding::Utf16BigEndian;
        const std::string rest(start.substr(kUtf16LittleEndianMark.size()));
        start_.clear();
        return fromUtf16(rest);
    }
    encoding_ = Encoding::Utf8;
    return start;
}

void InputText::appendCodeUnit(std::uint16_t unit) {
    if (highSurrogate_ != 0) {
        const std::uint16_t high = highSurrogate_;
        highSurrogate_ = 0;
        if (isLowSurrogate(unit)) {
            appendUtf8(decoded_, kFirstSupplementary + ((static_cast<std::uint32_t>(high - kFirstHighSurrogate)
                                                         << kSurrogateBits) |
                                                        (unit - kFirstLowSurrogate)));
            return;
        }
        decoded_ += kReplacementCharacter;
    }
    if (isHighSurrogate(unit)) {
        highSurrogate_ = unit;
    } else if (isLowSurrogate(unit)) {
        decoded_ += kReplacementCharacter;
    } else {
        appendUtf8(decoded_, unit);
    }
}

std::string_view InputText::fromUtf16(std::string_view bytes) {
    decoded_.clear();
    const bool littleEndian = encoding_ == Encoding::Utf16LittleEndian;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (oddByte_ < 0) {
            oddByte_ = byte;
            continue;
        }
        const auto first = static_cast<unsigned>(oddByte_);
        oddByte_ = -1;
        appendCodeUnit(static_cast<std::uint16_t>(littleEndian ? (byte << kBitsPerByte) | first
                                                               : (first << kBitsPerByte) | byte));
    }
    return decoded_;
}

std::string_view InputText::finish() {
    if (encoding_ == Encoding::Undecided) {
        encoding_ = Encoding::Utf8;
        return start_;
    }
    decoded_.clear();
    if (highSurrogate_ != 0) decoded_ += kReplacementCharacter;
    if (oddByte_ >= 0) decoded_ += kReplacementCharacter;
    oddByte_ = -1;
    highSurrogate_ = 0;
    return decoded_;
}

}  // namespace lagewandler
