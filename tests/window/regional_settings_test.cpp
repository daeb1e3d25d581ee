#include "window/application.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "window/form1.h"
#include "tests/window/window_test_support.h"

namespace lagewandler {
namespace {

// CTest runs this under several locales; each has its own expected text.
TEST(RegionalSeparator, FollowsTheLocaleOfTheProcess) {
    const std::map<std::string, std::string> latitudeByLocale{
        {"de_DE.UTF-8", "50 Grad 27 Min. 57,60 Sek."},
        {"C", "50 Grad 27 Min. 57.60 Sek."},
        {"de_CH.UTF-8", "50 Grad 27 Min. 57.60 Sek."},
        {"ar_EG.UTF-8", "50 Grad 27 Min. 57\u066B" "60 Sek."},
    };
    const std::string locale = qEnvironmentVariable("LC_ALL").toStdString();
    ASSERT_EQ(latitudeByLocale.count(locale), 1U) << locale;
    FakeClipboard clipboard;
    RecordingMessages messages;
    Form1 form(clipboard, messages);
    form.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("12345678"));
    press(form, "Command1");
    EXPECT_EQ(fieldText(form, "Text3"), latitudeByLocale.at(locale));
}

TEST(QtTranslations, SpeakGermanUnderGermanSettings) {
    ASSERT_TRUE(installQtTranslations(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo").toStdString(), "&Rückgängig");
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "Select All").toStdString(), "Alles auswählen");
}

}  // namespace
}  // namespace lagewandler
