#include "win32/message_box.h"

#include "form/form_texts.h"
#include "text/utf16_text.h"

namespace lagewandler {

void MessageBoxDisplay::show(HWND owner, const std::wstring& text) {
    static const std::wstring caption = wideText(kMessageBoxCaption);
    // MB_OK alone: one button and no icon.
    MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK);
}

}  // namespace lagewandler
