#include "form/form_actions.h"

#include <chrono>
#include <thread>

#include "conversion/conversion_action.h"
#include "form/form_texts.h"

namespace lagewandler {
namespace {

// One waiting rule for the clipboard in both directions: clipboard history,
// Remote Desktop's clipboard sync and the like open it for a moment right
// after every change, so a busy clipboard is tried again for half a second.
constexpr std::chrono::milliseconds kClipboardPatience{500};
constexpr std::chrono::milliseconds kClipboardRetryPause{50};

// Runs attempt until it returns true, trying again after a pause (a plain
// sleep: no other button may run meanwhile) until kClipboardPatience has
// passed since the first try; the last try comes after that. Returns
// whether an attempt succeeded.
template <typename Attempt>
[[nodiscard]] bool waitForClipboard(Attempt attempt) {
    const auto giveUp = std::chrono::steady_clock::now() + kClipboardPatience;
    while (!attempt()) {
        if (std::chrono::steady_clock::now() >= giveUp) return false;
        std::this_thread::sleep_for(kClipboardRetryPause);
    }
    return true;
}

}  // namespace

std::string openingText(const ControlRow& field, const ReferencePresets& presets) {
    if (field.id == ControlId::Text6 && presets.north) return presets.north->text;
    if (field.id == ControlId::Text1 && presets.east) return presets.east->text;
    return std::string(field.caption);
}

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

// A field whose text stays the same keeps its cursor, selection and undo
// history, as the operator left them.
void FormActions::show(ControlId field, const std::string& text) {
    if (view_.fieldText(field) != text) view_.showFieldText(field, text);
}

// Only the conversion's results change, so only they are written back.
void FormActions::showResults() {
    show(ControlId::Text3, fields_.latitude);
    show(ControlId::Text4, fields_.longitude);
    show(ControlId::Text5, fields_.compactResult);
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
    std::optional<std::string> text;
    if (!waitForClipboard([&] { return (text = clipboard_.text()).has_value(); })) {
        view_.showMessage(kMessageClipboardUnavailable);
        return;
    }
    show(ControlId::Text2, *text);
    Command1_Click();
}

void FormActions::Command4_Click() {
    const std::string text = view_.fieldText(ControlId::Text5);
    // A write reports its own success. Reading back would race the programs
    // that open the clipboard after every change (clipboard history, Remote
    // Desktop), and each lost read would write the text again.
    if (!waitForClipboard([&] { return clipboard_.setText(text); })) {
        view_.showMessage(kMessageClipboardUnavailable);
    }
}

}  // namespace lagewandler
