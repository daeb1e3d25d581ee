#include <QLocale>

#include "regional_settings.h"

namespace lagewandler {

std::string regionalDecimalSeparator() { return QLocale::system().decimalPoint().toStdString(); }

}  // namespace lagewandler
