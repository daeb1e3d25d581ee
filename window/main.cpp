#include <QApplication>

#include "application.h"
#include "clipboard.h"
#include "form1.h"
#include "message_box.h"

int main(int argc, char* argv[]) {
    const auto application = lagewandler::openApplication(argc, argv);
    lagewandler::installQtTranslations(*application);
    lagewandler::SystemClipboard clipboard;
    lagewandler::MessageBoxDisplay messages;
    lagewandler::Form1 form(clipboard, messages);
    form.show();
    return QApplication::exec();
}
