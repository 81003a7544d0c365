#pragma once
// How one output unit's response to a stored pattern is made, term by term, and what the
// Delta rule's next step for that pattern would change in its weights.

#include <string>
#include <vector>

#include "core/PublicStuff.h"

namespace mnemex {

struct WeightTerm {
    int Input = 0;  // input unit, from 1
    double Weight = 0.0;
    double Value = 0.0;  // the input unit's value in the pattern
    double Term = 0.0;   // Weight x Value
};

struct UnitExplanation {
    int Pattern = 0;
    int Output = 0;
    std::vector<WeightTerm> Largest;  // the largest terms by magnitude, largest first
    int RestCount = 0;                // terms not listed
    double RestSum = 0.0;             // their sum, in input order
    double NetInput = 0.0;            // summed in input order, exactly as recall sums it
    double Desired = 0.0;
    double Error = 0.0;                // desired - net input
    double Rate = 0.0;                 // the learning rate the next step would use
    std::vector<double> DeltaChanges;  // per input unit (from 1 at index 0): rate x input x error
};

// Explains output unit j for pattern p with the current weights, listing at most `shown`
// terms. Reads the state only. Throws RunTimeException(kOverflow) when a figure is not
// finite and kSubscriptOutOfRange for a pattern or unit out of range.
UnitExplanation ExplainUnit(const PublicStuff& state, int p, int j, int shown = 8);

// The explanation as lines of text for the page: every digit, or `digits` significant ones
// (what the page shows; the exact lines are on hover).
std::vector<std::string> ExplanationLines(const UnitExplanation& e, int digits = 0);

}  // namespace mnemex
