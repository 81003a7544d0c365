#pragma once
// "Look Inside The Memory": the weights as a picture, each pattern as pictures, the four
// recall measures of every pattern, distorted probes, weight exports, how one output unit's
// response is made, and the best fixed-weight memory. Non-modal, so it can stay open beside
// the setup page; while a run trains there it follows the weights at most every 100 ms.

#include <QTimer>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/RunTimeError.h"
#include "core/TestAllMeasures.h"
#include "pages/framework/Page.h"
#include "pages/framework/PageNames.h"
#include "pages/inside/MeasuresTable.h"
#include "pages/inside/SaveFile.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace mnemex::inside {

class ColourBar;
class PatternPicture;
class WeightView;

class InsideMemoryPage : public Page {
    Q_OBJECT
  public:
    static constexpr const char* kName = page_names::kLookInside;
    // 1008 x 680 pixels with its title bar: room on a 1366 x 768 screen for the desktop's
    // panels.
    static constexpr FrameDesign kFrame{15120, 10200, 390, 390, 0};
    static constexpr int kRefreshMs = 100;

    explicit InsideMemoryPage(PageContext& context);

    void Form_Load() override;
    // A closed page stops following the network at once, even while a run still trains.
    void Form_Unload(UnloadReason reason) override;
    // Everything redrawn from the state as it stands now.
    void Refresh();
    // The timer's tick: the weight view follows a changing network; the rest is redrawn
    // once the network has stopped changing.
    void Tick();

    void Pattern_Change();
    void Width_Change();
    void Hinton_Click();
    void SortBy(MeasureColumn column, bool ascending);
    void CopyTable_Click();
    void Probe_Click();
    void SaveCsv_Click();
    void SaveNpy_Click();
    void ExplainOutput(int output);
    void Compare_Click();
    void Close_Click();

    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // The controls and figures, by what they are.
    QSpinBox* PatternBox() const { return patternBox_; }
    QSpinBox* InputWidthBox() const { return inputWidthBox_; }
    QSpinBox* OutputWidthBox() const { return outputWidthBox_; }
    QCheckBox* HintonCheck() const { return hintonCheck_; }
    WeightView* Weights() const { return weightView_; }
    ColourBar* Scale() const { return colourBar_; }
    QLabel* HoverLabel() const { return hoverLabel_; }
    // Input, desired output, recalled output, error.
    PatternPicture* Picture(int k) const { return pictures_[static_cast<std::size_t>(k)]; }
    QTableWidget* MeasuresTable() const { return table_; }
    const std::vector<PatternMeasures>& ShownMeasures() const { return shownRows_; }
    QLineEdit* NoiseBox() const { return noiseBox_; }
    QLineEdit* ZeroBox() const { return zeroBox_; }
    QLineEdit* SeedBox() const { return seedBox_; }
    QPushButton* ProbeButton() const { return probeButton_; }
    PatternPicture* DistortedPicture() const { return distortedPicture_; }
    PatternPicture* ProbeRecalledPicture() const { return probeRecalledPicture_; }
    QLabel* ProbeMeasuresLabel() const { return probeMeasures_; }
    QPlainTextEdit* ExplanationBox() const { return explanation_; }
    QLabel* FixedWeightLabel() const { return fixedWeight_; }
    // "Weights saved as ..." after an export.
    QLabel* SaveStatusLabel() const { return saveStatus_; }
    QPushButton* CompareButton() const { return compareButton_; }

  private:
    void BuildControls();
    void BuildPatternControls();
    void BuildWeightControls();
    void BuildPictures();
    void BuildMeasures();
    void BuildProbe();
    void BuildButtons();

    void ShowPictures();
    // Everything that describes a network no longer shown: pictures, table, probe,
    // explanation, hover readout and figures.
    void ClearFigures();
    void ClearProbe();
    // The distorted probe with these settings, drawn against the current weights; false
    // (after its message, when `tell`) when it cannot be made.
    struct ProbeSettings {
        double Noise = 0.0;
        double Zero = 0.0;
        std::uint64_t Seed = 0;
        int Pattern = 1;
    };
    bool RunProbe(const ProbeSettings& settings, bool tell);
    void ShowMeasures();
    void ShowTable();
    void ShowFixedWeightFigures();
    void SaveWeights(const QString& caption, const QString& suffix, const QString& filter,
                     const std::string& bytes);
    // Shows the training run's message for a failed figure, once per state of the network.
    void Failed(const RunTimeError& error);
    // What the page shows besides the weights: file, sizes, counts and total.
    std::uint64_t ShapeFingerprint() const;
    // That and every weight, to show a failure once per state of the network.
    std::uint64_t Fingerprint() const;

    QSpinBox* patternBox_;
    QSpinBox* inputWidthBox_;
    QSpinBox* outputWidthBox_;
    QCheckBox* hintonCheck_;
    WeightView* weightView_;
    ColourBar* colourBar_;
    QLabel* hoverLabel_;
    std::vector<PatternPicture*> pictures_;
    QTableWidget* table_;
    QPushButton* copyButton_;
    QLineEdit* noiseBox_;
    QLineEdit* zeroBox_;
    QLineEdit* seedBox_;
    QPushButton* probeButton_;
    PatternPicture* distortedPicture_;
    PatternPicture* probeRecalledPicture_;
    QLabel* probeMeasures_;
    QPlainTextEdit* explanation_;
    QLabel* fixedWeight_;
    QLabel* saveStatus_;
    QPushButton* csvButton_;
    QPushButton* npyButton_;
    QPushButton* compareButton_;
    QPushButton* closeButton_;

    QTimer timer_;
    FileChooser chooseFile_;
    std::vector<PatternMeasures> rows_;
    std::vector<PatternMeasures> shownRows_;
    MeasureColumn sortColumn_ = MeasureColumn::kPattern;
    bool sortAscending_ = true;
    std::uint64_t lastFingerprint_ = 0;
    std::uint64_t lastShape_ = 0;
    std::uint64_t failedFingerprint_ = 0;
    bool stale_ = false;
    int explainedOutput_ = 0;  // the output unit last explained, 0 for none
    // The probe on show, drawn again whenever the weights change.
    std::optional<ProbeSettings> probe_;
    std::string shapeKey_;
    std::string fixedKey_;
};

}  // namespace mnemex::inside
