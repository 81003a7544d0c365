#include "core/NumberForms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string_view>
#include <system_error>
#include <thread>

#include "core/DoubleChars.h"
#include "core/HardwareThreads.h"
#include "core/HugePages.h"

namespace mnemex {

namespace {

// Decimal digits of |value| rounded half away from zero to `decimals` places, as
// integer digits and fraction digits. Rounding works on the exact binary value:
// 40 decimals of the expansion are more than enough to tell which side of a
// half-way point any double lies on at the few places the forms use.
struct Rounded {
    std::string integer;   // at least "0"
    std::string fraction;  // exactly `decimals` digits
};

Rounded RoundMagnitude(double value, int decimals) {
    char buf[400];
    const double magnitude = std::fabs(value);
    auto res = chars::Fixed(buf, buf + sizeof buf, magnitude, 40);
    std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const auto point = text.find('.');
    std::string digits(text.substr(0, point));
    digits += text.substr(point + 1, static_cast<std::size_t>(decimals));
    const bool roundUp = text[point + 1 + static_cast<std::size_t>(decimals)] >= '5';
    if (roundUp) {
        int k = static_cast<int>(digits.size()) - 1;
        while (k >= 0 && digits[static_cast<std::size_t>(k)] == '9') {
            digits[static_cast<std::size_t>(k)] = '0';
            --k;
        }
        if (k < 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[static_cast<std::size_t>(k)];
        }
    }
    Rounded r;
    const std::size_t intLen = digits.size() - static_cast<std::size_t>(decimals);
    r.integer = digits.substr(0, intLen);
    r.fraction = digits.substr(intLen);
    // Drop leading zeros but keep one.
    const auto first = r.integer.find_first_not_of('0');
    r.integer = first == std::string::npos ? "0" : r.integer.substr(first);
    return r;
}

std::string Group(const std::string& integer) {
    std::string out;
    const std::size_t n = integer.size();
    for (std::size_t k = 0; k < n; ++k) {
        if (k > 0 && (n - k) % 3 == 0)
            out += ',';
        out += integer[k];
    }
    return out;
}

bool IsZeroText(const Rounded& r) {
    return r.integer == "0" && r.fraction.find_first_not_of('0') == std::string::npos;
}

}  // namespace

std::string FormatSigned2(double value) {
    const Rounded r = RoundMagnitude(value, 2);
    std::string out = value < 0 ? "-" : "+";
    if (r.integer != "0")
        out += r.integer;
    out += '.';
    out += r.fraction;
    return out;
}

std::string FormatStandard(double value) {
    const Rounded r = RoundMagnitude(value, 2);
    std::string out;
    if (value < 0 && !IsZeroText(r))
        out += '-';
    out += Group(r.integer);
    out += '.';
    out += r.fraction;
    return out;
}

std::string FormatScientific(double value) {
    if (value == 0.0)
        return "0.00E+00";
    // Exact expansion in scientific form, then round the mantissa half away from zero.
    char buf[128];
    auto res = chars::Scientific(buf, buf + sizeof buf, std::fabs(value), 40);
    std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const auto e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    std::string digits;
    digits += text[0];
    digits += text.substr(2, 2);
    if (text[4] >= '5') {
        int k = 2;
        while (k >= 0 && digits[static_cast<std::size_t>(k)] == '9') {
            digits[static_cast<std::size_t>(k)] = '0';
            --k;
        }
        if (k < 0) {
            digits = "100";
            ++exponent;
        } else {
            ++digits[static_cast<std::size_t>(k)];
        }
    }
    std::string out = value < 0 ? "-" : "";
    out += digits[0];
    out += '.';
    out += digits.substr(1);
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    const int absExp = exponent < 0 ? -exponent : exponent;
    if (absExp < 10)
        out += '0';
    out += std::to_string(absExp);
    return out;
}

std::string FormatGeneral(double value) {
    if (value == 0.0)
        return "0";
    // Round to 15 significant digits, then drop trailing zeros.
    char buf[64];
    auto res = chars::Scientific(buf, buf + sizeof buf, value, 14);
    std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const auto e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    const bool negative = text[0] == '-';
    std::string_view mantissa = text.substr(negative ? 1 : 0, e - (negative ? 1 : 0));
    std::string digits;
    for (char c : mantissa)
        if (c != '.')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -9) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out += digits.substr(1);
        }
        out += 'E';
        out += exponent < 0 ? '-' : '+';
        const int absExp = exponent < 0 ? -exponent : exponent;
        if (absExp < 10)
            out += '0';
        out += std::to_string(absExp);
    } else if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const std::size_t intLen = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intLen) {
            out += digits;
            out.append(intLen - digits.size(), '0');
        } else {
            out += digits.substr(0, intLen);
            out += '.';
            out += digits.substr(intLen);
        }
    }
    return out;
}

std::string FormatSignificant(double value, int digits) {
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
}

std::string FormatWhole(std::int64_t value) {
    return std::to_string(value);
}

void AppendRoundTripText(std::string& out, double value) {
    char buf[64];
    const auto r = chars::Shortest(buf, buf + sizeof buf, value);
    out.append(buf, r.ptr);
}

void ReserveText(std::string& out, std::size_t bytes) {
    if (out.capacity() - out.size() >= bytes)
        return;
    out.reserve(out.size() + bytes);
    AdviseHugePages(out.data() + out.size(), out.capacity() - out.size());
}

void AppendRows(std::string& out, int rows, std::size_t roomPerRow,
                const std::function<void(std::string&, int, int)>& format) {
    // Below this a second thread costs more than it saves.
    constexpr std::size_t kSharedBytes = std::size_t{4} << 20;
    const std::size_t count = static_cast<std::size_t>(std::max(rows, 0));
    ReserveText(out, count * roomPerRow);
    if (count < 2 || count * roomPerRow < kSharedBytes || HardwareThreads() < 2) {
        format(out, 1, rows + 1);
        return;
    }
    const int middle = rows / 2 + 1;
    std::string second;
    std::exception_ptr failure;
    std::thread helper;
    try {
        helper = std::thread([&] {
            try {
                ReserveText(second, static_cast<std::size_t>(rows + 1 - middle) * roomPerRow);
                format(second, middle, rows + 1);
            } catch (...) {
                failure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        format(out, 1, rows + 1);  // no thread to be had: the same text on this one
        return;
    }
    try {
        format(out, 1, middle);
    } catch (...) {
        helper.join();
        throw;
    }
    helper.join();
    if (failure)
        std::rethrow_exception(failure);
    out += second;
}

std::string RoundTripText(double value) {
    std::string text;
    AppendRoundTripText(text, value);
    return text;
}

}  // namespace mnemex
