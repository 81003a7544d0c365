#include "web/session/SetupAnswers.h"

#include <cctype>
#include <cmath>

#include "core/DecimalText.h"
#include "core/NumberForms.h"

namespace mnemex::web {

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

bool NamesSpecialValue(const std::string& text) {
    std::string lower;
    for (unsigned char c : text)
        lower += static_cast<char>(std::tolower(c));
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

// Where a point groups digits, "1.000" is a thousand to the user: a point followed by exactly
// three digits after a digit is never taken as a decimal point then.
bool PointCouldBeGrouping(const NumberConventions& c, const std::string& text) {
    if (c.Group != ".")
        return false;
    const auto digit = [&](std::size_t k) {
        return k < text.size() && std::isdigit(static_cast<unsigned char>(text[k])) != 0;
    };
    for (std::size_t k = 1; k < text.size(); ++k) {
        if (text[k] == '.' && digit(k - 1) && digit(k + 1) && digit(k + 2) && digit(k + 3) &&
            !digit(k + 4))
            return true;
    }
    return false;
}

// The user's own form: at most one decimal sign, which stands for the point; no point.
std::optional<std::string> InPointForm(const NumberConventions& c, const std::string& body) {
    if (c.Decimal == ".")
        return body;
    if (c.Decimal.empty() || body.find('.') != std::string::npos)
        return std::nullopt;
    std::string out = body;
    const std::size_t at = out.find(c.Decimal);
    if (at != std::string::npos) {
        out.replace(at, c.Decimal.size(), ".");
        if (out.find(c.Decimal) != std::string::npos)
            return std::nullopt;
    }
    return out;
}

}  // namespace

double ReadBrowserNumber(const NumberConventions& conventions, const std::string& text) {
    const std::string body = Trimmed(text);
    if (body.empty() || NamesSpecialValue(body))
        throw RunTimeException(kTypeMismatch);
    double value = 0.0;
    DecimalResult read = DecimalResult::kNotANumber;
    if (const auto local = InPointForm(conventions, body))
        read = ReadDecimal(*local, value);
    if (read == DecimalResult::kNotANumber && conventions.Decimal != "." &&
        !PointCouldBeGrouping(conventions, body))
        read = ReadDecimal(body, value);
    if (read == DecimalResult::kNotANumber)
        throw RunTimeException(kTypeMismatch);
    if (read == DecimalResult::kTooLarge || !std::isfinite(value))
        throw RunTimeException(kOverflow);
    return value;
}

NumberReader BrowserNumberReader(const NumberConventions& conventions) {
    return [conventions](const std::string& text) { return ReadBrowserNumber(conventions, text); };
}

std::string BoxText(double value, const NumberConventions& conventions) {
    const std::string plain = RoundTripText(value);
    std::string local = plain;
    if (const std::size_t at = local.find('.'); at != std::string::npos)
        local.replace(at, 1, conventions.Decimal);
    try {
        if (ReadBrowserNumber(conventions, local) == value)
            return local;
    } catch (const RunTimeException&) {
    }
    return plain;
}

namespace {

std::string HintForBox(const CheckResult& result) {
    const bool tooLarge = result.Error.Number == kOverflow;
    const auto hint = [&](const char* box, const char* what) {
        return std::string(box) +
               (tooLarge ? ": the number is too large to use." : ": not a number.") + " Type " +
               what + ", then start again.";
    };
    switch (result.FaultyBox) {
        case EntryBox::kEpochs:
            return hint("Maximum epochs", "a whole number such as 100");
        case EntryBox::kPrintEpochs:
            return hint("Epochs between printouts", "a whole number such as 10");
        case EntryBox::kLearningRate:
            return hint("Learning rate", "a number such as 0.1");
        case EntryBox::kMinError:
            return hint("Minimum level of error", "a number such as 0.05");
        case EntryBox::kNone:
            break;
    }
    return "The settings could not be used: check the numbers in the boxes, then start again.";
}

const char* FocusOf(EntryBox box) {
    switch (box) {
        case EntryBox::kEpochs:
            return "epochs";
        case EntryBox::kPrintEpochs:
            return "print_interval";
        case EntryBox::kLearningRate:
            return "rate";
        case EntryBox::kMinError:
            return "min_error";
        case EntryBox::kNone:
            break;
    }
    return "";
}

}  // namespace

SetupAnswer AnswerToCheck(const CheckResult& result) {
    SetupAnswer answer;
    switch (result.Verdict) {
        case CheckVerdict::kAccepted:
            answer.Accepted = true;
            return answer;
        case CheckVerdict::kMaxEpochsNotPositive:
            answer.EpochsText = "1";
            answer.Focus = "epochs";
            break;
        case CheckVerdict::kNoStoppingMethod:
            answer.TickBothTests = true;
            answer.Focus = "stopping";
            break;
        case CheckVerdict::kNegativeRate:
            answer.RateText = "0.10";
            answer.Focus = "rate";
            break;
        case CheckVerdict::kError:
            answer.Message = ConsoleText(TrainingErrorMessage(result.Error));
            answer.Hint = HintForBox(result);
            answer.Focus = FocusOf(result.FaultyBox);
            return answer;
    }
    const ValidationWarning warning = WarningFor(result.Verdict);
    answer.Warning = true;
    answer.Title = warning.Title;
    answer.Message = warning.Message;
    return answer;
}

OrderAnswer AnswerToOrder(bool permuted, const std::string& seedText) {
    OrderAnswer answer;
    const auto seed = ParseSeed(seedText);
    if (!permuted) {
        PatternOrder order;
        if (seed)
            order.Seed = *seed;
        answer.Order = order;
        return answer;
    }
    if (!seed) {
        answer.Refusal.Warning = true;
        answer.Refusal.Title = "Seed";
        answer.Refusal.Message = "The seed must be a whole number from 0 to 9223372036854775807.";
        answer.Refusal.SeedText = "1";
        answer.Refusal.Focus = "seed";
        return answer;
    }
    answer.Order = PatternOrder{true, *seed};
    return answer;
}

std::string HintForFailedRun(const RunTimeError& error) {
    switch (error.Number) {
        case kOverflow:
            return "The weights grew too large: the learning rate may be too large for this "
                   "file. Try a smaller rate, such as 0.1, and start again.";
        case kOutOfMemory:
            return "The network does not fit in memory: close other tabs and try again, or "
                   "choose a smaller training file.";
        default:
            break;
    }
    return {};
}

}  // namespace mnemex::web
