// The testing hub driven as a user drives it, after a training run: what each entry of its
// two lists does when double-clicked, and its Exit. Plain pages stand in for the result
// pages; that the program's own registration opens the real ones is the program's test.
#include <QtTest>

#include "tests/support/MainPagesSession.h"

using namespace mnemex;
using namespace mnemex::pages;
using testsupport::DoubleClickItem;

namespace {

// From the start to the hub, after a default training run on independent.net.
struct Program : testsupport::MainPagesFromTheStart {
    Program() {
        ToSetup();
        Click(Setup()->StartTrainingButton());
        ToHub();
    }
};

bool AllWeightsZero(const PublicStuff& s) {
    for (double w : s.Weights.Storage())
        if (w != 0.0)
            return false;
    return true;
}

void ClickItem(ListBox* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

}  // namespace

class TestingHubTest : public QObject {
    Q_OBJECT

  private slots:
    void opensWithNothingSelectedInFrontOfTheSetupPage();
    void nothingSelected_data();
    void nothingSelected();
    void resetWeightsAndTrainAgain();
    void keepWeightsAndContinue();
    void newProblem();
    void doubleClickBelowTheItemsRunsTheSelection();
    void resultPagesOpenOnce();
    void everyChoiceCanBeSeen();
    void spreadsheetEntryAsksTheSummaryService();
    void exitProgram();
};

void TestingHubTest::opensWithNothingSelectedInFrontOfTheSetupPage() {
    Program p;
    TestDAMPage* hub = p.Hub();
    QCOMPARE(p.manager.LoadedNames(), (QStringList{"DistMem", "TestDAM"}));
    QCOMPARE(p.manager.ActiveForm(), hub);
    QVERIFY(hub->SummaryProgressBar()->isHidden());
    QCOMPARE(hub->FeedbackLine()->text(), QString());
    QCOMPARE(hub->ExamineList()->ListIndex(), -1);
    QCOMPARE(hub->ContinuingList()->ListIndex(), -1);
}

void TestingHubTest::nothingSelected_data() {
    QTest::addColumn<bool>("upperList");
    QTest::newRow("examining list") << true;
    QTest::newRow("continuing list") << false;
}

void TestingHubTest::nothingSelected() {
    QFETCH(bool, upperList);
    Program p;
    ListBox* list = upperList ? p.Hub()->ExamineList() : p.Hub()->ContinuingList();
    const QPoint below(5, list->height() - 5);
    if (list->indexAt(below).isValid())
        emit list->DblClick();  // a full list has no empty area left to double-click
    else
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(p.MessageCount(), 1);
    QCOMPARE(p.LastMessage().text, QStringLiteral("No method for continuing has been selected!"));
    QCOMPARE(p.LastMessage().style, MsgStyle::OkOnly);
    QCOMPARE(p.LastMessage().title, QStringLiteral("Mnemex"));
    QCOMPARE(p.manager.LoadedNames(), (QStringList{"DistMem", "TestDAM"}));
}

void TestingHubTest::resetWeightsAndTrainAgain() {
    Program p;
    DistMemPage* s = p.Setup();
    DoubleClickItem(p.Hub()->ContinuingList(), 0);
    p.Settle();
    QCOMPARE(p.manager.LoadedNames(), QStringList{"DistMem"});
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(1));
    QVERIFY(AllWeightsZero(p.state));
    QVERIFY(s->TrainingPanels()[1]->isHidden());
    QVERIFY(s->ContinueTrainingButton()->isVisible());  // still offered
    p.Click(s->StartTrainingButton());
    QCOMPARE(p.state.EpochCount, 100);
    QCOMPARE(p.state.SSEHistory[1][1], 0.0);
}

void TestingHubTest::keepWeightsAndContinue() {
    Program p;
    const std::vector<double> trained = p.state.Weights.Storage();
    const std::int16_t rows = p.state.SSECount;
    DoubleClickItem(p.Hub()->ContinuingList(), 1);
    p.Settle();
    QCOMPARE(p.manager.LoadedNames(), QStringList{"DistMem"});
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(0));
    QCOMPARE(p.state.Weights.Storage(), trained);
    QCOMPARE(p.state.EpochCount, 100);
    QCOMPARE(p.state.SSECount, rows);
}

void TestingHubTest::newProblem() {
    Program p;
    DoubleClickItem(p.Hub()->ExamineList(), 0);
    DoubleClickItem(p.Hub()->ContinuingList(), 2);
    p.Settle();
    // Hub and setup page go; a result page that was open stays.
    QCOMPARE(p.manager.LoadedNames(), (QStringList{"ProbeNetwork", "Network1"}));
    Network1Page* intro = p.Intro();
    QVERIFY(intro->NextPageButton()->isHidden());  // fresh page, though a file is still loaded
    QVERIFY(intro->FileInfoBoxes()[0]->isHidden());
    QCOMPARE(p.state.NumPatterns, 3);
    // Onward to a fresh setup page: initial settings and zero weights again.
    p.ToSetup(QStringLiteral("orthogonal.net"));
    QCOMPARE(p.Setup()->MaxEpochsBox()->text(), QStringLiteral("100"));
    QCOMPARE(p.state.Weights.NumOutputs(), 3);
    QVERIFY(AllWeightsZero(p.state));
}

void TestingHubTest::doubleClickBelowTheItemsRunsTheSelection() {
    Program p;
    const std::vector<double> trained = p.state.Weights.Storage();
    ListBox* list = p.Hub()->ContinuingList();
    ClickItem(list, 1);
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(1));  // a single click runs nothing
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->height() - 3));
    QCOMPARE(list->ListIndex(), 1);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->height() - 3));
    p.Settle();
    QVERIFY(p.Hub() == nullptr);
    QCOMPARE(p.state.NewRun, static_cast<std::int16_t>(0));
    QCOMPARE(p.state.Weights.Storage(), trained);
}

void TestingHubTest::resultPagesOpenOnce() {
    Program p;
    DoubleClickItem(p.Hub()->ExamineList(), 0);
    DoubleClickItem(p.Hub()->ExamineList(), 0);
    DoubleClickItem(p.Hub()->ExamineList(), 2);
    DoubleClickItem(p.Hub()->ExamineList(), 3);
    QCOMPARE(p.resultPagesMade, 3);
    QCOMPARE(p.manager.LoadedNames(),
             (QStringList{"DistMem", "TestDAM", "ProbeNetwork", "SaveResults", "PlotSSEdata"}));
    QCOMPARE(p.manager.ActiveForm(), p.manager.Find(QStringLiteral("PlotSSEdata")));
    QCOMPARE(p.Hub()->ExamineList()->ListIndex(), 3);  // selection left as it was
    QCOMPARE(p.MessageCount(), 0);
}

// Four entries fill the upper list; the fifth choice is a button in the band under it, not
// an entry half hidden under a scroll bar.
void TestingHubTest::everyChoiceCanBeSeen() {
    Program p;
    int opened = 0;
    p.manager.RegisterPage(QStringLiteral("LookInside"), [&opened](PageContext& c) {
        ++opened;
        return std::make_unique<Page>(c, QStringLiteral("LookInside"));
    });
    TestDAMPage* hub = p.Hub();
    ListBox* list = hub->ExamineList();
    for (int row = 0; row < list->count(); ++row)
        QVERIFY2(list->viewport()->rect().contains(list->visualItemRect(list->item(row))),
                 qPrintable(list->item(row)->text()));
    QCOMPARE(list->count(), 4);
    QPushButton* button = hub->LookInsideButton();
    QVERIFY(button->isVisible());
    QCOMPARE(button->text(), QStringLiteral("Look Inside The Memory"));
    // In the empty band: below the list, above the feedback line and the separator.
    QVERIFY(button->geometry().top() > list->geometry().bottom());
    QVERIFY(button->geometry().bottom() < hub->FeedbackLine()->geometry().top());
    QVERIFY(button->geometry().bottom() < hub->SeparatorLine()->geometry().top());
    p.Click(button);
    QCOMPARE(opened, 1);
    QCOMPARE(p.manager.ActiveForm(), p.manager.Find(QStringLiteral("LookInside")));
    QCOMPARE(p.MessageCount(), 0);
}

void TestingHubTest::spreadsheetEntryAsksTheSummaryService() {
    Program p;
    TestDAMPage* hub = p.Hub();
    int patternsSeen = 0;
    p.summary.OnBuild = [&](PublicStuff& state, SummaryFeedback& feedback) {
        patternsSeen = state.NumPatterns;
        feedback.SetProgressRange(0, 7);
        feedback.SetProgressVisible(true);
        feedback.SetFeedbackCaption("Building sheet 1");
        feedback.SetProgressValue(3);
        feedback.SetProgressValue(feedback.ProgressValue() + 1);
        QCOMPARE(hub->FeedbackLine()->text(), QStringLiteral("Building sheet 1"));
        QVERIFY(hub->SummaryProgressBar()->isVisible());
        QCOMPARE(hub->SummaryProgressBar()->value(), 4);
        QCOMPARE(hub->SummaryProgressBar()->maximum(), 7);
        feedback.ShowMessage("Line one\rline two");
    };
    DoubleClickItem(hub->ExamineList(), 1);
    QCOMPARE(p.summary.Builds, 1);
    QCOMPARE(patternsSeen, 3);
    // The build's messages are the program's OK-only boxes.
    QCOMPARE(p.MessageCount(), 1);
    QCOMPARE(p.LastMessage().text, QStringLiteral("Line one\nline two"));
    QCOMPARE(p.LastMessage().title, QStringLiteral("Mnemex"));
    QCOMPARE(p.LastMessage().style, MsgStyle::OkOnly);
    // However the build ended (this one left its line and bar up), the hub is ready for the
    // next choice: no waiting line, no bar.
    QCOMPARE(hub->FeedbackLine()->text(), QString());
    QVERIFY(hub->SummaryProgressBar()->isHidden());
    QCOMPARE(p.manager.LoadedNames(), (QStringList{"DistMem", "TestDAM"}));
}

void TestingHubTest::exitProgram() {
    {
        Program p;  // hub and setup page go, the program ends
        p.Click(p.Hub()->ExitButton());
        QVERIFY(p.manager.LoadedNames().isEmpty());
        QVERIFY(p.ended);
    }
    {
        Program p;  // with a result page open: that page stays, and so does the program
        DoubleClickItem(p.Hub()->ExamineList(), 0);
        p.Click(p.Hub()->ExitButton());
        QCOMPARE(p.manager.LoadedNames(), QStringList{"ProbeNetwork"});
        QVERIFY(!p.ended);
    }
}

QTEST_MAIN(TestingHubTest)
#include "TestingHubTest.moc"
