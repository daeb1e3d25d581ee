#pragma once

#include <QString>

class QWidget;

namespace lagewandler {

// Every message of the tool goes through here, so each one looks the same:
// modal to parent, the text, a single OK button, no icon, and the caption
// "Ortsmappe". Returns once the operator has closed the box. The box's object
// name is kMessageBoxObjectName, so tests can find the real box and close it.
inline constexpr const char* kMessageBoxObjectName = "Ortsmappe";
void showMessageBox(QWidget* parent, const QString& text);

}  // namespace lagewandler
