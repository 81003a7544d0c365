// Not a test: takes the pictures of the inside page and the compare view for the docs.
//   inside_gallery OUTDIR
// letters.net after Hebb and after Delta training (pattern 3, output unit 2 explained, a
// noisy probe), and dependent.net with three kept runs and the least-squares line.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "core/TrainingFile.h"
#include "pages/framework/PageManager.h"
#include "pages/inside/CompareRunsPage.h"
#include "pages/inside/InsideMemoryPage.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/MainPages.h"
#include "tests/support/ScriptedDialogBackend.h"
#include "tests/support/ScriptedPlatform.h"

using namespace mnemex;

namespace {

struct Program : testsupport::ScriptedPlatform {
    PageManager& pages = manager;

    Program() {
        pages::RegisterMainPages(pages);
        pages.RegisterPage<inside::InsideMemoryPage>();
        pages.RegisterPage<inside::CompareRunsPage>();
    }
    pages::DistMemPage* Setup(const char* file) {
        ReadTrainingFile(state, std::string(MNEMEX_EXAMPLES_DIR) + "/" + file);
        state.TrainingFileName = file;
        state.NewRun = 1;
        return dynamic_cast<pages::DistMemPage*>(pages.Show(QStringLiteral("DistMem")));
    }
    void Train(pages::DistMemPage* setup, bool delta, const char* rate, const char* epochs) {
        (delta ? static_cast<QAbstractButton*>(setup->DeltaOption()) : setup->HebbOption())
            ->click();
        setup->RateBox()->setText(QString::fromLatin1(rate));
        setup->MaxEpochsBox()->setText(QString::fromLatin1(epochs));
        setup->PrintEpochsBox()->setText(QStringLiteral("1"));
        setup->StartTrainingButton()->click();
    }
};

void Save(QWidget* page, const QString& path) {
    page->show();
    page->raise();
    for (int k = 0; k < 10; ++k) {
        QCoreApplication::processEvents();
        QTest::qWait(30);
    }
    page->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

void Inside(Program& p, const QString& path) {
    auto* page =
        dynamic_cast<inside::InsideMemoryPage*>(p.pages.Show(QStringLiteral("LookInside")));
    page->Refresh();
    page->PatternBox()->setValue(3);
    page->ExplainOutput(2);
    page->NoiseBox()->setText(QStringLiteral("0.2"));
    page->ZeroBox()->setText(QStringLiteral("0.1"));
    page->SeedBox()->setText(QStringLiteral("7"));
    page->Probe_Click();
    Save(page, path);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    {
        Program p;
        auto* setup = p.Setup("letters.net");
        p.Train(setup, false, "0.1", "1");
        Inside(p, out + QStringLiteral("/mnemex-inside-hebb.png"));
        p.Train(setup, true, "0.05", "100");
        Inside(p, out + QStringLiteral("/mnemex-inside-delta.png"));
    }
    {
        Program p;
        auto* setup = p.Setup("dependent.net");
        for (const char* rate : {"0.02", "0.1", "0.3"})
            p.Train(setup, true, rate, "100");
        auto* compare =
            dynamic_cast<inside::CompareRunsPage*>(p.pages.Show(QStringLiteral("CompareRuns")));
        for (int row = 0; row < compare->RunList()->count(); ++row)
            compare->RunList()->item(row)->setCheckState(Qt::Checked);
        Save(compare, out + QStringLiteral("/mnemex-compare-runs.png"));
        compare->LogScaleCheck()->click();
        Save(compare, out + QStringLiteral("/mnemex-compare-runs-log.png"));
    }
    return 0;
}
