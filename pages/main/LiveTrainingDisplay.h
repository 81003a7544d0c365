#pragma once
// The training run's display on the setup page, drawn as often as a screen can show it.
//
// A run calls its display once per epoch; drawing (and letting the window system catch up)
// that often would make a long run mostly drawing. This display remembers the latest lines
// and progress and hands them to the screen at most once per frame interval, and only then
// lets pending user input through, which is where a Stop request can arrive.

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "core/TrainingRun.h"

namespace mnemex::pages {

// Where the display goes: the setup page's four text panels, its progress bar and entries.
class TrainingPanelSink {
  public:
    virtual ~TrainingPanelSink() = default;
    // The four panels become visible.
    virtual void ShowPanels() = 0;
    // Panel `panel` (0..3) cleared and showing `text` (empty: cleared only).
    virtual void SetPanelText(int panel, const std::string& text) = 0;
    virtual void SetPanelColour(int panel, PanelColour colour) = 0;
    // The progress bar: range 0..maximum, value, visibility.
    virtual void SetProgress(double maximum, double value, bool visible) = 0;
    // Final display drawn: panels 1 to 3 keep their contents from now on.
    virtual void MakePanelsPersistent() = 0;
    // The entries usable again, Test Recall and Continue offered, progress bar hidden.
    virtual void ReEnable() = 0;
    // Lets the screen repaint and pending input be handled (a Stop press, Esc).
    virtual void Pump() = 0;
    // True once the user has asked the run to stop.
    virtual bool StopWanted() const = 0;
};

class LiveTrainingDisplay : public TrainingDisplay {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds kFrameInterval{16};

    explicit LiveTrainingDisplay(TrainingPanelSink& sink, Clock clock = nullptr,
                                 std::chrono::nanoseconds interval = kFrameInterval);

    void ShowPanels() override;
    void StartProgress(double maximum) override;
    void ShowTrainingLine(const std::string& text) override;
    void StepProgress() override;
    void Printout(const std::string& epochsLine, const std::string& totalLine,
                  const std::string& changeLine, PanelColour changeColour) override;
    void FinalDisplay(const std::string& epochsLine, const std::string& totalLine,
                      PanelColour totalColour, const std::string& changeLine) override;
    void ReEnable() override;
    bool StopRequested() override;

    // Puts on screen whatever is still waiting for the next frame (the run ended without a
    // final display, e.g. by an error).
    void DrawWaiting() { Flush(); }

    // Number of times the screen was brought up to date during the run.
    int Frames() const { return frames_; }

  private:
    void Flush();
    std::chrono::steady_clock::time_point Now() const;

    TrainingPanelSink& sink_;
    Clock clock_;
    std::chrono::nanoseconds interval_;
    std::chrono::steady_clock::time_point lastFrame_;

    bool progressVisible_ = false;
    double progressMaximum_ = 0.0;
    double progressValue_ = 0.0;
    bool progressDirty_ = false;

    // Latest printout not yet on screen.
    bool printoutDirty_ = false;
    std::array<std::string, 3> lines_;  // panels 1 to 3
    std::optional<PanelColour> changeColour_;
    int frames_ = 0;
};

}  // namespace mnemex::pages
