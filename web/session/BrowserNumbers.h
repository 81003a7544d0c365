#pragma once
// Numbers typed in the browser's setup form, read by the browser's language (the form's
// answers to a check are the core's, core/SetupForm).

#include <string>

#include "core/ParameterCheck.h"
#include "core/RunTimeError.h"

namespace mnemex::web {

// The browser language's number signs, as Intl.NumberFormat writes them ("," and "." in
// German, "." and "," in English; the group sign may be a no-break space).
struct NumberConventions {
    std::string Decimal = ".";
    std::string Group = ",";
};

// The number in a box, read by the browser's conventions: the user's decimal sign, or a
// point where it cannot be taken for a group sign (the initial texts are written with a
// point). Throws RunTimeException(kTypeMismatch) for empty text, group signs, "nan"/"inf",
// text that is only partly a number; kOverflow for a number too large for a double.
double ReadBrowserNumber(const NumberConventions& conventions, const std::string& text);
NumberReader BrowserNumberReader(const NumberConventions& conventions);

// The shortest text of `value` in the user's form that the boxes read back as the very same
// number (the point form where the user's form would read otherwise).
std::string BoxText(double value, const NumberConventions& conventions);

}  // namespace mnemex::web
