// The small controls: up-down arrows and their box, the slider's events, the text panel,
// placement in twips and the fonts the layouts name.

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include "pages/framework/Fonts.h"
#include "pages/framework/LineControl.h"
#include "pages/framework/Slider.h"
#include "pages/framework/TextPanel.h"
#include "pages/framework/Twips.h"
#include "pages/framework/UpDown.h"

class ControlsTest : public QObject {
    Q_OBJECT
  private slots:
    void upDownWritesTheBox_data();
    void upDownWritesTheBox();
    void upDownArrowButtonsStep();
    void sliderRaisesScrollOnlyForTheUser();
    void sliderMouseReleaseRaisesClick();
    void textPanelPrintsLinesOnItsBackground();
    void twipsToPixels_data();
    void twipsToPixels();
    void placedWidgetKeepsItsTwips();
    void lineCoversItsEnds();
    void fontsResolve_data();
    void fontsResolve();
};

void ControlsTest::upDownWritesTheBox_data() {
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QString>("presses");  // u = up arrow, d = down arrow
    QTest::addColumn<QString>("after");
    QTest::newRow("epochs up") << 0 << 50000 << 10 << "100"
                               << "u"
                               << "110";
    QTest::newRow("epochs down twice") << 0 << 50000 << 10 << "100"
                                       << "dd"
                                       << "80";
    QTest::newRow("stops at the maximum") << 0 << 50000 << 10 << "49995"
                                          << "uu"
                                          << "50000";
    QTest::newRow("stops at the minimum") << 0 << 10000 << 10 << "5"
                                          << "d"
                                          << "0";
    QTest::newRow("typed number is the start") << 1 << 12 << 1 << "7"
                                               << "u"
                                               << "8";
    QTest::newRow("typed number above the range") << 1 << 12 << 1 << "40"
                                                  << "d"
                                                  << "11";
    QTest::newRow("pattern numbers from 1") << 1 << 4 << 1 << "1"
                                            << "uuuuu"
                                            << "4";
    QTest::newRow("text that is no number") << 0 << 100 << 10 << "abc"
                                            << "u"
                                            << "10";
    QTest::newRow("step of 0 writes the number back") << 0 << 100 << 0 << " 30 "
                                                      << "u"
                                                      << "30";
}

void ControlsTest::upDownWritesTheBox() {
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, step);
    QFETCH(QString, boxText);
    QFETCH(QString, presses);
    QFETCH(QString, after);
    QLineEdit box;
    mnemex::UpDown arrows;
    arrows.SetRange(min, max);
    arrows.SetIncrement(step);
    arrows.SetBuddy(&box);
    box.setText(boxText);
    for (QChar p : presses) {
        if (p == QLatin1Char('u')) {
            arrows.StepUp();
        } else {
            arrows.StepDown();
        }
    }
    QCOMPARE(box.text(), after);
    QCOMPARE(arrows.Value(), after.toInt());
}

void ControlsTest::upDownArrowButtonsStep() {
    QLineEdit box;
    mnemex::UpDown arrows;
    arrows.SetRange(0, 10000);
    arrows.SetIncrement(10);
    arrows.SetBuddy(&box);
    arrows.SetValue(10);
    QCOMPARE(box.text(), QStringLiteral("10"));
    QSignalSpy changes(&arrows, &mnemex::UpDown::Change);
    arrows.resize(16, 25);
    arrows.show();
    QVERIFY(QTest::qWaitForWindowExposed(&arrows));
    QToolButton* up = nullptr;
    QToolButton* down = nullptr;
    for (QToolButton* b : arrows.findChildren<QToolButton*>()) {
        (b->arrowType() == Qt::UpArrow ? up : down) = b;
    }
    QVERIFY(up != nullptr && down != nullptr);
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(box.text(), QStringLiteral("20"));
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(box.text(), QStringLiteral("0"));
    QCOMPARE(changes.count(), 3);  // the last press changed nothing
}

void ControlsTest::sliderRaisesScrollOnlyForTheUser() {
    mnemex::Slider slider;
    slider.SetRange(0, 200);
    slider.SetSmallChange(1);
    slider.SetLargeChange(5);
    QSignalSpy scrolls(&slider, &mnemex::Slider::Scroll);
    QSignalSpy clicks(&slider, &mnemex::Slider::Click);
    slider.SetValue(10);
    QCOMPARE(slider.Value(), 10);
    QCOMPARE(scrolls.count(), 0);
    slider.SetValue(500);  // beyond the range: kept inside it
    QCOMPARE(slider.Value(), 200);
    slider.UserMoveTo(37);
    QCOMPARE(scrolls.count(), 1);
    QCOMPARE(slider.Value(), 37);
    // Keys move it as the user's actions too.
    slider.Control()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(slider.Value(), 42);
    QCOMPARE(scrolls.count(), 2);
    QCOMPARE(clicks.count(), 0);
}

void ControlsTest::sliderMouseReleaseRaisesClick() {
    mnemex::Slider slider;
    slider.SetRange(0, 100);
    slider.SetValue(5);
    slider.resize(200, 30);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    QSignalSpy clicks(&slider, &mnemex::Slider::Click);
    int valueAtClick = -1;
    connect(&slider, &mnemex::Slider::Click, &slider, [&] { valueAtClick = slider.Value(); });
    QTest::mouseClick(slider.Control(), Qt::LeftButton, {}, QPoint(190, 10));
    QTRY_COMPARE(clicks.count(), 1);
    QCOMPARE(valueAtClick, slider.Value());
    slider.setEnabled(false);
    QTest::mouseClick(slider.Control(), Qt::LeftButton, {}, QPoint(10, 15));
    QTest::qWait(20);
    QCOMPARE(clicks.count(), 1);
}

void ControlsTest::textPanelPrintsLinesOnItsBackground() {
    mnemex::TextPanel panel;
    panel.resize(228, 32);
    QCOMPARE(panel.BackColor(), mnemex::ButtonFaceColor());
    panel.Print(QStringLiteral("Epochs: 10"));
    panel.Cls();
    panel.SetBackColor(mnemex::kPureGreen);
    panel.Print(QStringLiteral("Change in SSE: 1.23E-02"));
    QCOMPARE(panel.Lines(), QStringList{"Change in SSE: 1.23E-02"});
    const QImage shown = panel.grab().toImage();
    QCOMPARE(shown.pixelColor(panel.width() - 2, panel.height() - 2), QColor(0, 255, 0));
    // Text is drawn near the top left corner.
    bool ink = false;
    for (int x = 0; x < 60 && !ink; ++x) {
        for (int y = 0; y < panel.height() && !ink; ++y) {
            ink = shown.pixelColor(x, y) != QColor(0, 255, 0);
        }
    }
    QVERIFY(ink);
    panel.SetBackColor(mnemex::kPureRed);
    QCOMPARE(panel.grab().toImage().pixelColor(panel.width() - 2, 1), QColor(255, 0, 0));
    QCOMPARE(panel.Lines().size(), 1);
    panel.Cls();
    QVERIFY(panel.Lines().isEmpty());
}

void ControlsTest::twipsToPixels_data() {
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("one pixel") << 15 << 1;
    QTest::newRow("bar thickness") << 330 << 22;
    QTest::newRow("below half") << 7 << 0;
    QTest::newRow("above half") << 8 << 1;
    QTest::newRow("Network1 left of lists") << 1014 << 68;
    QTest::newRow("negative") << -15 << -1;
    QTest::newRow("design width") << 10995 << 733;
}

void ControlsTest::twipsToPixels() {
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(mnemex::TwipsToPixels(twips), pixels);
}

void ControlsTest::placedWidgetKeepsItsTwips() {
    QWidget page;
    QLabel label(&page);
    mnemex::PlaceTwips(&label, 1014, 2280, 2295, 315);
    QCOMPARE(label.geometry(), QRect(68, 152, 153, 21));
    QCOMPARE(mnemex::TwipGeometry(&label), QRect(1014, 2280, 2295, 315));
    mnemex::PlaceTwips(&label, 10, 10, -100, -5);
    QCOMPARE(mnemex::TwipGeometry(&label).size(), QSize(0, 0));
    QWidget unplaced(&page);
    unplaced.setGeometry(2, 3, 4, 5);
    QCOMPARE(mnemex::TwipGeometry(&unplaced), QRect(30, 45, 60, 75));
}

void ControlsTest::lineCoversItsEnds() {
    QWidget page;
    mnemex::LineControl line(&page);
    line.SetEnds(105, 4080, 10545, 4080);
    QCOMPARE(line.geometry().topLeft(), QPoint(7, 272));
    QCOMPARE(line.geometry().right(), 703);
    QCOMPARE(line.height(), 1);
    line.MoveBy(-100, 300);
    QCOMPARE(line.X1(), 5);
    QCOMPARE(line.Y1(), 4380);
    QCOMPARE(line.X2(), 10445);
    QCOMPARE(line.Y2(), 4380);
}

void ControlsTest::fontsResolve_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("fixedPitch");
    QTest::newRow("Arial") << "Arial"
                           << "Liberation Sans" << false;
    QTest::newRow("Courier") << "Courier"
                             << "Liberation Mono" << true;
    // The layouts' narrow bitmap font is drawn in the Arial-metric font their widths fit.
    QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                   << "Liberation Sans" << false;
}

void ControlsTest::fontsResolve() {
    QFETCH(QString, name);
    QFETCH(QString, family);
    QFETCH(bool, fixedPitch);
    const QFont font = mnemex::FontByName(name, 12, {.bold = true, .italic = true});
    const QFontInfo info(font);
    QCOMPARE(info.family(), family);
    QCOMPARE(info.fixedPitch(), fixedPitch);
    QVERIFY(info.bold());
    QVERIFY(info.italic());
    QCOMPARE(font.pointSizeF(), 12.0);
}

QTEST_MAIN(ControlsTest)
#include "ControlsTest.moc"
