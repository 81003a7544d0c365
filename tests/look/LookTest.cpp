// Every page of both programs, opened offscreen in the states a student meets it in: do the
// texts fit, can they be read, does every control have a name, and where does Tab go?
// Run once at scale 1 and once with QT_SCALE_FACTOR=2.
#include <QtTest>
#include <map>

#include "FakeOs.h"
#include "NotFoundPage.h"
#include "Program.h"
#include "StartPage.h"
#include "UninstallPage.h"
#include "app/RegisterPages.h"
#include "core/PublicStuff.h"
#include "pages/framework/PageManager.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/Network1Page.h"
#include "pages/main/TestDAMPage.h"
#include "reports/ProbeNetworkPage.h"
#include "tests/support/PageLook.h"
#include "tests/support/ScriptedDialogBackend.h"
#include "tests/support/ScriptedPlatform.h"

using namespace mnemex;
using namespace mnemex::testsupport;

namespace {

// What the checks found on one page in one state.
struct Findings {
    QStringList Clipped, Faint, Unnamed, TabOrder;
};

// Walks both programs and looks at every page on the way.
class Walk {
  public:
    Walk() {
        WalkMnemex();
        WalkUninstaller();
    }
    const std::map<QString, Findings>& Pages() const { return found_; }

  private:
    void Look(const QString& name, QWidget* page) {
        page->show();
        QTest::qWait(30);  // let the layouts settle
        found_[name] = {ClippedTexts(page), FaintTexts(page), UnnamedControls(page),
                        TabOrder(page)};
    }

    void WalkMnemex() {
        ScriptedPlatform platform;
        PageManager& pages = platform.manager;
        RegisterPages(pages);

        auto* intro = dynamic_cast<pages::Network1Page*>(pages.Show(QStringLiteral("Network1")));
        Look(QStringLiteral("Network1 empty"), intro);
        intro->FolderListBox()->SetPath(QStringLiteral(MNEMEX_EXAMPLES_DIR));
        intro->FileListBox()->DoubleClickItem(
            intro->FileListBox()->Items().indexOf(QStringLiteral("letters.net")));
        Look(QStringLiteral("Network1 loaded"), intro);

        intro->NextPageButton()->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto* setup = pages.FindAs<pages::DistMemPage>(QStringLiteral("DistMem"));
        Look(QStringLiteral("DistMem before"), setup);
        setup->DeltaOption()->click();
        setup->StartTrainingButton()->click();
        Look(QStringLiteral("DistMem after"), setup);
        setup->TestRecallButton()->click();
        Look(QStringLiteral("TestDAM"), pages.Find(QStringLiteral("TestDAM")));
        auto* probe =
            dynamic_cast<pages::ProbeNetworkPage*>(pages.Show(QStringLiteral("ProbeNetwork")));
        probe->PatternOK_Click();
        Look(QStringLiteral("ProbeNetwork"), probe);
        Look(QStringLiteral("SaveResults"), pages.Show(QStringLiteral("SaveResults")));
        Look(QStringLiteral("PlotSSEdata"), pages.Show(QStringLiteral("PlotSSEdata")));
        pages.EndProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void WalkUninstaller() {
        FakeOs os;
        os.files << os.appFolder + QStringLiteral("/ST6UNST.LOG");
        ScriptedDialogBackend dialogs;
        FixedDriveSource drives{{Drive{QStringLiteral("/"), QString()}}};
        uninstall::Program program(os, dialogs, drives, [] {});
        Look(QStringLiteral("Start"), &program.LoadStart());
        Look(QStringLiteral("Uninstall"), &program.LoadUninstall());
        Look(QStringLiteral("NotFound"), &program.LoadNotFound());
    }

    std::map<QString, Findings> found_;
};

}  // namespace

class LookTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Walk> walk_;

    void addPageRows() {
        QTest::addColumn<QString>("page");
        for (const auto& [name, findings] : walk_->Pages())
            QTest::newRow(qPrintable(name)) << name;
    }
    const Findings& On(const QString& page) { return walk_->Pages().at(page); }

  private slots:
    void initTestCase() { walk_ = std::make_unique<Walk>(); }

    void everyPageWasSeen() {
        std::printf("device pixel ratio %g\n", qApp->devicePixelRatio());
        QCOMPARE(static_cast<int>(walk_->Pages().size()), 11);
    }

    void textsFitTheirControls_data() { addPageRows(); }
    void textsFitTheirControls() {
        QFETCH(QString, page);
        QVERIFY2(On(page).Clipped.isEmpty(), qPrintable(On(page).Clipped.join('\n')));
    }

    void textIsReadable_data() { addPageRows(); }
    void textIsReadable() {
        QFETCH(QString, page);
        QVERIFY2(On(page).Faint.isEmpty(), qPrintable(On(page).Faint.join('\n')));
    }

    void everyControlHasAName_data() { addPageRows(); }
    void everyControlHasAName() {
        QFETCH(QString, page);
        QVERIFY2(On(page).Unnamed.isEmpty(), qPrintable(On(page).Unnamed.join('\n')));
    }

    // The chart page's order is its layout's (chart, print, exit); elsewhere Tab reads the
    // page as a student does: the file chooser from drive to file, then down the page.
    void tabOrder_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("order");
        const QStringList chooser{"Drive1", "Dir1", "File1"};
        const QStringList entries{"Check1_0", "Check1_1",     "SweepsBox",   "PrintSweepsBox",
                                  "LRateBox", "LRateSlider",  "MinErrorBox", "MinErrorSlider",
                                  "OrderBox", "StartTraining"};
        QTest::newRow("Network1 empty") << "Network1 empty" << chooser + QStringList{"Command2"};
        QTest::newRow("Network1 loaded")
            << "Network1 loaded" << chooser + QStringList{"NextPage", "Command2"};
        QTest::newRow("DistMem before")
            << "DistMem before"
            << QStringList{"Frame1"} + entries + QStringList{"Command2", "OpenSaved"};
        QTest::newRow("DistMem after")
            << "DistMem after"
            << QStringList{"Frame1"} + entries +
                   QStringList{"Continue", "TestRecall", "Command2", "OpenSaved", "SaveNetwork"};
        QTest::newRow("TestDAM") << "TestDAM"
                                 << QStringList{"TestList", "LookInside", "ContinueList",
                                                "Command2"};
        QTest::newRow("ProbeNetwork")
            << "ProbeNetwork" << QStringList{"PatternBox", "PatternOK",    "ResultsText",
                                             "ClearText",  "PrintResults", "Command2"};
        QTest::newRow("SaveResults")
            << "SaveResults"
            << chooser + QStringList{"DirButton", "FileButton", "Check1_1", "Check1_2",
                                     "Check1_3",  "Check1_4",   "Check1_0", "Check1_5",
                                     "Check1_6",  "SaveFile",   "Command2"};
        QTest::newRow("PlotSSEdata")
            << "PlotSSEdata" << QStringList{"SSEgraph", "PrintThisGraph", "CloseThisForm"};
        QTest::newRow("Start") << "Start" << QStringList{"Yes", "Cancel"};
        QTest::newRow("Uninstall") << "Uninstall" << QStringList{};
        QTest::newRow("NotFound") << "NotFound"
                                  << chooser + QStringList{"ExecutableText", "Continue"};
    }
    void tabOrder() {
        QFETCH(QString, page);
        QFETCH(QStringList, order);
        QVERIFY2(On(page).TabOrder == order, qPrintable(On(page).TabOrder.join(", ")));
    }

    void contrastOfKnownColours() {
        QCOMPARE(ContrastRatio(Qt::black, Qt::white), 21.0);
        QCOMPARE(ContrastRatio(Qt::white, Qt::white), 1.0);
        // Mid grey #767676 on white is the usual 4.5:1 threshold.
        QVERIFY(std::abs(ContrastRatio(QColor(0x76, 0x76, 0x76), Qt::white) - 4.54) < 0.01);
    }
};

QTEST_MAIN(LookTest)
#include "LookTest.moc"
