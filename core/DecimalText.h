#pragma once
// Converting the text of one training-file value into a double.

#include <string_view>

namespace mnemex {

enum class DecimalResult { kOk, kNotANumber, kTooLarge };

// A decimal number with optional sign, point and exponent ("+2.5E1", "-.5", "7."), in the
// C locale whatever the user's settings, rounded correctly to the nearest double. Words
// such as "nan" or "inf", hexadecimal forms and anything else are not numbers here. A
// value too large for a double is kTooLarge; one too small to represent becomes a
// subnormal or a zero of its sign, as the C library's strtod gives it.
DecimalResult ReadDecimal(std::string_view text, double& value);

// The common short forms (at most 19 digits, exponent within a few powers of ten of the
// digits), converted in one pass straight from a buffer: reads the number that starts at
// `text` and returns where it stops, or nullptr when the text is not such a number (then
// ReadDecimal decides). The text must be followed, within the buffer, by some character
// that cannot continue a number (a separator), and the buffer must hold at least eight
// bytes from every character of the number on. Gives exactly what ReadDecimal gives.
const char* ReadShortDecimal(const char* text, double& value);

}  // namespace mnemex
