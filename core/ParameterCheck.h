#pragma once
// Checking the training settings typed on the setup page (or given to the batch command)
// and copying them into the training parameters.

#include <functional>
#include <string>

#include "core/PublicStuff.h"
#include "core/RunTimeError.h"

namespace mnemex {

// The setup page's entries as the user left them.
struct ParameterEntries {
    bool EpochTest = true;   // "End After A Maximum Number Of Training Epochs"
    bool ErrorTest = false;  // "End When A Minimum Level Of Error Has Been Reached"
    std::string Epochs = "100";
    std::string PrintEpochs = "10";
    std::string LearningRate = "0.10";
    std::string MinError = "0.05";
};

// Turns a box's text into a number by the user's number conventions. Throws
// RunTimeException(kTypeMismatch) when the text is not a number.
using NumberReader = std::function<double(const std::string&)>;

// Reads numbers written with a point, whatever the locale (the batch command's reader).
double ReadPlainNumber(const std::string& text);

enum class CheckVerdict {
    kAccepted,              // training may start
    kMaxEpochsNotPositive,  // warning shown; the epochs box becomes "1"
    kNoStoppingMethod,      // warning shown; both check boxes become ticked
    kNegativeRate,          // warning shown; LearningRate = 0.1 and the rate box becomes "0.10"
    kError,                 // a run-time error; see `Error`
};

// The entry boxes whose text the check reads.
enum class EntryBox { kNone, kEpochs, kPrintEpochs, kLearningRate, kMinError };

struct CheckResult {
    CheckVerdict Verdict = CheckVerdict::kAccepted;
    RunTimeError Error;  // set for kError
    // For kError: the box whose text could not be read or turned into a setting, so the
    // page can take the user there (kNone when the error came from elsewhere).
    EntryBox FaultyBox = EntryBox::kNone;
};

// Title and one-sentence message of a validation warning (empty for kAccepted / kError).
struct ValidationWarning {
    std::string Title;
    std::string Message;
};
ValidationWarning WarningFor(CheckVerdict verdict);

// Checks the entries in the setup page's order and, when they pass, copies them:
// StopAtMaxEpochs, StopAtMinError, LearningRate, PrintInterval, MinError (unless its box
// is empty) and MaxEpochs (the epochs box, plus EpochCount when NewRun is 0). Settings
// copied before an error keep their new values.
CheckResult CheckParameters(PublicStuff& state, const ParameterEntries& entries,
                            const NumberReader& read);

// Rounds to the nearest whole number, halves to the even neighbour, as a 32-bit count;
// throws RunTimeException(kOverflow) outside the 32-bit range.
std::int32_t RoundToLong(double value);

}  // namespace mnemex
