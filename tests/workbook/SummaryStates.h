#pragma once
// Trained-looking network states for the summary tests, filled by simple formulas that
// the file checks (check_summary_workbook.py) compute again on their own.

#include "core/PublicStuff.h"

namespace mnemex::testing {

// input(i, p) = ((7i + 3p) mod 11 - 5) / 4
double FormulaInput(int i, int p);
// desired(j, p) = ((5j + p) mod 7 - 3) / 2
double FormulaDesired(int j, int p);
// weight(j, i) = ((3j + 5i) mod 13 - 6) / 8
double FormulaWeight(int j, int i);

// A state of the given sizes with the formula values, `history` SSE rows (10r, 1000/r),
// file "formula.net", the Delta rule, rate 0.25 and 10 x history epochs.
PublicStuff FormulaState(int inputs, int outputs, int patterns, int history);

}  // namespace mnemex::testing
