#include <QLocale>

#include "regional/regional_settings.h"

namespace lagewandler {

std::string regionalDecimalSeparator() { return QLocale::system().decimalPoint().toStdString(); }

}  // namespace lagewandler
