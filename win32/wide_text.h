#pragma once

#include <string>
#include <string_view>

namespace lagewandler {

// UTF-8 to Windows' UTF-16 and back: "Ortsmappe" <-> L"Ortsmappe",
// "ü" <-> L"\u00FC". Invalid input becomes U+FFFD in the other form.
[[nodiscard]] std::wstring wideText(std::string_view utf8);
[[nodiscard]] std::string utf8Text(std::wstring_view wide);

}  // namespace lagewandler
