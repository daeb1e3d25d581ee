#pragma once

#include <QWidget>

#include <array>
#include <string>
#include <string_view>

#include "form/form_actions.h"
#include "form/layout.h"

class QLineEdit;
class QPushButton;

namespace lagewandler {

class MessageDisplay;

// The tool's one window, built from the shared layout table. Its four
// buttons run the shared click actions, which see the window through
// FormView. Controls carry their role names (Text1 ... Text6, Command1 ...
// Command4, Label1 ... Label6, with the two Label5 captions as Label5_0 and
// Label5_1) as object names. Each label is the buddy of the field it names,
// so assistive technology reads it out. Messages go to messages, clipboard
// transfers to clipboard.
class Form1 final : public QWidget, private FormView {
public:
    // presets are the references IT set, shown in Text6 and Text1.
    Form1(Utf8Clipboard& clipboard, MessageDisplay& messages, const ReferencePresets& presets = {},
          QWidget* parent = nullptr);

    void Command1_Click() { actions_.Command1_Click(); }
    void Command2_Click() { actions_.Command2_Click(); }
    void Command3_Click() { actions_.Command3_Click(); }
    void Command4_Click() { actions_.Command4_Click(); }

private:
    void buildControls(const ReferencePresets& presets);
    void connectButtons();
    [[nodiscard]] QLineEdit* field(ControlId id) const;
    [[nodiscard]] QPushButton* button(ControlId id) const;

    [[nodiscard]] std::string fieldText(ControlId field) const override;
    void showFieldText(ControlId field, const std::string& text) override;
    void showMessage(std::string_view text) override;
    void closeWindow() override;

    MessageDisplay& messages_;
    FormActions actions_;
    std::array<QWidget*, kControls.size()> controls_{};  // in the layout's order
};

}  // namespace lagewandler
