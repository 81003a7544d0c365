// The frame arithmetic in twips: which bars show, where they go and how far they scroll.

#include <QtTest>

#include "pages/framework/FrameLayout.h"

using mnemex::ClientArea;
using mnemex::FrameControls;
using mnemex::FrameDesign;

namespace {

// The outer design sizes, corner sizes and bottom-bar left edges of the program's pages.
FrameDesign DesignOf(const QString& page) {
    static const QHash<QString, FrameDesign> designs = {
        {"Network1", {10785, 9540, 375, 375, -15}},   {"DistMem", {10860, 9900, 360, 405, 0}},
        {"TestDAM", {11115, 9750, 375, 390, 0}},      {"SaveResults", {10635, 9405, 390, 390, 0}},
        {"ProbeNetwork", {10770, 9495, 390, 390, 0}}, {"PlotSSEdata", {10740, 9600, 390, 375, 0}},
    };
    return designs.value(page);
}

// The frame controls as a page lays them out at design time: the bottom bar along the
// bottom edge, the right bar along the right edge, the corner in the bottom-right corner.
FrameControls DesignFrame(const FrameDesign& d) {
    const int w = d.designWidth - 120;
    const int h = d.designHeight - 405;
    FrameControls f;
    f.hor = QRect(d.horLeft, h - 330, w, 330);
    f.ver = QRect(w - 330, 0, 330, h);
    f.corner = QRect(w - d.cornerWidth, h - d.cornerHeight, d.cornerWidth, d.cornerHeight);
    return f;
}

FrameControls Layout(const QString& page, int clientWidth, int clientHeight) {
    const FrameDesign d = DesignOf(page);
    const ClientArea c{0, 0, clientWidth, clientHeight};
    return mnemex::ResizeLayout(DesignFrame(d), c, clientWidth + 120, clientHeight + 405, d);
}

}  // namespace

class FrameLayoutTest : public QObject {
    Q_OBJECT
  private slots:
    void layout_data();
    void layout();
    void barsAreNeverGivenNegativeSizes();
    void scrollMaximum_data();
    void scrollMaximum();
    void frameStartHidesEverythingAtDesignSize();
    void frameStartLaysOutASmallPage();
};

void FrameLayoutTest::layout_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<int>("clientHeight");
    QTest::addColumn<bool>("horShown");
    QTest::addColumn<bool>("verShown");
    QTest::addColumn<bool>("cornerShown");
    QTest::addColumn<QRect>("hor");  // checked when shown
    QTest::addColumn<QRect>("ver");
    QTest::addColumn<QPoint>("cornerAt");
    QTest::addColumn<int>("horMax");
    QTest::addColumn<int>("verMax");

    // Outer width 8120 < 10635: only the bottom bar, across the whole client width.
    QTest::newRow("SaveResults 8000 wide")
        << "SaveResults" << 8000 << 9000 << true << false << false << QRect(0, 8670, 8000, 330)
        << QRect() << QPoint() << 2635 << 0;
    QTest::newRow("exact design size") << "SaveResults" << 10515 << 9000 << false << false << false
                                       << QRect() << QRect() << QPoint() << 0 << 0;
    QTest::newRow("larger than design") << "SaveResults" << 13000 << 11000 << false << false
                                        << false << QRect() << QRect() << QPoint() << 0 << 0;
    QTest::newRow("one twip too narrow")
        << "SaveResults" << 10514 << 9000 << true << false << false << QRect(0, 8670, 10514, 330)
        << QRect() << QPoint() << 121 << 0;
    // Both bars stop 330 short of the far edge; the corner fills the square between them.
    QTest::newRow("both too small")
        << "SaveResults" << 6000 << 5000 << true << true << true << QRect(0, 4670, 5670, 330)
        << QRect(5670, 0, 330, 4670) << QPoint(5610, 4610) << 4635 << 4405;
    QTest::newRow("height only") << "SaveResults" << 10515 << 5000 << false << true << false
                                 << QRect() << QRect(10185, 0, 330, 5000) << QPoint() << 0 << 4405;
    // Network1's bottom bar keeps its left edge of -15.
    QTest::newRow("Network1 both too small")
        << "Network1" << 6000 << 6000 << true << true << true << QRect(-15, 5670, 5670, 330)
        << QRect(5670, 0, 330, 5670) << QPoint(5625, 5625) << 4785 << 3540;
    QTest::newRow("DistMem corner 360 x 405")
        << "DistMem" << 9000 << 8000 << true << true << true << QRect(0, 7670, 8670, 330)
        << QRect(8670, 0, 330, 7670) << QPoint(8640, 7595) << 1860 << 1900;
}

void FrameLayoutTest::layout() {
    QFETCH(QString, page);
    QFETCH(int, clientWidth);
    QFETCH(int, clientHeight);
    QFETCH(bool, horShown);
    QFETCH(bool, verShown);
    QFETCH(bool, cornerShown);
    QFETCH(QRect, hor);
    QFETCH(QRect, ver);
    QFETCH(QPoint, cornerAt);
    QFETCH(int, horMax);
    QFETCH(int, verMax);
    const FrameControls f = Layout(page, clientWidth, clientHeight);
    QCOMPARE(f.horVisible, horShown);
    QCOMPARE(f.verVisible, verShown);
    QCOMPARE(f.cornerVisible, cornerShown);
    if (horShown) {
        QCOMPARE(f.hor, hor);
        QCOMPARE(f.horMax, horMax);
    }
    if (verShown) {
        QCOMPARE(f.ver, ver);
        QCOMPARE(f.verMax, verMax);
    }
    if (cornerShown) {
        QCOMPARE(f.corner.topLeft(), cornerAt);
    }
}

void FrameLayoutTest::barsAreNeverGivenNegativeSizes() {
    // A minimized page has an empty client area.
    const FrameControls f = Layout("SaveResults", 0, 0);
    QVERIFY(f.horVisible && f.verVisible);
    QCOMPARE(f.hor.width(), 0);
    QCOMPARE(f.ver.height(), 0);
    QCOMPARE(f.hor.height(), 330);
    QCOMPARE(f.ver.width(), 330);
    const FrameControls thin = Layout("SaveResults", 200, 9000);
    QCOMPARE(thin.hor.width(), 200);
    const FrameControls flat = Layout("SaveResults", 200, 100);
    QCOMPARE(flat.hor.width(), 0);
    QCOMPARE(flat.ver.height(), 0);
}

void FrameLayoutTest::scrollMaximum_data() {
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("max");
    QTest::newRow("whole") << 2635.0 << 2635;
    QTest::newRow("half to even below") << 2.5 << 2;
    QTest::newRow("half to even above") << 3.5 << 4;
    QTest::newRow("negative") << -40.0 << 0;
    QTest::newRow("beyond 16 bits") << 40000.0 << 32767;
}

void FrameLayoutTest::scrollMaximum() {
    QFETCH(double, twips);
    QFETCH(int, max);
    QCOMPARE(mnemex::ScrollMax(twips), max);
}

void FrameLayoutTest::frameStartHidesEverythingAtDesignSize() {
    const FrameDesign d = DesignOf(QStringLiteral("TestDAM"));
    FrameControls f = DesignFrame(d);
    f.horVisible = f.verVisible = f.cornerVisible = true;
    f = mnemex::FrameStart(f, {0, 0, 10995, 9345}, 11115, 9750, d);
    QVERIFY(!f.horVisible && !f.verVisible && !f.cornerVisible);
}

void FrameLayoutTest::frameStartLaysOutASmallPage() {
    const FrameDesign d = DesignOf(QStringLiteral("TestDAM"));
    const FrameControls f = mnemex::FrameStart(DesignFrame(d), {0, 0, 10995, 6000}, 11115, 6405, d);
    QVERIFY(!f.horVisible);
    QVERIFY(f.verVisible);
    QCOMPARE(f.verMax, 9750 - 6000);
}

QTEST_APPLESS_MAIN(FrameLayoutTest)
#include "FrameLayoutTest.moc"
