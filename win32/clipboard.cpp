#include "win32/clipboard.h"

#include <cstring>

#include "text/utf16_text.h"

namespace lagewandler {
namespace {

constexpr const wchar_t* kOwnerClass = L"Lagewandler.ClipboardOwner";

// Closes the clipboard when it goes out of scope.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    [[nodiscard]] bool isOpen() const { return open_; }

private:
    bool open_;
};

// The text of a CF_UNICODETEXT handle, up to its terminating zero.
[[nodiscard]] std::wstring lockedText(HANDLE data) {
    const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    if (text == nullptr) return {};
    const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    std::size_t length = 0;
    while (length < capacity && text[length] != L'\0') ++length;
    std::wstring copy(text, length);
    GlobalUnlock(data);
    return copy;
}

}  // namespace

SystemClipboard::SystemClipboard(OwnerMaker makeOwner) : makeOwner_(makeOwner) {}

HWND SystemClipboard::makeMessageOnlyOwner() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kOwnerClass;
    RegisterClassExW(&windowClass);  // fails harmlessly when already registered
    return CreateWindowExW(0, kOwnerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance,
                           nullptr);
}

// Made when the clipboard is first used, so the window's start does not wait
// for it; tried again on each use while it cannot be made.
HWND SystemClipboard::owner() {
    if (owner_ == nullptr) owner_ = makeOwner_();
    return owner_;
}

SystemClipboard::~SystemClipboard() {
    if (owner_ != nullptr) DestroyWindow(owner_);
}

std::optional<std::string> SystemClipboard::text() {
    // Reading needs no owner: Windows documents OpenClipboard(NULL) for it,
    // so a paste works even where no owner window could be made.
    const OpenedClipboard clipboard(owner());
    if (!clipboard.isOpen()) return std::nullopt;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) return std::string();
    return utf8Text(lockedText(data));
}

bool SystemClipboard::setText(const std::string& text) {
    // Opened without an owner, EmptyClipboard would wipe the operator's
    // clipboard and SetClipboardData then fail.
    HWND window = owner();
    if (window == nullptr) return false;
    // The memory is made and filled first: once the clipboard is emptied,
    // nothing may fail before the new text is on it.
    const std::wstring wide = wideText(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (data == nullptr) return false;
    void* target = GlobalLock(data);
    if (target == nullptr) {
        GlobalFree(data);
        return false;
    }
    std::memcpy(target, wide.c_str(), bytes);
    GlobalUnlock(data);
    const OpenedClipboard clipboard(window);
    // Once set, the clipboard owns the memory; only a failed set leaves it
    // ours. A non-null SetClipboardData is Windows' word that the write held.
    if (!clipboard.isOpen() || !EmptyClipboard() || SetClipboardData(CF_UNICODETEXT, data) == nullptr) {
        GlobalFree(data);
        return false;
    }
    return true;
}

}  // namespace lagewandler
