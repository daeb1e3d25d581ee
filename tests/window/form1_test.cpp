#include "window/form1.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "form/layout.h"
#include "window/caption_font.h"
#include "window/message_box.h"
#include "tests/window/window_test_support.h"

namespace lagewandler {
namespace {

const std::vector<std::string> kNone{};
const std::vector<std::string> kNeedEight{"Bitte 8 Stellen eingeben"};

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

TEST_F(Form1Test, LaysOutEveryControlFromTheLayoutTable) {
    const std::map<ControlKind, const char*> classes{
        {ControlKind::Button, "QPushButton"}, {ControlKind::Field, "QLineEdit"}, {ControlKind::Label, "QLabel"}};
    for (const ControlRow& row : kControls) {
        const char* name = row.role.data();
        QWidget* widget = control(name);
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), classes.at(row.kind)) << name;
        const TwipsRect& r = row.rect;
        EXPECT_EQ(widget->geometry(), QRect(r.left / 15, r.top / 15, r.width / 15, r.height / 15)) << name;
        EXPECT_EQ(widget->property("text").toString().toStdString(), row.caption) << name;
    }
    EXPECT_EQ(form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), kControls.size());
    EXPECT_EQ(form->windowTitle().toStdString(), "Lagewandler");
    EXPECT_EQ(form->minimumSize(), QSize(324, 278));
    EXPECT_EQ(form->maximumSize(), QSize(324, 278));
}

TEST(Form1Presets, OpensWithThePresetReferencesInTheirFields) {
    FakeClipboard clipboard;
    RecordingMessages messages;
    const Form1 form(clipboard, messages, {PresetReference{"48", "file"}, PresetReference{"-3", "file"}});
    EXPECT_EQ(fieldText(form, "Text6"), "48");
    EXPECT_EQ(fieldText(form, "Text1"), "-3");
}

TEST_F(Form1Test, NamesEachFieldAfterItsLabelAndLinksTheLabel) {
    for (const ControlRow& row : kControls) {
        if (row.kind != ControlKind::Field) continue;
        const char* name = row.role.data();
        const QWidget* label = control(controlRow(row.label).role.data());
        EXPECT_EQ(field(name)->accessibleName(), control<QLabel>(controlRow(row.label).role.data())->text()) << name;
        EXPECT_FALSE(field(name)->isReadOnly()) << name;
        EXPECT_EQ(control<QLabel>(controlRow(row.label).role.data())->buddy(), field(name)) << name;
        // What a screen reader is told: the field is labelled by that label.
        const auto relations = QAccessible::queryAccessibleInterface(field(name))->relations(QAccessible::Label);
        ASSERT_EQ(relations.size(), 1) << name;
        EXPECT_EQ(relations.front().first->object(), label) << name;
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

TEST_F(Form1Test, ShowsResultsFromTheirStartAndKeepsTheCursorOfAnUnchangedOne) {
    typeInto("Text2", QStringLiteral("12345678"));
    press("Command1");
    EXPECT_EQ(fieldText("Text3"), "50 Grad 27 Min. 57,60 Sek.");
    EXPECT_EQ(messages.texts, kNone);
    for (const char* result : {"Text3", "Text4", "Text5"}) EXPECT_EQ(field(result)->cursorPosition(), 0) << result;
    // Converting the same code again changes no result: each keeps its selection.
    for (const char* result : {"Text3", "Text4", "Text5"}) field(result)->setSelection(2, 3);
    press("Command1");
    for (const char* result : {"Text3", "Text4", "Text5"}) {
        EXPECT_EQ(field(result)->selectionStart(), 2) << result;
        EXPECT_EQ(field(result)->selectedText().size(), 3) << result;
    }
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
    for (const ControlRow& row : kControls) {
        if (row.kind == ControlKind::Field) continue;
        const QWidget* widget = control(row.role.data());
        const QFontMetrics metrics(widget->font());
        // A button draws its caption inside its frame, and beside it keeps
        // the style's margin (which counts both sides).
        const QStyle* style = widget->style();
        const bool button = row.kind == ControlKind::Button;
        const int frame = button ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget) : 0;
        const int margin = button ? style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, widget) : 0;
        const QString caption = widget->property("text").toString();
        EXPECT_LE(metrics.horizontalAdvance(caption), widget->width() - 2 * frame - margin) << row.role;
        EXPECT_LE(metrics.height(), widget->height() - 2 * frame) << row.role;
        EXPECT_EQ(widget->font().family(), QApplication::font().family()) << row.role;
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
        const QFont chosen = captionFittingFont(c.base);
        EXPECT_TRUE(allCaptionsFit(chosen)) << c.name;
        EXPECT_EQ(chosen.family(), c.base.family()) << c.name;
        EXPECT_EQ(chosen != c.base, c.shrinks) << c.name;
        if (c.shrinks) {
            QFont larger = chosen;
            larger.setPixelSize(chosen.pixelSize() + 1);
            EXPECT_FALSE(allCaptionsFit(larger)) << c.name;
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
