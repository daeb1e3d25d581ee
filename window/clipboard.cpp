#include "window/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "window/qt_text.h"

namespace lagewandler {

std::optional<std::string> SystemClipboard::text() {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard).toStdString();
}

bool SystemClipboard::setText(const std::string& text) {
    // Qt takes the clipboard's ownership and reports no failure.
    QGuiApplication::clipboard()->setText(qtText(text), QClipboard::Clipboard);
    return true;
}

}  // namespace lagewandler
