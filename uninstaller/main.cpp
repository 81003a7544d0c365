// uninstall-Mnemex: confirms, checks for the installation log beside itself, finds the removal
// tool and starts it on the log.

#include <QApplication>

#include "LinuxOsServices.h"
#include "Program.h"
#include "StartPage.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("uninstall-Mnemex"));
    // Every way out goes through ending the program, which also leaves the event loop.
    QApplication::setQuitOnLastWindowClosed(false);

    mnemex::uninstall::LinuxOsServices os;
    mnemex::QtDialogBackend dialogs;
    mnemex::SystemDriveSource drives;
    mnemex::uninstall::Program program(os, dialogs, drives, [] { QCoreApplication::exit(0); });
    // The page stays painted while the tool is searched for; closing it ends the search too.
    os.SetSearchWait([&program] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return !program.Ended();
    });
    program.Run([&program] { program.Show(program.LoadStart()); });
    if (program.Ended()) {
        return 0;
    }
    return QApplication::exec();
}
