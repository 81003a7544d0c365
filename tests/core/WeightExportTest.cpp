// The weight exports' bytes. (numpy reading the .npy back is checked by
// tests/cli/check_experiments.py.)

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "core/WeightExport.h"
#include "tests/support/TestNetworks.h"

namespace mnemex {
namespace {

WeightMatrix Weights(int outputs, int inputs, const std::vector<double>& byOutput) {
    WeightMatrix w;
    w.Reallocate(outputs, inputs);
    for (int j = 1; j <= outputs; ++j)
        for (int i = 1; i <= inputs; ++i)
            w.SetWeight(j, i, byOutput[static_cast<std::size_t>((j - 1) * inputs + i - 1)]);
    return w;
}

TEST(WeightExport, CsvRowsPerOutputUnitInShortestForm) {
    const WeightMatrix w =
        Weights(2, 3, {0.1, -0.0, 1e-300, 1.0 / 3.0, 5e-324, std::numeric_limits<double>::max()});
    EXPECT_EQ(WeightsCsv(w),
              "0.1,-0,1e-300\n"
              "0.3333333333333333,5e-324,1.7976931348623157e+308\n");
}

TEST(WeightExport, CsvOfEmptyShapes) {
    EXPECT_EQ(WeightsCsv(Weights(0, 3, {})), "");
    EXPECT_EQ(WeightsCsv(Weights(2, 0, {})), "\n\n");  // two output units without inputs
}

TEST(WeightExport, NpyHeaderAndLittleEndianData) {
    const std::string npy = WeightsNpy(Weights(2, 1, {1.0, -2.0}));
    const std::string preamble("\x93NUMPY\x01\x00", 8);
    ASSERT_EQ(npy.substr(0, 8), preamble);
    const std::size_t headerLength =
        static_cast<unsigned char>(npy[8]) + 256u * static_cast<unsigned char>(npy[9]);
    EXPECT_EQ((10 + headerLength) % 64, 0u);
    const std::string header = npy.substr(10, headerLength);
    EXPECT_EQ(header.rfind("{'descr': '<f8', 'fortran_order': False, 'shape': (2, 1), }", 0), 0u);
    EXPECT_EQ(header.back(), '\n');
    // 1.0 is 0x3FF0000000000000 and -2.0 0xC000000000000000, lowest byte first.
    EXPECT_EQ(npy.substr(10 + headerLength),
              std::string("\0\0\0\0\0\0\xf0\x3f\0\0\0\0\0\0\0\xc0", 16));
}

TEST(WeightExport, NpyIsOutputMajor) {
    // The network stores input rows; the file lists output unit 1's weights first.
    const PublicStuff s = testsupport::MakeNetwork(2, 2, {}, {}, {1, 2, 3, 4});
    const std::string npy = WeightsNpy(s.Weights);
    const std::string data = npy.substr(npy.size() - 32);
    double values[4];
    std::memcpy(values, data.data(), sizeof values);
    EXPECT_EQ(values[0], 1.0);  // (output 1, input 1)
    EXPECT_EQ(values[1], 3.0);  // (output 1, input 2)
    EXPECT_EQ(values[2], 2.0);
    EXPECT_EQ(values[3], 4.0);
}

}  // namespace
}  // namespace mnemex
