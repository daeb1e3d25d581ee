#include <QApplication>
#include <QClipboard>

#include <gtest/gtest.h>

#include "tests/window/window_test_support.h"
#include "window/clipboard.h"
#include "window/form1.h"

namespace lagewandler {
namespace {

TEST(SystemClipboard, CarriesACodeInAndTheCompactTextOut) {
    SystemClipboard clipboard;
    RecordingMessages messages;
    Form1 form(clipboard, messages);
    QGuiApplication::clipboard()->setText(QStringLiteral("12345678"));
    press(form, "Command3");
    QGuiApplication::clipboard()->clear();
    press(form, "Command4");
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "502758121249");
    EXPECT_EQ(messages.texts, std::vector<std::string>{});
    // Longer than a line edit takes by default (32,767 characters).
    const std::string longCode(40'000, '7');
    QGuiApplication::clipboard()->setText(QString::fromStdString(longCode));
    press(form, "Command3");
    EXPECT_EQ(fieldText(form, "Text2"), longCode);
}

}  // namespace
}  // namespace lagewandler
