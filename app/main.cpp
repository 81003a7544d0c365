// Mnemex: trains and examines a distributed associative memory.

#include <QApplication>
#include <memory>

#include "app/RegisterPages.h"
#include "core/PublicStuff.h"
#include "pages/framework/PageManager.h"
#include "reports/workbook/DesktopSpreadsheet.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Only the application name: a display name would be appended to every page caption.
    QApplication::setApplicationName(QStringLiteral("Mnemex"));
    QApplication::setApplicationVersion(QStringLiteral(MNEMEX_VERSION));

    // The program-wide state: exactly one instance for the whole run.
    auto state = std::make_unique<mnemex::PublicStuff>();
    mnemex::QtDialogBackend dialogBackend;
    mnemex::Dialogs dialogs(dialogBackend, QStringLiteral("Mnemex"));
    mnemex::SystemDriveSource drives;
    // The spreadsheet summary and its program-wide state, asked for by the testing hub.
    mnemex::DesktopSpreadsheet spreadsheet;
    mnemex::PlatformServices services{dialogs, drives, spreadsheet};
    mnemex::PageManager pages(*state, services);
    mnemex::RegisterPages(pages);

    if (pages.Show(QString::fromLatin1(mnemex::kStartPage)) == nullptr &&
        pages.LoadedNames().isEmpty()) {
        return 0;
    }
    return QApplication::exec();
}
