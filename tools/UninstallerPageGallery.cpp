// Shows one of the uninstaller's pages on a real screen for a screenshot, with made-up
// services so that nothing is searched for or started:
//   uninstaller_page_gallery start | log-missing | notfound | gave-up

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "FakeOs.h"
#include "NotFoundPage.h"
#include "Program.h"
#include "StartPage.h"

using namespace mnemex::uninstall;

namespace {

// Real message boxes, placed at the foot of the screen so the page stays in view beside them.
struct BesideThePage : mnemex::DialogBackend {
    int ShowMessage(const QString& text, mnemex::MsgStyle, const QString& title) override {
        QMessageBox box(QMessageBox::NoIcon, title, mnemex::MessageText(text), QMessageBox::Ok);
        box.move(20, 350);
        box.exec();
        return mnemex::kMsgOk;
    }
    QString AskText(const QString&, const QString&) override { return {}; }
    // The uninstaller asks for no files.
    QString AskSaveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString AskOpenFileName(const QString&, const QString&, const QString&) override { return {}; }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("start");
    FakeOs os;
    if (which != "log-missing") {
        os.files << os.appFolder + "/ST6UNST.LOG";
    }
    BesideThePage dialogs;
    mnemex::SystemDriveSource drives;
    Program program(os, dialogs, drives, [] {});
    program.Run([&program] { program.Show(program.LoadStart()); });
    if (which != "start") {
        // Once the event loop runs, press Yes as the user would.
        QTimer::singleShot(300, [&] {
            program.Start()->YesButton()->click();
            if (which == "gave-up" && program.NotFound()) {
                program.NotFound()->ContinueButton()->click();
            }
        });
    }
    return QApplication::exec();
}
