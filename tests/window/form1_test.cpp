#include "form1.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "caption_font.h"
#include "message_box.h"
#include "window_test_support.h"

namespace lagewandler {
namespace {

const std::vector<std::string> kNone{};
const std::vector<std::string> kNeedEight{"Bitte 8 Stellen eingeben"};
const std::vector<std::string> kInvalid{"ungültiger Zahlenwert"};

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<Form1>(clipboard, messages);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    template <typename Widget = QWidget>
    [[nodiscard]] Widget* control(const char* name) const {
        auto* widget = form->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    [[nodiscard]] QLineEdit* field(const char* name) const { return control<QLineEdit>(name); }
    [[nodiscard]] std::string fieldText(const char* name) const { return ::fieldText(*form, name); }

    void typeInto(const char* name, const QString& text) const {
        field(name)->clear();
        QTest::keyClicks(field(name), text);
    }
    void press(const char* name) const { ::press(*form, name); }

    FakeClipboard clipboard;
    RecordingMessages messages;
    std::unique_ptr<Form1> form;
};

TEST_F(Form1Test, LaysOutEveryControlAsDrawnInTwips) {
    struct Row {
        const char* name;
        const char* kind;
        const char* text;
        int left, top, width, height;
    };
    const Row rows[] = {
        {"Command1", "QPushButton", "umwandeln", 2280, 1440, 2175, 375},
        {"Text3", "QLineEdit", "", 2280, 2040, 2175, 285},
        {"Text6", "QLineEdit", "50", 2280, 120, 495, 285},
        {"Label1", "QLabel", "Bzugspunkte", 120, 120, 1095, 255},
        {"Label2", "QLabel", "nördlich (50)", 1200, 120, 975, 255},
        {"Label3", "QLabel", "östlich (10)", 1200, 480, 975, 255},
        {"Text1", "QLineEdit", "10", 2280, 480, 495, 285},
        {"Text2", "QLineEdit", "", 2280, 960, 1215, 285},
        {"Label4", "QLabel", "8-stelliger Hex-Wert", 240, 960, 1935, 255},
        {"Label5_0", "QLabel", "Östlicher Längengrad", 240, 2520, 1815, 255},
        {"Label5_1", "QLabel", "Nördlicher Breiengrad", 240, 2040, 1815, 255},
        {"Text4", "QLineEdit", "", 2280, 2520, 2175, 285},
        {"Command2", "QPushButton", "Ende", 2160, 3720, 1095, 375},
        {"Text5", "QLineEdit", "", 2280, 3000, 2175, 285},
        {"Label6", "QLabel", "Varn-konformer Text", 360, 3000, 1695, 255},
        {"Command3", "QPushButton", "Clipboard", 3600, 960, 855, 255},
        {"Command4", "QPushButton", "ins Clipboard", 3240, 3240, 1215, 255},
    };
    for (const Row& row : rows) {
        QWidget* widget = control(row.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), row.kind) << row.name;
        EXPECT_EQ(widget->geometry(), QRect(row.left / 15, row.top / 15, row.width / 15, row.height / 15)) << row.name;
        const QVariant text = widget->property("text");
        EXPECT_EQ(text.toString().toStdString(), row.text) << row.name;
    }
    EXPECT_EQ(form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), std::size(rows));
    EXPECT_EQ(form->windowTitle().toStdString(), "Lagewandler");
    EXPECT_EQ(form->minimumSize(), QSize(324, 278));
    EXPECT_EQ(form->maximumSize(), QSize(324, 278));
}

TEST_F(Form1Test, NamesEachFieldAfterItsLabelAndLinksTheLabel) {
    struct Row {
        const char* field;
        const char* label;
        const char* accessibleName;
    };
    const Row rows[] = {
        {"Text6", "Label2", "nördlich (50)"},          {"Text1", "Label3", "östlich (10)"},
        {"Text2", "Label4", "8-stelliger Hex-Wert"},   {"Text3", "Label5_1", "Nördlicher Breiengrad"},
        {"Text4", "Label5_0", "Östlicher Längengrad"}, {"Text5", "Label6", "Varn-konformer Text"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(field(row.field)->accessibleName().toStdString(), row.accessibleName) << row.field;
        EXPECT_FALSE(field(row.field)->isReadOnly()) << row.field;
        EXPECT_EQ(control<QLabel>(row.label)->buddy(), field(row.field)) << row.field;
        // What a screen reader is told: the field is labelled by that label.
        const auto relations = QAccessible::queryAccessibleInterface(field(row.field))->relations(QAccessible::Label);
        ASSERT_EQ(relations.size(), 1) << row.field;
        EXPECT_EQ(relations.front().first->object(), control(row.label)) << row.field;
    }
}

TEST_F(Form1Test, TabWalksTheControlsInOrderFromCommand1) {
    const std::vector<std::string> expected{"Command1", "Text3",    "Text6",    "Text1",    "Text2",   "Text4",
                                            "Command2", "Text5",    "Command3", "Command4", "Command1"};
    QApplication::setActiveWindow(form.get());
    std::vector<std::string> walked{QApplication::focusWidget()->objectName().toStdString()};
    for (std::size_t step = 1; step < expected.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    EXPECT_EQ(walked, expected);
}

TEST_F(Form1Test, SpaceOrEnterRightAfterStartPressesUmwandeln) {
    const std::pair<const char*, Qt::Key> keys[] = {
        {"space", Qt::Key_Space}, {"return", Qt::Key_Return}, {"keypad enter", Qt::Key_Enter}};
    QApplication::setActiveWindow(form.get());
    for (const auto& [name, key] : keys) {
        messages.texts.clear();
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(messages.texts, kNeedEight) << name;
    }
}

TEST_F(Form1Test, EnterInAFieldPressesNoButton) {
    typeInto("Text2", QStringLiteral("12345678"));
    QTest::keyClick(field("Text2"), Qt::Key_Return);
    EXPECT_EQ(fieldText("Text3"), "");
    EXPECT_EQ(messages.texts, kNone);
}

TEST_F(Form1Test, ConvertsThroughTheButtons) {
    struct Case {
        const char* name;
        QString north, east, code;
        std::string text3, text4, text5;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"worked example", "50", "10", "12345678", "50 Grad 27 Min. 57,60 Sek.", "12 Grad 12 Min. 48,96 Sek.",
         "502758121249", kNone},
        {"failing north group", "32767", "10", "27105678", "", "12 Grad 12 Min. 48,96 Sek.", "121249", kInvalid},
        {"reference out of range", "50", "99999", "12345678", "50 Grad 27 Min. 57,60 Sek.", "", "502758", kInvalid},
        {"umlaut code", "50", "10", "ÄÖÜ12345", "50 Grad 0 Min. 00,00 Sek.", "10 Grad 54 Min. 10,44 Sek.",
         "500000105410", kNone},
    };
    for (const Case& c : cases) {
        typeInto("Text6", c.north);
        typeInto("Text1", c.east);
        typeInto("Text2", c.code);
        messages.texts.clear();
        press("Command1");
        EXPECT_EQ(fieldText("Text3"), c.text3) << c.name;
        EXPECT_EQ(fieldText("Text4"), c.text4) << c.name;
        EXPECT_EQ(fieldText("Text5"), c.text5) << c.name;
        EXPECT_EQ(messages.texts, c.messages) << c.name;
        for (const char* result : {"Text3", "Text4", "Text5"}) {
            EXPECT_EQ(field(result)->cursorPosition(), 0) << c.name << ' ' << result;
        }
    }
}

TEST_F(Form1Test, WrongLengthLeavesEveryFieldAsItWas) {
    typeInto("Text2", QStringLiteral("12345678"));
    press("Command1");
    typeInto("Text5", QStringLiteral("von Hand"));
    typeInto("Text2", QStringLiteral("1234567"));
    press("Command1");
    EXPECT_EQ(messages.texts, kNeedEight);
    EXPECT_EQ(fieldText("Text2"), "1234567");
    EXPECT_EQ(fieldText("Text3"), "50 Grad 27 Min. 57,60 Sek.");
    EXPECT_EQ(fieldText("Text4"), "12 Grad 12 Min. 48,96 Sek.");
    EXPECT_EQ(fieldText("Text5"), "von Hand");
}

TEST_F(Form1Test, ShowsMessagesInTheToolsOwnModalBox) {
    struct SeenBox {
        std::string caption, text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons standardButtons;
        qsizetype buttonCount;
        bool modal;
    };
    SeenBox seen{};
    // Runs inside the box's own event loop, once the box is up.
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle().toStdString(), box->text().toStdString(), box->icon(), box->standardButtons(),
                static_cast<qsizetype>(box->buttons().size()), box->isModal()};
        box->button(QMessageBox::Ok)->click();
    });
    MessageBoxDisplay().show(*form, QStringLiteral("Bitte 8 Stellen eingeben"));
    EXPECT_EQ(seen.caption, "Ortsmappe");
    EXPECT_EQ(seen.text, "Bitte 8 Stellen eingeben");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.standardButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(seen.buttonCount, 1);
    EXPECT_TRUE(seen.modal);
}

TEST_F(Form1Test, ShowsEveryCaptionWholeInItsRectangle) {
    const auto controls = form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* widget : controls) {
        const QString caption = widget->property("text").toString();
        const QFontMetrics metrics(widget->font());
        if (qobject_cast<const QLineEdit*>(widget) != nullptr) continue;
        EXPECT_LE(metrics.horizontalAdvance(caption), widget->width()) << caption.toStdString();
        EXPECT_LE(metrics.height(), widget->height()) << caption.toStdString();
        EXPECT_TRUE(captionFits(*widget, widget->font())) << caption.toStdString();
        EXPECT_EQ(widget->font().family(), QApplication::font().family()) << caption.toStdString();
    }
}

// Runs the application's event loop until it ends, as the real program does;
// returns its exit code, or kStillRunning if it had not ended after a while.
constexpr int kStillRunning = 99;
int runUntilTheApplicationEnds(const std::function<void()>& action) {
    constexpr int kPatienceMs = 5000;
    QTimer::singleShot(0, action);
    QTimer::singleShot(kPatienceMs, [] { QCoreApplication::exit(kStillRunning); });
    return QApplication::exec();
}

TEST_F(Form1Test, ChoosesTheLargestFittingSizeOfTheSameFamily) {
    struct Case {
        const char* name;
        QFont base;
        bool shrinks;
    };
    QFont largePixels = QApplication::font();
    largePixels.setPixelSize(40);
    QFont small = QApplication::font();
    small.setPointSizeF(6);
    const Case cases[] = {
        {"too wide in points", QFont(QApplication::font().family(), 24), true},
        {"too wide in pixels", largePixels, true},
        {"already fits", small, false},
    };
    for (const Case& c : cases) {
        const QFont chosen = captionFittingFont(c.base, *form);
        EXPECT_TRUE(allCaptionsFit(*form, chosen)) << c.name;
        EXPECT_EQ(chosen.family(), c.base.family()) << c.name;
        EXPECT_EQ(chosen != c.base, c.shrinks) << c.name;
        if (c.shrinks && chosen.pointSizeF() > 0) {
            QFont larger = chosen;
            larger.setPointSizeF(chosen.pointSizeF() + 0.5);
            EXPECT_FALSE(allCaptionsFit(*form, larger)) << c.name;
        }
    }
}

TEST_F(Form1Test, EndeAndTheTitleBarEndTheApplicationWithoutAQuestion) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Ende", [this] { press("Command2"); }},
        {"title bar", [this] { form->close(); }},
    };
    for (const auto& [name, action] : ways) {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        EXPECT_EQ(runUntilTheApplicationEnds(action), 0) << name;
        EXPECT_FALSE(form->isVisible()) << name;
    }
    EXPECT_EQ(messages.texts, kNone);
}

}  // namespace
}  // namespace lagewandler
