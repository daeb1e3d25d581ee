#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "regional/regional_settings.h"
#include "text/utf16_text.h"

namespace lagewandler {

std::string regionalDecimalSeparator() {
    // Windows allows at most three characters and the terminating zero.
    constexpr int kMaxSeparatorCharacters = 4;
    wchar_t separator[kMaxSeparatorCharacters];
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, kMaxSeparatorCharacters);
    // length counts the terminating zero; 0 means the call failed.
    if (length <= 1) return ".";
    return utf8Text({separator, static_cast<std::size_t>(length - 1)});
}

}  // namespace lagewandler
