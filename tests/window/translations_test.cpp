#include "window/application.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace lagewandler {
namespace {

TEST(QtTranslations, SpeakGermanUnderGermanSettings) {
    ASSERT_TRUE(installQtTranslations(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo").toStdString(), "&Rückgängig");
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "Select All").toStdString(), "Alles auswählen");
}

}  // namespace
}  // namespace lagewandler
