#pragma once

#include <string_view>

namespace lagewandler {

// The two messages the conversion raises, in the tool's established German
// wording, shown exactly as written here.
inline constexpr std::string_view kMessageNeedEightCharacters = "Bitte 8 Stellen eingeben";
inline constexpr std::string_view kMessageInvalidNumber = "ungültiger Zahlenwert";

// Where the conversion sends its messages. The window shows each one in a
// modal box and returns once the operator has closed it; other programs may
// print or record them. A message is UTF-8 text.
class MessageSink {
public:
    MessageSink() = default;
    MessageSink(const MessageSink&) = delete;
    MessageSink& operator=(const MessageSink&) = delete;
    virtual ~MessageSink() = default;

    virtual void showMessage(std::string_view text) = 0;
};

}  // namespace lagewandler
