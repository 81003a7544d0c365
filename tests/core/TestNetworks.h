#pragma once
// Helpers that set up small networks by hand for the core tests.

#include <string>
#include <vector>

#include "core/PublicStuff.h"

namespace mnemex::testing {

// A state with the given sizes, pattern store filled from the two lists (pattern by
// pattern, unit 1 first), network allocated and zero, NewRun 1.
PublicStuff MakeState(int inputs, int outputs, const std::vector<double>& inputValues,
                      const std::vector<double>& desiredValues);

// Writes `text` to a fresh file in the test's temporary folder and returns its path.
std::string WriteTempFile(const std::string& name, const std::string& text);

}  // namespace mnemex::testing

#include "core/TrainingRun.h"

namespace mnemex::testing {

// Remembers everything the training run showed.
class RecordingDisplay : public TrainingDisplay {
  public:
    struct Shown {
        std::string Epochs, Total, Change;
        PanelColour Colour;
    };
    int PanelsShown = 0;
    std::vector<double> ProgressMaxima;
    int ProgressSteps = 0;
    std::vector<std::string> TrainingLines;
    std::vector<Shown> Printouts;
    std::vector<Shown> Finals;
    int ReEnabled = 0;
    int StopAfterEpochs = -1;  // ask to stop once this many epochs were run in the call

    void ShowPanels() override { ++PanelsShown; }
    void StartProgress(double maximum) override { ProgressMaxima.push_back(maximum); }
    void ShowTrainingLine(const std::string& text) override { TrainingLines.push_back(text); }
    void StepProgress() override { ++ProgressSteps; }
    void Printout(const std::string& e, const std::string& t, const std::string& c,
                  PanelColour colour) override {
        Printouts.push_back({e, t, c, colour});
    }
    void FinalDisplay(const std::string& e, const std::string& t, PanelColour colour,
                      const std::string& c) override {
        Finals.push_back({e, t, c, colour});
    }
    void ReEnable() override { ++ReEnabled; }
    bool StopRequested() override { return StopAfterEpochs >= 0 && ++asked_ >= StopAfterEpochs; }

  private:
    int asked_ = 0;
};

}  // namespace mnemex::testing
