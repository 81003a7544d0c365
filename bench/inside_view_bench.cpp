// How fast the weight view draws and what keeping it open costs a training run.
//   inside_view_bench [epochs (400)] [patterns (20)]
// 1. A 784 x 784 weight matrix drawn to a QImage offscreen: one pixel per weight scaled into
//    the view's 420 x 360 pixels, and as the page draws it, one pixel per pixel of the view.
// 2. The same run started on the setup page with and without the page open beside it
//    (784 inputs, 784 outputs, Delta rule), alternating, best of 5 each.
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <random>

#include "core/PublicStuff.h"
#include "core/Recall.h"
#include "pages/framework/PageManager.h"
#include "pages/inside/InsideMemoryPage.h"
#include "pages/inside/WeightColours.h"
#include "pages/inside/WeightView.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/MainPages.h"
#include "tests/support/ScriptedPlatform.h"

using namespace mnemex;

namespace {

constexpr int kUnits = 784;

void FillImages(PublicStuff& s, int patterns) {
    s.NumInputs = kUnits;
    s.NumOutputs = kUnits;
    s.NumPatterns = patterns;
    s.InputPatterns.Reallocate(kUnits, patterns);
    s.DesiredOutputs.Reallocate(kUnits, patterns);
    std::mt19937_64 engine(5);
    for (int p = 1; p <= patterns; ++p)
        for (int i = 1; i <= kUnits; ++i) {
            s.InputPatterns(i, p) = double(engine() % 256) / 255.0 / 28.0;
            s.DesiredOutputs(i, p) = double(engine() % 256) / 255.0;
        }
    s.TrainingFileName = "images-784x784.net";
    s.ReallocateNetwork();
}

// Best of 20: the heat map rendered into a picture kept from the last redraw (at most
// `most` pixels, or one pixel per weight) and drawn into the view's 420 x 360 pixels.
double BestDrawMs(const WeightMatrix& weights, QSize most) {
    double best = 1e300;
    QImage view(420, 360, QImage::Format_RGB32);
    QImage heat;
    for (int k = 0; k < 20; ++k) {
        QElapsedTimer t;
        t.start();
        inside::RenderHeatMap(weights, inside::LargestMagnitude(weights), heat, most);
        QPainter painter(&view);
        painter.drawImage(QRect(0, 0, 420, 360), heat);
        painter.end();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

// An unloaded page is deleted by the event loop; this program never returns to it, so the
// deletion is run here, or the "without" runs would still carry the page.
void SettleUnload() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int epochs = argc > 1 ? std::atoi(argv[1]) : 400;
    const int patterns = argc > 2 ? std::atoi(argv[2]) : 20;

    WeightMatrix weights;
    weights.Reallocate(kUnits, kUnits);
    std::mt19937_64 engine(1);
    for (double& w : weights.Storage())
        w = (double(engine() % 2001) - 1000.0) / 1000.0;
    std::printf("784 x 784 heat map drawn to a QImage (%s), best of 20:\n",
                qPrintable(QGuiApplication::platformName()));
    std::printf("  one pixel per weight, scaled into 420 x 360: %.2f ms\n",
                BestDrawMs(weights, QSize()));
    std::printf("  as the view draws it, 420 x 360 pixels:      %.2f ms\n",
                BestDrawMs(weights, QSize(420, 360)));

    testsupport::ScriptedPlatform platform;
    PublicStuff& state = platform.state;
    FillImages(state, patterns);
    state.NewRun = 1;
    PageManager& pages = platform.manager;
    pages::RegisterMainPages(pages);
    pages.RegisterPage<inside::InsideMemoryPage>();
    auto* setup = dynamic_cast<pages::DistMemPage*>(
        pages.Show(QString::fromLatin1(pages::DistMemPage::kName)));
    setup->DeltaOption()->click();
    setup->MaxEpochsBox()->setText(QString::number(epochs));
    setup->PrintEpochsBox()->setText(QStringLiteral("1"));
    setup->RateBox()->setText(QStringLiteral("0.01"));

    {
        // One tick of the open page while the weights change, as during a run.
        pages.Show(QString::fromLatin1(inside::InsideMemoryPage::kName));
        auto* page = pages.FindAs<inside::InsideMemoryPage>(
            QString::fromLatin1(inside::InsideMemoryPage::kName));
        double bestTick = 1e300;
        for (int k = 0; k < 10; ++k) {
            state.Weights.SetWeight(1, 1, 0.001 * (k + 1));
            QElapsedTimer t;
            t.start();
            page->Tick();
            page->Weights()->repaint();
            page->Scale()->repaint();
            bestTick = std::min(bestTick, t.nsecsElapsed() / 1e6);
        }
        std::printf("one redraw of the open page's weight view while weights change: %.2f ms\n",
                    bestTick);
        pages.Unload(QString::fromLatin1(inside::InsideMemoryPage::kName));
        SettleUnload();
    }

    double best[2] = {1e300, 1e300};
    int redraws = 0;
    for (int round = 0; round < 10; ++round) {
        const bool open = round % 2 == 1;
        // A student opens the page before starting: its first layout, paint and figures are
        // done in the 300 ms every run waits before it starts.
        if (open)
            pages.Show(QString::fromLatin1(inside::InsideMemoryPage::kName));
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 300)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        auto* page = pages.FindAs<inside::InsideMemoryPage>(
            QString::fromLatin1(inside::InsideMemoryPage::kName));
        const int before = page ? page->Weights()->Redraws() : 0;
        QElapsedTimer t;
        t.start();
        setup->StartTrainingButton()->click();
        best[open] = std::min(best[open], t.nsecsElapsed() / 1e6);
        if (open) {
            redraws = page->Weights()->Redraws() - before;
            pages.Unload(QString::fromLatin1(inside::InsideMemoryPage::kName));
            SettleUnload();
        }
    }
    std::printf("%d epochs of %d patterns, 784 x 784, Delta, through the setup page:\n", epochs,
                patterns);
    std::printf("  without the view: %9.1f ms (%.1f ms/epoch)\n", best[0], best[0] / epochs);
    std::printf("  with the view:    %9.1f ms (%.1f ms/epoch), %d redraws during the run\n",
                best[1], best[1] / epochs, redraws);
    std::printf("  slowdown: %+.1f %%\n", 100.0 * (best[1] - best[0]) / best[0]);
    return 0;
}
