// Reading training files: what loads, and what is refused with which message.

#include <gtest/gtest.h>

#include <filesystem>

#include "RefusedTrainingFiles.h"
#include "TestNetworks.h"
#include "core/RunTimeError.h"
#include "core/TrainingFile.h"

namespace mnemex {
namespace {

using testing::WriteTempFile;

// 2 patterns of 3 inputs and 2 outputs.
const char* kSmall = "2 7 3 2\n1 2 3\n4 5 6\n0.5 -1\n1e-1 +2.5E1\n";

PublicStuff Loaded(const std::string& text) {
    PublicStuff s;
    const auto error = ReadTrainingFile(s, WriteTempFile("t.net", text));
    EXPECT_FALSE(error) << error->Message;
    return s;
}

TEST(ReadTrainingFile, ReadsCountsThenInputsThenDesiredOutputs) {
    PublicStuff s = Loaded(kSmall);
    EXPECT_EQ(s.NumOutputs, 2);
    EXPECT_EQ(s.SpareCount, 7);
    EXPECT_EQ(s.NumInputs, 3);
    EXPECT_EQ(s.NumPatterns, 2);
    EXPECT_EQ(s.InputPatterns(1, 1), 1.0);
    EXPECT_EQ(s.InputPatterns(3, 1), 3.0);
    EXPECT_EQ(s.InputPatterns(1, 2), 4.0);
    EXPECT_EQ(s.DesiredOutputs(2, 1), -1.0);
    EXPECT_EQ(s.DesiredOutputs(1, 2), 0.1);
    EXPECT_EQ(s.DesiredOutputs(2, 2), 25.0);
}

TEST(ReadTrainingFile, CommasAndLineBreaksAreTheSameSeparators) {
    PublicStuff a = Loaded(kSmall);
    PublicStuff b = Loaded("2,7,3,2,1,2,3,4,5,6,0.5,-1,1e-1,+2.5E1");
    PublicStuff c = Loaded("2\r\n7\r\n3 ,\t2\n1\n2\n3\n4\n5\n6\n0.5\n-1\n1e-1\n+2.5E1");
    EXPECT_EQ(a.InputPatterns.Storage(), b.InputPatterns.Storage());
    EXPECT_EQ(a.DesiredOutputs.Storage(), b.DesiredOutputs.Storage());
    EXPECT_EQ(a.InputPatterns.Storage(), c.InputPatterns.Storage());
    EXPECT_EQ(a.DesiredOutputs.Storage(), c.DesiredOutputs.Storage());
}

TEST(ReadTrainingFile, TheSecondValueChangesNothing) {
    PublicStuff a = Loaded("1 0 1 1 2 3");
    PublicStuff b = Loaded("1 -99 1 1 2 3");
    EXPECT_EQ(a.InputPatterns.Storage(), b.InputPatterns.Storage());
    EXPECT_EQ(a.DesiredOutputs.Storage(), b.DesiredOutputs.Storage());
}

TEST(ReadTrainingFile, WhateverFollowsTheLastValueIsNeverRead) {
    PublicStuff s = Loaded("1 0 1 1 2 3 this is a comment, nan, 1e999,, \x01\x02");
    EXPECT_EQ(s.DesiredOutputs(1, 1), 3.0);
}

TEST(ReadTrainingFile, ZeroPatternsGiveEmptyStores) {
    PublicStuff s = Loaded("3 0 4 0");
    EXPECT_EQ(s.NumPatterns, 0);
    EXPECT_TRUE(s.InputPatterns.Storage().empty());
    EXPECT_TRUE(s.DesiredOutputs.Storage().empty());
}

TEST(ReadTrainingFile, ASecondSmallerFileLeavesNoTrace) {
    PublicStuff s = Loaded(kSmall);
    ASSERT_FALSE(ReadTrainingFile(s, WriteTempFile("b.net", "1 0 1 1 9 8")));
    EXPECT_EQ(s.NumInputs, 1);
    EXPECT_EQ(s.InputPatterns.Storage(), std::vector<double>{9});
    EXPECT_EQ(s.DesiredOutputs.Storage(), std::vector<double>{8});
}

TEST(ReadTrainingFile, LoadingLeavesTheNetworkAlone) {
    PublicStuff s = Loaded(kSmall);
    s.ReallocateNetwork();
    s.Weights.SetWeight(1, 1, 0.75);
    s.EpochCount = 12;
    ASSERT_FALSE(ReadTrainingFile(s, WriteTempFile("c.net", kSmall)));
    EXPECT_EQ(s.Weights.Weight(1, 1), 0.75);
    EXPECT_EQ(s.EpochCount, 12);
}

using testing::BadFile;

class RefusedFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(RefusedFile, IsRefusedWithAMessageAndTheOldFileStays) {
    const BadFile& bad = GetParam();
    PublicStuff s = Loaded(kSmall);
    const auto before = s.InputPatterns.Storage();
    const auto error = ReadTrainingFile(s, WriteTempFile("bad.net", bad.text));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number, bad.number) << error->Message;
    EXPECT_NE(error->Message.find("\"bad.net\""), std::string::npos) << error->Message;
    EXPECT_NE(error->Message.find(bad.mentions), std::string::npos) << error->Message;
    EXPECT_EQ(s.NumInputs, 3);
    EXPECT_EQ(s.NumOutputs, 2);
    EXPECT_EQ(s.NumPatterns, 2);
    EXPECT_EQ(s.SpareCount, 7);
    EXPECT_EQ(s.InputPatterns.Storage(), before);
}

INSTANTIATE_TEST_SUITE_P(BadInput, RefusedFile,
                         ::testing::ValuesIn(testing::RefusedTrainingFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadTrainingFile, MissingFileOrFolderCannotBeOpened) {
    PublicStuff s;
    auto missing = ReadTrainingFile(s, "/nonexistent/folder/x.net");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->Number, kFileNotFound);
    EXPECT_NE(missing->Message.find("\"x.net\" cannot be opened"), std::string::npos);
    const auto dir = std::filesystem::path(WriteTempFile("x", "")).parent_path();
    auto folder = ReadTrainingFile(s, dir.string());
    ASSERT_TRUE(folder);
    EXPECT_NE(folder->Message.find("folder"), std::string::npos);
}

TEST(ReadTrainingFile, HugeCountsInATinyFileAreRefusedAtOnce) {
    // Refused from what the file holds, not after reserving 8 GiB: the store is not sized
    // from the counts before the values are there, so this also passes under a small
    // address-space limit (see OutOfMemoryTest for the limit itself).
    PublicStuff s;
    auto error = ReadTrainingFile(s, WriteTempFile("big.net", "32767 0 32767 32767 1 2 3"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number, kInputPastEndOfFile);
    EXPECT_EQ(s.NumPatterns, 0);
}

}  // namespace
}  // namespace mnemex
