// The SSE chart page: what the chart shows and what Print The Graph does.

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QValueAxis>

#include "ResultTestSupport.h"
#include "reports/PlotSSEDataPage.h"
#include "reports/SSEChart.h"

using namespace mnemex;
using namespace mnemex::pages;
using namespace mnemex::pagetest;

namespace {

// A history of `rows` rows every 25 epochs, SSE halving from 8.
PublicStuff WithHistory(int rows) {
    PublicStuff s = SmallTrainedNetwork();
    s.SSECount = static_cast<std::int16_t>(rows);
    double sse = 8;
    for (int r = 1; r <= rows; ++r, sse /= 2)
        s.SSEHistory[static_cast<std::size_t>(r)] = {0, 25.0 * (r - 1), sse};
    return s;
}

// Loads the chart page over a history of `rows` rows.
PlotSSEDataPage& Open(PageTestContext& ctx, int rows) {
    *ctx.state = WithHistory(rows);
    return *dynamic_cast<PlotSSEDataPage*>(ctx.pages.Load(QStringLiteral("PlotSSEdata")));
}

QBarSet* Bars(PlotSSEDataPage& page) {
    auto* series = qobject_cast<QBarSeries*>(page.ChartView()->chart()->series().value(0));
    return series ? series->barSets().value(0) : nullptr;
}

// A history of `rows` rows whose SSE falls evenly from 8 to 1, so every bar has a height.
PublicStuff WithFallingHistory(int rows) {
    PublicStuff s = SmallTrainedNetwork();
    s.SSECount = static_cast<std::int16_t>(rows);
    for (int r = 1; r <= rows; ++r)
        s.SSEHistory[static_cast<std::size_t>(r)] = {
            0, 25.0 * (r - 1), rows > 1 ? 8.0 - 7.0 * (r - 1) / (rows - 1) : 8.0};
    return s;
}

QCategoryAxis* XAxis(PlotSSEDataPage& page) {
    return qobject_cast<QCategoryAxis*>(page.ChartView()->chart()->axes(Qt::Horizontal).value(0));
}

}  // namespace

class PlotSSEDataPageTest : public QObject {
    Q_OBJECT

  private slots:
    void showsItsCaptionsAndChartTitles() {
        PageTestContext ctx;
        PlotSSEDataPage& page = Open(ctx, 3);
        QCOMPARE(page.windowTitle(),
                 QStringLiteral("Graph of SSE as a function of sweeps of training"));
        QVERIFY(page.AdviceLabel()->text().startsWith(
            QStringLiteral("To work with this graph electronically, return to "
                           "the previous page and create an Excel "
                           "spreadsheet.  The data")));
        QCOMPARE(page.PrintButton()->text(), QStringLiteral("Print The Graph"));
        QCOMPARE(page.CloseButton()->text(), QStringLiteral("Exit This Page"));
        QChart* chart = page.ChartView()->chart();
        // The whole title, on two lines so it fits the chart.
        QCOMPARE(chart->title(), QStringLiteral("Total Sum Of Squared Error As<br>A Function Of "
                                                "Training Sweeps"));
        QCOMPARE(chart->titleFont().family(), QStringLiteral("Arial"));
        QCOMPARE(chart->titleFont().pointSizeF(), 14.0);
        QVERIFY(chart->titleFont().bold());
        QVERIFY(!chart->legend()->isVisible());
        QCOMPARE(chart->backgroundBrush().color(), QColor(Qt::white));
        QCOMPARE(XAxis(page)->titleText(), QStringLiteral("Sweeps Of Training"));
        QCOMPARE(chart->axes(Qt::Vertical).value(0)->titleText(), QStringLiteral("Network SSE"));
        QCOMPARE(Bars(page)->color(), QColor(200, 200, 200));
        QCOMPARE(Bars(page)->borderColor(), QColor(0, 0, 0));
    }

    void drawsOneBarPerHistoryRow_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("initial row only") << 1 << QStringList{"0"};
        QTest::newRow("four rows") << 4 << QStringList{"0", "25", "50", "75"};
        QTest::newRow("full history") << 2000 << QStringList{"0", "12500", "25000", "37500"};
    }
    void drawsOneBarPerHistoryRow() {
        QFETCH(int, rows);
        QFETCH(QStringList, labels);
        PageTestContext ctx;
        PlotSSEDataPage& page = Open(ctx, rows);
        QBarSet* bars = Bars(page);
        QVERIFY(bars);
        QCOMPARE(bars->count(), rows);
        double sse = 8;
        for (int r = 0; r < rows; ++r, sse /= 2)
            QCOMPARE(bars->at(r), sse);
        QCOMPARE(XAxis(page)->categoriesLabels(), labels);
        // Each label stands under its own bar.
        for (const QString& label : labels)
            QCOMPARE(XAxis(page)->endValue(label), label.toDouble() / 25);
    }

    void closesWithExitThisPage() {
        PageTestContext ctx;
        PlotSSEDataPage& page = Open(ctx, 2);
        QTest::mouseClick(page.CloseButton(), Qt::LeftButton);
        QVERIFY(!ctx.pages.IsLoaded(QStringLiteral("PlotSSEdata")));
    }

    void keepsTheHistoryItWasOpenedWith() {
        PageTestContext ctx;
        PlotSSEDataPage& page = Open(ctx, 3);
        ctx.state->SSECount = 5;
        ctx.state->SSEHistory[4] = {0, 75, 1};
        ctx.state->SSEHistory[5] = {0, 100, 0.5};
        // Opening it again while it is open only brings it forward.
        QCOMPARE(ctx.pages.Show(QStringLiteral("PlotSSEdata")), &page);
        QCOMPARE(Bars(page)->count(), 3);
    }

    void labelledRowsThinOutToFitTheAxis_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("maxLabels");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("none") << 0 << 12 << QList<int>{};
        QTest::newRow("one") << 1 << 12 << QList<int>{0};
        QTest::newRow("exactly full")
            << 12 << 12 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
        QTest::newRow("one too many") << 13 << 12 << QList<int>{0, 2, 4, 6, 8, 10, 12};
        QTest::newRow("fifty") << 50 << 12 << QList<int>{0, 5, 10, 15, 20, 25, 30, 35, 40, 45};
        QTest::newRow("two thousand")
            << 2000 << 12 << QList<int>{0, 200, 400, 600, 800, 1000, 1200, 1400, 1600, 1800};
    }
    void labelledRowsThinOutToFitTheAxis() {
        QFETCH(int, rows);
        QFETCH(int, maxLabels);
        QFETCH(QList<int>, expected);
        const std::vector<int> got = LabelledRows(rows, maxLabels);
        QCOMPARE(QList<int>(got.begin(), got.end()), expected);
    }

    void printingLeavesThePictureOnTheClipboard() {
        PageTestContext ctx;
        PlotSSEDataPage& page = Open(ctx, 10);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QGuiApplication::clipboard()->setText(QStringLiteral("something else"));
        RecordingPrinter printer;
        page.SetPrinterSource(RecordInto(printer));
        QTest::mouseClick(page.PrintButton(), Qt::LeftButton);
        const QImage onClipboard = QGuiApplication::clipboard()->image();
        QVERIFY(!onClipboard.isNull());
        QCOMPARE(onClipboard.deviceIndependentSize().toSize(), page.ChartView()->size());
        QCOMPARE(printer.Operations,
                 (QStringList{QStringLiteral("line: "), QStringLiteral("picture:0,0"),
                              QStringLiteral("end")}));
        QCOMPARE(printer.Picture.size(), onClipboard.size());
        // The picture shows the chart: white background with grey bars.
        QCOMPARE(onClipboard.pixelColor(2, 2), QColor(Qt::white));
        bool grey = false;
        for (int x = 0; x < onClipboard.width() && !grey; ++x)
            for (int y = 0; y < onClipboard.height() && !grey; y += 3)
                grey = onClipboard.pixelColor(x, y) == QColor(200, 200, 200);
        QVERIFY(grey);
    }

    void aCancelledPrintoutStillLeavesThePictureOnTheClipboard() {
        PageTestContext ctx;
        PlotSSEDataPage& page = Open(ctx, 2);
        QGuiApplication::clipboard()->clear();
        page.SetPrinterSource([] { return std::unique_ptr<PagePrinter>(); });
        page.PrintThisGraph_Click();
        QVERIFY(!QGuiApplication::clipboard()->image().isNull());
    }

    void aFailedPrintoutIsReported() {
        PageTestContext ctx;
        PlotSSEDataPage& page = Open(ctx, 2);
        RecordingPrinter printer;
        printer.Failure = QStringLiteral("The printer could not be started.");
        page.SetPrinterSource(RecordInto(printer));
        page.PrintThisGraph_Click();
        QCOMPARE(ctx.Shown(), QStringList{QStringLiteral("message:Mnemex|The graph could not be "
                                                         "printed.\nThe printer could not be "
                                                         "started.")});
    }

    // The bars must keep the curve's shape at every count: no solid black block of merged
    // outlines, and no white seams along the base line once the bars touch.
    void theCurveStaysVisibleAtEveryRowCount_data() {
        QTest::addColumn<int>("rows");
        for (int rows : {1, 10, 30, 31, 60, 200, 1900, 2000})
            QTest::addRow("%d rows", rows) << rows;
    }
    void theCurveStaysVisibleAtEveryRowCount() {
        QFETCH(int, rows);
        PageTestContext ctx;
        *ctx.state = WithFallingHistory(rows);
        auto& page = *dynamic_cast<PlotSSEDataPage*>(ctx.pages.Load(PlotSSEDataPage::kName));
        page.ChartView()->resize(640, 420);
        const QImage picture = page.ChartView()->grab().toImage();
        const QRect plot =
            page.ChartView()->chart()->plotArea().toAlignedRect().adjusted(2, 2, -2, -2);
        int black = 0, total = 0;
        for (int y = plot.top(); y <= plot.bottom(); ++y)
            for (int x = plot.left(); x <= plot.right(); ++x, ++total)
                black += qGray(picture.pixel(x, y)) < 40;
        QVERIFY2(black < total / 10,
                 qPrintable(QStringLiteral("%1 of %2 pixels black").arg(black).arg(total)));
        // The tallest bar (the first) is drawn: its middle is not white.
        const QPointF firstBar = page.ChartView()->chart()->mapToPosition(QPointF(0, 4));
        QVERIFY(qGray(picture.pixel(firstBar.toPoint())) < 230);
        if (rows > 30) {
            const int y = plot.bottom() - 2;
            int white = 0;
            for (int x = plot.left() + 4; x <= plot.right() - 4; ++x)
                white += qGray(picture.pixel(x, y)) > 240;
            QCOMPARE(white, 0);
        }
        // The page and its chart go now, not at some later turn of an event loop.
        ctx.pages.Unload(QString::fromLatin1(PlotSSEDataPage::kName));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(PlotSSEDataPageTest)
#include "PlotSSEDataPageTest.moc"
