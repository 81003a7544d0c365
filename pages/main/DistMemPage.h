#pragma once
// DistMem: the setup and training page. The user picks the rule, the rate, how training
// ends and how often progress is printed, then trains, watches and goes on to test.

#include <QComboBox>
#include <QGroupBox>
#include <QProgressBar>
#include <array>

#include "core/TrainingSession.h"
#include "pages/framework/ControlKit.h"
#include "pages/framework/Page.h"
#include "pages/framework/Slider.h"
#include "pages/framework/TextPanel.h"
#include "pages/framework/UpDown.h"
#include "pages/main/DistMemLogic.h"
#include "pages/main/LiveTrainingDisplay.h"
#include "pages/main/Notice.h"
#include "pages/main/SavedNetworkLogic.h"

namespace mnemex::pages {

class DistMemPage : public Page, private TrainingPanelSink {
    Q_OBJECT
  public:
    static constexpr const char* kName = "DistMem";
    static constexpr FrameDesign kFrame{10860, 9900, 360, 405, 0};
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
    void OrderBox_Click();
    void ShowSeedEntry();
    // The Stop button (and Esc) while a run goes on.
    void StopTraining_Click();
    // Saves the trained network to a file the user names; opens one saved before.
    void SaveNetwork_Click();
    void OpenSavedNetwork_Click();

    // The next activation starts from a fresh network (the hub's reset choice).
    void RequestWeightReset() { resetRule_.Request(); }
    // True while a training run is in progress.
    bool Training() const { return running_; }

    // The controls, by what they are.
    QLabel* TitleLabel() const { return Label1; }
    QGroupBox* RuleFrame() const { return Frame1; }
    QRadioButton* HebbOption() const { return OptionHebb; }
    QRadioButton* DeltaOption() const { return OptionDelta; }
    QGroupBox* EndingFrame() const { return ConvergenceFrame; }
    // End after the maximum number of epochs; end at the minimum error.
    const std::array<QCheckBox*, 2>& StopCheckBoxes() const { return Check1; }
    QLineEdit* MaxEpochsBox() const { return SweepsBox; }
    UpDown* MaxEpochsUpDown() const { return SweepsUpDown; }
    QLabel* MaxEpochsLabel() const { return MaxSweepsLabel; }
    QLineEdit* PrintEpochsBox() const { return PrintSweepsBox; }
    UpDown* PrintEpochsUpDown() const { return PrintSweepsUpDown; }
    QLabel* PrintEpochsLabel() const { return PrintSweepsLabel; }
    QLineEdit* RateBox() const { return LRateBox; }
    Slider* RateSlider() const { return LRateSlider; }
    QLabel* LearningRateLabel() const { return RateLabel; }
    QLineEdit* MinimumErrorBox() const { return MinErrorBox; }
    Slider* MinimumErrorSlider() const { return MinErrorSlider; }
    QLabel* MinimumErrorLabel() const { return MinErrorLabel; }
    // File order or a new random order every epoch, and the seed of the random order.
    QComboBox* PatternOrderBox() const { return OrderBox; }
    QLabel* SeedCaption() const { return SeedLabel; }
    QLineEdit* SeedEntryBox() const { return SeedBox; }
    QPushButton* StartTrainingButton() const { return StartTraining; }
    QPushButton* StopTrainingButton() const { return StopTraining; }
    // Training, epochs, total SSE, change in SSE.
    const std::array<TextPanel*, 4>& TrainingPanels() const { return Picture1; }
    QPushButton* ContinueTrainingButton() const { return Continue; }
    QPushButton* TestRecallButton() const { return TestRecall; }
    QProgressBar* EpochProgressBar() const { return EpochProgress; }
    QPushButton* ExitButton() const { return Command2; }
    QLabel* NoticeLabel() const { return Label3; }
    QPushButton* SaveNetworkButton() const { return SaveNetwork; }
    QPushButton* OpenSavedNetworkButton() const { return OpenSaved; }
    // The page's message line: beside a general error message, what to fix and how; after
    // Save Network, the file it wrote (empty when there is nothing to say).
    QLabel* HintLine() const { return HintLabel; }

  private:
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
    QComboBox* OrderBox;
    QLabel* SeedLabel;
    QLineEdit* SeedBox;
    QPushButton* StartTraining;
    QPushButton* StopTraining;
    std::array<TextPanel*, 4> Picture1;
    QPushButton* Continue;
    QPushButton* TestRecall;
    QProgressBar* EpochProgress;
    QPushButton* Command2;
    QLabel* Label3;
    QPushButton* SaveNetwork;
    QPushButton* OpenSaved;
    QLabel* HintLabel;

    void BuildControls();
    void BuildSavedNetworkButtons();
    // Puts a network's settings in the entries and its final display in the panels.
    void ShowNetwork(const SetupView& view);
    // Where the save and open dialogs start: the folder last used, else the home folder.
    QString StateFolder() const;
    ParameterEntries Entries() const;
    // The entry box `box` names, or nullptr.
    QLineEdit* BoxFor(EntryBox box) const;
    // Shows the page's reaction to a settings check; on success disables the entries and
    // returns true.
    bool ReactToCheck(const CheckResult& check);
    // The order entries read: the order, or the warning for a bad seed.
    OrderReading ReadOrderOnPage() const;
    void ShowOrderWarning(const OrderReading& reading);
    RunSettings SettingsOnPage(const PatternOrder& order) const;
    // Trains a run the session has prepared, after the page's reaction to its check.
    void TrainIfAccepted(const SessionResult& prepared);
    // True for no error; else shows the training error message and returns false.
    bool NoFailure(const RunTimeError& error);
    void SetEntriesEnabled(bool enabled);
    void OfferSaveNetwork();
    void ShowHint(const std::string& hint);
    void SlidersFromBoxes();
    // Reallocates the network; false (after the out-of-memory message) when it did not fit.
    bool FreshNetwork();
    void RunTraining();

    // TrainingPanelSink
    void ShowPanels() override;
    void SetPanelText(int panel, const std::string& text) override;
    void SetPanelColour(int panel, PanelColour colour) override;
    void SetProgress(double maximum, double value, bool visible) override;
    void MakePanelsPersistent() override;
    void ReEnable() override;
    void Pump() override;
    bool StopWanted() const override { return stopRequested_; }

    // The training workflow of the program-wide network.
    TrainingSession session_;
    NetworkResetRule resetRule_;
    QString stateFolder_;
    bool running_ = false;
    bool stopRequested_ = false;
    bool activationDuringRun_ = false;
};

}  // namespace mnemex::pages
