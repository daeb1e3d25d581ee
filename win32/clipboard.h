#pragma once

#include <windows.h>

#include "form/form_actions.h"

namespace lagewandler {

// The Windows clipboard as CF_UNICODETEXT. It owns a hidden message-only
// window, since only a window can own what it puts on the clipboard.
class SystemClipboard final : public Utf8Clipboard {
public:
    SystemClipboard();
    ~SystemClipboard() override;

    // Nothing when another program holds the clipboard open; "" when it
    // holds no text (emptied, or only a picture).
    [[nodiscard]] std::optional<std::string> text() override;
    // Replaces everything on the clipboard (also other formats of an older
    // content, which would otherwise paste instead) with text.
    void setText(const std::string& text) override;

private:
    [[nodiscard]] HWND owner();

    HWND owner_ = nullptr;
};

}  // namespace lagewandler
