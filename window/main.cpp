#include <QApplication>

#include "presets/reference_presets.h"
#include "window/application.h"
#include "window/clipboard.h"
#include "window/form1.h"
#include "window/message_box.h"

int main(int argc, char* argv[]) {
    const auto application = lagewandler::openApplication(argc, argv);
    lagewandler::installQtTranslations(*application);
    lagewandler::SystemClipboard clipboard;
    lagewandler::MessageBoxDisplay messages;
    lagewandler::Form1 form(clipboard, messages, lagewandler::readReferencePresets());
    form.show();
    return QApplication::exec();
}
