#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "regional/regional_settings.h"

namespace lagewandler {

std::string regionalDecimalSeparator() {
    // Windows allows at most three characters and the terminating zero.
    constexpr int kMaxSeparatorCharacters = 4;
    wchar_t separator[kMaxSeparatorCharacters];
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, kMaxSeparatorCharacters);
    // length counts the terminating zero; 0 means the call failed.
    if (length <= 1) return ".";
    constexpr int kMaxUtf8BytesPerCharacter = 3;
    char utf8[kMaxSeparatorCharacters * kMaxUtf8BytesPerCharacter];
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, separator, length - 1, utf8, static_cast<int>(sizeof utf8), nullptr,
                                          nullptr);
    return bytes > 0 ? std::string(utf8, static_cast<std::size_t>(bytes)) : std::string(".");
}

}  // namespace lagewandler
