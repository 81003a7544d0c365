#include "core/WeightExport.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "core/DoubleChars.h"
#include "core/NumberForms.h"

namespace mnemex {

std::string WeightsCsv(const WeightMatrix& weights) {
    std::string out;
    AppendRows(out, weights.NumOutputs(),
               static_cast<std::size_t>(weights.NumInputs()) * (kLongestRoundTripText + 1) + 1,
               [&](std::string& text, int first, int end) {
                   char buf[32];
                   for (int j = first; j < end; ++j) {
                       for (int i = 1; i <= weights.NumInputs(); ++i) {
                           if (i > 1)
                               text += ',';
                           const auto r =
                               chars::Shortest(buf, buf + sizeof buf, weights.Weight(j, i));
                           text.append(buf, r.ptr);
                       }
                       text += '\n';
                   }
               });
    return out;
}

std::string WeightsNpy(const WeightMatrix& weights) {
    std::string header = "{'descr': '<f8', 'fortran_order': False, 'shape': (" +
                         std::to_string(weights.NumOutputs()) + ", " +
                         std::to_string(weights.NumInputs()) + "), }";
    // Magic (6 bytes), version (2) and header length (2) come first; the header ends with
    // a newline and pads the whole preamble to a multiple of 64 bytes.
    const std::size_t preamble = 10 + header.size() + 1;
    header.append((64 - preamble % 64) % 64, ' ');
    header += '\n';
    std::string out("\x93NUMPY\x01\x00", 8);
    out += static_cast<char>(header.size() & 0xff);
    out += static_cast<char>(header.size() >> 8);
    out += header;
    out.reserve(out.size() + 8 * static_cast<std::size_t>(weights.NumOutputs()) *
                                 static_cast<std::size_t>(weights.NumInputs()));
    for (int j = 1; j <= weights.NumOutputs(); ++j) {
        for (int i = 1; i <= weights.NumInputs(); ++i) {
            // Copied, not std::bit_cast: the browser build's library has none.
            const double weight = weights.Weight(j, i);
            std::uint64_t bits = 0;
            std::memcpy(&bits, &weight, sizeof bits);
            for (int b = 0; b < 8; ++b)
                out += static_cast<char>((bits >> (8 * b)) & 0xff);
        }
    }
    return out;
}

}  // namespace mnemex
