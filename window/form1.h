#pragma once

#include <QWidget>

#include <string_view>

#include "field_model.h"
#include "messages.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace lagewandler {

class Clipboard;
class MessageDisplay;

// Twips, the unit the layout is drawn in, per device-independent pixel.
inline constexpr int kTwipsPerPixel = 15;

// The tool's one window. Its four buttons run the four click actions; the six
// text fields are the field model the conversion works on, and Form1 keeps
// the hidden compactText for as long as it lives. Controls carry their role
// names (Text1 ... Text6, Command1 ... Command4, Label1 ... Label6, with the
// two Label5 captions as Label5_0 and Label5_1) as object names. Each label
// is the buddy of the field it names, so assistive technology reads it out.
// Messages go to messages, clipboard transfers to clipboard.
class Form1 final : public QWidget, private MessageSink {
public:
    Form1(Clipboard& clipboard, MessageDisplay& messages, QWidget* parent = nullptr);

    // "umwandeln": converts the code in Text2 into Text3, Text4 and Text5.
    void Command1_Click();
    // "Ende": closes the window, which ends the application.
    void Command2_Click();
    // "Clipboard": puts the clipboard's text into Text2 unchanged, then converts.
    void Command3_Click();
    // "ins Clipboard": copies Text5 to the clipboard; tells the operator if the
    // clipboard would not take it.
    void Command4_Click();

private:
    void buildControls();
    void connectButtons();
    void readFields();
    void showFields();
    void showMessage(std::string_view text) override;

    Clipboard& clipboard_;
    MessageDisplay& messages_;
    FieldModel fields_;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QLineEdit* text3_ = nullptr;
    QLineEdit* text4_ = nullptr;
    QLineEdit* text5_ = nullptr;
    QLineEdit* text6_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    QPushButton* command4_ = nullptr;
};

}  // namespace lagewandler
