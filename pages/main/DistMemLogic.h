#pragma once
// What the setup page does, apart from its controls: reactions to the settings check, the
// network reset rules of page load and activation, and the up-down limits.

#include <optional>
#include <string>
#include <vector>

#include "core/ParameterCheck.h"
#include "core/PatternOrder.h"
#include "core/PublicStuff.h"
#include "core/RunTimeError.h"

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

// How the page answers a settings check: the message to show (if any) and the box resets.
struct CheckReaction {
    bool Accepted = false;
    bool WarningIcon = false;  // validation warnings carry the warning icon, errors none
    std::string Title;         // empty: the program's title
    std::string Message;       // empty: no message
    std::optional<std::string> EpochsText;  // new text of the epochs box
    std::optional<std::string> RateText;    // new text of the learning-rate box
    bool TickBothTests = false;
    // After a refusal: the box to put the focus in, its text selected for retyping.
    EntryBox FocusBox = EntryBox::kNone;
    // After "No stopping method set": the focus on the first of the two ticked check boxes,
    // where the student decides which one to keep.
    bool FocusStoppingTests = false;
};

// The page's reaction to a CheckParameters result.
CheckReaction ReactionTo(const CheckResult& result);

// The general error message names an error, not what to do about it. These are the plain
// sentences the page shows beside it, in its hint line: which box could not be used and
// what to type (empty when the check did not end in an error), and why a run failed and
// what to try.
std::string HintForCheck(const CheckResult& result);
std::string HintForFailedRun(const RunTimeError& error);

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
inline constexpr const char* kInitialSeed = "1";
const std::vector<std::string>& PatternOrderChoices();
bool SeedBoxUsable(int choice);

// What the page does with its order entries when a run is about to start: the order to
// train in, or the warning to show (and the seed box text to put back) when the seed is
// not a whole number in range; then nothing is trained.
struct OrderReading {
    std::optional<PatternOrder> Order;
    std::string Title;
    std::string Message;
    std::optional<std::string> SeedText;
    // The seed box gets the focus, its text selected, after the warning.
    bool FocusSeed = false;
};
OrderReading ReadOrderEntries(int choice, const std::string& seedText);

// The entries that show an order (after opening a saved network): the choice and seed text.
struct OrderEntries {
    int Choice = kFileOrderChoice;
    std::string SeedText = kInitialSeed;
};
OrderEntries EntriesForOrder(const PatternOrder& order);

}  // namespace mnemex::pages
