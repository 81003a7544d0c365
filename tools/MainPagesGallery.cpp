// Opens one of Mnemex's pages in a typical state, for looking at it (screenshots):
//   main_pages_gallery network1|distmem|testdam|probe|save|plot [examples folder]
//   main_pages_gallery reading FOLDER PICTURE.png
// The result pages are opened from the hub after a run, as the user opens them. "reading"
// double-clicks big.net in FOLDER (a file over 4 MiB, after letters.net) and saves a picture
// of the introductory page a moment later, while the file is being read.
#include <QApplication>
#include <QDir>
#include <QTest>

#include "app/RegisterPages.h"
#include "core/PublicStuff.h"
#include "pages/framework/PageManager.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/Network1Page.h"
#include "pages/main/TestDAMPage.h"
#include "tests/support/StandInSummary.h"

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
    testsupport::StandInSummary summary;
    PlatformServices services{dialogs, drives, summary};
    PageManager pages(state, services);
    RegisterPages(pages);

    auto* intro = dynamic_cast<Network1Page*>(pages.Show(QString::fromLatin1(kStartPage)));
    intro->FolderListBox()->SetPath(QDir(examples).absolutePath());
    intro->FileListBox()->DoubleClickItem(
        intro->FileListBox()->Items().indexOf(QStringLiteral("letters.net")));
    if (which == QLatin1String("network1"))
        return QApplication::exec();
    if (which == QLatin1String("reading") && argc > 3) {
        intro->FileListBox()->DoubleClickItem(
            intro->FileListBox()->Items().indexOf(QStringLiteral("big.net")));
        QTest::qWait(150);
        return intro->grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    }

    intro->NextPageButton()->click();
    auto* setup = pages.FindAs<DistMemPage>(QString::fromLatin1(DistMemPage::kName));
    setup->DeltaOption()->click();
    setup->RateBox()->setText(QStringLiteral("0.02"));
    setup->StartTrainingButton()->click();
    if (which == QLatin1String("distmem"))
        return QApplication::exec();

    setup->TestRecallButton()->click();
    if (which == QLatin1String("testdam"))
        return QApplication::exec();

    auto* hub = pages.FindAs<TestDAMPage>(QString::fromLatin1(TestDAMPage::kName));
    const int entry = which == QLatin1String("probe") ? 0 : which == QLatin1String("save") ? 2 : 3;
    hub->ExamineList()->setCurrentRow(entry);
    hub->TestList_DblClick();
    return QApplication::exec();
}
