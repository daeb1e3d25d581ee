#include "window/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "window/qt_text.h"

namespace lagewandler {

std::optional<std::string> SystemClipboard::text() {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard).toStdString();
}

void SystemClipboard::setText(const std::string& text) {
    QGuiApplication::clipboard()->setText(qtText(text), QClipboard::Clipboard);
}

}  // namespace lagewandler
