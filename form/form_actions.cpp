#include "form/form_actions.h"

#include <chrono>
#include <thread>

#include "conversion/conversion_action.h"
#include "form/form_texts.h"

namespace lagewandler {
namespace {

constexpr int kClipboardCopyAttempts = 5;
constexpr std::chrono::milliseconds kClipboardRetryPause{120};

// Puts text on clipboard and reads it back, trying again after a pause (a
// plain sleep: no other button may run meanwhile). Returns whether the
// clipboard finally held exactly text.
[[nodiscard]] bool copyToClipboard(Utf8Clipboard& clipboard, const std::string& text) {
    for (int attempt = 1; attempt <= kClipboardCopyAttempts; ++attempt) {
        clipboard.setText(text);
        if (clipboard.text() == text) return true;
        if (attempt < kClipboardCopyAttempts) std::this_thread::sleep_for(kClipboardRetryPause);
    }
    return false;
}

}  // namespace

FormActions::FormActions(FormView& view, Utf8Clipboard& clipboard, SeparatorSource separator)
    : view_(view), clipboard_(clipboard), separator_(separator) {}

// The fields are the model's texts as the operator left them.
void FormActions::readFields() {
    fields_.eastReference = view_.fieldText(ControlId::Text1);
    fields_.positionCode = view_.fieldText(ControlId::Text2);
    fields_.latitude = view_.fieldText(ControlId::Text3);
    fields_.longitude = view_.fieldText(ControlId::Text4);
    fields_.compactResult = view_.fieldText(ControlId::Text5);
    fields_.northReference = view_.fieldText(ControlId::Text6);
}

// Only the conversion's results change, so only they are written back.
void FormActions::showResults() {
    view_.showFieldText(ControlId::Text3, fields_.latitude);
    view_.showFieldText(ControlId::Text4, fields_.longitude);
    view_.showFieldText(ControlId::Text5, fields_.compactResult);
}

void FormActions::showMessage(std::string_view text) {
    // A message may come between the two groups: the operator sees what has
    // been converted so far while the box is open.
    showResults();
    view_.showMessage(text);
}

void FormActions::Command1_Click() {
    readFields();
    const std::string separator = separator_();
    lagewandler::Command1_Click(fields_, {*this, separator});
    showResults();
}

void FormActions::Command2_Click() { view_.closeWindow(); }

void FormActions::Command3_Click() {
    const std::optional<std::string> text = clipboard_.text();
    if (!text) {
        view_.showMessage(kMessageClipboardUnavailable);
        return;
    }
    view_.showFieldText(ControlId::Text2, *text);
    Command1_Click();
}

void FormActions::Command4_Click() {
    if (!copyToClipboard(clipboard_, view_.fieldText(ControlId::Text5))) {
        view_.showMessage(kMessageClipboardUnavailable);
    }
}

}  // namespace lagewandler
