// The pages exactly as Mnemex registers them: each opens under its name with its frame
// design and readable captions, and every entry of the testing hub opens what it offers.
#include <QtTest>

#include "app/RegisterPages.h"
#include "core/PublicStuff.h"
#include "pages/main/TestDAMPage.h"
#include "tests/support/CaptionFit.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestNetworks.h"

using namespace mnemex;
using namespace mnemex::pages;

namespace {

struct Program : testsupport::ScriptedPlatform {
    bool ended = false;

    Program() {
        state = testsupport::SmallTrainedNetwork();
        manager.SetQuitAction([this] { ended = true; });
        RegisterPages(manager);
    }
    // The hub, reached as after "Test Recall": the setup page stays loaded behind it.
    TestDAMPage* OpenHub() {
        manager.Load(QStringLiteral("DistMem"));
        return dynamic_cast<TestDAMPage*>(manager.Show(QStringLiteral("TestDAM")));
    }
    static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

void DoubleClickItem(ListBox* list, int row) {
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

}  // namespace

class AppPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void everyPageOpensUnderItsNameWithItsDesign_data();
    void everyPageOpensUnderItsNameWithItsDesign();
    void startsOnTheIntroductoryPage();
    void everyHubEntryOpensItsPage_data();
    void everyHubEntryOpensItsPage();
};

void AppPagesTest::everyPageOpensUnderItsNameWithItsDesign_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("designWidth");
    QTest::addColumn<int>("designHeight");
    QTest::addColumn<QSize>("corner");
    QTest::addColumn<int>("horLeft");
    QTest::newRow("Network1") << "Network1"
                              << "Corlan Neural Net Code -- Introductory Form" << 10785 << 9540
                              << QSize(375, 375) << -15;
    QTest::newRow("DistMem") << "DistMem"
                             << "Distributed Memory Setup Page -- Corlan Neural Network Code"
                             << 10860 << 9900 << QSize(360, 405) << 0;
    QTest::newRow("TestDAM")
        << "TestDAM"
        << "Testing The Distributed Associative Memory -- Corlan Neural Network Code" << 11115
        << 9750 << QSize(375, 390) << 0;
    QTest::newRow("SaveResults") << "SaveResults"
                                 << "Save Results To A Text File -- Corlan Neural Network Code"
                                 << 10635 << 9405 << QSize(390, 390) << 0;
    QTest::newRow("ProbeNetwork")
        << "ProbeNetwork"
        << "Distributed Memory Program -- Probe Network Responses To Selected Patterns" << 10770
        << 9495 << QSize(390, 390) << 0;
    QTest::newRow("PlotSSEdata") << "PlotSSEdata"
                                 << "Graph of SSE as a function of sweeps of training" << 10740
                                 << 9600 << QSize(390, 375) << 0;
}

void AppPagesTest::everyPageOpensUnderItsNameWithItsDesign() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, designWidth);
    QFETCH(int, designHeight);
    QFETCH(QSize, corner);
    QFETCH(int, horLeft);
    Program p;
    auto* page = dynamic_cast<Page*>(p.manager.Show(name));
    QVERIFY(page != nullptr);
    QCOMPARE(page->Name(), name);
    QCOMPARE(page->windowTitle(), caption);
    QCOMPARE(page->DesignWidth(), designWidth);
    QCOMPARE(page->DesignHeight(), designHeight);
    QCOMPARE(TwipGeometry(page->Corner()).size(), corner);
    QCOMPARE(TwipGeometry(page->HorFormScroll()).left(), horLeft);
    // Opened at its design size, the page shows no scrollbar.
    QCOMPARE(page->OuterWidthTwips(), designWidth);
    QVERIFY(page->HorFormScroll()->isHidden());
    // In the Arial-metric fonts every caption can be read whole.
    const QStringList clipped = testsupport::ClippedCaptions(*page);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
}

void AppPagesTest::startsOnTheIntroductoryPage() {
    Program p;
    QVERIFY(p.manager.Show(QString::fromLatin1(kStartPage)) != nullptr);
    QCOMPARE(p.manager.LoadedNames(), QStringList{"Network1"});
}

// What each entry does (once only, the weights kept or reset, what else stays open) is the
// hub's own test, with plain pages standing in; here, that the names the hub asks for are
// the pages the program registers.
void AppPagesTest::everyHubEntryOpensItsPage_data() {
    QTest::addColumn<bool>("upperList");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("page");
    QTest::newRow("Probe Network Responses To Selected Patterns") << true << 0 << "ProbeNetwork";
    QTest::newRow("Save Summary As A Text File") << true << 2 << "SaveResults";
    QTest::newRow("Plot SSE By Sweeps") << true << 3 << "PlotSSEdata";
    QTest::newRow("Look Inside The Memory") << true << -1 << "LookInside";  // its own button
    QTest::newRow("Reset Weights And Train Again") << false << 0 << "DistMem";
    QTest::newRow("Keep Current Weights And Continue Training") << false << 1 << "DistMem";
    QTest::newRow("Train A New Network On A New Problem") << false << 2 << "Network1";
}

void AppPagesTest::everyHubEntryOpensItsPage() {
    QFETCH(bool, upperList);
    QFETCH(int, row);
    QFETCH(QString, page);
    Program p;
    TestDAMPage* hub = p.OpenHub();
    ListBox* list = upperList ? hub->ExamineList() : hub->ContinuingList();
    if (row < 0) {
        QCOMPARE(hub->LookInsideButton()->text(), QString::fromLatin1(QTest::currentDataTag()));
        hub->LookInsideButton()->click();
    } else {
        QCOMPARE(list->item(row)->text(), QString::fromLatin1(QTest::currentDataTag()));
        DoubleClickItem(list, row);
    }
    Program::Settle();
    Form* opened = p.manager.Find(page);
    QVERIFY(opened != nullptr);
    QVERIFY(opened->isVisible());
    QCOMPARE(p.manager.ActiveForm(), opened);
    QCOMPARE(static_cast<int>(p.backend.shown.size()), 0);
    QVERIFY(!p.ended);
}

QTEST_MAIN(AppPagesTest)
#include "AppPagesTest.moc"
