// The --sections list of the batch command.

#include <gtest/gtest.h>

#include "reports/text/ReportSections.h"

namespace mnemex::report {
namespace {

SectionSet Set(std::initializer_list<Section> sections) {
    SectionSet set{};
    for (Section s : sections)
        set[s] = true;
    return set;
}

TEST(Sections, DefaultIsTheFourBoxesTickedWhenThePageOpens) {
    EXPECT_EQ(DefaultSections(),
              Set({kGeneralInformation, kNetworkResponses, kNetworkErrors, kConnectionWeights}));
}

struct ListCase {
    const char* list;
    std::optional<SectionSet> expected;
};

void PrintTo(const ListCase& c, std::ostream* os) {
    *os << '"' << c.list << '"';
}

class SectionList : public ::testing::TestWithParam<ListCase> {};

TEST_P(SectionList, NamesTheSections) {
    EXPECT_EQ(ParseSectionList(GetParam().list), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, SectionList,
    ::testing::Values(ListCase{"sse", Set({kSSEHistory})},
                      ListCase{"inputs,outputs", Set({kInputPatterns, kOutputPatterns})},
                      ListCase{"weights, General ,ERRORS",
                               Set({kConnectionWeights, kGeneralInformation, kNetworkErrors})},
                      ListCase{"responses,responses", Set({kNetworkResponses})},
                      ListCase{"all", Set({kInputPatterns, kGeneralInformation, kNetworkResponses,
                                           kNetworkErrors, kConnectionWeights, kOutputPatterns,
                                           kSSEHistory})},
                      ListCase{"", std::nullopt}, ListCase{"weight", std::nullopt},
                      ListCase{"sse,", std::nullopt}, ListCase{"general;sse", std::nullopt}));

}  // namespace
}  // namespace mnemex::report
