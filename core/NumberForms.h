#pragma once
// The number-to-text forms the program shows, identical whatever the user's locale.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace mnemex {

// "+###.00;-###.00": sign judged before rounding, two decimals, no leading zero below 1.
// 1 -> "+1.00", 0.5 -> "+.50", -0.25 -> "-.25", -0.004 -> "-.00".
std::string FormatSigned2(double value);

// "Standard": thousands grouping and two decimals. 1234.5 -> "1,234.50", 0.126 -> "0.13".
std::string FormatStandard(double value);

// "Scientific": d.ddE+xx with at least two exponent digits. 0.0123 -> "1.23E-02".
std::string FormatScientific(double value);

// General form: shortest text, at most 15 significant digits, leading zero before the
// point. 0.1 -> "0.1"; very large or very small values switch to "1.5E+20" notation.
std::string FormatGeneral(double value);

// Shortest text that reads back as the very same double, with a point: 0.1 -> "0.1",
// 1e300 -> "1e+300". The form of numbers in the program's files and one-line messages.
std::string RoundTripText(double value);
void AppendRoundTripText(std::string& out, double value);
// The longest text those give, "-2.2250738585072014e-308".
inline constexpr std::size_t kLongestRoundTripText = 24;

// Makes room in `out` for `bytes` more characters in one step, for a text of many numbers:
// it is then formatted without its buffer being grown and copied again and again, and the
// room is advised onto huge pages before it is first touched (on a virtual machine each
// 4 KB page fault can cost tens of microseconds, thousands of them for a result of many
// megabytes). Only room: the text is what it would be without.
void ReserveText(std::string& out, std::size_t bytes);

// Appends what `format(text, first, end)` appends to a text for rows first .. end-1, for
// rows 1 .. rows, each row needing at most `roomPerRow` characters; a row's text may
// depend only on its own number. A text of many megabytes is formatted in two halves at
// once, on two threads where the processor has two; the text is the same either way.
void AppendRows(std::string& out, int rows, std::size_t roomPerRow,
                const std::function<void(std::string&, int, int)>& format);

// `digits` significant digits as printf's %g writes them: 0.546658781216999 -> "0.546659",
// 2.220446e-18 -> "2.22045e-18".
std::string FormatSignificant(double value, int digits);

// Whole numbers: plain digits with a minus sign when negative.
std::string FormatWhole(std::int64_t value);

}  // namespace mnemex
