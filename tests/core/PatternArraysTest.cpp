// Pattern stores handed over as arrays: the same store a training file gives, and the
// same refusals, with nothing of the earlier store lost.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestNetworks.h"
#include "core/PatternArrays.h"
#include "core/TrainingFile.h"

namespace mnemex {
namespace {

PatternArrays TwoByThree() {
    // 2 patterns of 3 inputs, 1 output each
    return PatternArrays{3, 1, 2, {1, 2, 3, 4, 5, 6}, {0.5, -0.5}};
}

TEST(StorePatterns, GivesTheSameStoreAsTheEquivalentFile) {
    PublicStuff fromFile;
    ASSERT_FALSE(ReadTrainingFile(
        fromFile, testing::WriteTempFile("same.net", "1 9 3 2  1 2 3 4 5 6  0.5 -0.5")));
    PublicStuff fromArrays;
    ASSERT_FALSE(StorePatterns(fromArrays, "arrays", TwoByThree()));
    EXPECT_EQ(fromArrays.NumInputs, 3);
    EXPECT_EQ(fromArrays.NumOutputs, 1);
    EXPECT_EQ(fromArrays.NumPatterns, 2);
    EXPECT_EQ(fromArrays.InputPatterns.Storage(), fromFile.InputPatterns.Storage());
    EXPECT_EQ(fromArrays.DesiredOutputs.Storage(), fromFile.DesiredOutputs.Storage());
    EXPECT_EQ(fromArrays.InputPatterns(3, 2), 6);
}

TEST(StorePatterns, EmptyStoreIsAccepted) {
    PublicStuff s;
    EXPECT_FALSE(StorePatterns(s, "none", PatternArrays{4, 2, 0, {}, {}}));
    EXPECT_EQ(s.NumInputs, 4);
    EXPECT_EQ(s.NumPatterns, 0);
}

TEST(StorePatterns, RefusedStoresLeaveTheEarlierOneAndSayWhy) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        PatternArrays arrays;
        int number;
        const char* says;
    };
    const Case cases[] = {
        {"too many inputs",
         {32768, 1, 0, {}, {}},
         6,
         "give 32768 as the number of input units; it must lie between 0 and 32767"},
        {"negative outputs", {1, -1, 0, {}, {}}, 6, "give -1 as the number of output units"},
        {"too many patterns", {0, 0, 40000, {}, {}}, 6, "give 40000 as the number of patterns"},
        {"short input vector",
         {3, 1, 2, {1, 2, 3, 4, 5}, {0, 0}},
         9,
         "hold 5 input values and 2 desired output values where their counts call for 6 and 2"},
        {"nan input",
         {3, 1, 2, {1, 2, 3, 4, nan, 6}, {0, 0}},
         13,
         "have nan as input value 2 of pattern 2; every value must be a finite number"},
        {"infinite target",
         {3, 1, 2, {1, 2, 3, 4, 5, 6}, {0, -inf}},
         6,
         "have -inf as desired output value 1 of pattern 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PublicStuff s;
        ASSERT_FALSE(StorePatterns(s, "before", TwoByThree()));
        const auto e = StorePatterns(s, "mine", c.arrays);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->Number, c.number);
        EXPECT_NE(e->Message.find("The patterns \"mine\" "), std::string::npos) << e->Message;
        EXPECT_NE(e->Message.find(c.says), std::string::npos) << e->Message;
        EXPECT_EQ(s.NumInputs, 3);
        EXPECT_EQ(s.InputPatterns.Storage(), TwoByThree().Inputs);
        EXPECT_EQ(s.DesiredOutputs.Storage(), TwoByThree().Desired);
    }
}

}  // namespace
}  // namespace mnemex
