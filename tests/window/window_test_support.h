#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <string>
#include <vector>

#include "tests/form/fake_form.h"
#include "window/message_box.h"

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
