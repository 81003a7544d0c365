// A page's frame at work: the bars appear as the window shrinks, and moving them shifts the
// page's controls, keeping every control at its design position less the applied scroll.

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "TestContext.h"
#include "pages/framework/LineControl.h"
#include "pages/framework/Twips.h"

using mnemex::TwipGeometry;

namespace {

// A page laid out like the testing hub: labels, a button, a frame with a button inside,
// and the separator line.
class HubLikePage : public mnemex::Page {
  public:
    // The testing hub's design: 11115 x 9750 outside, corner 375 x 390.
    explicit HubLikePage(mnemex::PageContext& c)
        : Page(c, QStringLiteral("HubLike"), {11115, 9750, 375, 390, 0}) {
        label = new QLabel(QStringLiteral("Or...."), this);
        mnemex::PlaceTwips(label, 5082, 6720, 840, 492);
        button = new QPushButton(QStringLiteral("Exit Program"), this);
        mnemex::PlaceTwips(button, 4527, 7560, 1950, 615);
        group = new QGroupBox(QStringLiteral("Choose A Learning Rule"), this);
        mnemex::PlaceTwips(group, 240, 1680, 3012, 1332);
        inner = new QPushButton(QStringLiteral("Hebb Rule"), group);
        mnemex::PlaceTwips(inner, 120, 360, 1572, 495);
        line = new mnemex::LineControl(this);
        line->SetEnds(105, 4080, 10545, 4080);
    }
    void Form_Load() override { FrameStart(); }

    QLabel* label;
    QPushButton* button;
    QGroupBox* group;
    QPushButton* inner;
    mnemex::LineControl* line;
};

// Drags a scrollbar's thumb from its position to `to` in `steps` Scroll events.
void Drag(QScrollBar* bar, int to, int steps) {
    const int from = bar->sliderPosition();
    bar->setSliderDown(true);
    for (int k = 1; k <= steps; ++k) {
        bar->setSliderPosition(from + (to - from) * k / steps);
    }
    bar->setSliderDown(false);
}

}  // namespace

class PageFrameTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void designSizeShowsNoBar();
    void tooSmallBothWaysShowsBothBarsAndCorner();
    void tooNarrowShowsBottomBarAcrossClient();
    void draggingMovesContentByTheTotalOnly_data();
    void draggingMovesContentByTheTotalOnly();
    void horizontalScrollMovesTheLineByBothEnds();
    void enlargingKeepsTheScrolledContent();
    void loweringTheMaximumBelowThePositionKeepsTheInvariant();
    void singleTwipStepsAddUpExactly();

  private:
    TestContext* t_ = nullptr;
    HubLikePage* page_ = nullptr;
};

void PageFrameTest::init() {
    t_ = new TestContext;
    t_->pages.RegisterPage<HubLikePage>(QStringLiteral("HubLike"));
    page_ = static_cast<HubLikePage*>(t_->pages.Load(QStringLiteral("HubLike")));
    QVERIFY(page_ != nullptr);
}

void PageFrameTest::cleanup() {
    delete t_;
    t_ = nullptr;
}

void PageFrameTest::designSizeShowsNoBar() {
    // The page opens at its design client area: 10995 x 9345 twips.
    QCOMPARE(page_->Client().scaleWidth, 10995);
    QCOMPARE(page_->Client().scaleHeight, 9345);
    QCOMPARE(page_->OuterWidthTwips(), 11115);
    QCOMPARE(page_->OuterHeightTwips(), 9750);
    QVERIFY(page_->HorFormScroll()->isHidden());
    QVERIFY(page_->VerFormScroll()->isHidden());
    QVERIFY(page_->Corner()->isHidden());
}

void PageFrameTest::tooSmallBothWaysShowsBothBarsAndCorner() {
    page_->SetClientSizeTwips(6000, 4500);
    QVERIFY(!page_->HorFormScroll()->isHidden());
    QVERIFY(!page_->VerFormScroll()->isHidden());
    QVERIFY(!page_->Corner()->isHidden());
    QCOMPARE(TwipGeometry(page_->HorFormScroll()), QRect(0, 4170, 5670, 330));
    QCOMPARE(TwipGeometry(page_->VerFormScroll()), QRect(5670, 0, 330, 4170));
    QCOMPARE(TwipGeometry(page_->Corner()), QRect(6000 - 375, 4500 - 390, 375, 390));
    QCOMPARE(page_->HorFormScroll()->maximum(), 11115 - 6000);
    QCOMPARE(page_->VerFormScroll()->maximum(), 9750 - 4500);
    // The bars lie over the content, not under it.
    const QWidget* top = page_->childAt(page_->VerFormScroll()->geometry().center());
    QVERIFY(top == page_->VerFormScroll() || page_->VerFormScroll()->isAncestorOf(top));
}

void PageFrameTest::tooNarrowShowsBottomBarAcrossClient() {
    page_->SetClientSizeTwips(6000, 4500);
    page_->SetClientSizeTwips(9000, 9345);
    QVERIFY(!page_->HorFormScroll()->isHidden());
    QVERIFY(page_->VerFormScroll()->isHidden());
    QVERIFY(page_->Corner()->isHidden());
    QCOMPARE(TwipGeometry(page_->HorFormScroll()), QRect(0, 9345 - 330, 9000, 330));
    QCOMPARE(page_->HorFormScroll()->maximum(), 2115);
}

void PageFrameTest::draggingMovesContentByTheTotalOnly_data() {
    QTest::addColumn<int>("scrollEvents");
    QTest::newRow("one jump") << 1;
    QTest::newRow("three steps") << 3;
    QTest::newRow("thirty steps") << 30;
    QTest::newRow("three hundred steps") << 300;
}

void PageFrameTest::draggingMovesContentByTheTotalOnly() {
    QFETCH(int, scrollEvents);
    page_->SetClientSizeTwips(10995, 6000);
    QScrollBar* bar = page_->VerFormScroll();
    Drag(bar, 300, scrollEvents);
    QCOMPARE(bar->value(), 300);
    QCOMPARE(page_->LastVerValue(), 300);
    QCOMPARE(TwipGeometry(page_->label), QRect(5082, 6720 - 300, 840, 492));
    QCOMPARE(TwipGeometry(page_->button), QRect(4527, 7560 - 300, 1950, 615));
    QCOMPARE(TwipGeometry(page_->group), QRect(240, 1680 - 300, 3012, 1332));
    // A control inside the frame moves with it, not by itself.
    QCOMPARE(TwipGeometry(page_->inner), QRect(120, 360, 1572, 495));
    // The Change at the end of the drag (or any repeat of it) moves nothing more.
    emit bar->valueChanged(300);
    page_->ScrollVertical();
    QCOMPARE(TwipGeometry(page_->label).top(), 6720 - 300);
    QCOMPARE(page_->line->Y1(), 4080 - 300);
    QCOMPARE(page_->line->Y2(), 4080 - 300);
    // The frame controls themselves stay put.
    QCOMPARE(TwipGeometry(bar).top(), 0);
}

void PageFrameTest::horizontalScrollMovesTheLineByBothEnds() {
    page_->SetClientSizeTwips(6000, 9345);
    page_->HorFormScroll()->setValue(1000);
    QCOMPARE(page_->line->X1(), 105 - 1000);
    QCOMPARE(page_->line->X2(), 10545 - 1000);
    QCOMPARE(page_->line->Y1(), 4080);
    QCOMPARE(page_->line->Y2(), 4080);
    QCOMPARE(TwipGeometry(page_->label).left(), 5082 - 1000);
    // Back by one arrow click: one twip.
    page_->HorFormScroll()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(page_->line->X1(), 105 - 999);
    QCOMPARE(TwipGeometry(page_->label).left(), 5082 - 999);
}

void PageFrameTest::enlargingKeepsTheScrolledContent() {
    page_->SetClientSizeTwips(6000, 4500);
    page_->VerFormScroll()->setValue(500);
    QCOMPARE(TwipGeometry(page_->label).top(), 6720 - 500);
    // Maximized in one step: bigger than the design size both ways.
    page_->SetClientSizeTwips(15000, 12000);
    QVERIFY(page_->HorFormScroll()->isHidden());
    QVERIFY(page_->VerFormScroll()->isHidden());
    QVERIFY(page_->Corner()->isHidden());
    QCOMPARE(TwipGeometry(page_->label).top(), 6720 - 500);
    QCOMPARE(page_->LastVerValue(), 500);
    // Made small again, the bar comes back at the same position.
    page_->SetClientSizeTwips(10995, 6000);
    QVERIFY(!page_->VerFormScroll()->isHidden());
    QCOMPARE(page_->VerFormScroll()->value(), 500);
    QCOMPARE(TwipGeometry(page_->label).top(), 6720 - 500);
}

void PageFrameTest::loweringTheMaximumBelowThePositionKeepsTheInvariant() {
    page_->SetClientSizeTwips(10995, 3000);
    page_->VerFormScroll()->setValue(6000);
    QCOMPARE(TwipGeometry(page_->label).top(), 6720 - 6000);
    // Taller: the maximum becomes 9750 - 7500 = 2250, below the position.
    page_->SetClientSizeTwips(10995, 7500);
    QCOMPARE(page_->VerFormScroll()->maximum(), 2250);
    QCOMPARE(page_->VerFormScroll()->value(), 2250);
    QCOMPARE(page_->LastVerValue(), 2250);
    QCOMPARE(TwipGeometry(page_->label).top(), 6720 - 2250);
    QCOMPARE(page_->line->Y1(), 4080 - 2250);
}

void PageFrameTest::singleTwipStepsAddUpExactly() {
    page_->SetClientSizeTwips(10995, 6000);
    const int startPixel = page_->label->y();
    for (int k = 0; k < 15; ++k) {
        page_->VerFormScroll()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    QCOMPARE(TwipGeometry(page_->label).top(), 6720 - 15);
    QCOMPARE(page_->label->y(), startPixel - 1);
}

QTEST_MAIN(PageFrameTest)
#include "PageFrameTest.moc"
