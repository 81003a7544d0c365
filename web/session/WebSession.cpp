#include "web/session/WebSession.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "core/NumberForms.h"
#include "core/Recall.h"
#include "core/RunTimeError.h"
#include "core/SetupForm.h"
#include "core/TestAllMeasures.h"
#include "core/UnitExplanation.h"
#include "core/WeightExport.h"
#include "core/json/JsonText.h"
#include "core/json/StrictJson.h"
#include "core/output/ResultFile.h"
#include "core/output/ScratchFolder.h"
#include "reports/text/ProbeText.h"
#include "reports/text/ReportSections.h"
#include "reports/text/ReportText.h"
#include "reports/text/SSEChartGrid.h"
#include "web/session/InsideFigures.h"

namespace mnemex::web {

namespace fs = std::filesystem;

namespace {

// One JSON object written member by member.
class Object {
  public:
    Object& Raw(const char* name, const std::string& json) {
        Name(name);
        text_ += json;
        return *this;
    }
    Object& Str(const char* name, const std::string& value) {
        Name(name);
        json::AppendString(text_, value);
        return *this;
    }
    Object& Num(const char* name, double value) {
        Name(name);
        json::AppendNumber(text_, value);
        return *this;
    }
    Object& Bool(const char* name, bool value) { return Raw(name, value ? "true" : "false"); }
    std::string Text() const { return text_ + "}"; }

  private:
    void Name(const char* name) {
        text_ += text_.size() > 1 ? "," : "";
        json::AppendString(text_, name);
        text_ += ':';
    }
    std::string text_ = "{";
};

template <typename T, typename Write>
std::string List(const T& items, Write write) {
    std::string out = "[";
    for (const auto& item : items) {
        if (out.size() > 1)
            out += ',';
        write(out, item);
    }
    return out + "]";
}

std::string Numbers(const std::vector<double>& values) {
    return List(values, [](std::string& out, double v) { json::AppendNumber(out, v); });
}

std::string Strings(const std::vector<std::string>& values) {
    return List(values, [](std::string& out, const std::string& s) { json::AppendString(out, s); });
}

std::string Refusal(const std::string& message) {
    return Object().Bool("ok", false).Str("message", message).Text();
}

// A file name as the user gave it, without any folder part, so it stays in its folder.
std::string PlainName(const std::string& name, const char* fallback) {
    const std::size_t slash = name.find_last_of("/\\");
    std::string plain = slash == std::string::npos ? name : name.substr(slash + 1);
    if (plain.empty() || plain == "." || plain == "..")
        plain = fallback;
    return plain;
}

// A file for the core to read, through the one result writer (its folder made first).
bool WriteBytes(const fs::path& path, const std::string& bytes) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    return !output::WriteWhole(path.string(), bytes);
}

const char* ColourName(PanelColour colour) {
    switch (colour) {
        case PanelColour::kGreen:
            return "green";
        case PanelColour::kRed:
            return "red";
        case PanelColour::kButtonFace:
            break;
    }
    return "neutral";
}

std::string ScaleJson(const Scale& s) {
    return Object().Num("low", s.Low).Num("high", s.High).Bool("diverging", s.Diverging).Text();
}

std::string Member(const json::Value& request, const char* name, const std::string& otherwise) {
    const json::Value* v = request.Find(name);
    return v && v->Type == json::Value::Kind::kString ? v->Text : otherwise;
}

bool Flag(const json::Value& request, const char* name, bool otherwise) {
    const json::Value* v = request.Find(name);
    return v && v->Type == json::Value::Kind::kBool ? v->Bool : otherwise;
}

std::optional<json::Value> ParseRequest(const std::string& text) {
    json::ParseProblem problem;
    auto value = json::Parse(text, problem);
    if (!value || value->Type != json::Value::Kind::kObject)
        return std::nullopt;
    return value;
}

// Where the focus goes after a refusal, named as the page names its boxes.
const char* FocusOf(const CheckReaction& reaction) {
    if (reaction.FocusStoppingTests)
        return "stopping";
    switch (reaction.FocusBox) {
        case EntryBox::kEpochs:
            return "epochs";
        case EntryBox::kPrintEpochs:
            return "print_interval";
        case EntryBox::kLearningRate:
            return "rate";
        case EntryBox::kMinError:
            return "min_error";
        case EntryBox::kNone:
            break;
    }
    return "";
}

// The form's answer to a check: the setup page's message, hint, boxes put back and focus.
Object CheckAnswer(const CheckResult& check) {
    const CheckReaction reaction = ReactionTo(check);
    Object o;
    o.Bool("ok", true)
        .Bool("accepted", reaction.Accepted)
        .Bool("warning", reaction.WarningIcon)
        .Str("title", reaction.Title)
        .Str("message", ConsoleText(reaction.Message))
        .Str("hint", HintForCheck(check))
        .Str("focus", FocusOf(reaction))
        .Bool("tick_both", reaction.TickBothTests);
    if (reaction.EpochsText)
        o.Str("epochs_text", *reaction.EpochsText);
    if (reaction.RateText)
        o.Str("rate_text", *reaction.RateText);
    return o;
}

// The form's answer to a seed it cannot use.
std::string SeedAnswer(const OrderReading& reading) {
    Object o;
    o.Bool("ok", true)
        .Bool("accepted", false)
        .Bool("warning", true)
        .Str("title", reading.Title)
        .Str("message", reading.Message)
        .Str("hint", "")
        .Str("focus", reading.FocusSeed ? "seed" : "")
        .Bool("tick_both", false);
    if (reading.SeedText)
        o.Str("seed_text", *reading.SeedText);
    return o.Text();
}

// An error's message as lines for the page (the core joins them with CR).
std::string FailureText(const RunTimeError& error) {
    return ConsoleText(TrainingErrorMessage(error));
}

}  // namespace

void DisplayLines::StartProgress(double maximum) {
    progressVisible_ = true;
    progressMaximum_ = maximum;
    progressValue_ = 0.0;
}

void DisplayLines::Printout(const std::string& epochsLine, const std::string& totalLine,
                            const std::string& changeLine, PanelColour changeColour) {
    lines_[1] = epochsLine;
    lines_[2] = totalLine;
    lines_[3] = changeLine;
    // Without a change line (epoch 1) the change line keeps the colour it had.
    if (!changeLine.empty())
        colours_[3] = changeColour;
}

void DisplayLines::FinalDisplay(const std::string& epochsLine, const std::string& totalLine,
                                PanelColour totalColour, const std::string& changeLine) {
    lines_[1] = epochsLine;
    lines_[2] = totalLine;
    lines_[3] = changeLine;
    colours_[2] = totalColour;
    colours_[3] = PanelColour::kButtonFace;
}

void DisplayLines::ClearNumbers() {
    for (std::size_t k = 1; k < 4; ++k)
        lines_[k].clear();
}

void DisplayLines::Show(const std::array<std::string, 4>& lines, PanelColour totalColour) {
    shown_ = true;
    lines_ = lines;
    colours_[2] = totalColour;
    colours_[3] = PanelColour::kButtonFace;
    progressVisible_ = false;
}

void DisplayLines::BeginRun() {
    stop_ = false;
}

std::string DisplayLines::Json() const {
    const std::string progress = Object()
                                     .Bool("visible", progressVisible_)
                                     .Num("maximum", progressMaximum_)
                                     .Num("value", progressValue_)
                                     .Text();
    const std::vector<std::string> lines(lines_.begin(), lines_.end());
    std::vector<std::string> colours;
    for (PanelColour c : colours_)
        colours.push_back(ColourName(c));
    return Object()
        .Bool("shown", shown_)
        .Raw("lines", Strings(lines))
        .Raw("colours", Strings(colours))
        .Raw("progress", progress)
        .Text();
}

WebSession::WebSession(std::string folder) : folder_(std::move(folder)), session_(state_) {
    std::error_code error;
    fs::create_directories(folder_, error);
}

WebSession::~WebSession() {
    std::error_code error;
    fs::remove_all(folder_, error);
}

void WebSession::SetNumberSigns(const std::string& decimal, const std::string& group) {
    signs_.Decimal = decimal.empty() ? "." : decimal;
    signs_.Group = group;
}

std::string WebSession::RefuseWhileRunning() const {
    return Refusal("Training is under way: stop it first.");
}

std::string WebSession::Stem() const {
    std::string stem = fs::path(state_.TrainingFileName).stem().string();
    return stem.empty() ? "network" : stem;
}

std::string WebSession::InfoObject() const {
    return Object()
        .Str("file", state_.TrainingFileName)
        .Num("outputs", state_.NumOutputs)
        .Num("inputs", state_.NumInputs)
        .Num("patterns", state_.NumPatterns)
        .Str("rule", state_.LearningRule)
        .Num("epochs", state_.EpochCount)
        .Num("total_sse", state_.TotalSSE)
        .Bool("can_continue", session_.HasTrainedNetwork())
        .Bool("can_save", session_.HasTrainedNetwork() && !session_.Running())
        .Bool("running", session_.Running())
        .Text();
}

std::string WebSession::Info() const {
    return InfoObject();
}

std::string WebSession::OpenTrainingFile(const std::string& name, const std::string& text) {
    if (session_.Running())
        return RefuseWhileRunning();
    // Each file gets a folder of its own, so a new file never overwrites the one a saved
    // network of the current file still needs until the new one has been read.
    const fs::path path = fs::path(folder_) / ("file" + std::to_string(++filesOpened_)) /
                          PlainName(name, "training.net");
    if (!WriteBytes(path, text))
        return Refusal("The file \"" + path.filename().string() + "\" could not be stored.");
    const std::string previous = state_.TrainingFilePath;
    if (const auto error = session_.OpenTrainingFile(path.string())) {
        std::error_code ignored;
        fs::remove_all(path.parent_path(), ignored);
        return Refusal(error->Message);
    }
    if (!previous.empty() && previous != state_.TrainingFilePath) {
        std::error_code ignored;
        fs::remove_all(fs::path(previous).parent_path(), ignored);
    }
    const RunTimeError error = session_.FreshNetwork();
    if (error.Number != 0)
        return Refusal(FailureText(error));
    display_ = DisplayLines();
    probeText_.clear();
    historySent_ = 0;
    return Object().Bool("ok", true).Raw("info", InfoObject()).Text();
}

std::string WebSession::Prepare(const std::string& request) {
    if (session_.Running())
        return RefuseWhileRunning();
    if (state_.TrainingFileName.empty())
        return Refusal("Open a training file first.");
    const auto r = ParseRequest(request);
    if (!r)
        return Refusal("The settings could not be read.");
    const bool start = Member(*r, "mode", "start") != "continue";
    if (!start && !session_.HasTrainedNetwork())
        return Refusal("There is no trained network to continue: start training first.");

    RunSettings settings;
    settings.Entries.EpochTest = Flag(*r, "epoch_test", true);
    settings.Entries.ErrorTest = Flag(*r, "error_test", false);
    settings.Entries.Epochs = Member(*r, "epochs", "100");
    settings.Entries.PrintEpochs = Member(*r, "print_interval", "10");
    settings.Entries.LearningRate = Member(*r, "rate", "0.10");
    settings.Entries.MinError = Member(*r, "min_error", "0.05");
    settings.Read = BrowserNumberReader(signs_);
    settings.Rule = Member(*r, "rule", "hebb") == "delta" ? "Delta" : "Hebb";

    if (start)
        display_.ClearNumbers();
    const OrderReading order =
        ReadOrderEntries(Member(*r, "order", "file") == "permuted", Member(*r, "seed", "1"));
    if (!order.Order) {
        // Start Training clears the network before it reads any entry, whatever follows.
        if (start) {
            const RunTimeError error = session_.ClearForStart();
            if (error.Number != 0)
                return Refusal(FailureText(error));
        }
        return SeedAnswer(order);
    }
    settings.Order = *order.Order;
    const SessionResult prepared =
        start ? session_.PrepareStart(settings) : session_.PrepareContinue(settings);
    if (prepared.Outcome == RunOutcome::kFailed)
        return Refusal(FailureText(prepared.Error));
    Object answer = CheckAnswer(prepared.Check);
    if (prepared.Check.Verdict == CheckVerdict::kAccepted) {
        // A new run records its history from the first row again.
        if (start)
            historySent_ = 0;
        display_.BeginRun();
        session_.BeginRun(display_);
    }
    return answer.Raw("display", display_.Json()).Text();
}

std::string WebSession::Advance(int epochs) {
    if (!session_.Running())
        return Refusal("No run is under way.");
    const bool ended = session_.Advance(epochs < 1 ? 1 : epochs);
    Object o;
    o.Bool("ok", true).Bool("ended", ended).Raw("display", display_.Json());
    const int rows = std::clamp<int>(state_.SSECount, 0, kHistoryRows);
    std::string history = "[";
    for (int k = historySent_ + 1; k <= rows; ++k) {
        if (history.size() > 1)
            history += ',';
        history += '[';
        json::AppendNumber(history, state_.SSEHistory[static_cast<std::size_t>(k)][1]);
        history += ',';
        json::AppendNumber(history, state_.SSEHistory[static_cast<std::size_t>(k)][2]);
        history += ']';
    }
    o.Num("history_from", historySent_).Raw("history", history + "]");
    historySent_ = rows;
    if (!ended)
        return o.Text();
    const SessionResult result = session_.Finished();
    switch (result.Outcome) {
        case RunOutcome::kFailed:
            o.Str("outcome", "failed")
                .Str("message", FailureText(result.Error))
                .Str("hint", HintForFailedRun(result.Error));
            break;
        case RunOutcome::kInterrupted:
            o.Str("outcome", "stopped");
            break;
        default:
            o.Str("outcome", "finished");
            break;
    }
    return o.Raw("info", InfoObject()).Text();
}

void WebSession::RequestStop() {
    display_.RequestStop();
}

std::string WebSession::Reset() {
    if (session_.Running())
        return RefuseWhileRunning();
    if (state_.TrainingFileName.empty())
        return Refusal("Open a training file first.");
    const RunTimeError error = session_.FreshNetwork();
    if (error.Number != 0)
        return Refusal(FailureText(error));
    return Object().Bool("ok", true).Raw("info", InfoObject()).Text();
}

std::string WebSession::Probe(const std::string& typed) {
    if (session_.Running())
        return RefuseWhileRunning();
    const auto p = report::ParsePatternNumber(typed, state_.NumPatterns);
    if (!p)
        return Object()
            .Bool("ok", false)
            .Str("title", "Pattern Number")
            .Str("message", "Please enter a whole pattern number from 1 to " +
                                std::to_string(state_.NumPatterns) + ".")
            .Text();
    std::string block;
    const RunTimeError error = TrapErrors([&] { block = report::ProbeBlock(state_, *p, typed); });
    if (error.Number != 0)
        return Object()
            .Bool("ok", false)
            .Str("title", "Pattern Number")
            .Str("message", "The network's response to pattern " + std::to_string(*p) +
                                " could not be computed:\n" + error.Description)
            .Text();
    probeText_ = report::AddProbeBlock(block, probeText_);
    return Object().Bool("ok", true).Str("block", block).Str("text", probeText_).Text();
}

std::string WebSession::Report(const std::string& request) {
    if (session_.Running())
        return RefuseWhileRunning();
    const auto r = ParseRequest(request);
    if (!r)
        return Refusal("The report request could not be read.");
    const auto sections = report::ParseSectionList(Member(*r, "sections", ""));
    if (!sections)
        return Refusal("Tick at least one section for the report.");
    const report::AnalysisTime when{Member(*r, "date", ""), Member(*r, "time", "")};
    std::string text;
    const RunTimeError error =
        TrapErrors([&] { text = report::BuildReport(state_, *sections, when); });
    if (error.Number != 0)
        return Refusal("The report could not be built: " + error.Description);
    return Object().Bool("ok", true).Str("name", Stem() + "-report.txt").Str("text", text).Text();
}

std::string WebSession::History() const {
    std::string rows = "[";
    for (const report::ChartRow& row : report::SSEChartGrid(state_)) {
        if (rows.size() > 1)
            rows += ',';
        rows += "[" + row.Label + ",";
        json::AppendNumber(rows, row.Value);
        rows += "]";
    }
    return Object().Raw("rows", rows + "]").Text();
}

std::string WebSession::Weights() const {
    const WeightMatrix& w = state_.Weights;
    double limit = 0.0;
    std::string rows = "[";
    for (int j = 1; j <= w.NumOutputs(); ++j) {
        rows += j > 1 ? ",[" : "[";
        for (int i = 1; i <= w.NumInputs(); ++i) {
            if (i > 1)
                rows += ',';
            json::AppendNumber(rows, w.Weight(j, i));
            limit = std::max(limit, std::fabs(w.Weight(j, i)));
        }
        rows += ']';
    }
    return Object()
        .Num("outputs", w.NumOutputs())
        .Num("inputs", w.NumInputs())
        .Num("input_width", PictureWidth(w.NumInputs()))
        .Num("limit", limit)
        .Raw("weights", rows + "]")
        .Text();
}

std::string WebSession::PatternPictures(int p) const {
    if (session_.Running())
        return RefuseWhileRunning();
    web::PatternPictures pictures;
    const RunTimeError error = TrapErrors([&] { pictures = PicturesOf(state_, p); });
    if (error.Number != 0)
        return Refusal("Pattern " + std::to_string(p) + " cannot be shown: " + error.Description);
    return Object()
        .Bool("ok", true)
        .Num("pattern", p)
        .Num("input_width", PictureWidth(state_.NumInputs))
        .Num("output_width", PictureWidth(state_.NumOutputs))
        .Raw("input", Numbers(pictures.Input))
        .Raw("desired", Numbers(pictures.Desired))
        .Raw("recalled", Numbers(pictures.Recalled))
        .Raw("error", Numbers(pictures.Error))
        .Raw("input_scale", ScaleJson(pictures.InputScale))
        .Raw("output_scale", ScaleJson(pictures.OutputScale))
        .Raw("error_scale", ScaleJson(pictures.ErrorScale))
        .Text();
}

std::string WebSession::TestAll() const {
    if (session_.Running())
        return RefuseWhileRunning();
    std::vector<PatternMeasures> rows;
    const RunTimeError error = TrapErrors([&] { rows = MeasureAllPatterns(state_); });
    if (error.Number != 0)
        return Refusal("The patterns cannot be measured: " + error.Description);
    const std::string list = List(rows, [](std::string& out, const PatternMeasures& m) {
        out += Object()
                   .Num("pattern", m.Pattern)
                   .Num("sse", m.SSE)
                   .Num("ndp", m.Ndp)
                   .Num("nvl", m.Nvl)
                   .Num("vcor", m.Vcor)
                   .Text();
    });
    return Object().Bool("ok", true).Raw("rows", list).Text();
}

std::string WebSession::ExplainUnit(int p, int j) const {
    if (session_.Running())
        return RefuseWhileRunning();
    std::vector<std::string> lines, exact;
    const RunTimeError error = TrapErrors([&] {
        const UnitExplanation explained = mnemex::ExplainUnit(state_, p, j);
        lines = ExplanationLines(explained, 6);
        exact = ExplanationLines(explained);
    });
    if (error.Number != 0)
        return Refusal("Output unit " + std::to_string(j) + " cannot be explained for pattern " +
                       std::to_string(p) + ": " + error.Description);
    return Object()
        .Bool("ok", true)
        .Raw("lines", Strings(lines))
        .Raw("exact", Strings(exact))
        .Text();
}

std::string WebSession::SaveNetwork() {
    if (session_.Running())
        return RefuseWhileRunning();
    if (!session_.HasTrainedNetwork())
        return Refusal("There is no trained network to save: train it first.");
    const std::string name = Stem() + "-" + std::to_string(state_.EpochCount) + ".json";
    const fs::path path = fs::path(folder_) / "saved" / name;
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    if (const auto failure = session_.Save(path.string()))
        return Refusal(ConsoleText(*failure));
    int readError = 0;
    const std::optional<std::string> text = output::ReadWholeFile(path.string(), readError);
    fs::remove(path, error);
    if (!text)
        return Refusal("The saved network could not be read back: " +
                       std::string(std::strerror(readError)) + ".");
    return Object().Bool("ok", true).Str("name", name).Str("text", *text).Text();
}

std::string WebSession::OpenSavedNetwork(const std::string& name, const std::string& text) {
    if (session_.Running())
        return RefuseWhileRunning();
    const fs::path path = fs::path(folder_) / "opened" / PlainName(name, "network.json");
    if (!WriteBytes(path, text))
        return Refusal("The file \"" + path.filename().string() + "\" could not be stored.");
    const LoadedNetwork loaded = session_.Open(path.string(), state_.TrainingFilePath);
    std::error_code error;
    fs::remove_all(path.parent_path(), error);
    if (!loaded.Network) {
        // With no training file open, the state's own is looked for beside it, where the
        // browser never has one: the page may open that file and try again.
        const bool needsFile = loaded.WrongTrainingFile || loaded.NamedFileUnusable;
        std::string message = state_.TrainingFileName.empty() && needsFile
                                  ? std::string("The saved network cannot be opened yet.")
                                  : ConsoleText(loaded.Message);
        if (needsFile)
            message += "\n\nThe network was trained on \"" + loaded.TrainingName +
                       "\": open that training file first, then open the saved network again.";
        return Object()
            .Bool("ok", false)
            .Str("message", message)
            .Str("training_name", loaded.TrainingName)
            .Bool("wrong_training_file", needsFile)
            .Text();
    }
    const NetworkSettings settings = SettingsOf(state_, session_.LastRun());
    const RunMemory& run = session_.LastRun();
    display_.Show({"Training: " + state_.TrainingFileName, EpochsLine(state_.EpochCount),
                   TotalSSELine(state_.TotalSSE),
                   run.LastChange ? ChangeInSSELine(*run.LastChange) : std::string()},
                  state_.TotalSSE >= state_.MinError ? PanelColour::kRed : PanelColour::kGreen);
    historySent_ = 0;
    const std::string form =
        Object()
            .Str("rule", settings.Rule == "Delta" ? "delta" : "hebb")
            .Bool("epoch_test", settings.Entries.EpochTest)
            .Bool("error_test", settings.Entries.ErrorTest)
            // A run ended by the error test alone may have had no number in its epochs box.
            .Str("epochs", run.RunEpochs > 0 ? settings.Entries.Epochs : "100")
            .Str("print_interval", settings.Entries.PrintEpochs)
            .Str("rate", BoxText(state_.LearningRate, signs_))
            .Str("min_error", BoxText(state_.MinError, signs_))
            .Str("order", settings.Order.Permuted ? "permuted" : "file")
            .Str("seed", std::to_string(settings.Order.Seed))
            .Text();
    return Object()
        .Bool("ok", true)
        .Raw("form", form)
        .Raw("display", display_.Json())
        .Raw("info", InfoObject())
        .Text();
}

std::string WebSession::WeightsCsv() const {
    return Object()
        .Bool("ok", true)
        .Str("name", Stem() + "-weights.csv")
        .Str("text", mnemex::WeightsCsv(state_.Weights))
        .Text();
}

std::string WebSession::MeasuresCsv() const {
    std::vector<PatternMeasures> rows;
    const RunTimeError error = TrapErrors([&] { rows = MeasureAllPatterns(state_); });
    if (error.Number != 0)
        return Refusal("The patterns cannot be measured: " + error.Description);
    std::string text = "pattern,sse,ndp,nvl,vcor\n";
    for (const PatternMeasures& m : rows) {
        text += std::to_string(m.Pattern);
        for (double v : {m.SSE, m.Ndp, m.Nvl, m.Vcor}) {
            text += ',';
            AppendRoundTripText(text, v);
        }
        text += '\n';
    }
    return Object().Bool("ok", true).Str("name", Stem() + "-test-all.csv").Str("text", text).Text();
}

std::string WebSession::HistoryCsv() const {
    std::string text = "epoch,total_sse\n";
    for (const report::ChartRow& row : report::SSEChartGrid(state_)) {
        text += row.Label + ",";
        AppendRoundTripText(text, row.Value);
        text += '\n';
    }
    return Object().Bool("ok", true).Str("name", Stem() + "-sse.csv").Str("text", text).Text();
}

}  // namespace mnemex::web
