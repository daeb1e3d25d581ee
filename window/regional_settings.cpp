#include "regional_settings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lagewandler {

std::string regionalDecimalSeparator() { return QLocale::system().decimalPoint().toStdString(); }

bool installQtTranslations(QCoreApplication& application) {
    const QLocale locale = QLocale::system();
    if (locale.language() != QLocale::German) return false;
    // Owned by the application, so it lives exactly as long as it is used.
    auto* translator = new QTranslator(&application);
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace lagewandler
