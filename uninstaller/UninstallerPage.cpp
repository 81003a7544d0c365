#include "UninstallerPage.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include "Program.h"
#include "pages/framework/Twips.h"

namespace mnemex::uninstall {

UninstallerPage::UninstallerPage(Program& program, const QString& caption, int widthTwips,
                                 int heightTwips)
    : program_(program) {
    setWindowTitle(caption);
    setFixedSize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
    // Each page opens in the middle of the screen, where the user's eyes are.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void UninstallerPage::closeEvent(QCloseEvent* event) {
    if (closingByProgram_) {
        event->accept();
        return;
    }
    // The program decides what becomes of the page; the window never just disappears.
    event->ignore();
    program_.Run([this] { Form_UserClose(); });
}

}  // namespace mnemex::uninstall
