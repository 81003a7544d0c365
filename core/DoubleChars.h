#pragma once
// The floating-point forms of <charconv>, for every standard library the program is built
// with. Where the library has none (the browser build's), correctly rounded equivalents
// from fast_float and fmt give the very same characters and values, so every number the
// program writes or reads is the same everywhere.

#include <charconv>

namespace mnemex::chars {

// Shortest text that reads back as `value`: std::to_chars(first, last, value).
std::to_chars_result Shortest(char* first, char* last, double value);
// `precision` decimals after the point: std::to_chars(..., chars_format::fixed, precision).
std::to_chars_result Fixed(char* first, char* last, double value, int precision);
// d.ddd...e+XX with `precision` decimals: std::to_chars(..., chars_format::scientific, p).
std::to_chars_result Scientific(char* first, char* last, double value, int precision);
// std::from_chars(first, last, value): out of range leaves `value` as it was.
std::from_chars_result Read(const char* first, const char* last, double& value);

// The equivalents themselves, built wherever their libraries are, so that they can be
// compared with the standard library's forms on a machine that has both.
namespace portable {
bool Available();
std::to_chars_result Shortest(char* first, char* last, double value);
std::to_chars_result Fixed(char* first, char* last, double value, int precision);
std::to_chars_result Scientific(char* first, char* last, double value, int precision);
std::from_chars_result Read(const char* first, const char* last, double& value);
}  // namespace portable

}  // namespace mnemex::chars
