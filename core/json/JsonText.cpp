#include "core/json/JsonText.h"

#include <algorithm>
#include <cstdio>

#include "core/NumberForms.h"

namespace mnemex::json {

void AppendNumber(std::string& out, double value) {
    AppendRoundTripText(out, value);
}

namespace {

// The length of the valid UTF-8 sequence at text[k], or 0 when the byte there starts none:
// no overlong forms, no surrogates, nothing past U+10FFFF.
std::size_t ValidSequence(const std::string& text, std::size_t k) {
    const auto byte = [&](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
    };
    const unsigned lead = byte(k);
    const auto follows = [&](std::size_t i, unsigned low, unsigned high) {
        return byte(i) >= low && byte(i) <= high;
    };
    if (lead < 0x80)
        return 1;
    if (lead >= 0xc2 && lead <= 0xdf)
        return follows(k + 1, 0x80, 0xbf) ? 2 : 0;
    if (lead >= 0xe0 && lead <= 0xef) {
        const unsigned low = lead == 0xe0 ? 0xa0 : 0x80;
        const unsigned high = lead == 0xed ? 0x9f : 0xbf;
        return follows(k + 1, low, high) && follows(k + 2, 0x80, 0xbf) ? 3 : 0;
    }
    if (lead >= 0xf0 && lead <= 0xf4) {
        const unsigned low = lead == 0xf0 ? 0x90 : 0x80;
        const unsigned high = lead == 0xf4 ? 0x8f : 0xbf;
        return follows(k + 1, low, high) && follows(k + 2, 0x80, 0xbf) && follows(k + 3, 0x80, 0xbf)
                   ? 4
                   : 0;
    }
    return 0;
}

}  // namespace

void AppendString(std::string& out, const std::string& text) {
    out += '"';
    for (std::size_t k = 0; k < text.size(); ++k) {
        const unsigned char c = static_cast<unsigned char>(text[k]);
        if (c >= 0x80) {
            const std::size_t length = ValidSequence(text, k);
            if (length == 0) {
                out += "\xef\xbf\xbd";  // U+FFFD
            } else {
                out.append(text, k, length);
                k += length - 1;
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    out += '"';
}

std::size_t NetworkTextRoom(const PublicStuff& s) {
    const auto outputs = static_cast<std::size_t>(std::max(s.Weights.NumOutputs(), 0));
    const auto inputs = static_cast<std::size_t>(std::max(s.Weights.NumInputs(), 0));
    const auto rows = static_cast<std::size_t>(std::max<int>(s.SSECount, 0));
    return outputs * (inputs * (kLongestRoundTripText + 2) + 8) +
           rows * (2 * kLongestRoundTripText + 10) + 2 * s.TrainingFileName.size();
}

}  // namespace mnemex::json
