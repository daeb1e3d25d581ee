#pragma once

#include <QString>

namespace lagewandler {

// Plain-text access to a clipboard. The window uses the system clipboard;
// tests put a fake one in its place, one that can fail.
class Clipboard {
public:
    Clipboard() = default;
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;
    virtual ~Clipboard() = default;

    // The clipboard's plain text; "" when it holds no text.
    [[nodiscard]] virtual QString text() const = 0;
    // Offers text as plain text. Whether that worked only shows by reading back.
    virtual void setText(const QString& text) = 0;
};

// The desktop's clipboard (the regular one, not the X11 selection).
class SystemClipboard final : public Clipboard {
public:
    [[nodiscard]] QString text() const override;
    void setText(const QString& text) override;
};

// Puts text on the clipboard and reads it back; another program may hold the
// clipboard for a moment, so it tries a few times within about half a second.
// Returns whether the clipboard finally held exactly text.
[[nodiscard]] bool copyToClipboard(Clipboard& clipboard, const QString& text);

}  // namespace lagewandler
