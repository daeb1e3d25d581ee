#include <QApplication>

#include "application.h"
#include "clipboard.h"
#include "form1.h"
#include "regional_settings.h"

int main(int argc, char* argv[]) {
    if (!lagewandler::displayAvailable()) return 1;
    QApplication application(argc, argv);
    lagewandler::installQtTranslations(application);
    lagewandler::SystemClipboard clipboard;
    lagewandler::Form1 form(clipboard);
    form.show();
    return QApplication::exec();
}
