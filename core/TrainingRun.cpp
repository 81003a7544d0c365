#include "core/TrainingRun.h"

#include <cmath>

#include "core/Learning.h"
#include "core/NumberForms.h"
#include "core/Recall.h"
#include "core/TrainingEpoch.h"

namespace mnemex {

std::string EpochsLine(std::int32_t epochCount) {
    return "Epochs: " + FormatWhole(epochCount);
}
std::string TotalSSELine(double totalSSE) {
    return "Total SSE: " + FormatStandard(totalSSE);
}
std::string ChangeInSSELine(double change) {
    return "Change in SSE: " + FormatScientific(change);
}

namespace {

struct RunLoop {
    PublicStuff& state;
    TrainingDisplay& display;
    double previousTotal = 0.0;
    double change = 0.0;
    std::int32_t sincePrintout = 0;
    bool interrupted = false;

    void Run() {
        CheckedCount(state.NumInputs);
        CheckedCount(state.NumOutputs);
        CheckedCount(state.NumPatterns);
        EpochTrainer trainer(state);
        if (state.EpochCount == 0) {
            state.SSECount = 1;
            state.SSEHistory[1][1] = 0;
            state.SSEHistory[1][2] = trainer.MeasureTotalSSE();
        }
        previousTotal = state.TotalSSE;
        for (bool stop = false; !stop;) {
            if (state.EpochCount == INT32_MAX)
                throw RunTimeException(kOverflow);
            ++state.EpochCount;
            ++sincePrintout;
            if (state.StopAtMaxEpochs == 1)
                display.StepProgress();
            trainer.RunEpoch();
            if (state.EpochCount == 1) {
                previousTotal = state.TotalSSE;
            } else {
                change = FiniteOrOverflow(previousTotal - state.TotalSSE);
                previousTotal = state.TotalSSE;
            }
            if (sincePrintout == state.PrintInterval)
                Printout();
            stop = StoppingTestHolds();
            if (!stop && display.StopRequested()) {
                interrupted = true;
                stop = true;
            }
        }
    }

    void Printout() {
        sincePrintout = 0;
        const bool first = state.EpochCount == 1;
        display.Printout(EpochsLine(state.EpochCount), TotalSSELine(state.TotalSSE),
                         first ? std::string() : ChangeInSSELine(change),
                         change >= 0 ? PanelColour::kGreen : PanelColour::kRed);
        if (state.SSECount < kHistoryRows) {
            ++state.SSECount;
            state.SSEHistory[static_cast<std::size_t>(state.SSECount)][1] = state.EpochCount;
            state.SSEHistory[static_cast<std::size_t>(state.SSECount)][2] = state.TotalSSE;
        }
    }

    bool StoppingTestHolds() const {
        // Reaching or passing the maximum ends the run, so a maximum at or below the epoch
        // count a run started from cannot make it go on for ever.
        if (state.StopAtMaxEpochs == 1 && state.EpochCount >= state.MaxEpochs)
            return true;
        if (state.StopAtMinError == 1 && state.TotalSSE < state.MinError)
            return true;
        return false;
    }

    void Final() {
        display.FinalDisplay(
            EpochsLine(state.EpochCount), TotalSSELine(state.TotalSSE),
            state.TotalSSE >= state.MinError ? PanelColour::kRed : PanelColour::kGreen,
            state.EpochCount == 1 ? std::string() : ChangeInSSELine(change));
        display.ReEnable();
    }
};

}  // namespace

RunResult TrainNetwork(PublicStuff& state, TrainingDisplay& display, double progressMaximum) {
    RunLoop loop{state, display};
    RunResult result;
    result.Error = TrapErrors([&] {
        display.ShowPanels();
        if (state.StopAtMaxEpochs == 1)
            display.StartProgress(progressMaximum);
        if (state.NewRun == 1) {
            display.ShowTrainingLine("Training: " + state.TrainingFileName);
            state.EpochCount = 0;
        }
        loop.Run();
    });
    if (result.Error.Number != 0) {
        result.Outcome = RunOutcome::kFailed;
        return result;
    }
    loop.Final();
    if (state.EpochCount != 1)
        result.Change = loop.change;
    result.Outcome = loop.interrupted ? RunOutcome::kInterrupted : RunOutcome::kFinished;
    return result;
}

}  // namespace mnemex
