#pragma once
// The weight matrix as bytes for other programs: CSV for spreadsheets and scripts, NumPy's
// .npy for numerical work. Both list output unit by output unit, input units across.

#include <string>

#include "core/PublicStuff.h"

namespace mnemex {

// One line per output unit, its weights to input units 1.. separated by commas, each in
// the shortest decimal form that reads back to the same double; no header; every line
// ends with LF. No output units give no bytes.
std::string WeightsCsv(const WeightMatrix& weights);

// A NumPy .npy file, format version 1.0: little-endian doubles ('<f8'), C order, shape
// (outputs, inputs), the header padded with spaces to a multiple of 64 bytes.
std::string WeightsNpy(const WeightMatrix& weights);

}  // namespace mnemex
