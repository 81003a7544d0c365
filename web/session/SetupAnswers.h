#pragma once
// What the browser's setup form does with the settings check, apart from the form itself:
// numbers read by the browser's language, the warnings, messages and hints the desktop
// setup page gives for the same entries, and where the focus goes after a refusal.

#include <optional>
#include <string>

#include "core/ParameterCheck.h"
#include "core/PatternOrder.h"
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

// The form's answer to a Start or Continue: the message to show (if any), the boxes to
// put back, and where the focus goes for retyping.
struct SetupAnswer {
    bool Accepted = false;
    bool Warning = false;  // validation warnings carry the warning sign, errors none
    std::string Title;     // empty: the program's title
    std::string Message;   // lines joined by newlines; empty: no message
    std::string Hint;      // the plain sentence under the form: which box, what to type
    std::optional<std::string> EpochsText;
    std::optional<std::string> RateText;
    std::optional<std::string> SeedText;
    bool TickBothTests = false;
    // "epochs", "print_interval", "rate", "min_error", "stopping", "seed" or empty.
    std::string Focus;
};

SetupAnswer AnswerToCheck(const CheckResult& result);

// The pattern order the form asks for, or the seed warning when the seed box does not hold
// a whole number in range (file order ignores the seed box, keeping a readable seed).
struct OrderAnswer {
    std::optional<PatternOrder> Order;
    SetupAnswer Refusal;
};
OrderAnswer AnswerToOrder(bool permuted, const std::string& seedText);

// Why a run failed and what to try, for the hint line (empty when there is nothing to add).
std::string HintForFailedRun(const RunTimeError& error);

}  // namespace mnemex::web
