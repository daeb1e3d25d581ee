#include "window/application.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
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

// Qt's warnings when the platform plugin asked for is not installed at all,
// and when one could not reach its display.
constexpr const char* kMissingPluginWarning = "Could not find the Qt platform plugin";
constexpr const char* kNoDisplayWarning = "could not connect to display";

// The warning that a plugin is missing, unless another plugin was found and
// only lacked a display (as when a Wayland session falls back to X11).
[[nodiscard]] const QString* missingPluginWarning() {
    const QString* missing = nullptr;
    for (const HeldMessage& held : heldMessages()) {
        if (held.text.startsWith(QLatin1String(kNoDisplayWarning))) return nullptr;
        if (held.text.startsWith(QLatin1String(kMissingPluginWarning))) missing = &held.text;
    }
    return missing;
}

// A fatal message while starting means no platform plugin could start. Where
// the plugin is not installed, that is what Qt's warning and fatal message
// say, and the line passes them on. Otherwise, on a desktop, it means no
// display: the line says so rather than abort, and the warnings that led to
// it ("could not connect to display") say the same at length, so they are
// dropped with it.
void holdStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        if (const QString* missing = missingPluginWarning()) {
            const QString firstLine = text.section(QLatin1Char('\n'), 0, 0);
            std::fprintf(stderr, "lagewandler: %s; %s\n", qPrintable(*missing), qPrintable(firstLine));
            std::_Exit(kNoDisplayStatus);
        }
        std::fputs(kNoDisplayMessage, stderr);
        std::_Exit(kNoDisplayStatus);
    }
    heldMessages().push_back({type, context.file, context.line, context.function, context.category, text});
}

// The program's icon from the desktop's theme, where the package put it,
// else the sizes built into the program.
[[nodiscard]] QIcon programIcon() {
    QIcon builtIn;
    const QDir sizes(QStringLiteral(":/icon"));
    for (const QString& name : sizes.entryList(QDir::Files)) builtIn.addFile(sizes.filePath(name));
    return QIcon::fromTheme(QStringLiteral(LAGEWANDLER_APP_ID), builtIn);
}

}  // namespace

std::unique_ptr<QApplication> openApplication(int& argc, char** argv) {
    const QtMessageHandler previous = qInstallMessageHandler(holdStartupMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    // Ties the window to its desktop entry, so the desktop shows them as one.
    QGuiApplication::setDesktopFileName(QStringLiteral(LAGEWANDLER_APP_ID));
    QApplication::setWindowIcon(programIcon());
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
