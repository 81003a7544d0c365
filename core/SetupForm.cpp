#include "core/SetupForm.h"

namespace mnemex {

CheckReaction ReactionTo(const CheckResult& result) {
    CheckReaction reaction;
    const ValidationWarning warning = WarningFor(result.Verdict);
    switch (result.Verdict) {
        case CheckVerdict::kAccepted:
            reaction.Accepted = true;
            break;
        case CheckVerdict::kMaxEpochsNotPositive:
            reaction.EpochsText = "1";
            reaction.FocusBox = EntryBox::kEpochs;
            break;
        case CheckVerdict::kNoStoppingMethod:
            reaction.TickBothTests = true;
            reaction.FocusStoppingTests = true;
            break;
        case CheckVerdict::kNegativeRate:
            reaction.RateText = ParameterEntries().LearningRate;
            reaction.FocusBox = EntryBox::kLearningRate;
            break;
        case CheckVerdict::kError:
            reaction.Message = TrainingErrorMessage(result.Error);
            reaction.FocusBox = result.FaultyBox;
            break;
    }
    if (!warning.Message.empty()) {
        reaction.WarningIcon = true;
        reaction.Title = warning.Title;
        reaction.Message = warning.Message;
    }
    return reaction;
}

std::string HintForCheck(const CheckResult& result) {
    if (result.Verdict != CheckVerdict::kError)
        return {};
    const bool tooLarge = result.Error.Number == kOverflow;
    const auto hint = [&](const char* box, const char* what) {
        return std::string(box) +
               (tooLarge ? ": the number is too large to use." : ": not a number.") + " Type " +
               what + ", then start again.";
    };
    switch (result.FaultyBox) {
        case EntryBox::kEpochs:
            return hint("Maximum epochs", "a whole number such as 100");
        case EntryBox::kPrintEpochs:
            return hint("Epochs between printouts", "a whole number such as 10");
        case EntryBox::kLearningRate:
            return hint("Learning rate", "a number such as 0.1");
        case EntryBox::kMinError:
            return hint("Minimum level of error", "a number such as 0.05");
        case EntryBox::kNone:
            break;
    }
    return "The settings could not be used: check the numbers in the boxes, then start again.";
}

std::string HintForFailedRun(const RunTimeError& error) {
    switch (error.Number) {
        case kOverflow:
            return "The weights grew too large: the learning rate may be too large for this "
                   "file. Try a smaller rate, such as 0.1, and start again.";
        case kOutOfMemory:
            return "The network does not fit in memory: close other programs and try again, "
                   "or choose a smaller training file.";
        default:
            break;
    }
    return {};
}

OrderReading ReadOrderEntries(bool permuted, const std::string& seedText) {
    OrderReading reading;
    if (!permuted) {
        // File order ignores the seed box, whatever it holds; the seed is kept for later.
        PatternOrder order;
        if (const auto seed = ParseSeed(seedText))
            order.Seed = *seed;
        reading.Order = order;
        return reading;
    }
    const auto seed = ParseSeed(seedText);
    if (!seed) {
        reading.Title = "Seed";
        reading.Message = "The seed must be a whole number from 0 to 9223372036854775807.";
        reading.SeedText = kInitialSeed;
        reading.FocusSeed = true;
        return reading;
    }
    reading.Order = PatternOrder{true, *seed};
    return reading;
}

}  // namespace mnemex
