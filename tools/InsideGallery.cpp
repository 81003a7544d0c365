// Not a test: takes the pictures of the inside page and the compare view for the docs.
//   inside_gallery OUTDIR
// letters.net after Hebb and after Delta training (pattern 3, output unit 2 explained, a
// noisy probe), and dependent.net with three kept runs and the least-squares line. Then the
// pages a student meets less often: dependent.net's tiny errors, the page after another
// file has been trained (hover and probe from letters.net before), wide patterns (300
// inputs) and an 8 x 64 Hinton diagram, a run stopped by the Stop button among the runs, the
// setup page's hint after a run whose weights overflowed, and the hub after a run.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "core/TrainingFile.h"
#include "pages/framework/PageManager.h"
#include "pages/inside/CompareRunsPage.h"
#include "pages/inside/InsideMemoryPage.h"
#include "pages/inside/WeightView.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/MainPages.h"
#include "pages/main/TestDAMPage.h"
#include "tests/support/LargeTrainingFile.h"
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
        return SetupFrom(std::string(MNEMEX_EXAMPLES_DIR) + "/" + file, file);
    }
    pages::DistMemPage* SetupFrom(const std::string& path, const char* file) {
        ReadTrainingFile(state, path);
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

void HoverWeight(inside::InsideMemoryPage* page, int output, int input) {
    // The centre of that cell, found by asking the view where its cells are.
    for (int y = 0; y < page->Weights()->height(); ++y)
        for (int x = 0; x < page->Weights()->width(); ++x)
            if (page->Weights()->CellAt({x, y}) == std::pair{output, input}) {
                QTest::mouseMove(page->Weights(), {x, y});
                return;
            }
}

void LessOften(const QString& out) {
    {
        Program p;
        auto* setup = p.Setup("dependent.net");
        p.Train(setup, true, "0.1", "100");
        auto* page =
            dynamic_cast<inside::InsideMemoryPage*>(p.pages.Show(QStringLiteral("LookInside")));
        page->Refresh();
        Save(page, out + QStringLiteral("/mnemex-inside-dependent.png"));
    }
    {
        // letters.net with a hover and a probe, then dependent.net trained while it stays open.
        Program p;
        auto* setup = p.Setup("letters.net");
        p.Train(setup, true, "0.05", "20");
        Inside(p, out + QStringLiteral("/mnemex-inside-letters-probe.png"));
        auto* page = p.pages.FindAs<inside::InsideMemoryPage>(QStringLiteral("LookInside"));
        page->show();
        QTest::qWait(50);
        HoverWeight(page, 7, 60);
        setup = p.Setup("dependent.net");
        p.Train(setup, true, "0.1", "50");
        page->Tick();
        page->Tick();
        Save(page, out + QStringLiteral("/mnemex-inside-after-another-file.png"));
    }
    QTemporaryDir folder;
    const std::string wide =
        QFile::encodeName(folder.filePath(QStringLiteral("wide.net"))).toStdString();
    const std::string tall =
        QFile::encodeName(folder.filePath(QStringLiteral("tall.net"))).toStdString();
    testsupport::WriteLargeTrainingFile(wide, 300, 300, 4);
    testsupport::WriteLargeTrainingFile(tall, 64, 8, 4);
    {
        Program p;
        auto* setup = p.SetupFrom(wide, "wide.net");
        p.Train(setup, false, "0.000001", "1");
        auto* page =
            dynamic_cast<inside::InsideMemoryPage*>(p.pages.Show(QStringLiteral("LookInside")));
        page->Refresh();
        Save(page, out + QStringLiteral("/mnemex-inside-300-units.png"));
    }
    {
        Program p;
        auto* setup = p.SetupFrom(tall, "tall.net");
        p.Train(setup, false, "0.000001", "1");
        auto* page =
            dynamic_cast<inside::InsideMemoryPage*>(p.pages.Show(QStringLiteral("LookInside")));
        page->Refresh();
        page->HintonCheck()->click();
        Save(page, out + QStringLiteral("/mnemex-inside-hinton-8x64.png"));
    }
    {
        // A run that only the error level could end, stopped with the Stop button.
        Program p;
        auto* setup = p.Setup("letters.net");
        p.Train(setup, true, "0.05", "30");
        setup->StopCheckBoxes()[0]->setChecked(false);
        setup->StopCheckBoxes()[1]->setChecked(true);
        setup->MinimumErrorBox()->setText(QStringLiteral("0"));
        QTimer::singleShot(1500, setup->StopTrainingButton(), &QPushButton::click);
        setup->StartTrainingButton()->click();
        setup->StopCheckBoxes()[0]->setChecked(true);
        setup->StopCheckBoxes()[1]->setChecked(false);
        setup->PrintEpochsBox()->setText(QStringLiteral("7"));
        setup->MaxEpochsBox()->setText(QStringLiteral("100"));
        setup->StartTrainingButton()->click();
        // A rate at which the weights overflow: the message, then the hint beside it.
        setup->RateBox()->setText(QStringLiteral("150"));
        setup->StartTrainingButton()->click();
        Save(setup, out + QStringLiteral("/mnemex-setup-hint.png"));
        setup->RateBox()->setText(QStringLiteral("0.05"));
        setup->StartTrainingButton()->click();
        setup->TestRecallButton()->click();
        Save(p.pages.FindAs<pages::TestDAMPage>(QStringLiteral("TestDAM")),
             out + QStringLiteral("/mnemex-hub.png"));
        auto* compare =
            dynamic_cast<inside::CompareRunsPage*>(p.pages.Show(QStringLiteral("CompareRuns")));
        for (int row = 0; row < compare->RunList()->count(); ++row)
            compare->RunList()->item(row)->setCheckState(Qt::Checked);
        Save(compare, out + QStringLiteral("/mnemex-compare-runs-stopped.png"));
        compare->LogScaleCheck()->click();  // letters.net's least-squares SSE is all but 0
        Save(compare, out + QStringLiteral("/mnemex-compare-runs-stopped-log.png"));
        // Runs on two files: each legend names its file, rate and order in full.
        compare->LogScaleCheck()->click();
        setup = p.Setup("dependent.net");
        setup->PatternOrderBox()->setCurrentIndex(1);
        setup->SeedEntryBox()->setText(QStringLiteral("9223372036854775807"));
        p.Train(setup, true, "0.123456789", "100");
        compare->Rebuild();
        for (int row = 0; row < compare->RunList()->count(); ++row)
            compare->RunList()->item(row)->setCheckState(Qt::Checked);
        Save(compare, out + QStringLiteral("/mnemex-compare-runs-two-files.png"));
    }
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
    LessOften(out);
    return 0;
}
