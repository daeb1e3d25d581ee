#include "window/application.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace lagewandler {
namespace {

// Starts the real program in an environment holding only variables, as from
// a shell or a service without a desktop, and checks that it says in one
// line that it has no display instead of aborting.
TEST(DisplayCheck, SaysInOneLineWhenNoDisplayCanBeReached) {
    constexpr int kPatienceMs = 20000;
    const QTemporaryDir runtimeFolder;  // holds no Wayland socket
    struct Case {
        const char* name;
        std::vector<std::pair<QString, QString>> variables;
        std::string message = kNoDisplayMessage;
    };
    const Case cases[] = {
        {"nothing set", {}},
        {"x11 display without a server", {{"DISPLAY", ":4711"}}},
        {"wayland socket gone",
         {{"WAYLAND_DISPLAY", "wayland-gone"}, {"XDG_SESSION_TYPE", "wayland"}, {"XDG_RUNTIME_DIR", runtimeFolder.path()}}},
        {"xcb chosen without a display", {{"QT_QPA_PLATFORM", "xcb"}}},
        {"platform plugin not installed", {{"QT_QPA_PLATFORM", "nonexistent"}},
         "lagewandler: Could not find the Qt platform plugin \"nonexistent\" in \"\"; This application failed to "
         "start because no Qt platform plugin could be initialized. Reinstalling the application may fix this "
         "problem.\n"},
    };
    for (const Case& c : cases) {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
        for (const auto& [name, value] : c.variables) environment.insert(name, value);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(LAGEWANDLER_WINDOW_PATH), {});
        if (!program.waitForFinished(kPatienceMs)) program.kill();
        program.waitForFinished();
        EXPECT_EQ(program.readAllStandardError().toStdString(), c.message) << c.name;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << c.name;
        EXPECT_EQ(program.exitCode(), kNoDisplayStatus) << c.name;
    }
}

}  // namespace
}  // namespace lagewandler
