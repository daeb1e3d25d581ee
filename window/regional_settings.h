#pragma once

#include <string>

class QCoreApplication;

namespace lagewandler {

// The decimal separator of the operator's regional settings as UTF-8, read
// afresh on every call: "," under German settings, "." under English or C.
[[nodiscard]] std::string regionalDecimalSeparator();

// Under German regional settings, loads Qt's own German texts (the fields'
// context menus, the message box's buttons) into application. Returns
// whether a translation was installed.
bool installQtTranslations(QCoreApplication& application);

}  // namespace lagewandler
