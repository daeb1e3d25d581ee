#include "window/message_box.h"

#include <QMessageBox>

#include "form/form_texts.h"
#include "window/qt_text.h"

namespace lagewandler {

void MessageBoxDisplay::show(QWidget& parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, qtText(kMessageBoxCaption), text, QMessageBox::Ok, &parent);
    // The text is shown as written; a code pasted into a message is no markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace lagewandler
