#pragma once

#include <string>

namespace lagewandler {

// The decimal separator of the operator's regional settings as UTF-8, read
// afresh on every call: "," under German settings, "." under English or C,
// "٫" (two bytes) under Arabic ones. On Windows it is the user's
// LOCALE_SDECIMAL, elsewhere what Qt reads from the process's locale
// (LC_ALL, LC_NUMERIC, LANG). The window and the companion both ask here, so
// they always agree.
[[nodiscard]] std::string regionalDecimalSeparator();

}  // namespace lagewandler
