// The strict JSON reader on its own: which texts it takes, which it refuses and with what
// reason and line, and how numbers read back.

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <limits>

#include "core/json/JsonText.h"
#include "core/json/StrictJson.h"

namespace mnemex {
namespace {

struct Accepted {
    const char* Name;
    std::string Text;
};
void PrintTo(const Accepted& c, std::ostream* os) {
    *os << c.Name;
}

class StrictJsonAccepts : public testing::TestWithParam<Accepted> {};

TEST_P(StrictJsonAccepts, ParsesTheWholeText) {
    json::ParseProblem problem;
    EXPECT_TRUE(json::Parse(GetParam().Text, problem).has_value()) << problem.What;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrictJsonAccepts,
    testing::Values(Accepted{"EmptyObject", "{}"}, Accepted{"EmptyList", "[]"},
                    Accepted{"BareNumber", "-0.5e+3"}, Accepted{"BareWords", " true "},
                    Accepted{"Null", "null"},
                    Accepted{"BlanksAround", "\r\n\t {\"a\" : [1 , 2]}\n"},
                    Accepted{"Escapes", R"(["\"\\\/\b\f\n\r\t\u00e9\ud83d\ude00"])"},
                    Accepted{"Utf8AsIs", "\"caf\xc3\xa9\""},
                    Accepted{"Nested64", std::string(64, '[') + std::string(64, ']')},
                    Accepted{"NumberInside64Lists",
                             std::string(64, '[') + "1" + std::string(64, ']')},
                    Accepted{"Objects64Deep",
                             [] {
                                 std::string t;
                                 for (int k = 0; k < 63; ++k)
                                     t += "{\"a\": ";
                                 return t + "{}" + std::string(63, '}');
                             }()},
                    Accepted{"SameNameInTwoObjects", R"([{"a": 1}, {"a": 2}])"}),
    [](const testing::TestParamInfo<Accepted>& info) { return std::string(info.param.Name); });

struct Rejected {
    const char* Name;
    std::string Text;
    std::string What;  // a piece of the reason
    int Line;
};
void PrintTo(const Rejected& c, std::ostream* os) {
    *os << c.Name;
}

class StrictJsonRefuses : public testing::TestWithParam<Rejected> {};

TEST_P(StrictJsonRefuses, NamesTheReasonAndLine) {
    json::ParseProblem problem;
    EXPECT_FALSE(json::Parse(GetParam().Text, problem).has_value());
    EXPECT_NE(problem.What.find(GetParam().What), std::string::npos) << problem.What;
    EXPECT_EQ(problem.Line, GetParam().Line);
}

// A source that hands over one byte at a time (or fails), as a file read in pieces may.
class BytewiseSource : public json::ByteSource {
  public:
    explicit BytewiseSource(std::string text, int failAt = -1)
        : text_(std::move(text)), failAt_(failAt) {}
    long long Read(char* to, std::size_t, int& error) override {
        if (static_cast<int>(at_) == failAt_) {
            error = EIO;
            return -1;
        }
        if (at_ == text_.size())
            return 0;
        *to = text_[at_++];
        return 1;
    }

  private:
    std::string text_;
    std::size_t at_ = 0;
    int failAt_;
};

// The same reason and line whatever the pieces the text comes in.
TEST_P(StrictJsonRefuses, SameReasonAndLineReadAByteAtATime) {
    BytewiseSource source(GetParam().Text);
    json::Events ignored;
    json::ParseProblem problem;
    int error = 0;
    EXPECT_EQ(json::ParseStream(source, ignored, problem, error), json::StreamResult::kDamaged);
    EXPECT_NE(problem.What.find(GetParam().What), std::string::npos) << problem.What;
    EXPECT_EQ(problem.Line, GetParam().Line);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrictJsonRefuses,
    testing::Values(
        Rejected{"Empty", "", "the text ends early", 1},
        Rejected{"OnlyBlanks", "  \n ", "the text ends early", 2},
        Rejected{"CutShort", "{\n\"a\": [1,\n", "the text ends early", 3},
        Rejected{"TrailingCommaInList", "[1, 2, ]", "expected a value", 1},
        Rejected{"TrailingCommaInObject", "{\"a\": 1,}", "expected a member name", 1},
        Rejected{"RepeatedName", "{\"a\": 1,\n \"a\": 2}", "member \"a\" appears twice", 2},
        Rejected{"TwoDocuments", "{} {}", "text after the end of the document", 1},
        Rejected{"Comment", "// note\n{}", "expected a value", 1},
        Rejected{"SingleQuotes", "['a']", "expected a value", 1},
        Rejected{"UnquotedName", "{a: 1}", "expected a member name", 1},
        Rejected{"MissingColon", "{\"a\" 1}", "expected ':'", 1},
        Rejected{"NaN", "[NaN]", "expected a value", 1},
        Rejected{"Infinity", "[Infinity]", "expected a value", 1},
        Rejected{"MisspeltWord", "[tru]", "unknown word", 1},
        Rejected{"LeadingZero", "[01]", "expected ',' or ']'", 1},
        Rejected{"PlusSign", "[+1]", "expected a value", 1},
        Rejected{"PointWithoutDigits", "[1.]", "without digits after its point", 1},
        Rejected{"ExponentWithoutDigits", "[1e+]", "without digits in its exponent", 1},
        Rejected{"ControlCharacterInString", "[\"a\tb\"]", "a control character", 1},
        Rejected{"BadEscape", R"(["\x"])", "bad escape", 1},
        Rejected{"ShortUnicodeEscape", R"(["\u12"])", "bad \\u escape", 1},
        Rejected{"LoneHighSurrogate", R"(["\ud83d"])", "bad \\u escape", 1},
        Rejected{"Nested65", std::string(65, '[') + std::string(65, ']'), "nested too deeply", 1},
        Rejected{"Objects65Deep", std::string(64, '[') + "{}" + std::string(64, ']'),
                 "nested too deeply", 1}),
    [](const testing::TestParamInfo<Rejected>& info) { return std::string(info.param.Name); });

json::Value Number(const std::string& text) {
    json::ParseProblem problem;
    const auto v = json::Parse(text, problem);
    EXPECT_TRUE(v && v->Type == json::Value::Kind::kNumber) << text << ": " << problem.What;
    return v ? *v : json::Value{};
}

TEST(StrictJsonNumbers, WholeNumbersOnlyWithoutPointOrExponentAndInRange) {
    EXPECT_EQ(json::ToInt64(Number("-9223372036854775808")),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(json::ToUInt64(Number("18446744073709551615")),
              std::numeric_limits<std::uint64_t>::max());
    EXPECT_FALSE(json::ToInt64(Number("9223372036854775808")));
    EXPECT_FALSE(json::ToUInt64(Number("-1")));
    EXPECT_FALSE(json::ToInt64(Number("1.0")));
    EXPECT_FALSE(json::ToInt64(Number("1e2")));
    EXPECT_EQ(json::ToDouble(Number("1e2")), 100.0);
}

TEST(StrictJsonNumbers, BeyondADoubleIsNotAValue) {
    EXPECT_FALSE(json::ToDouble(Number("1e999")));
    EXPECT_FALSE(json::ToDouble(Number("-1e400")));
    EXPECT_EQ(json::ToDouble(Number("1e-400")), 0.0);  // underflow rounds to zero
}

// What the program writes reads back as the same double, for awkward values too.
TEST(StrictJsonNumbers, WrittenNumbersReadBackToTheBit) {
    for (const double d : {0.1, 1.0 / 3.0, -2.3947793926781813e-06, 5e-324, 1.7976931348623157e308,
                           std::nextafter(1.0, 2.0), -0.0}) {
        std::string text;
        json::AppendNumber(text, d);
        const auto back = json::ToDouble(Number(text));
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(std::signbit(*back), std::signbit(d)) << text;
        EXPECT_EQ(*back, d) << text;
    }
}

TEST(StrictJsonStrings, WrittenTextsReadBackTheSame) {
    const std::string original = "a \"quoted\" \\ name\n\twith \x01 and caf\xc3\xa9";
    std::string text;
    json::AppendString(text, original);
    json::ParseProblem problem;
    const auto back = json::Parse(text, problem);
    ASSERT_TRUE(back) << problem.What;
    EXPECT_EQ(back->Text, original);
}

TEST(StrictJsonObjects, MembersAreFoundByName) {
    json::ParseProblem problem;
    const auto v = json::Parse(R"({"list": [1, "two", null], "flag": false})", problem);
    ASSERT_TRUE(v) << problem.What;
    ASSERT_NE(v->Find("list"), nullptr);
    EXPECT_EQ(v->Find("list")->Items.size(), 3u);
    EXPECT_EQ(v->Find("list")->Items[1].Text, "two");
    EXPECT_EQ(v->Find("list")->Items[2].Type, json::Value::Kind::kNull);
    EXPECT_EQ(v->Find("flag")->Type, json::Value::Kind::kBool);
    EXPECT_EQ(v->Find("missing"), nullptr);
}

// The bounds a stream reader sets on what one value may take.
struct Bounded {
    const char* Name;
    std::string Text;
    json::StreamLimits Limits;
    json::StreamResult Result;
    std::string What;  // for kDamaged
};
void PrintTo(const Bounded& c, std::ostream* os) {
    *os << c.Name;
}

json::StreamLimits Limits(std::size_t text, std::size_t names) {
    json::StreamLimits limits;
    limits.TextBytes = text;
    limits.NameBytes = names;
    return limits;
}

class StrictJsonStream : public testing::TestWithParam<Bounded> {};

TEST_P(StrictJsonStream, KeepsWithinItsLimits) {
    const Bounded& c = GetParam();
    BytewiseSource source(c.Text);
    json::Events ignored;
    json::ParseProblem problem;
    int error = 0;
    EXPECT_EQ(json::ParseStream(source, ignored, problem, error, c.Limits), c.Result);
    EXPECT_EQ(problem.What, c.What);
}

const std::size_t kAll = std::numeric_limits<std::size_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Limits, StrictJsonStream,
    testing::Values(Bounded{"TextAtTheLimit", R"(["abcd", 1234])", Limits(4, kAll),
                            json::StreamResult::kParsed, ""},
                    Bounded{"LongerString", R"(["abcde"])", Limits(4, kAll),
                            json::StreamResult::kDamaged, "a text or number longer than 4 bytes"},
                    Bounded{"LongerEscapedString", R"(["ab\n\u00e9"])", Limits(4, kAll),
                            json::StreamResult::kDamaged, "a text or number longer than 4 bytes"},
                    Bounded{"LongerNumber", "[-1.5e10]", Limits(4, kAll),
                            json::StreamResult::kDamaged, "a text or number longer than 4 bytes"},
                    // Each name costs its bytes and 64 more while its object is open.
                    Bounded{"NamesWithinTheBudget", R"({"a": {"b": 1}, "c": 2})",
                            Limits(kAll, 3 * 65), json::StreamResult::kParsed, ""},
                    Bounded{"MoreNamesThanTheBudget", R"({"a": 1, "b": 2, "c": 3, "d": 4})",
                            Limits(kAll, 3 * 65), json::StreamResult::kDamaged,
                            "more member names than the reader keeps"},
                    Bounded{"NamesFreedWhenTheirObjectCloses",
                            R"([{"a": 1, "b": 2}, {"c": 3, "d": 4}])", Limits(kAll, 2 * 65),
                            json::StreamResult::kParsed, ""}),
    [](const testing::TestParamInfo<Bounded>& info) { return std::string(info.param.Name); });

TEST(StrictJsonStream, ASourceThatFailsGivesItsError) {
    BytewiseSource source("[1, 2, 3]", 4);
    json::Events ignored;
    json::ParseProblem problem;
    int error = 0;
    EXPECT_EQ(json::ParseStream(source, ignored, problem, error), json::StreamResult::kUnreadable);
    EXPECT_EQ(error, EIO);
}

// A handler that has what it wants stops the reading there, before the text goes wrong.
TEST(StrictJsonStream, AHandlerThatIsDoneStopsTheReading) {
    struct FirstNumber : json::Events {
        std::string Seen;
        void Scalar(json::Value&& v, int) override { Seen = v.Text; }
        bool Done() const override { return !Seen.empty(); }
    } first;
    BytewiseSource source("[12, 3, oops");
    json::ParseProblem problem;
    int error = 0;
    EXPECT_EQ(json::ParseStream(source, first, problem, error), json::StreamResult::kStopped);
    EXPECT_EQ(first.Seen, "12");
}

}  // namespace
}  // namespace mnemex
