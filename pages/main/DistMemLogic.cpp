#include "pages/main/DistMemLogic.h"

namespace mnemex::pages {

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
            reaction.RateText = kInitialRate;
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

bool NetworkResetRule::OnLoad(const PublicStuff& state) {
    pending_ = false;
    return state.NewRun == 1;
}

bool NetworkResetRule::OnActivate(const PublicStuff& state) {
    const bool reset = pending_ && state.NewRun == 1;
    pending_ = false;
    return reset;
}

const std::vector<std::string>& PatternOrderChoices() {
    static const std::vector<std::string> choices{"Patterns In File Order",
                                                  "New Random Order Every Epoch"};
    return choices;
}

bool SeedBoxUsable(int choice) {
    return choice == kRandomOrderChoice;
}

OrderReading ReadOrderEntries(int choice, const std::string& seedText) {
    OrderReading reading;
    if (choice != kRandomOrderChoice) {
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

OrderEntries EntriesForOrder(const PatternOrder& order) {
    return {order.Permuted ? kRandomOrderChoice : kFileOrderChoice, std::to_string(order.Seed)};
}

}  // namespace mnemex::pages
