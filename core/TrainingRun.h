#pragma once
// The training run: epochs of learning steps, the progress display, the SSE history
// and the stopping tests.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/PublicStuff.h"
#include "core/RunTimeError.h"

namespace mnemex {

// Background signal of a display panel.
enum class PanelColour { kGreen, kRed, kButtonFace };

// What the run shows on its display. The setup page draws these on its four text panels
// and progress bar; the batch command prints or ignores them. Calls come in run order.
class TrainingDisplay {
  public:
    virtual ~TrainingDisplay() = default;
    // The four panels become visible.
    virtual void ShowPanels() = 0;
    // The progress bar: minimum 0, the given maximum, value 0, visible.
    virtual void StartProgress(double maximum) = 0;
    // Panel 0 cleared and the "Training: " line printed in it (new runs only).
    virtual void ShowTrainingLine(const std::string& text) = 0;
    // One epoch more on the progress bar.
    virtual void StepProgress() = 0;
    // A printout epoch: panels 1 to 3 cleared, then the given lines. `changeLine` is empty
    // on epoch 1, and then panel 3 keeps its colour.
    virtual void Printout(const std::string& epochsLine, const std::string& totalLine,
                          const std::string& changeLine, PanelColour changeColour) = 0;
    // The end of a run: panels 1 to 3 redrawn to stay, panel 2 coloured by the error level,
    // panel 3 neutral.
    virtual void FinalDisplay(const std::string& epochsLine, const std::string& totalLine,
                              PanelColour totalColour, const std::string& changeLine) = 0;
    // The entry controls usable again, Test Recall and Continue offered, progress bar hidden.
    virtual void ReEnable() = 0;
    // Asked after every epoch: true ends the run there as if a stopping test had held.
    virtual bool StopRequested() { return false; }
};

enum class RunOutcome {
    kFinished,     // a stopping test held
    kInterrupted,  // the user stopped it; the final display was drawn as for a normal end
    kFailed,       // a run-time error ended it; see `error`
    kRefused,      // the settings check refused to start it; nothing was trained
};

struct RunResult {
    RunOutcome Outcome = RunOutcome::kFinished;
    RunTimeError Error;  // set when Outcome is kFailed
    // The change in total SSE over the last epoch (previous total - last total), as the
    // final display shows it; none when the run ended at epoch 1 or failed.
    std::optional<double> Change;
};

// The display lines of the run, for anything else that wants to show them.
std::string EpochsLine(std::int32_t epochCount);
std::string TotalSSELine(double totalSSE);
std::string ChangeInSSELine(double change);

// One training run, which may be trained in slices of epochs: a caller without threads
// (a browser's worker) trains a slice, looks at its messages and trains the next. The
// epochs, display calls and numbers are those of one uninterrupted run whatever the
// slices. Errors are trapped: they end the run, leaving the state as far as it got and
// never storing inf or NaN. Nothing else may change the state while the run is open.
class TrainingRun {
  public:
    // Begins the run: panels and progress bar shown, and for a new run (NewRun 1) the
    // "Training: " line and the epoch count back to 0. `progressMaximum` is the number of
    // epochs requested for this call (the setup page's epochs box).
    TrainingRun(PublicStuff& state, TrainingDisplay& display, double progressMaximum);
    ~TrainingRun();
    TrainingRun(const TrainingRun&) = delete;
    TrainingRun& operator=(const TrainingRun&) = delete;

    // Trains at most `epochs` more epochs; ends the run (final display included) when a
    // stopping test holds, the display asks to stop or an error ends it. True once ended.
    bool Advance(std::int64_t epochs);
    bool Ended() const { return ended_; }
    // How the run ended; only meaningful once Ended().
    const RunResult& Result() const { return result_; }

  private:
    struct Loop;
    void Fail(RunTimeError error);
    void Finish();

    PublicStuff& state_;
    std::unique_ptr<Loop> loop_;
    RunResult result_;
    bool ended_ = false;
};

// One whole training run (a TrainingRun advanced until it ends). Starts a new run when
// NewRun is 1, else continues; trains until a stopping test holds or the display asks to
// stop.
RunResult TrainNetwork(PublicStuff& state, TrainingDisplay& display, double progressMaximum);

// A display that shows nothing, for runs without a screen.
class SilentDisplay : public TrainingDisplay {
  public:
    void ShowPanels() override {}
    void StartProgress(double) override {}
    void ShowTrainingLine(const std::string&) override {}
    void StepProgress() override {}
    void Printout(const std::string&, const std::string&, const std::string&,
                  PanelColour) override {}
    void FinalDisplay(const std::string&, const std::string&, PanelColour,
                      const std::string&) override {}
    void ReEnable() override {}
};

}  // namespace mnemex
