#include "pages/main/DistMemLogic.h"

namespace mnemex::pages {

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
    return mnemex::ReadOrderEntries(choice == kRandomOrderChoice, seedText);
}

OrderEntries EntriesForOrder(const PatternOrder& order) {
    return {order.Permuted ? kRandomOrderChoice : kFileOrderChoice, std::to_string(order.Seed)};
}

}  // namespace mnemex::pages
