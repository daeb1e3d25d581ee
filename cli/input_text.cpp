#include "cli/input_text.h"

#include "text/utf16_text.h"
#include "text/utf8_text.h"

namespace lagewandler {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

constexpr int kBitsPerByte = 8;

// Whether text could still grow into mark.
[[nodiscard]] bool mayBecome(std::string_view text, std::string_view mark) noexcept {
    return text.size() < mark.size() && mark.starts_with(text);
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
        units_.add(static_cast<std::uint16_t>(littleEndian ? (byte << kBitsPerByte) | first
                                                           : (first << kBitsPerByte) | byte),
                   decoded_);
    }
    return decoded_;
}

std::string_view InputText::finish() {
    if (encoding_ == Encoding::Undecided) {
        encoding_ = Encoding::Utf8;
        return start_;
    }
    decoded_.clear();
    units_.finish(decoded_);
    if (oddByte_ >= 0) decoded_ += kReplacementCharacter;
    oddByte_ = -1;
    return decoded_;
}

}  // namespace lagewandler
