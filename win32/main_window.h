#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "form/form_actions.h"
#include "form/layout.h"

namespace lagewandler {

class MessageDisplay;

// The window class, so that UI automation finds the window by name.
inline constexpr const wchar_t* kMainWindowClass = L"Lagewandler.Form1";

// The tool's one window as a native Windows window, built from the shared
// layout table. Each control's id is its ControlId (Text2 is 102). Controls
// stand in kCreationOrder, so each label comes right before the field it
// names, where screen readers look for a field's name. Positions are the
// layout's twips at the window's DPI, and follow it when the window moves
// to another monitor.
class MainWindow final : private FormView {
public:
    // presets are the references IT set, shown in Text6 and Text1.
    MainWindow(Utf8Clipboard& clipboard, MessageDisplay& messages, ReferencePresets presets = {});
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    // Creates the window and its controls, not yet shown, with the focus
    // set to go to "umwandeln". Returns false, with no window left, where
    // Windows refused the window or any one of its controls.
    [[nodiscard]] bool create(HINSTANCE instance);
    [[nodiscard]] HWND handle() const { return window_; }

    // Places the window's controls and sizes its client area for dpi (96 is
    // 100 %), keeping the window's top-left corner, with the message font at
    // that DPI, made smaller where a caption would not fit its control.
    void layOut(UINT dpi);

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    [[nodiscard]] bool createControls(HINSTANCE instance, UINT dpi);
    [[nodiscard]] bool createControl(const ControlRow& row, HINSTANCE instance, UINT dpi);
    void sizeClientArea(UINT dpi);
    void chooseFont(UINT dpi);
    void onCommand(int id, int code);
    void pressFocusedButton();
    [[nodiscard]] HWND control(ControlId id) const { return GetDlgItem(window_, static_cast<int>(id)); }

    [[nodiscard]] std::string fieldText(ControlId field) const override;
    void showFieldText(ControlId field, const std::string& text) override;
    void showMessage(std::string_view text) override;
    void closeWindow() override;

    MessageDisplay& messages_;
    ReferencePresets presets_;
    FormActions actions_;
    HWND window_ = nullptr;
    HWND lastFocus_ = nullptr;
    HFONT font_ = nullptr;
};

// Tells the operator, in the tool's box without an owner, that the window
// could not be opened; returns once the box is closed. A quit already
// queued, as a window destroyed during its creation leaves one, is dropped.
void reportWindowUnavailable(MessageDisplay& messages);

// Runs the thread's messages, with Tab, Shift+Tab, Enter and Space handled
// as in a dialog for window, until the thread is told to quit. Returns the
// code it was told to quit with (0 when the window closed), or EXIT_FAILURE
// where Windows could not deliver the messages.
int runMessageLoop(HWND window);

}  // namespace lagewandler
