#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "clipboard.h"
#include "message_box.h"

// The text of the field called name (Text1 ... Text6) in window.
inline std::string fieldText(const QWidget& window, const char* name) {
    return window.findChild<QLineEdit*>(QString::fromLatin1(name))->text().toStdString();
}

// Clicks the button called name (Command1 ... Command4) in window.
inline void press(const QWidget& window, const char* name) {
    QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

// What a test saw of one real message box before closing it.
struct SeenBox {
    std::string caption;
    std::string text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons standardButtons;
    qsizetype buttonCount;
    bool applicationModal;
};

// Watches for the tool's message boxes while it lives, records each one and
// presses its OK button, so an action that shows a box runs to its end.
class MessageBoxWatcher {
public:
    MessageBoxWatcher() {
        timer_.setInterval(kPollIntervalMs);
        QObject::connect(&timer_, &QTimer::timeout, [this] { closeOpenBox(); });
        timer_.start();
    }

    [[nodiscard]] std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const SeenBox& box : seen) result.push_back(box.text);
        return result;
    }

    std::vector<SeenBox> seen;

private:
    static constexpr int kPollIntervalMs = 5;

    void closeOpenBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box->objectName() != QLatin1String(lagewandler::kMessageBoxObjectName)) return;
        seen.push_back({box->windowTitle().toStdString(), box->text().toStdString(), box->icon(),
                        box->standardButtons(), static_cast<qsizetype>(box->buttons().size()),
                        box->isModal() || box->windowModality() != Qt::NonModal});
        box->button(QMessageBox::Ok)->click();
    }

    QTimer timer_;
};

// A clipboard in memory that can be told to refuse the next writes.
class FakeClipboard final : public lagewandler::Clipboard {
public:
    [[nodiscard]] QString text() const override { return content; }
    void setText(const QString& text) override {
        ++writes;
        if (refusedWrites > 0) {
            --refusedWrites;
            return;
        }
        content = text;
    }

    QString content;
    int refusedWrites = 0;
    int writes = 0;
};
