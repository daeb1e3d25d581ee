#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form1.h"
#include "window_test_support.h"

namespace lagewandler {
namespace {

const std::vector<std::string> kNone{};
const std::vector<std::string> kNeedEight{"Bitte 8 Stellen eingeben"};
const std::vector<std::string> kUnavailable{"Zwischenablage nicht verfügbar"};

TEST(ClipboardButton, PastesTheClipboardUnchangedAndConverts) {
    struct Case {
        const char* name;
        QString clipboard;
        std::string text2, text3, text5;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"worked example", "12345678", "12345678", "50 Grad 27 Min. 57,60 Sek.", "502758121249", kNone},
        {"leading blank makes nine", " 12345678", " 12345678", "", "", kNeedEight},
        {"trailing line feed kept", "12345678\n", "12345678\n", "", "", kNeedEight},
        {"no text", "", "", "", "", kNeedEight},
        {"ten megabytes", QString(10'000'000, QLatin1Char('7')), std::string(10'000'000, '7'), "", "", kNeedEight},
    };
    for (const Case& c : cases) {
        FakeClipboard clipboard;
        clipboard.content = c.clipboard;
        RecordingMessages messages;
        Form1 form(clipboard, messages);
        press(form, "Command3");
        EXPECT_EQ(fieldText(form, "Text2"), c.text2) << c.name;
        EXPECT_EQ(fieldText(form, "Text3"), c.text3) << c.name;
        EXPECT_EQ(fieldText(form, "Text5"), c.text5) << c.name;
        EXPECT_EQ(messages.texts, c.messages) << c.name;
    }
}

TEST(CopyButton, CopiesText5AsItStandsAndReportsAClipboardThatRefuses) {
    struct Case {
        const char* name;
        QString text5;
        int refusedWrites;
        QString clipboardAfter;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"converted text", "502758121249", 0, "502758121249", kNone},
        {"edited by hand", "50 27 58", 0, "50 27 58", kNone},
        {"empty text", "", 0, "", kNone},
        {"busy for a moment", "502758121249", 2, "502758121249", kNone},
        {"never available", "502758121249", 1000, "vorher", kUnavailable},
    };
    for (const Case& c : cases) {
        FakeClipboard clipboard;
        clipboard.content = QStringLiteral("vorher");
        clipboard.refusedWrites = c.refusedWrites;
        RecordingMessages messages;
        Form1 form(clipboard, messages);
        form.findChild<QLineEdit*>(QStringLiteral("Text5"))->setText(c.text5);
        press(form, "Command4");
        EXPECT_EQ(clipboard.content, c.clipboardAfter) << c.name;
        EXPECT_EQ(messages.texts, c.messages) << c.name;
        EXPECT_EQ(fieldText(form, "Text5"), c.text5.toStdString()) << c.name;
    }
}

TEST(SystemClipboard, CarriesACodeInAndTheCompactTextOut) {
    SystemClipboard clipboard;
    RecordingMessages messages;
    Form1 form(clipboard, messages);
    QGuiApplication::clipboard()->setText(QStringLiteral("12345678"));
    press(form, "Command3");
    QGuiApplication::clipboard()->clear();
    press(form, "Command4");
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "502758121249");
    EXPECT_EQ(messages.texts, kNone);
}

}  // namespace
}  // namespace lagewandler
