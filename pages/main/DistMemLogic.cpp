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
            break;
        case CheckVerdict::kNoStoppingMethod:
            reaction.TickBothTests = true;
            break;
        case CheckVerdict::kNegativeRate:
            reaction.RateText = kInitialRate;
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

RunTimeError ReallocateNetworkSafely(PublicStuff& state) {
    return TrapErrors([&] { state.ReallocateNetwork(); });
}

}  // namespace mnemex::pages
