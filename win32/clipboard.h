#pragma once

#include <windows.h>

#include "form/form_actions.h"

namespace lagewandler {

// The Windows clipboard as CF_UNICODETEXT. It owns a hidden message-only
// window, since only a window can own what it puts on the clipboard.
class SystemClipboard final : public Utf8Clipboard {
public:
    // Makes the hidden owner window; returns nullptr where Windows cannot
    // (USER handles or desktop heap used up, as on a crowded terminal server).
    using OwnerMaker = HWND (*)();

    explicit SystemClipboard(OwnerMaker makeOwner = makeMessageOnlyOwner);
    SystemClipboard(const SystemClipboard&) = delete;
    SystemClipboard& operator=(const SystemClipboard&) = delete;
    ~SystemClipboard() override;

    // Nothing when another program holds the clipboard open; "" when it
    // holds no text (emptied, or a picture). Reads with or without an owner.
    [[nodiscard]] std::optional<std::string> text() override;
    // Replaces everything on the clipboard (also other formats of an older
    // content, which would otherwise paste instead) with text. Without an
    // owner window it touches nothing: opened without one, the clipboard
    // would be emptied and then refuse the text.
    [[nodiscard]] bool setText(const std::string& text) override;

    // The owner the program uses: a hidden message-only window.
    [[nodiscard]] static HWND makeMessageOnlyOwner();

private:
    [[nodiscard]] HWND owner();

    OwnerMaker makeOwner_;
    HWND owner_ = nullptr;
};

}  // namespace lagewandler
