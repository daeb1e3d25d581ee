#include "cli/console_stream.h"

#include <algorithm>
#include <cstring>

#include "text/utf16_text.h"
#include "text/utf8_text.h"

namespace lagewandler {
namespace {

constexpr char16_t kEndOfInputKey = u'\x1A';  // Ctrl+Z
// Units read from the console at a time: a line of any length arrives in
// pieces this size.
constexpr std::size_t kReadUnits = 4096;

}  // namespace

bool ConsoleWriter::write(std::string_view bytes) {
    pending_.append(bytes);
    const std::size_t whole = pending_.size() - utf8UnfinishedTail(pending_);
    const bool shown = whole == 0 || console_.write(utf16FromUtf8(std::string_view(pending_).substr(0, whole)));
    pending_.erase(0, whole);
    return shown;
}

std::ptrdiff_t ConsoleReader::read(char* buffer, std::size_t size, std::error_code& error) {
    while (handedOut_ == ready_.size() && !ended_) {
        char16_t units[kReadUnits];
        const ConsoleRead answer = console_.read(units, kReadUnits);
        if (answer.error) {
            error = answer.error;
            return -1;
        }
        const std::size_t count = answer.count;
        const std::u16string_view typed(units, count);
        const std::size_t endKey = typed.find(kEndOfInputKey);
        ready_.clear();
        handedOut_ = 0;
        for (const char16_t unit : typed.substr(0, endKey)) decoder_.add(unit, ready_);
        ended_ = count == 0 || endKey != std::u16string_view::npos;
        if (ended_) decoder_.finish(ready_);
    }
    const std::size_t count = std::min(size, ready_.size() - handedOut_);
    std::memcpy(buffer, ready_.data() + handedOut_, count);
    handedOut_ += count;
    return static_cast<std::ptrdiff_t>(count);
}

}  // namespace lagewandler
