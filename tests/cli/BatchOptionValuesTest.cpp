// Every value of every setting option, under every stop mode, ends in exit status 0 or in
// status 2 with one line naming the problem, before any training, as the setup page would
// judge the box. A box the page does not read (the epochs box without the epoch test) must
// still hold a usable value, and a warning line says it has no effect.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/BatchOptions.h"
#include "cli/BatchRun.h"

namespace mnemex::batch {
namespace {

const std::string kNet = std::string(MNEMEX_EXAMPLES_DIR) + "/orthogonal.net";

// What the page makes of a box's text when it reads it as a number.
enum class Reading {
    kNotANumber,  // "Type mismatch"
    kTooLarge,    // beyond a double: "Overflow"
    kNegative,
    kZero,
    kFraction,  // between 0 and 1
    kHuge,      // a double, but beyond a 32-bit whole number
    kOrdinary,
};

struct Value {
    const char* text;
    Reading reading;
};

const Value kValues[] = {
    {"abc", Reading::kNotANumber},
    {"", Reading::kNotANumber},
    {"nan", Reading::kNotANumber},
    {"inf", Reading::kNotANumber},
    {"1,000", Reading::kNotANumber},
    {"0x10", Reading::kNotANumber},
    {"5 epochs", Reading::kNotANumber},
    {"1e999", Reading::kTooLarge},
    {"-1e999", Reading::kTooLarge},
    {"-1", Reading::kNegative},
    {"0", Reading::kZero},
    {"-0", Reading::kZero},
    {"0.4", Reading::kFraction},
    {"3e9", Reading::kHuge},
    {"1e9", Reading::kOrdinary},
    {" 5 ", Reading::kOrdinary},
    {"+7", Reading::kOrdinary},
    {"2.5e1", Reading::kOrdinary},
};

const char* const kStopModes[] = {"epochs", "error", "both"};

struct Expected {
    int status;
    const char* message;  // part of the one line on standard error (status 2)
};

constexpr Expected kRuns{kExitOk, ""};
constexpr Expected kTypeMismatch{kExitUsage, "the settings cannot be used: Type mismatch"};
constexpr Expected kOverflow{kExitUsage, "the settings cannot be used: Overflow"};
constexpr Expected kNotPositive{kExitUsage,
                                "Maximum Epochs: Maximum number of training epochs must be "
                                "greater than zero."};
constexpr Expected kNegativeRate{kExitUsage, "Learning Rate: Learning rate cannot be negative"};

// The epochs box (for a new run, or for Continue Training after 3 epochs): it must be above
// 0 and, rounded, a 32-bit whole number; without the epoch test the page would not read it,
// so `unread` is the batch command's own refusal then.
Expected ForEpochs(Reading r, bool epochTest, const char* unread) {
    if (!epochTest)
        return r == Reading::kFraction || r == Reading::kOrdinary ? kRuns
                                                                  : Expected{kExitUsage, unread};
    switch (r) {
        case Reading::kNotANumber:
            return kTypeMismatch;
        case Reading::kTooLarge:
        case Reading::kHuge:
            return kOverflow;
        case Reading::kNegative:
        case Reading::kZero:
            return kNotPositive;
        default:
            return kRuns;
    }
}

Expected ForRate(Reading r) {
    switch (r) {
        case Reading::kNotANumber:
            return kTypeMismatch;
        case Reading::kTooLarge:
            return kOverflow;
        case Reading::kNegative:
            return kNegativeRate;
        default:
            return kRuns;
    }
}

// An empty error box keeps the level it had; anything else must be a number.
Expected ForMinError(const Value& v) {
    if (std::string(v.text).empty())
        return kRuns;
    if (v.reading == Reading::kNotANumber)
        return kTypeMismatch;
    return v.reading == Reading::kTooLarge ? kOverflow : kRuns;
}

// The printout interval is rounded to a 32-bit whole number; 0 and below print nothing.
Expected ForPrintInterval(Reading r) {
    if (r == Reading::kNotANumber)
        return kTypeMismatch;
    if (r == Reading::kTooLarge || r == Reading::kHuge)
        return kOverflow;
    return kRuns;
}

struct Run {
    int status;
    std::string err;
    std::int32_t epochs = 0;  // trained in all
};

// Every run is ended after 3 epochs, so typed epoch counts of any size stay quick.
Run RunWith(std::vector<std::string> args) {
    const ParseOutcome parsed = ParseBatchOptions(args);
    if (!parsed.Options)
        return {-1, parsed.Error};
    std::ostringstream out, err, json;
    std::atomic<bool> stop{false};
    PublicStuff state;
    const int status = RunBatch(*parsed.Options, state, BatchStreams{out, err, json}, stop,
                                /*epochsPerRun=*/3);
    return {status, err.str(), state.EpochCount};
}

// `warning`: the one warning line a run that goes ahead prints ("" for none).
void Check(const std::vector<std::string>& args, const Expected& expected,
           const std::string& warning = "") {
    const Run run = RunWith(args);
    std::string shown;
    for (const std::string& a : args)
        shown += "[" + a + "] ";
    SCOPED_TRACE(shown);
    EXPECT_EQ(run.status, expected.status) << run.err;
    if (expected.status == kExitOk) {
        EXPECT_EQ(run.err, warning.empty() ? "" : "mnemex-batch: warning: " + warning + "\n");
        return;
    }
    EXPECT_EQ(run.err, std::string("mnemex-batch: ") + expected.message + "\n");
    EXPECT_EQ(run.epochs, 0) << "trained before the refusal";
}

std::string NotEpochs(const char* option, const Value& v) {
    return std::string(option) + " must be a number of epochs greater than 0, not \"" + v.text +
           "\"";
}

TEST(OptionValues, EpochsAreCheckedUnderEveryStopMode) {
    for (const char* stop : kStopModes)
        for (const Value& v : kValues) {
            const bool epochTest = std::string(stop) != "error";
            const std::string unread = NotEpochs("--epochs", v);
            Check({kNet, "--stop", stop, "--epochs", v.text},
                  ForEpochs(v.reading, epochTest, unread.c_str()),
                  epochTest ? "" : "--epochs has no effect with --stop error");
        }
}

TEST(OptionValues, ContinueEpochsAreCheckedUnderEveryStopModeBeforeTheFirstRun) {
    for (const char* stop : kStopModes)
        for (const Value& v : kValues) {
            const bool epochTest = std::string(stop) != "error";
            const std::string unread = NotEpochs("--continue", v);
            const Expected expected = ForEpochs(v.reading, epochTest, unread.c_str());
            Check({kNet, "--stop", stop, "--continue", v.text}, expected,
                  epochTest ? ""
                            : "the epoch counts of --continue have no effect with --stop error: "
                              "each one trains until the minimum error");
        }
}

TEST(OptionValues, RateIsAlwaysRead) {
    for (const char* stop : kStopModes)
        for (const Value& v : kValues)
            Check({kNet, "--stop", stop, "--rate", v.text}, ForRate(v.reading));
}

TEST(OptionValues, MinErrorIsReadUnlessEmpty) {
    for (const char* stop : kStopModes)
        for (const Value& v : kValues)
            Check({kNet, "--stop", stop, "--min-error", v.text}, ForMinError(v),
                  std::string(stop) == "epochs" ? "--min-error has no effect with --stop epochs"
                                                : "");
}

TEST(OptionValues, PrintIntervalIsAlwaysRead) {
    for (const char* stop : kStopModes)
        for (const Value& v : kValues)
            Check({kNet, "--stop", stop, "--print-interval", v.text}, ForPrintInterval(v.reading));
}

// The page checks the epochs box before the stopping method and the rate: the first
// problem in that order is the one reported.
TEST(OptionValues, FirstProblemInThePagesOrderIsReported) {
    Check({kNet, "--epochs", "0", "--rate", "-1"}, kNotPositive);
    Check({kNet, "--epochs", "abc", "--rate", "-1"}, kTypeMismatch);
    Check({kNet, "--stop", "error", "--epochs", "abc", "--rate", "-1"}, kNegativeRate);
    Check({kNet, "--rate", "-1", "--print-interval", "abc"}, kNegativeRate);
    Check({kNet, "--rate", "abc", "--print-interval", "1e999"}, kTypeMismatch);
}

}  // namespace
}  // namespace mnemex::batch
