// The bytes of the batch command's results and the saved state: whatever room the writers
// reserve, each text is, byte for byte, the plain concatenation of its pieces written out
// here (each number in its shortest round-trip form), on networks from empty to image-sized
// with the awkward values (signed zeros, the smallest subnormal, the largest double). The
// image-sized texts are formatted in two halves on two threads, the small ones in one.

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "cli/ExperimentResults.h"
#include "cli/JsonResult.h"
#include "core/NumberForms.h"
#include "core/PublicStuff.h"
#include "core/WeightExport.h"
#include "core/saved_network/SavedNetwork.h"

namespace mnemex {
namespace {

struct Shape {
    const char* name;
    int inputs, outputs, historyRows;
    bool awkward;  // the special values, else uniform random values of many magnitudes
};

const double kAwkward[] = {0.0,
                           -0.0,
                           0.1,
                           -1.0 / 3.0,
                           1e22,
                           5e-324,
                           -2.2250738585072014e-308,
                           std::numeric_limits<double>::max(),
                           123456789.0};

PublicStuff MakeState(const Shape& shape) {
    std::mt19937_64 rng(31);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::size_t k = 0;
    auto next = [&] {
        if (shape.awkward)
            return kAwkward[k++ % std::size(kAwkward)];
        return std::ldexp(mantissa(rng), exponent(rng));
    };
    PublicStuff s;
    s.NumInputs = shape.inputs;
    s.NumOutputs = shape.outputs;
    s.ReallocateNetwork();
    for (int j = 1; j <= shape.outputs; ++j)
        for (int i = 1; i <= shape.inputs; ++i)
            s.Weights.SetWeight(j, i, next());
    s.SSECount = static_cast<std::int16_t>(shape.historyRows);
    for (int r = 1; r <= shape.historyRows; ++r) {
        s.SSEHistory[static_cast<std::size_t>(r)][1] = r - 1;
        s.SSEHistory[static_cast<std::size_t>(r)][2] = next();
    }
    s.TrainingFileName = "pictures \"A\".net";
    s.LearningRule = "Delta";
    s.LearningRate = 0.001;
    s.EpochCount = 6;
    s.TotalSSE = next();
    return s;
}

const Shape kShapes[] = {
    {"no network", 0, 0, 0, true},       {"one weight", 1, 1, 1, true},
    {"awkward values", 4, 3, 5, true},   {"one output, many inputs", 300, 1, 2, false},
    {"image-sized", 784, 784, 7, false},
};

std::string Literal(double value) {
    return RoundTripText(value);
}

// Rows of numbers as the JSON texts lay them out: "[" then each row on its own line after
// `indent` plus two blanks, then the closing bracket after `indent`; "[]" when empty.
std::string LiteralRows(const std::vector<std::vector<double>>& rows, const std::string& indent) {
    std::string out = "[";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        out += std::string(r == 0 ? "\n" : ",\n") + indent + "  [";
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            out += (c > 0 ? ", " : "") + Literal(rows[r][c]);
        out += "]";
    }
    if (!rows.empty())
        out += "\n" + indent;
    return out + "]";
}

std::vector<std::vector<double>> WeightRows(const PublicStuff& s) {
    std::vector<std::vector<double>> rows;
    for (int j = 1; j <= s.NumOutputs; ++j) {
        rows.emplace_back();
        for (int i = 1; i <= s.NumInputs; ++i)
            rows.back().push_back(s.Weights.Weight(j, i));
    }
    return rows;
}

std::vector<std::vector<double>> HistoryRows(const PublicStuff& s) {
    std::vector<std::vector<double>> rows;
    for (int r = 1; r <= s.SSECount; ++r)
        rows.push_back({s.SSEHistory[static_cast<std::size_t>(r)][1],
                        s.SSEHistory[static_cast<std::size_t>(r)][2]});
    return rows;
}

TEST(ResultBytes, WeightCsvIsRowsOfShortestNumbers) {
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const PublicStuff s = MakeState(shape);
        std::string expected;
        for (const auto& row : WeightRows(s)) {
            for (std::size_t c = 0; c < row.size(); ++c)
                expected += (c > 0 ? "," : "") + Literal(row[c]);
            expected += "\n";
        }
        EXPECT_EQ(WeightsCsv(s.Weights), expected);
    }
}

TEST(ResultBytes, JsonResultWithTheTestAllTableIsItsPiecesInOrder) {
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const PublicStuff s = MakeState(shape);
        batch::ExperimentOptions options;
        options.TestAll = true;
        batch::ExperimentFigures figures;
        std::string table = ",\n  \"test_all\": [";
        for (int p = 1; p <= shape.historyRows; ++p) {
            const double v = s.SSEHistory[static_cast<std::size_t>(p)][2];
            figures.TestAll.push_back({p, v, -v, v / 3, 1.0 / v});
            table += std::string(p == 1 ? "\n    " : ",\n    ") +
                     "{\"pattern\": " + std::to_string(p) + ", \"sse\": " + Literal(v) +
                     ", \"ndp\": " + Literal(-v) + ", \"nvl\": " + Literal(v / 3) +
                     ", \"vcor\": " + Literal(1.0 / v) + "}";
        }
        table += shape.historyRows > 0 ? "\n  ]" : "]";
        const std::string members = batch::ExperimentJsonMembers(options, figures);
        EXPECT_EQ(members, table);

        const std::string expected =
            "{\n  \"file\": \"pictures \\\"A\\\".net\",\n  \"rule\": \"Delta\",\n  \"rate\": " +
            Literal(s.LearningRate) +
            ",\n  \"epochs\": 6,\n  \"total_sse\": " + Literal(s.TotalSSE) +
            ",\n  \"weights\": " + LiteralRows(WeightRows(s), "  ") +
            ",\n  \"history\": " + LiteralRows(HistoryRows(s), "  ") + table + "\n}\n";
        EXPECT_EQ(batch::JsonResult(s, members), expected);
    }
}

TEST(ResultBytes, SavedStateHoldsTheWeightsAndHistoryAsBefore) {
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const PublicStuff s = MakeState(shape);
        const std::string text = StateFileText(s, RunMemory{6, 0.5}, std::string(64, 'a'));
        const std::string tail = "\"weights\": " + LiteralRows(WeightRows(s), "  ") +
                                 ",\n  \"history\": " + LiteralRows(HistoryRows(s), "  ") + "\n}\n";
        ASSERT_GE(text.size(), tail.size());
        EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
        EXPECT_NE(text.find(",\n  \"total_sse\": " + Literal(s.TotalSSE) +
                            ",\n  \"last_change\": 0.5,\n  "),
                  std::string::npos);
    }
}

TEST(ResultBytes, ReservedRoomLeavesTheTextAsItWas) {
    struct Row {
        const char* name;
        std::string before;
        std::size_t room;
    };
    const Row rows[] = {
        {"empty text, no room", "", 0},
        {"empty text, 20 MB", "", 20u << 20},
        {"text kept, 3 MB more", std::string(5000, 'x') + "end", 3u << 20},
        {"less room than it has", std::string(100, 'y'), 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string text = row.before;
        ReserveText(text, row.room);
        EXPECT_EQ(text, row.before);
        EXPECT_GE(text.capacity(), row.before.size() + row.room);
    }
}

TEST(ResultBytes, RowsFormattedInHalvesAreTheRowsInOrder) {
    struct Row {
        const char* name;
        int rows;
        std::size_t roomPerRow;  // 4 MB and more of room is formatted in two halves
    };
    const Row rows[] = {
        {"no rows", 0, 100000},
        {"one row", 1, 100000},
        {"small text", 500, 30},
        {"two large rows", 2, std::size_t{5} << 20},
        {"many rows, odd count", 1001, 9000},
    };
    const auto format = [](std::string& text, int first, int end) {
        for (int r = first; r < end; ++r)
            text += (r == 1 ? "" : ",") + std::to_string(r) + ":" + RoundTripText(1.0 / r);
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string expected = "head";
        format(expected, 1, row.rows + 1);
        std::string text = "head";
        AppendRows(text, row.rows, row.roomPerRow, format);
        EXPECT_EQ(text, expected);
    }
}

TEST(ResultBytes, FailureInEitherHalfReachesTheCaller) {
    for (const int failing : {2, 999}) {
        SCOPED_TRACE(failing);
        std::string text;
        EXPECT_THROW(AppendRows(text, 1000, 9000,
                                [&](std::string& t, int first, int end) {
                                    for (int r = first; r < end; ++r) {
                                        if (r == failing)
                                            throw std::bad_alloc();
                                        t += 'x';
                                    }
                                }),
                     std::bad_alloc);
    }
}

}  // namespace
}  // namespace mnemex
