// How long a long run takes through the setup page, next to the same run in the core alone
// and to a display that draws every printout. A classroom-sized example: 8 inputs, 8 outputs,
// 4 patterns, Delta rule, 50,000 epochs with a printout every epoch.
//   bench_setup_page [epochs]
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <array>
#include <cstdio>

#include "core/PublicStuff.h"
#include "core/Recall.h"
#include "core/TrainingRun.h"
#include "pages/framework/PageManager.h"
#include "pages/framework/TextPanel.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/MainPages.h"
#include "tests/support/ScriptedPlatform.h"

using namespace mnemex;
using namespace mnemex::pages;

namespace {

constexpr int kInputs = 8;
constexpr int kOutputs = 8;
constexpr int kPatterns = 4;

// A fixed example with overlapping inputs, so the Delta rule has work to do every epoch.
void FillExample(PublicStuff& s) {
    s.NumInputs = kInputs;
    s.NumOutputs = kOutputs;
    s.NumPatterns = kPatterns;
    s.InputPatterns.Reallocate(kInputs, kPatterns);
    s.DesiredOutputs.Reallocate(kOutputs, kPatterns);
    for (int p = 1; p <= kPatterns; ++p) {
        for (int i = 1; i <= kInputs; ++i)
            s.InputPatterns(i, p) = ((i * 3 + p * 5) % 7) / 7.0;
        for (int j = 1; j <= kOutputs; ++j)
            s.DesiredOutputs(j, p) = (j + p) % 3 == 0 ? 1.0 : 0.0;
    }
    s.TrainingFileName = "classroom-8x8x4.net";
    s.ReallocateNetwork();
}

void Configure(PublicStuff& s, int epochs) {
    s.NewRun = 1;
    s.EpochCount = 0;
    s.LearningRule = "Delta";
    s.LearningRate = 0.05;
    s.StopAtMaxEpochs = 1;
    s.StopAtMinError = 0;
    s.MaxEpochs = epochs;
    s.PrintInterval = 1;
    s.MinError = 0.05;
    ResetWeights(s);
}

// Draws every printout on four text panels at once, as a display without a frame limit would.
class EveryPrintoutDisplay : public TrainingDisplay {
  public:
    explicit EveryPrintoutDisplay(std::array<TextPanel*, 4> panels) : panels_(panels) {}
    void ShowPanels() override {}
    void StartProgress(double) override {}
    void ShowTrainingLine(const std::string& text) override { Show(0, text); }
    void StepProgress() override {}
    void Printout(const std::string& a, const std::string& b, const std::string& c,
                  PanelColour) override {
        Show(1, a);
        Show(2, b);
        Show(3, c);
        QCoreApplication::processEvents();
    }
    void FinalDisplay(const std::string& a, const std::string& b, PanelColour,
                      const std::string& c) override {
        Printout(a, b, c, PanelColour::kButtonFace);
    }
    void ReEnable() override {}

  private:
    void Show(int k, const std::string& text) {
        panels_[static_cast<std::size_t>(k)]->Cls();
        panels_[static_cast<std::size_t>(k)]->Print(QString::fromStdString(text));
    }
    std::array<TextPanel*, 4> panels_;
};

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int epochs = argc > 1 ? std::atoi(argv[1]) : 50000;

    // 1. The core alone.
    PublicStuff core;
    FillExample(core);
    Configure(core, epochs);
    SilentDisplay silent;
    QElapsedTimer t;
    t.start();
    TrainNetwork(core, silent, epochs);
    const double coreMs = t.nsecsElapsed() / 1e6;

    // 2. Through the setup page, as the user starts it.
    testsupport::ScriptedPlatform platform;
    PublicStuff& state = platform.state;
    FillExample(state);
    state.NewRun = 1;
    PageManager& pages = platform.manager;
    RegisterMainPages(pages);
    auto* setup = dynamic_cast<DistMemPage*>(pages.Show(QString::fromLatin1(DistMemPage::kName)));
    setup->DeltaOption()->click();
    setup->MaxEpochsBox()->setText(QString::number(epochs));
    setup->PrintEpochsBox()->setText(QStringLiteral("1"));
    setup->RateBox()->setText(QStringLiteral("0.05"));
    t.restart();
    setup->StartTrainingButton()->click();
    const double pageMs = t.nsecsElapsed() / 1e6;
    const bool same = state.EpochCount == core.EpochCount && state.TotalSSE == core.TotalSSE &&
                      state.Weights.Storage() == core.Weights.Storage();

    // 3. Drawing every printout on the same kind of panels.
    PublicStuff every;
    FillExample(every);
    Configure(every, epochs);
    QWidget window;
    std::array<TextPanel*, 4> panels{};
    for (int k = 0; k < 4; ++k) {
        panels[static_cast<std::size_t>(k)] = new TextPanel(&window);
        panels[static_cast<std::size_t>(k)]->setGeometry(10, 10 + 34 * k, 228, 32);
    }
    window.show();
    EveryPrintoutDisplay everyDisplay(panels);
    t.restart();
    TrainNetwork(every, everyDisplay, epochs);
    const double everyMs = t.nsecsElapsed() / 1e6;

    std::printf("%d epochs, %dx%dx%d, Delta, printout every epoch (%s platform)\n", epochs, kInputs,
                kOutputs, kPatterns, qPrintable(QGuiApplication::platformName()));
    std::printf("  core alone:                 %9.1f ms  (%.2f us/epoch)\n", coreMs,
                1000.0 * coreMs / epochs);
    std::printf("  setup page (Start Training): %8.1f ms  (%.2f us/epoch)  same result: %s\n",
                pageMs, 1000.0 * pageMs / epochs, same ? "yes" : "NO");
    std::printf("  drawing every printout:     %9.1f ms  (%.2f us/epoch)\n", everyMs,
                1000.0 * everyMs / epochs);
    std::printf("  final display: %s / %s\n",
                qPrintable(setup->TrainingPanels()[1]->Lines().value(0)),
                qPrintable(setup->TrainingPanels()[2]->Lines().value(0)));
    return same ? 0 : 1;
}
