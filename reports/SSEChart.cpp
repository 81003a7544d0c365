#include "reports/SSEChart.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <cstdlib>

#include "pages/framework/Fonts.h"

namespace mnemex::pages {

namespace {

// Epoch labels that fit under a chart of the page's width.
constexpr int kMaxLabels = 8;
// Up to this many bars each keeps a black outline; beyond it the outlines would merge into
// a solid block, so bars are drawn side by side without outline or gap.
constexpr int kMaxOutlinedBars = 30;

// The x axis: one unit per bar, bar r centred on r, labels under the chosen bars.
QCategoryAxis* EpochAxis(const std::vector<report::ChartRow>& grid) {
    auto* axis = new QCategoryAxis;
    const int rows = static_cast<int>(grid.size());
    axis->setRange(-0.5, std::max(rows, 1) - 0.5);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setGridLineVisible(false);
    axis->setMinorGridLineVisible(false);
    for (int r : LabelledRows(rows, kMaxLabels)) {
        const QString label = QString::fromStdString(grid[static_cast<std::size_t>(r)].Label);
        // A label may stand only once on the axis.
        if (!axis->categoriesLabels().contains(label))
            axis->append(label, r);
    }
    axis->setTitleText(QString::fromLatin1(kSSEXAxisTitle));
    return axis;
}

QValueAxis* SSEAxis(const std::vector<report::ChartRow>& grid) {
    auto* axis = new QValueAxis;
    double top = 0;
    double bottom = 0;
    for (const auto& row : grid) {
        top = std::max(top, row.Value);
        bottom = std::min(bottom, row.Value);
    }
    if (top == bottom)
        top = bottom + 1;
    axis->setRange(bottom, top);
    axis->applyNiceNumbers();
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setMinorGridLineVisible(false);
    axis->setTitleText(QString::fromLatin1(kSSEYAxisTitle));
    return axis;
}

}  // namespace

std::vector<int> LabelledRows(int rowCount, int maxLabels) {
    std::vector<int> rows;
    if (rowCount <= 0)
        return rows;
    maxLabels = std::max(1, maxLabels);
    long step = 1;
    for (long decade = 1;; decade *= 10) {
        if ((rowCount + decade - 1) / decade <= maxLabels) {
            step = decade;
            break;
        }
        if ((rowCount + 2 * decade - 1) / (2 * decade) <= maxLabels) {
            step = 2 * decade;
            break;
        }
        if ((rowCount + 5 * decade - 1) / (5 * decade) <= maxLabels) {
            step = 5 * decade;
            break;
        }
    }
    for (long r = 0; r < rowCount; r += step)
        rows.push_back(static_cast<int>(r));
    return rows;
}

QString TitleOnTwoLines(const QString& title) {
    // The break goes at the blank nearest the middle, so the two lines are about as long.
    const qsizetype middle = title.size() / 2;
    qsizetype best = -1;
    for (qsizetype k = 0; k < title.size(); ++k) {
        if (title[k] == QLatin1Char(' ') &&
            (best < 0 || std::abs(k - middle) < std::abs(best - middle)))
            best = k;
    }
    if (best < 0)
        return title;
    return title.left(best) + QStringLiteral("<br>") + title.mid(best + 1);
}

QChart* BuildSSEChart(const std::vector<report::ChartRow>& grid) {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setVisible(false);
    chart->setBackgroundBrush(QBrush(Qt::white));
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->setPlotAreaBackgroundVisible(false);
    chart->setTitleFont(FontByName(QStringLiteral("Arial"), 14, {.bold = true}));
    chart->setTitle(TitleOnTwoLines(QString::fromLatin1(kSSEChartTitle)));

    auto* bars = new QBarSet(QString::fromLatin1(kSSEYAxisTitle));
    QList<qreal> values;
    values.reserve(static_cast<qsizetype>(grid.size()));
    for (const auto& row : grid)
        values.append(row.Value);
    bars->append(values);

    const bool outlined = static_cast<int>(grid.size()) <= kMaxOutlinedBars;
    auto* series = new QBarSeries;
    series->setBarWidth(outlined ? 0.8 : 1.0);
    series->append(bars);
    chart->addSeries(series);
    // Colours after adding: the chart's theme recolours series as they are added.
    if (outlined) {
        bars->setColor(QColor(200, 200, 200));
        bars->setBorderColor(QColor(0, 0, 0));
    } else {
        // Thin bars: a darker fill carries the curve's shape on its own, and a pen of the
        // fill's colour closes the anti-aliased seams between neighbours along the base line.
        const QColor fill(110, 110, 110);
        bars->setColor(fill);
        bars->setPen(QPen(fill, 0));
    }
    QCategoryAxis* x = EpochAxis(grid);
    QValueAxis* y = SSEAxis(grid);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    return chart;
}

}  // namespace mnemex::pages
