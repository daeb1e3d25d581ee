#include "window/application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace lagewandler {
namespace {

// One of Qt's messages held back while the application starts. The context's
// texts are string literals in Qt's code, so keeping their pointers is safe.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

std::vector<HeldMessage>& heldMessages() {
    static std::vector<HeldMessage> messages;
    return messages;
}

// A fatal message while starting means no platform plugin could start, which
// on a desktop means no display: say so in one line rather than abort. The
// warnings that led to it ("could not connect to display") say the same at
// length, so they are dropped with it.
void holdStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplayMessage, stderr);
        std::_Exit(kNoDisplayStatus);
    }
    heldMessages().push_back({type, context.file, context.line, context.function, context.category, text});
}

}  // namespace

std::unique_ptr<QApplication> openApplication(int& argc, char** argv) {
    const QtMessageHandler previous = qInstallMessageHandler(holdStartupMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    // Ties the window to its desktop entry, so the desktop shows them as one.
    QGuiApplication::setDesktopFileName(QStringLiteral(LAGEWANDLER_APP_ID));
    for (const HeldMessage& held : heldMessages()) {
        const QMessageLogContext context(held.file, held.line, held.function, held.category);
        qt_message_output(held.type, context, held.text);
    }
    heldMessages().clear();
    return application;
}

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
