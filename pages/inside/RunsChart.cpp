#include "pages/inside/RunsChart.h"

#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "pages/inside/LogAxis.h"
#include "pages/inside/RunCurves.h"

namespace mnemex::inside {

namespace {

// Characters on a legend line: the legend takes about a third of the chart's width.
constexpr std::size_t kLegendWidth = 32;

QAbstractAxis* MakeSSEAxis(const std::optional<LogAxisPlan>& log, double high) {
    if (log) {
        auto* axis = new QLogValueAxis;
        axis->setBase(std::pow(10.0, log->DecadesPerLabel));
        axis->setLabelFormat(QStringLiteral("%g"));
        axis->setMinorTickCount(log->MinorLines);
        // A hair wider than the powers of ten, so rounding cannot drop the end labels.
        axis->setRange(log->Low() * (1 - 1e-9), log->High() * (1 + 1e-9));
        return axis;
    }
    auto* axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setRange(0, high > 0 ? high * 1.05 : 1.0);
    axis->applyNiceNumbers();
    return axis;
}

}  // namespace

QChart* BuildRunsChart(const std::vector<const FinishedRun*>& runs,
                       const RunsChartOptions& options) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Total SSE Of The Kept Runs As A Function Of Training Sweeps"));
    chart->legend()->setAlignment(Qt::AlignRight);
    // Runs of one file say it once, in the title, so the legend keeps to what differs.
    const bool oneFile =
        !runs.empty() && std::all_of(runs.begin(), runs.end(), [&](const FinishedRun* r) {
            return r->FileName == runs.front()->FileName;
        });
    if (oneFile)
        chart->setTitle(chart->title() + QStringLiteral(": ") +
                        QString::fromStdString(runs.front()->FileName));
    chart->setBackgroundBrush(Qt::white);
    double lastEpoch = 1.0;
    double low = 0.0;
    double high = 0.0;
    const auto note = [&](double sse) {
        if (options.LogScale && !(sse > 0))
            return false;
        if (sse > 0 && (low == 0.0 || sse < low))
            low = sse;
        high = std::max(high, sse);
        return true;
    };
    std::vector<QAbstractSeries*> all;
    for (const FinishedRun* run : runs) {
        auto* line = new QLineSeries;
        std::string legend = RunLegend(*run);
        if (oneFile)
            legend.erase(0, run->FileName.size() + 2);
        // On lines of its own rather than cut to "...": the legend is narrow.
        QStringList lines;
        for (const std::string& l :
             LegendLines("Run " + std::to_string(run->Id) + ": " + legend, kLegendWidth))
            lines << QString::fromStdString(l);
        line->setName(lines.join(QStringLiteral("<br>")));
        for (const auto& [epoch, sse] : run->History) {
            lastEpoch = std::max(lastEpoch, epoch);
            if (note(sse))
                line->append(epoch, sse);
        }
        all.push_back(line);
    }
    if (options.LeastSquaresSSE && note(*options.LeastSquaresSSE)) {
        auto* line = new QLineSeries;
        line->setName(QString::fromLatin1(kLeastSquaresCaption));
        line->append(0, *options.LeastSquaresSSE);
        line->append(lastEpoch, *options.LeastSquaresSSE);
        QPen pen(Qt::black);
        pen.setStyle(Qt::DashLine);
        pen.setWidthF(1.5);
        line->setPen(pen);
        all.push_back(line);
    }
    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("Sweeps Of Training"));
    x->setLabelFormat(QStringLiteral("%g"));
    x->setRange(0, lastEpoch);
    x->applyNiceNumbers();  // 500, 1000, not 499.75
    std::optional<LogAxisPlan> log;
    if (options.LogScale) {
        log = PlanLogAxis(low, high, options.PlotPixels);
        // Below the floor the lines leave the plot; the title says which.
        std::vector<std::string> below;
        for (const FinishedRun* run : runs)
            if (std::any_of(run->History.begin(), run->History.end(), [&](const auto& row) {
                    return row.second > 0 && row.second < log->Low();
                }))
                below.push_back("Run " + std::to_string(run->Id));
        if (options.LeastSquaresSSE && *options.LeastSquaresSSE > 0 &&
            *options.LeastSquaresSSE < log->Low())
            below.push_back(std::string(kLeastSquaresCaption) + " " +
                            QString::number(*options.LeastSquaresSSE, 'g', 4).toStdString());
        const std::string note = BelowAxisNote(*log, below);
        if (!note.empty())
            chart->setTitle(chart->title() + QStringLiteral("<br>") + QString::fromStdString(note));
    }
    QAbstractAxis* y = MakeSSEAxis(log, high);
    y->setTitleText(options.LogScale ? QStringLiteral("Network SSE (log scale)")
                                     : QStringLiteral("Network SSE"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : all) {
        chart->addSeries(s);
        s->attachAxis(x);
        s->attachAxis(y);
    }
    return chart;
}

}  // namespace mnemex::inside
