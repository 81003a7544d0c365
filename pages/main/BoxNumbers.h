#pragma once
// Reading the numbers users type into the setup page's boxes, and the slider/box pairing.

#include <optional>
#include <string>

#include <QLocale>

#include "core/ParameterCheck.h"

namespace mnemex::pages {

// The number in a box, read by the given locale's conventions. Throws
// RunTimeException(kTypeMismatch) for empty text, group separators, "nan"/"inf", text that is
// only partly a number, and a point that could be read as a group separator.
double ReadBoxNumber(const QLocale& locale, const std::string& text);

// A NumberReader for CheckParameters that reads by `locale` (the user's locale by default).
NumberReader LocaleNumberReader(const QLocale& locale = QLocale());

// Slider position for a box: the box's number x 100, rounded half to even and clamped to
// [minimum, maximum]; nothing when the box does not hold a number (the slider stays put).
std::optional<int> SliderPositionFor(const std::string& boxText, int minimum, int maximum,
                                     const NumberReader& read);

// The box text for a slider position: the position / 100 in its shortest decimal form
// (10 -> "0.1", 150 -> "1.5", 0 -> "0").
std::string BoxTextForSlider(int position);

}  // namespace mnemex::pages
