#include "form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

#include "caption_font.h"
#include "clipboard.h"
#include "conversion_action.h"
#include "message_box.h"
#include "regional_settings.h"

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

[[nodiscard]] QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename Widget>
Widget* place(QWidget* parent, const char* name, const QString& text, const TwipsRect& rect) {
    auto* widget = new Widget(text, parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(toPixels(rect));
    return widget;
}

// An ordinary editable field: no length limit, so a paste is never cut short.
QLineEdit* placeField(QWidget* parent, const char* name, const QString& text, const QString& accessibleName,
                      const TwipsRect& rect) {
    auto* field = place<QLineEdit>(parent, name, text, rect);
    field->setMaxLength(std::numeric_limits<int>::max());
    field->setAccessibleName(accessibleName);
    return field;
}

QPushButton* placeButton(QWidget* parent, const char* name, const QString& caption, const TwipsRect& rect) {
    auto* button = place<QPushButton>(parent, name, caption, rect);
    // Enter in a field must not press a button: the window has no default.
    button->setAutoDefault(false);
    button->setDefault(false);
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

Form1::Form1(Clipboard& clipboard, QWidget* parent) : QWidget(parent), clipboard_(clipboard) {
    setWindowTitle(QStringLiteral("Lagewandler"));
    setFixedSize(toPixels({0, 0, kClientWidthTwips, kClientHeightTwips}).size());
    buildControls();
    connectButtons();
    command1_->setFocus();
}

// Controls are created in their tab order, which is also the focus chain.
void Form1::buildControls() {
    const QString north = QStringLiteral("nördlich (50)");
    const QString east = QStringLiteral("östlich (10)");
    const QString code = QStringLiteral("8-stelliger Hex-Wert");
    const QString longitude = QStringLiteral("Östlicher Längengrad");
    const QString latitude = QStringLiteral("Nördlicher Breiengrad");
    const QString compact = QStringLiteral("Varn-konformer Text");
    command1_ = placeButton(this, "Command1", QStringLiteral("umwandeln"), {2280, 1440, 2175, 375});
    text3_ = placeField(this, "Text3", {}, latitude, {2280, 2040, 2175, 285});
    text6_ = placeField(this, "Text6", fromUtf8(fields_.text6), north, {2280, 120, 495, 285});
    place<QLabel>(this, "Label1", QStringLiteral("Bzugspunkte"), {120, 120, 1095, 255});
    place<QLabel>(this, "Label2", north, {1200, 120, 975, 255});
    place<QLabel>(this, "Label3", east, {1200, 480, 975, 255});
    text1_ = placeField(this, "Text1", fromUtf8(fields_.text1), east, {2280, 480, 495, 285});
    text2_ = placeField(this, "Text2", {}, code, {2280, 960, 1215, 285});
    place<QLabel>(this, "Label4", code, {240, 960, 1935, 255});
    place<QLabel>(this, "Label5_0", longitude, {240, 2520, 1815, 255});
    place<QLabel>(this, "Label5_1", latitude, {240, 2040, 1815, 255});
    text4_ = placeField(this, "Text4", {}, longitude, {2280, 2520, 2175, 285});
    command2_ = placeButton(this, "Command2", QStringLiteral("Ende"), {2160, 3720, 1095, 375});
    text5_ = placeField(this, "Text5", {}, compact, {2280, 3000, 2175, 285});
    place<QLabel>(this, "Label6", compact, {360, 3000, 1695, 255});
    command3_ = placeButton(this, "Command3", QStringLiteral("Clipboard"), {3600, 960, 855, 255});
    command4_ = placeButton(this, "Command4", QStringLiteral("ins Clipboard"), {3240, 3240, 1215, 255});
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
    showMessageBox(this, fromUtf8(text));
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
        showMessageBox(this, fromUtf8(kMessageClipboardUnavailable));
    }
}

}  // namespace lagewandler
