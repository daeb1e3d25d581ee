#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "conversion/field_model.h"
#include "conversion/messages.h"
#include "form/layout.h"
#include "presets/reference_presets.h"

namespace lagewandler {

// What the click actions need of a window, whatever draws it. Texts are UTF-8.
class FormView {
public:
    FormView() = default;
    FormView(const FormView&) = delete;
    FormView& operator=(const FormView&) = delete;
    virtual ~FormView() = default;

    // The text of field (Text1 ... Text6) as the operator left it.
    [[nodiscard]] virtual std::string fieldText(ControlId field) const = 0;
    // Shows text in field from its first character.
    virtual void showFieldText(ControlId field, const std::string& text) = 0;
    // Shows text in the tool's message box; returns once the operator closed it.
    virtual void showMessage(std::string_view text) = 0;
    // Closes the window, which ends the program.
    virtual void closeWindow() = 0;
};

// Plain-text access to a clipboard, in UTF-8. The windows use the system's;
// tests use a fake one that can fail.
class Utf8Clipboard {
public:
    Utf8Clipboard() = default;
    Utf8Clipboard(const Utf8Clipboard&) = delete;
    Utf8Clipboard& operator=(const Utf8Clipboard&) = delete;
    virtual ~Utf8Clipboard() = default;

    // The clipboard's plain text, "" when it holds none; nothing when the
    // clipboard cannot be opened (another program holds it).
    [[nodiscard]] virtual std::optional<std::string> text() = 0;
    // Puts text on the clipboard as plain text; true once the clipboard has
    // taken it, false when it would not (another program holds it, or no
    // owner window could be made).
    [[nodiscard]] virtual bool setText(const std::string& text) = 0;
};

// The text field shows when the window opens: a reference field the text IT
// preset for it, where there is one, unjudged (the conversion judges it as
// if typed); any other field, and a reference without a preset, the
// layout's caption.
[[nodiscard]] std::string openingText(const ControlRow& field, const ReferencePresets& presets);

// The four click actions of the window, over a view and a clipboard. It owns
// the field model's hidden compactText for as long as the window lives.
// separator returns the decimal separator of the regional settings, read
// afresh on every conversion.
class FormActions final : private MessageSink {
public:
    using SeparatorSource = std::string (*)();

    FormActions(FormView& view, Utf8Clipboard& clipboard, SeparatorSource separator);

    // "umwandeln": converts the code in Text2 into Text3, Text4 and Text5.
    void Command1_Click();
    // "Ende": closes the window.
    void Command2_Click();
    // "Clipboard": puts the clipboard's text into Text2 unchanged, then
    // converts. A clipboard that another program holds is waited for about
    // half a second; one that stays busy is reported and leaves Text2 as it
    // was. A clipboard without text gives an empty Text2.
    void Command3_Click();
    // "ins Clipboard": copies Text5 to the clipboard, trying again for about
    // half a second while a write fails, as another program may hold the
    // clipboard for a moment; a write that succeeded is not repeated. Tells
    // the operator if the clipboard would not take the text.
    void Command4_Click();

private:
    void readFields();
    void show(ControlId field, const std::string& text);
    void showResults();
    void showMessage(std::string_view text) override;

    FormView& view_;
    Utf8Clipboard& clipboard_;
    SeparatorSource separator_;
    FieldModel fields_;
};

}  // namespace lagewandler
