#pragma once
// What the setup page does, apart from its controls and the form's answers (core/SetupForm):
// the network reset rules of page load and activation, the up-down limits and the order list.

#include <optional>
#include <string>
#include <vector>

#include "core/ParameterCheck.h"
#include "core/PatternOrder.h"
#include "core/PublicStuff.h"
#include "core/RunTimeError.h"
#include "core/SetupForm.h"

namespace mnemex::pages {

// Up-down arrows of the epochs and printout boxes: step 10 from a lower limit of 0.
inline constexpr int kUpDownStep = 10;
inline constexpr int kUpDownMinimum = 0;
inline constexpr int kEpochsMaximum = 50000;
inline constexpr int kPrintEpochsMaximum = 10000;
// Sliders: learning rate and error level, both x 100.
inline constexpr int kRateSliderMaximum = 200;
inline constexpr int kErrorSliderMaximum = 100;

// Design-time texts of the boxes.
inline constexpr const char* kInitialEpochs = "100";
inline constexpr const char* kInitialPrintEpochs = "10";
inline constexpr const char* kInitialRate = "0.10";
inline constexpr const char* kInitialMinError = "0.05";

// Whether the page must start from a fresh network, and why. The flag is raised by the
// actions that ask for zero weights (first load with NewRun 1, the hub's reset choice) and
// lowered once they are served, so a later activation never throws a trained network away.
class NetworkResetRule {
  public:
    // Page load: a fresh network when NewRun is 1.
    bool OnLoad(const PublicStuff& state);
    // The hub's "Reset Weights And Train Again" (or any other caller) asks for zero weights.
    void Request() { pending_ = true; }
    // Page activation: true when the network must be reallocated now.
    bool OnActivate(const PublicStuff& state);
    // Start Training clears the weights itself.
    void OnStartTraining() { pending_ = false; }

  private:
    bool pending_ = false;
};

// The pattern-order choice: its list entries (file order first, the default) and the seed
// box. The seed only matters for a random order, so its box is usable only then.
inline constexpr int kFileOrderChoice = 0;
inline constexpr int kRandomOrderChoice = 1;
const std::vector<std::string>& PatternOrderChoices();
bool SeedBoxUsable(int choice);

// The order entries read with the choice list's index (ReadOrderEntries in the core).
OrderReading ReadOrderEntries(int choice, const std::string& seedText);

// The entries that show an order (after opening a saved network): the choice and seed text.
struct OrderEntries {
    int Choice = kFileOrderChoice;
    std::string SeedText = kInitialSeed;
};
OrderEntries EntriesForOrder(const PatternOrder& order);

}  // namespace mnemex::pages
