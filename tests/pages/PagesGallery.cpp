// Opens one of the main pages in a typical state, for looking at it (screenshots):
//   main_pages_gallery network1|distmem|testdam [examples folder]
#include <QApplication>
#include <QDir>
#include <QTest>

#include "core/PublicStuff.h"
#include "pages/framework/PageManager.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/MainPages.h"
#include "pages/main/Network1Page.h"

using namespace mnemex;
using namespace mnemex::pages;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mnemex"));
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("network1");
    const QString examples =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(MNEMEX_EXAMPLES_DIR);

    PublicStuff state;
    QtDialogBackend backend;
    Dialogs dialogs(backend, QStringLiteral("Mnemex"));
    SystemDriveSource drives;
    PlatformServices services{dialogs, drives};
    PageManager pages(state, services);
    RegisterMainPages(pages);

    auto* intro = dynamic_cast<Network1Page*>(pages.Show(QStringLiteral("Network1")));
    intro->Dir1->SetPath(QDir(examples).absolutePath());
    intro->File1->DoubleClickItem(intro->File1->Items().indexOf(QStringLiteral("letters.net")));
    if (which == QLatin1String("network1"))
        return QApplication::exec();

    intro->NextPage->click();
    auto* setup = pages.FindAs<DistMemPage>(QStringLiteral("DistMem"));
    setup->OptionDelta->click();
    setup->LRateBox->setText(QStringLiteral("0.02"));
    setup->StartTraining->click();
    if (which == QLatin1String("distmem"))
        return QApplication::exec();

    setup->TestRecall->click();
    return QApplication::exec();
}
