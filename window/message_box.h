#pragma once

#include <QString>

class QWidget;

namespace lagewandler {

// Shows the tool's messages to the operator. The window is given one, as it
// is given its clipboard, so tests can record the messages in order instead
// of answering real boxes.
class MessageDisplay {
public:
    MessageDisplay() = default;
    MessageDisplay(const MessageDisplay&) = delete;
    MessageDisplay& operator=(const MessageDisplay&) = delete;
    virtual ~MessageDisplay() = default;

    // Shows text over parent; returns once the operator has dismissed it.
    virtual void show(QWidget& parent, const QString& text) = 0;
};

// The real message box, the same for every message: modal to parent, the
// text as plain text, a single OK button, no icon, and the caption
// "Ortsmappe". Returns once the operator has closed the box.
class MessageBoxDisplay final : public MessageDisplay {
public:
    void show(QWidget& parent, const QString& text) override;
};

}  // namespace lagewandler
