// The probe page as the user works it: typing numbers, Ok, clearing, printing.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ResultTestSupport.h"
#include "pages/framework/UpDown.h"
#include "reports/ProbeNetworkPage.h"
#include "tests/support/TestNetworks.h"

using namespace mnemex;
using namespace mnemex::pages;
using namespace mnemex::pagetest;

namespace {

const QString kPattern1Block = QStringLiteral(
    "Pattern: 1\t+1.00\t+.00\t\r\n"
    "---------------\r\n"
    "Response (A):\t+.50\t+1.50\t\r\n"
    "Desired  (D):\t+1.00\t-.50\t\r\n"
    "Error  (D-A):\t+.50\t-2.00\t\r\n"
    "=============================================\r\n");

const QString kPattern2Block = QStringLiteral(
    "Pattern: 2\t+.50\t+1.00\t\r\n"
    "---------------\r\n"
    "Response (A):\t+.00\t+.75\t\r\n"
    "Desired  (D):\t+.25\t+2.00\t\r\n"
    "Error  (D-A):\t+.25\t+1.25\t\r\n"
    "=============================================\r\n");

}  // namespace

class ProbeNetworkPageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PageTestContext> ctx_;
    ProbeNetworkPage* page_ = nullptr;

    QLineEdit* Box() { return page_->PatternNumberBox(); }
    void Probe(const QString& typed) {
        Box()->setText(typed);
        QTest::mouseClick(page_->ProbeButton(), Qt::LeftButton);
    }

  private slots:
    void init() {
        ctx_ = std::make_unique<PageTestContext>();
        *ctx_->state = SmallTrainedNetwork();
        page_ = dynamic_cast<ProbeNetworkPage*>(ctx_->pages.Load(QStringLiteral("ProbeNetwork")));
        QVERIFY(page_);
    }
    void cleanup() { ctx_.reset(); }

    void opensOnceAndClosesWithCloseForm() {
        QCOMPARE(ctx_->pages.Load(QStringLiteral("ProbeNetwork")), page_);
        QTest::mouseClick(page_->CloseButton(), Qt::LeftButton);
        QVERIFY(!ctx_->pages.IsLoaded(QStringLiteral("ProbeNetwork")));
    }

    void showsItsCaptionsAndStartsAtPatternOne() {
        QCOMPARE(page_->windowTitle(),
                 QStringLiteral(
                     "Distributed Memory Program -- Probe Network Responses To Selected Patterns"));
        QCOMPARE(Box()->text(), QStringLiteral("1"));
        QCOMPARE(page_->HeadingLabel()->text(),
                 QStringLiteral("Examine The Network's Responses To Individual Patterns"));
        QCOMPARE(page_->InstructionLabel()->text(),
                 QStringLiteral("Use the control to the left to choose a pattern to present to "
                                "the network.  The results will be added to the text in the "
                                "textbox below."));
        const std::pair<QPushButton*, const char*> buttons[] = {
            {page_->ProbeButton(), "Ok"},
            {page_->ClearButton(), "Clear The Text In The Window"},
            {page_->PrintButton(), "Print The Text In The Window"},
            {page_->CloseButton(), "Close Form"}};
        for (const auto& [button, caption] : buttons)
            QCOMPARE(button->text(), QLatin1String(caption));
        QVERIFY(page_->ResultsText().isEmpty());
    }

    void putsTheNewestProbeOnTop() {
        Probe(QStringLiteral("1"));
        QCOMPARE(page_->ResultsText(), kPattern1Block);
        Probe(QStringLiteral("2"));
        QCOMPARE(page_->ResultsText(), kPattern2Block + kPattern1Block);
        Probe(QStringLiteral("2"));
        QCOMPARE(page_->ResultsText(), kPattern2Block + kPattern2Block + kPattern1Block);
    }

    void keepsTheNumberAsTyped() {
        Probe(QStringLiteral("02"));
        QVERIFY(page_->ResultsText().startsWith(QStringLiteral("Pattern: 02\t+.50\t+1.00\t\r\n")));
    }

    void clearingLeavesOnlyTheNextProbe() {
        Probe(QStringLiteral("1"));
        Probe(QStringLiteral("2"));
        QTest::mouseClick(page_->ClearButton(), Qt::LeftButton);
        QVERIFY(page_->ResultsText().isEmpty());
        Probe(QStringLiteral("1"));
        QCOMPARE(page_->ResultsText(), kPattern1Block);
    }

    void putsTheBlockAboveTextTheUserWrote() {
        page_->SetResultsText(QStringLiteral("my notes\r\nsecond line"));
        Probe(QStringLiteral("2"));
        QCOMPARE(page_->ResultsText(), kPattern2Block + QStringLiteral("my notes\r\nsecond line"));
    }

    void refusesNumbersThatAreNoPattern_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("zero") << QStringLiteral("0");
        QTest::newRow("past the last pattern") << QStringLiteral("3");
        QTest::newRow("negative") << QStringLiteral("-1");
        QTest::newRow("fraction") << QStringLiteral("1.5");
        QTest::newRow("word") << QStringLiteral("two");
        QTest::newRow("empty") << QString();
        QTest::newRow("huge") << QStringLiteral("123456789012345678901234567890");
    }
    void refusesNumbersThatAreNoPattern() {
        QFETCH(QString, typed);
        page_->SetResultsText(QStringLiteral("earlier"));
        Probe(typed);
        QCOMPARE(ctx_->Shown(),
                 QStringList{QStringLiteral(
                     "warning:Pattern Number|Please enter a whole pattern number from 1 to 2.")});
        QCOMPARE(page_->ResultsText(), QStringLiteral("earlier"));
        // The network was not presented anything.
        QCOMPARE(ctx_->state->OutputUnits(1).Activity, 0.0);
        QCOMPARE(ctx_->state->OutputUnits(2).Error, 0.0);
    }

    void upDownStepsWithinThePatterns() {
        auto* upDown = page_->PatternNumberUpDown();
        QCOMPARE(upDown->Max(), 2);
        upDown->StepUp();
        QCOMPARE(Box()->text(), QStringLiteral("2"));
        upDown->StepUp();
        QCOMPARE(Box()->text(), QStringLiteral("2"));
        upDown->StepDown();
        upDown->StepDown();
        QCOMPARE(Box()->text(), QStringLiteral("1"));
    }

    void upDownFollowsANewFileWhenThePageComesBack() {
        // The user goes to the hub and comes back to this page.
        auto comeBack = [this] {
            ctx_->pages.NotifyActivated(ctx_->pages.Find(QStringLiteral("TestDAM")));
            ctx_->pages.NotifyActivated(page_);
        };
        auto* upDown = page_->findChild<UpDown*>(QStringLiteral("PatternUpDown"));
        // The hub trains a network on another file while the page stays open: five patterns.
        *ctx_->state = testsupport::MakeNetwork(1, 1, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5});
        comeBack();
        QCOMPARE(upDown->Max(), 5);
        Box()->setText(QStringLiteral("4"));
        upDown->StepUp();
        upDown->StepUp();
        QCOMPARE(Box()->text(), QStringLiteral("5"));
        // And back to a file with fewer patterns.
        *ctx_->state = SmallTrainedNetwork();
        comeBack();
        QCOMPARE(upDown->Max(), 2);
        upDown->StepUp();
        QCOMPARE(Box()->text(), QStringLiteral("2"));
    }

    void printsHeadingAndTextInOrder() {
        RecordingPrinter printer;
        page_->SetPrinterSource(RecordInto(printer));
        Probe(QStringLiteral("1"));
        QTest::mouseClick(page_->PrintButton(), Qt::LeftButton);
        QCOMPARE(printer.Operations,
                 (QStringList{QStringLiteral("line:"), QStringLiteral("font:Courier,10,bold"),
                              QStringLiteral("line:Results Of Testing Distributed Memory On "
                                             "small.net"),
                              QStringLiteral("bold:off"), QStringLiteral("line:"),
                              QStringLiteral("line:") + kPattern1Block, QStringLiteral("end")}));
        QVERIFY(ctx_->Shown().isEmpty());
    }

    void printingAnEmptyWindowPrintsEmptyLines() {
        RecordingPrinter printer;
        page_->SetPrinterSource(RecordInto(printer));
        page_->PrintResults_Click();
        QCOMPARE(printer.Operations.filter(QStringLiteral("line:")),
                 (QStringList{QStringLiteral("line:"),
                              QStringLiteral("line:Results Of Testing Distributed Memory On "
                                             "small.net"),
                              QStringLiteral("line:"), QStringLiteral("line:")}));
    }

    void aFailedPrintoutIsReportedAndThePageStays() {
        RecordingPrinter printer;
        printer.Failure =
            QStringLiteral("The printer reported an error; the page was not printed.");
        page_->SetPrinterSource(RecordInto(printer));
        page_->PrintResults_Click();
        QCOMPARE(ctx_->Shown(), QStringList{QStringLiteral(
                                    "message:Mnemex|The text could not be printed.\nThe "
                                    "printer reported an error; the page was not printed.")});
    }

    void aDeclinedPrintoutPrintsNothing() {
        page_->SetPrinterSource([] { return std::unique_ptr<PagePrinter>(); });
        page_->PrintResults_Click();
        QVERIFY(ctx_->Shown().isEmpty());
    }
};

QTEST_MAIN(ProbeNetworkPageTest)
#include "ProbeNetworkPageTest.moc"
