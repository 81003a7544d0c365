// Prints how long the SSE chart page takes to open and draw with a full 2000-row history.
//   chart_load_timing [rows]

#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <cstdio>

#include "ResultTestSupport.h"
#include "reports/PlotSSEDataPage.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 2000;
    for (int run = 1; run <= 3; ++run) {
        mnemex::pagetest::PageTestContext ctx;
        ctx.state->SSECount = static_cast<std::int16_t>(rows);
        for (int r = 1; r <= rows; ++r)
            ctx.state->SSEHistory[static_cast<std::size_t>(r)] = {0, 25.0 * (r - 1), 100.0 / r};
        QElapsedTimer timer;
        timer.start();
        auto* page = dynamic_cast<mnemex::pages::PlotSSEDataPage*>(
            ctx.pages.Show(QStringLiteral("PlotSSEdata")));
        const QImage drawn = page->ChartView()->grab().toImage();
        std::printf("run %d: %d rows, load + first drawing %lld ms (%dx%d)\n", run, rows,
                    static_cast<long long>(timer.elapsed()), drawn.width(), drawn.height());
        if (argc > 2 && run == 1)
            page->grab().save(QString::fromLocal8Bit(argv[2]));
    }
    return 0;
}
