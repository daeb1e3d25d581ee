#include "window/form1.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

#include "form/form_texts.h"
#include "regional/regional_settings.h"
#include "window/caption_font.h"
#include "window/message_box.h"
#include "window/qt_text.h"

namespace lagewandler {
namespace {

// Qt places in device-independent pixels, 96 to the inch.
[[nodiscard]] QRect toPixels(const TwipsRect& r) {
    return {twipsToPixels(r.left, kLayoutDpi), twipsToPixels(r.top, kLayoutDpi), twipsToPixels(r.width, kLayoutDpi),
            twipsToPixels(r.height, kLayoutDpi)};
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

QWidget* makeButton(const ControlRow& row, QWidget* parent, QObject* enterFilter) {
    auto* button = new QPushButton(qtText(row.caption), parent);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->installEventFilter(enterFilter);
    return button;
}

// An ordinary editable field: no length limit, so a paste is never cut short.
QWidget* makeField(const ControlRow& row, const ReferencePresets& presets, QWidget* parent) {
    auto* field = new QLineEdit(qtText(openingText(row, presets)), parent);
    field->setMaxLength(std::numeric_limits<int>::max());
    field->setAccessibleName(qtText(labelCaption(row.id)));
    return field;
}

QWidget* makeControl(const ControlRow& row, const ReferencePresets& presets, QWidget* parent, QObject* enterFilter) {
    switch (row.kind) {
        case ControlKind::Button:
            return makeButton(row, parent, enterFilter);
        case ControlKind::Field:
            return makeField(row, presets, parent);
        case ControlKind::Label:
            break;
    }
    return new QLabel(qtText(row.caption), parent);
}

}  // namespace

Form1::Form1(Utf8Clipboard& clipboard, MessageDisplay& messages, const ReferencePresets& presets, QWidget* parent)
    : QWidget(parent), messages_(messages), actions_(*this, clipboard, regionalDecimalSeparator) {
    setWindowTitle(qtText(kWindowTitle));
    setFixedSize(toPixels({0, 0, kClientWidthTwips, kClientHeightTwips}).size());
    buildControls(presets);
    connectButtons();
    button(ControlId::Command1)->setFocus();
}

// Controls are created in the shared creation order: the focusable ones in
// tab order, which becomes the focus chain, and each label right before
// its field, which is the order screen readers list them in.
void Form1::buildControls(const ReferencePresets& presets) {
    auto* enter = new EnterPressesButton(this);
    for (const ControlId id : kCreationOrder) {
        const ControlRow& row = controlRow(id);
        QWidget* control = makeControl(row, presets, this, enter);
        control->setObjectName(qtText(row.role));
        control->setGeometry(toPixels(row.rect));
        controls_[controlIndex(id)] = control;
    }
    // Each label names its field for assistive technology. The captions have
    // no '&', so the link adds no shortcut and no underline.
    for (const ControlRow& row : kControls) {
        if (row.kind != ControlKind::Field) continue;
        static_cast<QLabel*>(controls_[controlIndex(row.label)])->setBuddy(field(row.id));
    }
    setFont(captionFittingFont(font()));
}

void Form1::connectButtons() {
    connect(button(ControlId::Command1), &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(button(ControlId::Command2), &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(button(ControlId::Command3), &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(button(ControlId::Command4), &QPushButton::clicked, this, &Form1::Command4_Click);
}

QLineEdit* Form1::field(ControlId id) const { return static_cast<QLineEdit*>(controls_[controlIndex(id)]); }

QPushButton* Form1::button(ControlId id) const { return static_cast<QPushButton*>(controls_[controlIndex(id)]); }

std::string Form1::fieldText(ControlId id) const { return field(id)->text().toStdString(); }

void Form1::showFieldText(ControlId id, const std::string& text) {
    QLineEdit* shown = field(id);
    shown->setText(qtText(text));
    shown->setCursorPosition(0);
}

void Form1::showMessage(std::string_view text) { messages_.show(*this, qtText(text)); }

void Form1::closeWindow() { close(); }

}  // namespace lagewandler
