#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

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

// Records the window's messages in the order it shows them, in place of the
// real message box.
class RecordingMessages final : public lagewandler::MessageDisplay {
public:
    void show(QWidget& /*parent*/, const QString& text) override { texts.push_back(text.toStdString()); }

    std::vector<std::string> texts;
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
