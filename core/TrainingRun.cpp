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

// The epoch loop's own state, kept between slices so that a run trained in slices is the
// same run as one trained whole.
struct TrainingRun::Loop {
    PublicStuff& state;
    TrainingDisplay& display;
    EpochTrainer trainer;
    double previousTotal = 0.0;
    double change = 0.0;
    std::int32_t sincePrintout = 0;
    bool interrupted = false;

    Loop(PublicStuff& s, TrainingDisplay& d) : state(s), display(d), trainer(Checked(s)) {
        if (state.EpochCount == 0) {
            state.SSECount = 1;
            state.SSEHistory[1][1] = 0;
            state.SSEHistory[1][2] = trainer.MeasureTotalSSE();
        }
        previousTotal = state.TotalSSE;
    }

    static PublicStuff& Checked(PublicStuff& s) {
        CheckedCount(s.NumInputs);
        CheckedCount(s.NumOutputs);
        CheckedCount(s.NumPatterns);
        return s;
    }

    // One epoch; true when the run ends after it.
    bool Epoch() {
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
        if (StoppingTestHolds())
            return true;
        if (display.StopRequested()) {
            interrupted = true;
            return true;
        }
        return false;
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

TrainingRun::TrainingRun(PublicStuff& state, TrainingDisplay& display, double progressMaximum)
    : state_(state) {
    const RunTimeError error = TrapErrors([&] {
        display.ShowPanels();
        if (state.StopAtMaxEpochs == 1)
            display.StartProgress(progressMaximum);
        if (state.NewRun == 1) {
            display.ShowTrainingLine("Training: " + state.TrainingFileName);
            state.EpochCount = 0;
        }
        loop_ = std::make_unique<Loop>(state, display);
    });
    if (error.Number != 0)
        Fail(error);
}

TrainingRun::~TrainingRun() = default;

bool TrainingRun::Advance(std::int64_t epochs) {
    if (ended_)
        return true;
    bool stop = false;
    const RunTimeError error = TrapErrors([&] {
        for (std::int64_t k = 0; k < epochs && !stop; ++k)
            stop = loop_->Epoch();
    });
    // Whoever called may now read the state, and an error or the end of the run leaves it
    // exactly as the epochs left it.
    if (loop_)
        loop_->trainer.PublishWeights();
    if (error.Number != 0)
        Fail(error);
    else if (stop)
        Finish();
    return ended_;
}

void TrainingRun::Fail(RunTimeError error) {
    result_.Outcome = RunOutcome::kFailed;
    result_.Error = std::move(error);
    loop_.reset();
    ended_ = true;
}

void TrainingRun::Finish() {
    loop_->Final();
    if (state_.EpochCount != 1)
        result_.Change = loop_->change;
    result_.Outcome = loop_->interrupted ? RunOutcome::kInterrupted : RunOutcome::kFinished;
    loop_.reset();
    ended_ = true;
}

RunResult TrainNetwork(PublicStuff& state, TrainingDisplay& display, double progressMaximum) {
    TrainingRun run(state, display, progressMaximum);
    while (!run.Advance(INT64_MAX)) {
    }
    return run.Result();
}

}  // namespace mnemex
