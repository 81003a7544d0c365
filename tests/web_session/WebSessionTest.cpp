// The browser's session as the page uses it: numbers typed in the browser's language, the
// form's answers to refused settings, a run trained in slices, stop, probe, save and open.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "core/RunTimeError.h"
#include "core/json/StrictJson.h"
#include "tests/support/TempFolder.h"
#include "web/session/BrowserNumbers.h"
#include "web/session/InsideFigures.h"
#include "web/session/WebSession.h"

namespace mnemex::web {
namespace {

using testsupport::ReadBytes;
using testsupport::TestScratchFolder;

json::Value Json(const std::string& text) {
    json::ParseProblem problem;
    auto value = json::Parse(text, problem);
    EXPECT_TRUE(value) << problem.What << " in " << text;
    return value.value_or(json::Value{});
}

std::string Text(const json::Value& v, const char* name) {
    const json::Value* m = v.Find(name);
    return m ? m->Text : "<none>";
}

std::string Letters() {
    return ReadBytes(std::filesystem::path(MNEMEX_EXAMPLES_DIR) / "letters.net");
}

// A session with letters.net open, in the test's own folder.
struct Opened {
    explicit Opened(const std::string& decimal = ".", const std::string& group = ",")
        : session((TestScratchFolder() / ("s" + std::to_string(++count))).string()) {
        session.SetNumberSigns(decimal, group);
        EXPECT_EQ(Text(Json(session.OpenTrainingFile("letters.net", Letters())), "ok"), "");
    }
    // Trains to the end in slices of `slice` epochs; the last answer.
    json::Value Train(const std::string& settings, int slice = 3) {
        EXPECT_TRUE(Json(session.Prepare(settings)).Find("accepted")->Bool) << settings;
        json::Value answer;
        do
            answer = Json(session.Advance(slice));
        while (!answer.Find("ended")->Bool);
        return answer;
    }
    static inline int count = 0;
    WebSession session;
};

std::vector<std::string> Lines(const json::Value& answer) {
    std::vector<std::string> lines;
    for (const json::Value& line : answer.Find("display")->Find("lines")->Items)
        lines.push_back(line.Text);
    return lines;
}

TEST(BrowserNumbers, ReadByTheBrowsersSigns) {
    struct Case {
        const char* decimal;
        const char* group;
        const char* text;
        std::optional<double> value;  // none: refused
        int error = kTypeMismatch;
    };
    const Case cases[] = {
        {".", ",", " 0.1 ", 0.1},
        {",", ".", "0,5", 0.5},
        {",", ".", "0.10", 0.1},
        {",", ".", "1.000", std::nullopt},
        {".", ",", "1,000", {}},
        {",", "\xe2\x80\xaf", "2,5e1", 25.0},
        {".", ",", "nan", {}},
        {".", ",", "", {}},
        {".", ",", "1e999", {}, kOverflow},
        {",", ".", "1,2,3", {}},
    };
    for (const Case& c : cases) {
        const NumberConventions signs{c.decimal, c.group};
        if (c.value) {
            EXPECT_EQ(ReadBrowserNumber(signs, c.text), *c.value) << c.text;
            continue;
        }
        try {
            ReadBrowserNumber(signs, c.text);
            ADD_FAILURE() << c.text << " was read";
        } catch (const RunTimeException& e) {
            EXPECT_EQ(e.Error().Number, c.error) << c.text;
        }
    }
}

TEST(WebSession, RefusedSettingsAnswerAsTheSetupPage) {
    struct Case {
        const char* settings;
        const char* title;
        const char* focus;
        const char* member;  // a box put back, or the hint
        const char* value;
    };
    const Case cases[] = {
        {R"({"epochs":"0"})", "Maximum Epochs", "epochs", "epochs_text", "1"},
        {R"({"epoch_test":false})", "No stopping method set", "stopping", "title",
         "No stopping method set"},
        {R"({"rate":"-1"})", "Learning Rate", "rate", "rate_text", "0.10"},
        {R"({"rate":"abc"})", "", "rate", "hint",
         "Learning rate: not a number. Type a number such as 0.1, then start again."},
        {R"({"order":"permuted","seed":"-3"})", "Seed", "seed", "seed_text", "1"},
    };
    Opened opened;
    for (const Case& c : cases) {
        const json::Value answer = Json(opened.session.Prepare(c.settings));
        EXPECT_FALSE(answer.Find("accepted")->Bool) << c.settings;
        EXPECT_EQ(Text(answer, "title"), c.title) << c.settings;
        EXPECT_EQ(Text(answer, "focus"), c.focus) << c.settings;
        EXPECT_EQ(Text(answer, c.member), c.value) << c.settings;
    }
}

TEST(WebSession, SlicesStopProbeSaveAndOpen) {
    const std::string delta = R"({"rule":"delta","rate":"0,1","epochs":"20"})";
    Opened sliced(",", ".");
    const json::Value end = sliced.Train(delta, 3);
    EXPECT_EQ(Text(end, "outcome"), "finished");
    const std::vector<std::string> shown{"Training: letters.net", "Epochs: 20", "Total SSE: 0.32",
                                         "Change in SSE: 9.33E-02"};
    EXPECT_EQ(Lines(end), shown);
    Opened whole(",", ".");
    EXPECT_EQ(Lines(whole.Train(delta, 1000)), shown);
    // A new run's SSE rows replace the last run's from the first row on.
    const json::Value again = whole.Train(R"({"print_interval":"1","epochs":"5"})", 1000);
    EXPECT_EQ(Text(again, "history_from"), "0");
    EXPECT_EQ(again.Find("history")->Items.size(), 6u);

    // Stop ends the run after the epoch under way; Continue carries it on from there.
    sliced.Train(R"({"mode":"continue","rule":"delta","rate":"0,1","epochs":"100"})", 0);
    ASSERT_TRUE(Json(sliced.session.Prepare(R"({"mode":"continue","rule":"delta","rate":"0,1"})"))
                    .Find("accepted")
                    ->Bool);
    sliced.session.Advance(2);
    sliced.session.RequestStop();
    const json::Value stopped = Json(sliced.session.Advance(50));
    EXPECT_EQ(Text(stopped, "outcome"), "stopped");
    EXPECT_EQ(Lines(stopped)[1], "Epochs: 123");

    EXPECT_EQ(Text(Json(sliced.session.Probe("9")), "message"),
              "Please enter a whole pattern number from 1 to 8.");
    EXPECT_EQ(Text(Json(sliced.session.Probe("2")), "text").rfind("Pattern: 2\t", 0), 0u);

    const json::Value saved = Json(sliced.session.SaveNetwork());
    EXPECT_EQ(Text(saved, "name"), "letters-123.json");
    Opened reopened(",", ".");
    const json::Value back =
        Json(reopened.session.OpenSavedNetwork(Text(saved, "name"), Text(saved, "text")));
    EXPECT_EQ(Text(*back.Find("form"), "rate"), "0,1");
    EXPECT_EQ(Lines(back), Lines(stopped));
    EXPECT_EQ(reopened.session.Weights(), sliced.session.Weights());
    EXPECT_EQ(reopened.session.Report(R"({"sections":"all","date":"d","time":"t"})"),
              sliced.session.Report(R"({"sections":"all","date":"d","time":"t"})"));

    // A network saved on one training file is refused without it or on another, saying
    // which it needs.
    WebSession none((TestScratchFolder() / "none").string());
    const json::Value unopened = Json(none.OpenSavedNetwork("n.json", Text(saved, "text")));
    EXPECT_EQ(Text(unopened, "message"),
              "The saved network cannot be opened yet.\n\nThe network was trained on "
              "\"letters.net\": open that training file first, then open the saved network "
              "again.");
    EXPECT_TRUE(unopened.Find("wrong_training_file")->Bool);
    WebSession other((TestScratchFolder() / "other").string());
    other.OpenTrainingFile(
        "orthogonal.net", ReadBytes(std::filesystem::path(MNEMEX_EXAMPLES_DIR) / "orthogonal.net"));
    const json::Value refused = Json(other.OpenSavedNetwork("n.json", Text(saved, "text")));
    EXPECT_EQ(Text(refused, "training_name"), "letters.net");
    EXPECT_TRUE(refused.Find("wrong_training_file")->Bool);
}

// A member as the page reads it: a list's items joined by commas, a member of a member
// named "outer.inner".
std::string Shown(const json::Value& answer, const std::string& path) {
    const json::Value* v = &answer;
    for (std::size_t at = 0, dot; v && !path.empty() && at <= path.size(); at = dot + 1) {
        dot = std::min(path.find('.', at), path.size());
        v = v->Find(path.substr(at, dot - at));
    }
    if (!v)
        return "<none>";
    if (v->Type == json::Value::Kind::kBool)
        return v->Bool ? "true" : "false";
    if (v->Type != json::Value::Kind::kArray)
        return v->Text;
    std::string joined;
    for (const json::Value& item : v->Items)
        joined += (joined.empty() ? "" : ",") + Shown(item, "");
    return joined;
}

TEST(WebSession, FiguresAndExportsOfATrainedNetwork) {
    // Hebb at rate 1 stores the orthogonal patterns in one epoch: recall is perfect.
    WebSession s((TestScratchFolder() / "figures").string());
    s.OpenTrainingFile("orthogonal.net",
                       ReadBytes(std::filesystem::path(MNEMEX_EXAMPLES_DIR) / "orthogonal.net"));
    s.Prepare(R"({"rule":"hebb","rate":"1","epochs":"1"})");
    s.Advance(5);
    const json::Value pictures = Json(s.PatternPictures(2));
    const json::Value measures = Json(s.TestAll());
    const json::Value explained = Json(s.ExplainUnit(4, 1));
    const struct {
        const json::Value& answer;
        const char* member;
        const char* shown;
    } cases[] = {
        {pictures, "input", "0.5,-0.5,0.5,-0.5"},
        {pictures, "input_width", "2"},
        {pictures, "output_width", "3"},
        {pictures, "recalled", "0,1,0"},
        {pictures, "error", "0,0,0"},
        {pictures, "input_scale.low", "-0.5"},
        {pictures, "output_scale.high", "1"},
        {pictures, "error_scale.high", "0.5"},
        {pictures, "error_scale.diverging", "true"},
        {Json(s.PatternPictures(5)), "ok", "false"},
        {Json(s.MeasuresCsv()), "text",
         "pattern,sse,ndp,nvl,vcor\n1,0,0.3333333333333333,0.5773502691896257,1\n"},
        {Json(s.HistoryCsv()), "text", "epoch,total_sse\n0,5\n"},
        {Json(s.Report(R"({"sections":""})")), "message",
         "Tick at least one section for the report."},
    };
    for (const auto& c : cases) {
        // A text export is compared by its first lines.
        const std::string shown = Shown(c.answer, c.member);
        const bool text = std::string(c.member) == "text";
        EXPECT_EQ(text ? shown.substr(0, std::strlen(c.shown)) : shown, c.shown) << c.member;
    }
    EXPECT_EQ(Shown(measures.Find("rows")->Items[3], "ndp"), "0.6666666666666666");
    EXPECT_NE(Shown(explained, "lines").find(",Net input (the recalled output): 1,"),
              std::string::npos);
}

TEST(InsideFigures, PictureWidths) {
    const std::pair<int, int> cases[] = {{0, 0},  {1, 1},  {8, 8},  {16, 4},
                                         {18, 6}, {17, 5}, {40, 8}, {64, 8}};
    for (const auto& [count, width] : cases)
        EXPECT_EQ(PictureWidth(count), width) << count;
}

}  // namespace
}  // namespace mnemex::web
