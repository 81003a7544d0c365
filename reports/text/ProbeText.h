#pragma once
// The probe page's texts: the pattern number check, the block of one probe and the
// printed heading.

#include <optional>
#include <string>

#include "core/PublicStuff.h"

namespace mnemex::report {

// The pattern number typed in the pattern box, when it is a whole number from 1 to
// numPatterns ("02" is 2; blanks around it are allowed). Nothing otherwise.
std::optional<int> ParsePatternNumber(const std::string& typed, std::int32_t numPatterns);

// Presents pattern p (ComputeOutputs) and returns its four pieces: pattern line, response,
// desired and error lines, TAB-separated, CR LF line ends. `typed` is the pattern box's text
// as the user wrote it. Throws RunTimeException if recall fails; the unit records then stay.
std::string ProbeBlock(PublicStuff& state, int p, const std::string& typed);

// The window's text after a probe: the new block above whatever the window held.
std::string AddProbeBlock(const std::string& block, const std::string& previous);

// The bold heading of a printed probe text.
std::string ProbePrintHeading(const std::string& trainingFileName);

}  // namespace mnemex::report
