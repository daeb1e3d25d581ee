#include "clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QThread>

namespace lagewandler {
namespace {

constexpr int kCopyAttempts = 5;
constexpr unsigned long kRetryPauseMs = 120;

}  // namespace

QString SystemClipboard::text() const { return QGuiApplication::clipboard()->text(QClipboard::Clipboard); }

void SystemClipboard::setText(const QString& text) { QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard); }

bool copyToClipboard(Clipboard& clipboard, const QString& text) {
    for (int attempt = 1; attempt <= kCopyAttempts; ++attempt) {
        clipboard.setText(text);
        if (clipboard.text() == text) return true;
        // A plain sleep, not an event loop: no other button may run meanwhile.
        if (attempt < kCopyAttempts) QThread::msleep(kRetryPauseMs);
    }
    return false;
}

}  // namespace lagewandler
