// The removal tool: ST6UNST.EXE -n LOGFILE removes the installation LOGFILE describes.
// "-n" names the log to carry out; the tool asks nothing, because the uninstaller has already
// had the user confirm. It reports its outcome on standard error and, when a screen is there
// to show it on, in a message box.

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "InstallLog.h"
#include "Removal.h"

namespace {

constexpr const char* kTitle = "Mnemex removal";

// Nobody can see a box on the offscreen platform or without a display server.
bool HasVisibleScreen() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("offscreen") || platform.startsWith("minimal")) {
        return false;
    }
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

int Report(int argc, char** argv, const std::string& text, bool failed) {
    std::fprintf(stderr, "%s\n", text.c_str());
    if (HasVisibleScreen()) {
        QApplication app(argc, argv);
        const QString message = QString::fromStdString(text);
        if (failed) {
            QMessageBox::warning(nullptr, kTitle, message);
        } else {
            QMessageBox::information(nullptr, kTitle, message);
        }
    }
    return failed ? EXIT_FAILURE : EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::string(argv[1]) != "-n") {
        std::fprintf(stderr, "usage: ST6UNST.EXE -n LOGFILE\n");
        return 2;
    }
    const auto plan = mnemex::removal::PlanRemoval(argv[2]);
    if (!plan.problem.empty()) {
        return Report(argc, argv, plan.problem, true);
    }
    const auto outcome = mnemex::removal::CarryOut(plan);
    return Report(argc, argv, mnemex::removal::OutcomeMessage(outcome), !outcome.failures.empty());
}
