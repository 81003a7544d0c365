#pragma once
// Which sections a text report holds, named by the page's check boxes.

#include <array>
#include <optional>
#include <string>

namespace mnemex::report {

// The report sections, numbered as the page's check box array Check1.
enum Section : int {
    kInputPatterns = 0,
    kGeneralInformation = 1,
    kNetworkResponses = 2,
    kNetworkErrors = 3,
    kConnectionWeights = 4,
    kOutputPatterns = 5,
    kSSEHistory = 6,
};
inline constexpr int kSectionCount = 7;

// Ticked boxes, indexed by Section.
using SectionSet = std::array<bool, kSectionCount>;

// The boxes ticked when the page opens: general information, responses, errors, weights.
SectionSet DefaultSections();

// Parses a comma-separated list of general, responses, errors, weights, inputs, outputs,
// sse and all (case-insensitive). Returns nothing for an empty list or an unknown name.
std::optional<SectionSet> ParseSectionList(const std::string& list);

}  // namespace mnemex::report
