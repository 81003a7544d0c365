#include "core/ParameterCheck.h"

#include <locale.h>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>

namespace mnemex {

std::int32_t RoundToLong(double value) {
    const double r = std::nearbyint(value);  // the default rounding mode: halves to even
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw RunTimeException(kOverflow);
    return static_cast<std::int32_t>(r);
}

double ReadPlainNumber(const std::string& text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    // Surrounding blanks are allowed, as in a text box; anything else must be the number.
    std::size_t begin = text.find_first_not_of(" \t");
    std::size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos)
        throw RunTimeException(kTypeMismatch);
    const std::string body = text.substr(begin, end - begin + 1);
    for (char c : body) {
        const bool allowed =
            (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E';
        if (!allowed)
            throw RunTimeException(kTypeMismatch);
    }
    char* stop = nullptr;
    errno = 0;
    const double value = strtod_l(body.c_str(), &stop, cLocale);
    if (stop == body.c_str() || *stop != '\0')
        throw RunTimeException(kTypeMismatch);
    if (!std::isfinite(value))
        throw RunTimeException(kOverflow);
    return value;
}

ValidationWarning WarningFor(CheckVerdict verdict) {
    switch (verdict) {
        case CheckVerdict::kMaxEpochsNotPositive:
            return {"Maximum Epochs",
                    "Maximum number of training epochs must be greater than zero."};
        case CheckVerdict::kNoStoppingMethod:
            return {"No stopping method set",
                    "At least one box for method of ending training must be checked."};
        case CheckVerdict::kNegativeRate:
            return {"Learning Rate", "Learning rate cannot be negative"};
        default:
            return {};
    }
}

namespace {

// A box's number; a reader that lets through an infinity or not-a-number is refused too,
// so no setting is ever copied that the user could not have seen.
double Number(const NumberReader& read, const std::string& text) {
    const double value = read(text);
    if (std::isnan(value))
        throw RunTimeException(kTypeMismatch);
    if (!std::isfinite(value))
        throw RunTimeException(kOverflow);
    return value;
}

}  // namespace

CheckResult CheckParameters(PublicStuff& state, const ParameterEntries& entries,
                            const NumberReader& read) {
    CheckResult result;
    // The box being read (or turned into a setting) at each moment.
    EntryBox reading = EntryBox::kNone;
    result.Error = TrapErrors([&] {
        state.StopAtMaxEpochs = entries.EpochTest ? 1 : 0;
        state.StopAtMinError = entries.ErrorTest ? 1 : 0;
        reading = EntryBox::kEpochs;
        if (state.StopAtMaxEpochs == 1 && !(Number(read, entries.Epochs) > 0)) {
            result.Verdict = CheckVerdict::kMaxEpochsNotPositive;
            return;
        }
        if (state.StopAtMaxEpochs == 0 && state.StopAtMinError == 0) {
            result.Verdict = CheckVerdict::kNoStoppingMethod;
            return;
        }
        reading = EntryBox::kLearningRate;
        const double rate = Number(read, entries.LearningRate);
        if (!(rate >= 0)) {
            state.LearningRate = 0.1;
            result.Verdict = CheckVerdict::kNegativeRate;
            return;
        }
        state.LearningRate = rate;
        reading = EntryBox::kPrintEpochs;
        state.PrintInterval = RoundToLong(Number(read, entries.PrintEpochs));
        reading = EntryBox::kMinError;
        if (!entries.MinError.empty())
            state.MinError = Number(read, entries.MinError);
        reading = EntryBox::kEpochs;
        if (state.StopAtMaxEpochs == 1) {
            const double epochs = Number(read, entries.Epochs);
            state.MaxEpochs =
                state.NewRun == 1 ? RoundToLong(epochs) : RoundToLong(state.EpochCount + epochs);
        }
        reading = EntryBox::kNone;
        result.Verdict = CheckVerdict::kAccepted;
    });
    if (result.Error.Number != 0) {
        result.Verdict = CheckVerdict::kError;
        result.FaultyBox = reading;
    }
    return result;
}

}  // namespace mnemex
