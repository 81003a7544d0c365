#include "reports/text/ReportText.h"

#include "core/NumberForms.h"
#include "core/Recall.h"
#include "core/RunTimeError.h"

namespace mnemex::report {

namespace {

constexpr char kTab = '\t';
constexpr const char* kLongSeparator = "=============================================";
constexpr const char* kShortSeparator = "---------------";

// Most report lines carry an extra CR before the line end.
class ReportLines {
  public:
    void Line(const std::string& text) {
        out_ += text;
        out_ += "\r\r\n";
    }
    void PlainLine(const std::string& text) {
        out_ += text;
        out_ += "\r\n";
    }
    void LongSeparator() { Line(kLongSeparator); }
    void ShortSeparator() { Line(kShortSeparator); }
    std::string Take() { return std::move(out_); }

  private:
    std::string out_;
};

// "Pattern p" TAB, then one signed value and a TAB for each unit.
template <typename ValueOf>
std::string PatternRow(int p, int units, ValueOf valueOf) {
    std::string row = "Pattern " + FormatWhole(p) + kTab;
    for (int k = 1; k <= units; ++k) {
        row += FormatSigned2(valueOf(k));
        row += kTab;
    }
    return row;
}

void Header(ReportLines& out, const PublicStuff& s, const AnalysisTime& when) {
    out.Line("Distributed Associative Memory Program");
    out.LongSeparator();
    out.Line("Results Of Training With File: " + s.TrainingFileName);
    out.Line("Date Of Analysis: " + when.Date);
    out.Line("Time Of Analysis: " + when.Time);
    out.LongSeparator();
}

void GeneralInformation(ReportLines& out, const PublicStuff& s) {
    out.Line("Learning rule: " + s.LearningRule);
    out.Line("Learning rate: " + FormatGeneral(s.LearningRate));
    out.Line("Training completed after " + FormatWhole(s.EpochCount) + " epochs");
    out.LongSeparator();
}

// One row per pattern of the value `field` picks from each output unit after recall.
template <typename Field>
void RecallRows(ReportLines& out, PublicStuff& s, Field field) {
    const int patterns = CheckedCount(s.NumPatterns);
    const int outputs = CheckedCount(s.NumOutputs);
    for (int p = 1; p <= patterns; ++p) {
        ComputeOutputs(s, p);
        out.Line(PatternRow(p, outputs, [&](int j) { return field(s.OutputUnits(j)); }));
    }
}

void NetworkResponses(ReportLines& out, PublicStuff& s) {
    out.Line("Network Responses To Each Input Pattern:");
    out.ShortSeparator();
    RecallRows(out, s, [](const UnitRecord& u) { return u.Activity; });
    out.LongSeparator();
}

void NetworkErrors(ReportLines& out, PublicStuff& s) {
    out.Line("After training, sum of squared error was: " + FormatGeneral(s.TotalSSE));
    out.Line("Network Response Errors To Each Input Pattern:");
    out.ShortSeparator();
    RecallRows(out, s, [](const UnitRecord& u) { return u.Error; });
    out.LongSeparator();
}

void ConnectionWeights(ReportLines& out, const PublicStuff& s) {
    const int inputs = CheckedCount(s.NumInputs);
    const int outputs = CheckedCount(s.NumOutputs);
    if (s.Weights.NumInputs() != inputs || s.Weights.NumOutputs() != outputs)
        throw RunTimeException(kSubscriptOutOfRange);
    out.Line("Connection weights from input units (rows) to output units (columns):");
    out.ShortSeparator();
    std::string heading(1, kTab);
    for (int j = 1; j <= outputs; ++j)
        heading += "Out " + FormatWhole(j) + kTab;
    out.Line(heading);
    for (int i = 1; i <= inputs; ++i) {
        std::string row = "INP " + FormatWhole(i) + kTab;
        for (int j = 1; j <= outputs; ++j) {
            row += FormatSigned2(s.Weights.Weight(j, i));
            row += kTab;
        }
        out.Line(row);
    }
    out.LongSeparator();
}

void PatternTableSection(ReportLines& out, const PublicStuff& s, const std::string& title,
                         const PatternTable& table, std::int32_t units) {
    const int patterns = CheckedCount(s.NumPatterns);
    const int count = CheckedCount(units);
    if (table.Units() != count || table.Patterns() != patterns)
        throw RunTimeException(kSubscriptOutOfRange);
    out.Line(title);
    out.ShortSeparator();
    for (int p = 1; p <= patterns; ++p)
        out.Line(PatternRow(p, count, [&](int k) { return table(k, p); }));
    out.LongSeparator();
}

void SSEHistory(ReportLines& out, const PublicStuff& s) {
    out.Line("Network SSE as a function of sweeps of training was:");
    out.ShortSeparator();
    out.Line(std::string("Sweeps") + kTab + "Network SSE");
    const int rows = s.SSECount < 0 ? 0 : (s.SSECount > kHistoryRows ? kHistoryRows : s.SSECount);
    for (int r = 1; r <= rows; ++r) {
        const auto& row = s.SSEHistory[static_cast<std::size_t>(r)];
        out.PlainLine(FormatStandard(row[1]) + kTab + FormatScientific(row[2]));
    }
    out.LongSeparator();
}

}  // namespace

std::string BuildReport(PublicStuff& state, const SectionSet& sections, const AnalysisTime& when) {
    ReportLines out;
    Header(out, state, when);
    if (sections[kGeneralInformation])
        GeneralInformation(out, state);
    if (sections[kNetworkResponses])
        NetworkResponses(out, state);
    if (sections[kNetworkErrors])
        NetworkErrors(out, state);
    if (sections[kConnectionWeights])
        ConnectionWeights(out, state);
    if (sections[kInputPatterns])
        PatternTableSection(out, state, "The set of input patterns was:", state.InputPatterns,
                            state.NumInputs);
    if (sections[kOutputPatterns])
        PatternTableSection(out, state, "The set of desired outputs was:", state.DesiredOutputs,
                            state.NumOutputs);
    if (sections[kSSEHistory])
        SSEHistory(out, state);
    return out.Take();
}

}  // namespace mnemex::report
