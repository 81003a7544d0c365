// Figures for the frame and the lists: how long one scroll step takes on a page with many
// controls, and how long listing large folders takes. Not a test; prints its figures.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextStream>

#include "pages/framework/FileList.h"
#include "pages/framework/FolderList.h"
#include "pages/framework/Twips.h"
#include "tests/framework/TestContext.h"

namespace {

class CrowdedPage : public mnemex::Page {
  public:
    // As large as the testing hub.
    CrowdedPage(mnemex::PageContext& c, int controls)
        : Page(c, QStringLiteral("Crowded"), {11115, 9750, 375, 390, 0}) {
        for (int k = 0; k < controls; ++k) {
            auto* label = new QLabel(QStringLiteral("Label %1").arg(k), this);
            mnemex::PlaceTwips(label, 100 + (k % 10) * 1000, 100 + (k / 10) * 400, 900, 300);
        }
    }
};

double MicrosecondsPer(qint64 nanoseconds, int count) {
    return static_cast<double>(nanoseconds) / 1000.0 / count;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    TestContext t;
    for (int controls : {40, 200}) {
        CrowdedPage page(t.pages.Context(), controls);
        page.SetClientSizeTwips(6000, 4000);
        page.show();
        QCoreApplication::processEvents();
        QScrollBar* bar = page.VerFormScroll();
        const int steps = 2000;
        QElapsedTimer timer;
        timer.start();
        for (int k = 1; k <= steps; ++k) {
            bar->setValue(k);
        }
        const qint64 ns = timer.nsecsElapsed();
        out << "scroll step, " << controls << " controls: " << MicrosecondsPer(ns, steps)
            << " us\n";
    }

    QTemporaryDir dir;
    for (int k = 0; k < 1000; ++k) {
        QDir(dir.path()).mkdir(QStringLiteral("folder%1").arg(k));
    }
    for (int k = 0; k < 5000; ++k) {
        QFile f(dir.path() + QStringLiteral("/file%1.%2").arg(k).arg(k % 2 ? "net" : "txt"));
        f.open(QIODevice::WriteOnly);
    }
    mnemex::FolderList folders;
    mnemex::FileList files;
    files.SetPattern(QStringLiteral("*.net"));
    QElapsedTimer timer;
    timer.start();
    const int rounds = 20;
    // Into the crowded folder and back out of one of its (empty) subfolders.
    for (int k = 0; k < rounds; ++k) {
        folders.SetPath(k % 2 ? dir.path() + QStringLiteral("/folder0") : dir.path());
    }
    out << "folder list, 1000 subfolders: "
        << MicrosecondsPer(timer.nsecsElapsed(), rounds / 2) / 1000.0 << " ms per visit\n";
    timer.restart();
    for (int k = 0; k < rounds; ++k) {
        files.SetPath(dir.path());
    }
    out << "file list, 5000 files, 2500 matching: "
        << MicrosecondsPer(timer.nsecsElapsed(), rounds) / 1000.0 << " ms per listing ("
        << files.ListCount() << " listed)\n";
    return 0;
}
