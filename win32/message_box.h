#pragma once

#include <windows.h>

#include <string>

namespace lagewandler {

// Shows the tool's messages to the operator. The window is given one, so
// tests can put a recorder in its place or find the real box by its caption.
class MessageDisplay {
public:
    MessageDisplay() = default;
    MessageDisplay(const MessageDisplay&) = delete;
    MessageDisplay& operator=(const MessageDisplay&) = delete;
    virtual ~MessageDisplay() = default;

    // Shows text over owner; returns once the operator has dismissed it.
    virtual void show(HWND owner, const std::wstring& text) = 0;
};

// The real message box, the same for every message: owned by (and modal to)
// owner, the text, a single OK button, no icon, and the caption "Ortsmappe".
class MessageBoxDisplay final : public MessageDisplay {
public:
    void show(HWND owner, const std::wstring& text) override;
};

}  // namespace lagewandler
