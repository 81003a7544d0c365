#include "pages/main/LiveTrainingDisplay.h"

namespace mnemex::pages {

LiveTrainingDisplay::LiveTrainingDisplay(TrainingPanelSink& sink, Clock clock,
                                         std::chrono::nanoseconds interval)
    : sink_(sink), clock_(std::move(clock)), interval_(interval), lastFrame_(Now()) {}

std::chrono::steady_clock::time_point LiveTrainingDisplay::Now() const {
    return clock_ ? clock_() : std::chrono::steady_clock::now();
}

void LiveTrainingDisplay::ShowPanels() {
    sink_.ShowPanels();
}

void LiveTrainingDisplay::StartProgress(double maximum) {
    progressVisible_ = true;
    progressMaximum_ = maximum;
    progressValue_ = 0.0;
    sink_.SetProgress(progressMaximum_, progressValue_, true);
    progressDirty_ = false;
}

void LiveTrainingDisplay::ShowTrainingLine(const std::string& text) {
    sink_.SetPanelText(0, text);
}

void LiveTrainingDisplay::StepProgress() {
    progressValue_ += 1.0;
    progressDirty_ = true;
}

void LiveTrainingDisplay::Printout(const std::string& epochsLine, const std::string& totalLine,
                                   const std::string& changeLine, PanelColour changeColour) {
    lines_ = {epochsLine, totalLine, changeLine};
    // Without a change line panel 3 keeps the colour it had.
    if (!changeLine.empty())
        changeColour_ = changeColour;
    printoutDirty_ = true;
}

void LiveTrainingDisplay::FinalDisplay(const std::string& epochsLine, const std::string& totalLine,
                                       PanelColour totalColour, const std::string& changeLine) {
    printoutDirty_ = false;
    changeColour_.reset();
    if (progressDirty_ && progressVisible_)
        sink_.SetProgress(progressMaximum_, progressValue_, true);
    progressDirty_ = false;
    sink_.SetPanelText(1, epochsLine);
    sink_.SetPanelColour(2, totalColour);
    sink_.SetPanelColour(3, PanelColour::kButtonFace);
    sink_.SetPanelText(2, totalLine);
    sink_.SetPanelText(3, changeLine);
    sink_.MakePanelsPersistent();
}

void LiveTrainingDisplay::ReEnable() {
    progressVisible_ = false;
    sink_.ReEnable();
    sink_.Pump();
}

bool LiveTrainingDisplay::StopRequested() {
    const auto now = Now();
    if (now - lastFrame_ >= interval_) {
        lastFrame_ = now;
        Flush();
        sink_.Pump();
    }
    return sink_.StopWanted();
}

void LiveTrainingDisplay::Flush() {
    ++frames_;
    if (progressDirty_ && progressVisible_)
        sink_.SetProgress(progressMaximum_, progressValue_, true);
    progressDirty_ = false;
    if (!printoutDirty_)
        return;
    printoutDirty_ = false;
    if (changeColour_)
        sink_.SetPanelColour(3, *changeColour_);
    changeColour_.reset();
    for (int k = 0; k < 3; ++k)
        sink_.SetPanelText(k + 1, lines_[static_cast<std::size_t>(k)]);
}

}  // namespace mnemex::pages
