#include "pages/inside/RunCurves.h"

#include <charconv>

namespace mnemex::inside {

namespace {

std::string Shortest(double v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

std::string Field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string OrderText(const PatternOrder& order) {
    return order.Permuted ? "permuted seed " + std::to_string(order.Seed) : "file";
}

}  // namespace

std::vector<std::string> LegendLines(const std::string& text, std::size_t width) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t comma = text.find(", ", from);
        const std::size_t end = comma == std::string::npos ? text.size() : comma + 1;
        const std::string part = text.substr(from, end - from);
        if (!line.empty() && line.size() + 1 + part.size() > width) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + part;
        from = comma == std::string::npos ? text.size() : comma + 2;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::string CurvesCsv(const std::vector<const FinishedRun*>& runs,
                      std::optional<double> leastSquaresSSE) {
    std::string csv = "run,file,rule,rate,order,epoch,sse\n";
    for (const FinishedRun* run : runs) {
        const std::string head = std::to_string(run->Id) + ',' + Field(run->FileName) + ',' +
                                 run->Rule + ',' + Shortest(run->Rate) + ',' +
                                 OrderText(run->Order) + ',';
        for (const auto& [epoch, sse] : run->History)
            csv += head + Shortest(epoch) + ',' + Shortest(sse) + '\n';
    }
    if (leastSquaresSSE)
        csv += "least-squares,,,,,," + Shortest(*leastSquaresSSE) + '\n';
    return csv;
}

}  // namespace mnemex::inside
