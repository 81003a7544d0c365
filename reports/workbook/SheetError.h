#pragma once
// Failures of the spreadsheet layer, reported as run-time errors of the program.

#include <string>

#include "core/RunTimeError.h"

namespace mnemex::sheets {

// The number the spreadsheet application gives to a refused operation.
inline constexpr int kApplicationError = 1004;
// The number reported when the application behind a reference has been closed.
inline constexpr int kApplicationGone = 462;

// Throws RunTimeException with kApplicationError and the given description.
[[noreturn]] void ThrowSheetError(const std::string& description);

}  // namespace mnemex::sheets
