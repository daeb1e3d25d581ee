#include "form1.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>
#include <utility>

#include "caption_font.h"
#include "clipboard.h"
#include "conversion_action.h"
#include "message_box.h"
#include "regional_settings.h"
#include "window_texts.h"

namespace lagewandler {
namespace {

constexpr int kClientWidthTwips = 4860;
constexpr int kClientHeightTwips = 4170;

// A rectangle in twips, relative to the client area's top-left corner.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

[[nodiscard]] QRect toPixels(const TwipsRect& r) {
    return {r.left / kTwipsPerPixel, r.top / kTwipsPerPixel, r.width / kTwipsPerPixel, r.height / kTwipsPerPixel};
}

template <typename Widget>
Widget* place(QWidget* parent, const char* name, std::string_view text, const TwipsRect& rect) {
    auto* widget = new Widget(qtText(text), parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(toPixels(rect));
    return widget;
}

// An ordinary editable field: no length limit, so a paste is never cut short.
QLineEdit* placeField(QWidget* parent, const char* name, std::string_view text, std::string_view accessibleName,
                      const TwipsRect& rect) {
    auto* field = place<QLineEdit>(parent, name, text, rect);
    field->setMaxLength(std::numeric_limits<int>::max());
    field->setAccessibleName(qtText(accessibleName));
    return field;
}

// Enter and Return press the focused button, as on Windows; Space already
// does. Only buttons are watched: Enter in a field presses nothing, as the
// window has no default button.
class EnterPressesButton final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<const QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        static_cast<QPushButton*>(watched)->click();
        return true;
    }
};

QPushButton* placeButton(QWidget* parent, QObject* enterFilter, const char* name, std::string_view caption,
                         const TwipsRect& rect) {
    auto* button = place<QPushButton>(parent, name, caption, rect);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->installEventFilter(enterFilter);
    return button;
}

// Writes a result field so that it shows its text from the first character.
// A field whose text stays the same is left alone, with its undo history.
void showResult(QLineEdit* field, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (field->text() == shown) return;
    field->setText(shown);
    field->setCursorPosition(0);
}

}  // namespace

Form1::Form1(Clipboard& clipboard, MessageDisplay& messages, QWidget* parent)
    : QWidget(parent), clipboard_(clipboard), messages_(messages) {
    setWindowTitle(qtText(kWindowTitle));
    setFixedSize(toPixels({0, 0, kClientWidthTwips, kClientHeightTwips}).size());
    buildControls();
    connectButtons();
    command1_->setFocus();
}

// Controls are created in their tab order, which is also the focus chain.
void Form1::buildControls() {
    auto* enter = new EnterPressesButton(this);
    command1_ = placeButton(this, enter, "Command1", kCaptionConvert, {2280, 1440, 2175, 375});
    text3_ = placeField(this, "Text3", {}, kCaptionLatitude, {2280, 2040, 2175, 285});
    text6_ = placeField(this, "Text6", fields_.text6, kCaptionNorth, {2280, 120, 495, 285});
    place<QLabel>(this, "Label1", kCaptionReferences, {120, 120, 1095, 255});
    auto* label2 = place<QLabel>(this, "Label2", kCaptionNorth, {1200, 120, 975, 255});
    auto* label3 = place<QLabel>(this, "Label3", kCaptionEast, {1200, 480, 975, 255});
    text1_ = placeField(this, "Text1", fields_.text1, kCaptionEast, {2280, 480, 495, 285});
    text2_ = placeField(this, "Text2", {}, kCaptionCode, {2280, 960, 1215, 285});
    auto* label4 = place<QLabel>(this, "Label4", kCaptionCode, {240, 960, 1935, 255});
    auto* label50 = place<QLabel>(this, "Label5_0", kCaptionLongitude, {240, 2520, 1815, 255});
    auto* label51 = place<QLabel>(this, "Label5_1", kCaptionLatitude, {240, 2040, 1815, 255});
    text4_ = placeField(this, "Text4", {}, kCaptionLongitude, {2280, 2520, 2175, 285});
    command2_ = placeButton(this, enter, "Command2", kCaptionEnd, {2160, 3720, 1095, 375});
    text5_ = placeField(this, "Text5", {}, kCaptionCompact, {2280, 3000, 2175, 285});
    auto* label6 = place<QLabel>(this, "Label6", kCaptionCompact, {360, 3000, 1695, 255});
    command3_ = placeButton(this, enter, "Command3", kCaptionPaste, {3600, 960, 855, 255});
    command4_ = placeButton(this, enter, "Command4", kCaptionCopy, {3240, 3240, 1215, 255});
    // Each label names its field for assistive technology. The captions have
    // no '&', so the link adds no shortcut and no underline.
    const std::pair<QLabel*, QLineEdit*> links[] = {{label2, text6_}, {label3, text1_}, {label4, text2_},
                                                    {label50, text4_}, {label51, text3_}, {label6, text5_}};
    for (const auto& [label, field] : links) label->setBuddy(field);
    setFont(captionFittingFont(font(), *this));
}

void Form1::connectButtons() {
    connect(command1_, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(command3_, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(command4_, &QPushButton::clicked, this, &Form1::Command4_Click);
}

// The fields are the model's texts as the operator left them.
void Form1::readFields() {
    fields_.text1 = text1_->text().toStdString();
    fields_.text2 = text2_->text().toStdString();
    fields_.text3 = text3_->text().toStdString();
    fields_.text4 = text4_->text().toStdString();
    fields_.text5 = text5_->text().toStdString();
    fields_.text6 = text6_->text().toStdString();
}

// Only the conversion's results change, so only they are written back.
void Form1::showFields() {
    showResult(text3_, fields_.text3);
    showResult(text4_, fields_.text4);
    showResult(text5_, fields_.text5);
}

void Form1::showMessage(std::string_view text) {
    // A message may come between the two groups: the operator sees what has
    // been converted so far while the box is open.
    showFields();
    messages_.show(*this, qtText(text));
}

void Form1::Command1_Click() {
    readFields();
    const std::string separator = regionalDecimalSeparator();
    lagewandler::Command1_Click(fields_, {*this, separator});
    showFields();
}

void Form1::Command2_Click() { close(); }

void Form1::Command3_Click() {
    text2_->setText(clipboard_.text());
    Command1_Click();
}

void Form1::Command4_Click() {
    if (!copyToClipboard(clipboard_, text5_->text())) {
        messages_.show(*this, qtText(kMessageClipboardUnavailable));
    }
}

}  // namespace lagewandler
