#include "cli/console_stream.h"

#include <algorithm>
#include <cstring>

#include "conversion/utf16_text.h"

namespace lagewandler {
namespace {

constexpr char16_t kEndOfInputKey = u'\x1A';  // Ctrl+Z
// Units read from the console at a time: a line of any length arrives in
// pieces this size.
constexpr std::size_t kReadUnits = 4096;

// The byte length a UTF-8 lead byte announces (1 for any other byte).
[[nodiscard]] std::size_t announcedLength(unsigned char lead) noexcept {
    constexpr unsigned char kFirstTwoByteLead = 0xC2, kFirstThreeByteLead = 0xE0, kFirstFourByteLead = 0xF0,
                            kPastLeads = 0xF5;
    if (lead >= kFirstFourByteLead && lead < kPastLeads) return 4;
    if (lead >= kFirstThreeByteLead && lead < kFirstFourByteLead) return 3;
    if (lead >= kFirstTwoByteLead && lead < kFirstThreeByteLead) return 2;
    return 1;
}

// How many bytes at the end of text are the start of a character whose
// rest has not arrived yet (0 when text ends with whole characters).
[[nodiscard]] std::size_t unfinishedTail(std::string_view text) noexcept {
    constexpr std::size_t kLongestCharacter = 4;
    constexpr unsigned char kContinuationMask = 0xC0, kContinuation = 0x80;
    for (std::size_t tail = 1; tail < kLongestCharacter && tail <= text.size(); ++tail) {
        const auto byte = static_cast<unsigned char>(text[text.size() - tail]);
        if ((byte & kContinuationMask) != kContinuation) return announcedLength(byte) > tail ? tail : 0;
    }
    return 0;
}

}  // namespace

bool ConsoleWriter::write(std::string_view bytes) {
    pending_.append(bytes);
    const std::size_t whole = pending_.size() - unfinishedTail(pending_);
    const bool shown = whole == 0 || console_.write(utf16FromUtf8(std::string_view(pending_).substr(0, whole)));
    pending_.erase(0, whole);
    return shown;
}

std::ptrdiff_t ConsoleReader::read(char* buffer, std::size_t size) {
    while (handedOut_ == ready_.size() && !ended_) {
        char16_t units[kReadUnits];
        const std::ptrdiff_t count = console_.read(units, kReadUnits);
        if (count < 0) return -1;
        ready_.clear();
        handedOut_ = 0;
        for (const char16_t unit : std::u16string_view(units, static_cast<std::size_t>(count))) {
            if (unit == kEndOfInputKey) break;
            decoder_.add(unit, ready_);
        }
        ended_ = count == 0 || std::u16string_view(units, static_cast<std::size_t>(count)).find(kEndOfInputKey) !=
                                   std::u16string_view::npos;
        if (ended_) decoder_.finish(ready_);
    }
    const std::size_t count = std::min(size, ready_.size() - handedOut_);
    std::memcpy(buffer, ready_.data() + handedOut_, count);
    handedOut_ += count;
    return static_cast<std::ptrdiff_t>(count);
}

}  // namespace lagewandler
