#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no window system.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    // Headless and German unless the caller chose otherwise (CTest runs the
    // separator test again under other locales).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("LC_ALL")) qputenv("LC_ALL", "de_DE.UTF-8");
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
