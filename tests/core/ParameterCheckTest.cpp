// Checking the training settings as the setup page (and the batch command) does.

#include <gtest/gtest.h>

#include <limits>

#include "core/ParameterCheck.h"

namespace mnemex {
namespace {

CheckResult Check(PublicStuff& s, const ParameterEntries& e) {
    return CheckParameters(s, e, ReadPlainNumber);
}

TEST(CheckParameters, InitialSettingsAreAcceptedAndCopied) {
    PublicStuff s;
    s.NewRun = 1;
    const CheckResult r = Check(s, ParameterEntries{});
    EXPECT_EQ(r.Verdict, CheckVerdict::kAccepted);
    EXPECT_EQ(s.StopAtMaxEpochs, 1);
    EXPECT_EQ(s.StopAtMinError, 0);
    EXPECT_EQ(s.LearningRate, 0.1);
    EXPECT_EQ(s.PrintInterval, 10);
    EXPECT_EQ(s.MinError, 0.05);
    EXPECT_EQ(s.MaxEpochs, 100);
}

// The refused checks, their warnings and what they leave are tested against the training
// session (TrainingSessionTest.cpp); here, what an accepted check copies.

ParameterEntries With(bool epochTest, bool errorTest, const char* epochs, const char* rate) {
    ParameterEntries e;
    e.EpochTest = epochTest;
    e.ErrorTest = errorTest;
    e.Epochs = epochs;
    e.LearningRate = rate;
    return e;
}

TEST(CheckParameters, NegativeRatePutsTheDefaultRateBack) {
    PublicStuff s;
    s.LearningRate = 0.7;
    Check(s, With(true, false, "100", "-0.1"));
    EXPECT_EQ(s.LearningRate, 0.1);
}

TEST(CheckParameters, RateZeroIsAccepted) {
    PublicStuff s;
    EXPECT_EQ(Check(s, With(true, false, "100", "0")).Verdict, CheckVerdict::kAccepted);
    EXPECT_EQ(s.LearningRate, 0.0);
}

TEST(CheckParameters, EpochsBoxIsNotExaminedWithOnlyTheErrorTest) {
    PublicStuff s;
    s.MaxEpochs = 5;
    EXPECT_EQ(Check(s, With(false, true, "not a number", "0.1")).Verdict, CheckVerdict::kAccepted);
    EXPECT_EQ(s.MaxEpochs, 5);
}

TEST(CheckParameters, ContinuingAddsTheEpochsToTheCount) {
    PublicStuff s;
    s.NewRun = 0;
    s.EpochCount = 100;
    Check(s, ParameterEntries{});
    EXPECT_EQ(s.MaxEpochs, 200);
    s.NewRun = 1;
    Check(s, ParameterEntries{});
    EXPECT_EQ(s.MaxEpochs, 100);
}

TEST(CheckParameters, WholeNumbersRoundHalvesToEven) {
    PublicStuff s;
    s.NewRun = 1;
    ParameterEntries e;
    e.PrintEpochs = "2.5";
    e.Epochs = "3.5";
    Check(s, e);
    EXPECT_EQ(s.PrintInterval, 2);
    EXPECT_EQ(s.MaxEpochs, 4);
    s.NewRun = 0;
    s.EpochCount = 10;
    e.Epochs = "0.5";  // 10.5 rounds to 10 after the addition
    Check(s, e);
    EXPECT_EQ(s.MaxEpochs, 10);
}

TEST(CheckParameters, EmptyErrorBoxKeepsTheOldLevel) {
    PublicStuff s;
    s.MinError = 0.3;
    ParameterEntries e;
    e.MinError = "";
    EXPECT_EQ(Check(s, e).Verdict, CheckVerdict::kAccepted);
    EXPECT_EQ(s.MinError, 0.3);
}

TEST(CheckParameters, TextThatIsNotANumberIsATypeMismatch) {
    for (const char* text : {"abc", "", "0.1x", "nan", "inf", "1,5", "0x10"}) {
        PublicStuff s;
        s.LearningRate = 0.4;
        const CheckResult r = Check(s, With(true, false, "100", text));
        EXPECT_EQ(r.Verdict, CheckVerdict::kError) << text;
        EXPECT_EQ(r.Error.Number, kTypeMismatch) << text;
        EXPECT_EQ(s.LearningRate, 0.4) << text;
    }
}

TEST(CheckParameters, SettingsCopiedBeforeAnErrorKeepTheirValues) {
    PublicStuff s;
    ParameterEntries e;
    e.LearningRate = "0.25";
    e.PrintEpochs = "5";
    e.MinError = "oops";
    e.Epochs = "40";
    s.MaxEpochs = 9;
    const CheckResult r = Check(s, e);
    EXPECT_EQ(r.Verdict, CheckVerdict::kError);
    EXPECT_EQ(s.LearningRate, 0.25);
    EXPECT_EQ(s.PrintInterval, 5);
    EXPECT_EQ(s.MaxEpochs, 9);
}

TEST(CheckParameters, CountsBeyond32BitsOverflow) {
    PublicStuff s;
    ParameterEntries e;
    e.PrintEpochs = "1e12";
    const CheckResult r = Check(s, e);
    EXPECT_EQ(r.Verdict, CheckVerdict::kError);
    EXPECT_EQ(r.Error.Number, kOverflow);
    e.PrintEpochs = "10";
    e.Epochs = "1e400";
    EXPECT_EQ(Check(s, e).Error.Number, kOverflow);
}

TEST(CheckParameters, AReaderThatLetsThroughInfinityIsStillRefused) {
    PublicStuff s;
    const auto lenient = [](const std::string& text) {
        if (text == "big")
            return std::numeric_limits<double>::infinity();
        if (text == "what")
            return std::numeric_limits<double>::quiet_NaN();
        return ReadPlainNumber(text);
    };
    ParameterEntries e;
    e.LearningRate = "big";
    EXPECT_EQ(CheckParameters(s, e, lenient).Error.Number, kOverflow);
    e.LearningRate = "what";
    EXPECT_EQ(CheckParameters(s, e, lenient).Error.Number, kTypeMismatch);
}

}  // namespace
}  // namespace mnemex
