#include "message_box.h"

#include <QMessageBox>

#include "messages.h"

namespace lagewandler {

void showMessageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size()), text,
                    QMessageBox::Ok, parent);
    box.setObjectName(kMessageBoxObjectName);
    // The text is shown as written; a code pasted into a message is no markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace lagewandler
