#include "web/session/BrowserNumbers.h"

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

}  // namespace mnemex::web
