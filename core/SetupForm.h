#pragma once
// What a setup form answers when training is asked for, whatever draws the form (the
// desktop's setup page, the browser's page): the message for a settings check, the boxes
// put back, where the focus goes, the plain hint sentences, and the pattern-order entries.

#include <optional>
#include <string>

#include "core/ParameterCheck.h"
#include "core/PatternOrder.h"
#include "core/RunTimeError.h"

namespace mnemex {

// The seed box's first text.
inline constexpr const char* kInitialSeed = "1";

// How the form answers a settings check: the message to show (if any) and the box resets.
struct CheckReaction {
    bool Accepted = false;
    bool WarningIcon = false;  // validation warnings carry the warning icon, errors none
    std::string Title;         // empty: the program's title
    std::string Message;       // empty: no message (lines joined by CR, as the core writes them)
    std::optional<std::string> EpochsText;  // new text of the epochs box
    std::optional<std::string> RateText;    // new text of the learning-rate box
    bool TickBothTests = false;
    // After a refusal: the box to put the focus in, its text selected for retyping.
    EntryBox FocusBox = EntryBox::kNone;
    // After "No stopping method set": the focus on the first of the two ticked check boxes,
    // where the student decides which one to keep.
    bool FocusStoppingTests = false;
};

// The form's reaction to a CheckParameters result.
CheckReaction ReactionTo(const CheckResult& result);

// The general error message names an error, not what to do about it. These are the plain
// sentences the form shows beside it, in its hint line: which box could not be used and
// what to type (empty when the check did not end in an error), and why a run failed and
// what to try (empty when there is nothing useful to add).
std::string HintForCheck(const CheckResult& result);
std::string HintForFailedRun(const RunTimeError& error);

// What the form does with its order entries when a run is about to start: the order to
// train in, or the warning to show (and the seed box text to put back) when the seed is
// not a whole number in range; then nothing is trained. File order ignores the seed box,
// whatever it holds (a readable seed is kept for later).
struct OrderReading {
    std::optional<PatternOrder> Order;
    std::string Title;
    std::string Message;
    std::optional<std::string> SeedText;
    // The seed box gets the focus, its text selected, after the warning.
    bool FocusSeed = false;
};
OrderReading ReadOrderEntries(bool permuted, const std::string& seedText);

}  // namespace mnemex
