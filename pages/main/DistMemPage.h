#pragma once
// DistMem: the setup and training page. The user picks the rule, the rate, how training
// ends and how often progress is printed, then trains, watches and goes on to test.

#include <QGroupBox>
#include <QProgressBar>
#include <array>

#include "pages/framework/Page.h"
#include "pages/framework/Slider.h"
#include "pages/framework/TextPanel.h"
#include "pages/framework/UpDown.h"
#include "pages/main/ControlMaker.h"
#include "pages/main/DistMemLogic.h"
#include "pages/main/LiveTrainingDisplay.h"

namespace mnemex::pages {

class DistMemPage : public Page, private TrainingPanelSink {
    Q_OBJECT
  public:
    static constexpr const char* kName = "DistMem";
    explicit DistMemPage(PageContext& context);

    void Form_Load() override;
    void Form_Activate() override;

    // Handlers, one per control event.
    void LRateSlider_Scroll();
    void MinErrorSlider_Click();
    void OptionHebb_Click();
    void OptionDelta_Click();
    void StartTraining_Click();
    void Continue_Click();
    void TestRecall_Click();
    void Command2_Click();
    // The Stop button (and Esc) while a run goes on.
    void StopTraining_Click();

    // The next activation starts from a fresh network (the hub's reset choice).
    void RequestWeightReset() { resetRule_.Request(); }
    // True while a training run is in progress.
    bool Training() const { return running_; }

    // Controls, by their page names.
    QLabel* Label1;
    QGroupBox* Frame1;
    QRadioButton* OptionHebb;
    QRadioButton* OptionDelta;
    QGroupBox* ConvergenceFrame;
    std::array<QCheckBox*, 2> Check1;
    QLineEdit* SweepsBox;
    UpDown* SweepsUpDown;
    QLabel* MaxSweepsLabel;
    QLineEdit* PrintSweepsBox;
    UpDown* PrintSweepsUpDown;
    QLabel* PrintSweepsLabel;
    QLineEdit* LRateBox;
    Slider* LRateSlider;
    QLabel* RateLabel;
    QLineEdit* MinErrorBox;
    Slider* MinErrorSlider;
    QLabel* MinErrorLabel;
    QPushButton* StartTraining;
    QPushButton* StopTraining;
    std::array<TextPanel*, 4> Picture1;
    QPushButton* Continue;
    QPushButton* TestRecall;
    QProgressBar* EpochProgress;
    QPushButton* Command2;
    QLabel* Label3;

  private:
    void BuildControls();
    ParameterEntries Entries() const;
    // The entry box `box` names, or nullptr.
    QLineEdit* BoxFor(EntryBox box) const;
    // Checks the settings; on success disables the entries and returns true.
    bool CheckParametersOnPage();
    void SetEntriesEnabled(bool enabled);
    void SlidersFromBoxes();
    void FreshNetwork();
    void RunTraining();
    double ProgressMaximum() const;

    // TrainingPanelSink
    void ShowPanels() override;
    void SetPanelText(int panel, const std::string& text) override;
    void SetPanelColour(int panel, PanelColour colour) override;
    void SetProgress(double maximum, double value, bool visible) override;
    void MakePanelsPersistent() override;
    void ReEnable() override;
    void Pump() override;
    bool StopWanted() const override { return stopRequested_; }

    NetworkResetRule resetRule_;
    bool running_ = false;
    bool stopRequested_ = false;
};

}  // namespace mnemex::pages
