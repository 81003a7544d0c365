#pragma once
// The browser's training session: the student's road through one network, with JSON text in
// and out so that a page script can drive it. It owns the network state and a
// TrainingSession on it, as every front end does, and never calls the learning rules, the
// run or the saved-network file itself. Files the core reads or writes (the training file,
// a saved network) live under the session's own folder: the browser's in-memory file
// system, or a scratch folder when built natively.
//
// Every method that answers returns one JSON object; "ok": false with a "message" when the
// request could not be served.

#include <array>
#include <cstdint>
#include <string>

#include "core/PublicStuff.h"
#include "core/TrainingRun.h"
#include "core/TrainingSession.h"
#include "web/session/BrowserNumbers.h"

namespace mnemex::web {

// The four lines of the setup page's training display as a run leaves them: the training
// line, epochs, total SSE and change in SSE, with the colours of the last two.
class DisplayLines : public TrainingDisplay {
  public:
    void ShowPanels() override { shown_ = true; }
    void StartProgress(double maximum) override;
    void ShowTrainingLine(const std::string& text) override { lines_[0] = text; }
    void StepProgress() override { progressValue_ += 1.0; }
    void Printout(const std::string& epochsLine, const std::string& totalLine,
                  const std::string& changeLine, PanelColour changeColour) override;
    void FinalDisplay(const std::string& epochsLine, const std::string& totalLine,
                      PanelColour totalColour, const std::string& changeLine) override;
    void ReEnable() override { progressVisible_ = false; }
    bool StopRequested() override { return stop_; }

    void RequestStop() { stop_ = true; }
    // Start Training blanks the three number lines before it reads any entry.
    void ClearNumbers();
    // Lines and colours as a saved network's last run left them.
    void Show(const std::array<std::string, 4>& lines, PanelColour totalColour);
    // {"shown", "lines": [4], "colours": [4], "progress": {"visible", "maximum", "value"}}
    std::string Json() const;
    void BeginRun();

  private:
    bool shown_ = false;
    std::array<std::string, 4> lines_;
    std::array<PanelColour, 4> colours_{PanelColour::kButtonFace, PanelColour::kButtonFace,
                                        PanelColour::kButtonFace, PanelColour::kButtonFace};
    bool progressVisible_ = false;
    double progressMaximum_ = 0.0;
    double progressValue_ = 0.0;
    bool stop_ = false;
};

class WebSession {
  public:
    // `folder` is created if need be and removed with the session.
    explicit WebSession(std::string folder = "/mnemex");
    ~WebSession();
    WebSession(const WebSession&) = delete;
    WebSession& operator=(const WebSession&) = delete;

    // The browser language's decimal and group signs, for every number typed in the form.
    void SetNumberSigns(const std::string& decimal, const std::string& group);

    // A training file (its name and contents) as a new network to train: {"ok", "info"}.
    std::string OpenTrainingFile(const std::string& name, const std::string& text);
    // {"file", "outputs", "inputs", "patterns", "rule", "epochs", "total_sse",
    // "can_continue", "can_save", "running"}.
    std::string Info() const;

    // Start or Continue with the form's entries as typed:
    // {"mode": "start"|"continue", "rule": "hebb"|"delta", "rate", "epochs", "min_error",
    //  "print_interval" (texts), "epoch_test", "error_test" (booleans),
    //  "order": "file"|"permuted", "seed" (text)}.
    // Answers {"ok", "accepted", "warning", "title", "message", "hint", "focus",
    // "epochs_text", "rate_text", "seed_text", "tick_both", "display"}; once accepted the run
    // has begun and Advance trains it.
    std::string Prepare(const std::string& request);
    // Trains at most `epochs` more epochs of the run: {"ended", "display", "history_from",
    // "history": [[epoch, total SSE], ...] (the rows recorded since the last answer)}; when
    // the run has ended also "outcome" ("finished", "stopped", "failed"), "message", "hint"
    // and "info".
    std::string Advance(int epochs);
    // The run ends after the epoch under way, as a stopping test would end it.
    void RequestStop();
    // Every weight back to 0; the epoch count and history stay: {"ok", "info"}.
    std::string Reset();

    // Probes the pattern number as typed: {"ok", "block", "text"} (text: every block so far,
    // the newest on top) or {"ok": false, "title", "message"}.
    std::string Probe(const std::string& typed);
    // {"sections": "general,responses,...", "date", "time"}: {"ok", "name", "text"}.
    std::string Report(const std::string& request);
    // {"rows": [[epoch, total SSE], ...]}
    std::string History() const;

    // {"outputs", "inputs", "input_width" (units across an input picture), "limit",
    // "weights": [per output unit: [per input unit]]}
    std::string Weights() const;
    // Pattern p's input, desired, recalled and error values with their widths and scales.
    std::string PatternPictures(int p) const;
    // {"rows": [{"pattern", "sse", "ndp", "nvl", "vcor"}, ...]}
    std::string TestAll() const;
    // {"ok", "lines": [...] with six significant digits, "exact": [...] with every digit}
    std::string ExplainUnit(int p, int j) const;

    // The network as a saved-network file: {"ok", "name", "text"}.
    std::string SaveNetwork();
    // A saved network (its name and contents) on the training file opened now:
    // {"ok", "form": the entries its last run was set up with, "display", "info"} or
    // {"ok": false, "message", "training_name", "wrong_training_file"}; with no training file
    // open, or another one, "training_name" says which file to open first.
    std::string OpenSavedNetwork(const std::string& name, const std::string& text);

    // {"ok", "name", "text"} for the weights (one line per output unit), every pattern's
    // recall measures and the SSE history, as CSV.
    std::string WeightsCsv() const;
    std::string MeasuresCsv() const;
    std::string HistoryCsv() const;

  private:
    std::string InfoObject() const;
    std::string Stem() const;
    std::string RefuseWhileRunning() const;

    std::string folder_;
    PublicStuff state_;
    TrainingSession session_;
    DisplayLines display_;
    NumberConventions signs_;
    std::string probeText_;
    int historySent_ = 0;
    int filesOpened_ = 0;
};

}  // namespace mnemex::web
