// Walks the typical road through Mnemex on a real screen and saves a picture of every
// page on the way, and the printed probe text and chart as PDF files:
//   road_gallery OUTPUT_FOLDER [EXAMPLES_FOLDER]
// Run it under a virtual X server (scripts/screenshots.sh does).
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "app/RegisterPages.h"
#include "core/PublicStuff.h"
#include "pages/framework/PageManager.h"
#include "pages/framework/printing/DefaultPrinter.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/Network1Page.h"
#include "pages/main/TestDAMPage.h"
#include "reports/PlotSSEDataPage.h"
#include "reports/ProbeNetworkPage.h"
#include "reports/SaveResultsPage.h"
#include "tests/support/ScriptedDialogBackend.h"
#include "tests/support/StandInSummary.h"

using namespace mnemex;
using namespace mnemex::pages;

namespace {

class Road {
  public:
    Road(const QString& out, const QString& examples) : out_(out), examples_(examples) {
        pages_.SetQuitAction([] {});
        RegisterPages(pages_);
    }

    int Walk() {
        auto* intro = dynamic_cast<Network1Page*>(pages_.Show(QStringLiteral("Network1")));
        Snap(intro, "road-1-network1-empty");
        intro->FolderListBox()->SetPath(QDir(examples_).absolutePath());
        intro->FileListBox()->DoubleClickItem(
            intro->FileListBox()->Items().indexOf(QStringLiteral("letters.net")));
        Snap(intro, "road-2-network1-loaded");

        intro->NextPageButton()->click();
        Settle();
        auto* setup = pages_.FindAs<DistMemPage>(QStringLiteral("DistMem"));
        Snap(setup, "road-3-distmem-before");
        setup->DeltaOption()->click();
        setup->RateBox()->setText(QStringLiteral("0.02"));
        setup->MaxEpochsBox()->setText(QStringLiteral("90"));  // epoch 0 and every 10th: 10 rows
        setup->StartTrainingButton()->click();
        Snap(setup, "road-4-distmem-after");

        setup->TestRecallButton()->click();
        auto* hub = pages_.FindAs<TestDAMPage>(QStringLiteral("TestDAM"));
        hub->ExamineList()->setCurrentRow(0);
        Snap(hub, "road-5-testdam");

        hub->TestList_DblClick();
        auto* probe = pages_.FindAs<ProbeNetworkPage>(QStringLiteral("ProbeNetwork"));
        auto* patternBox = probe->PatternNumberBox();
        for (const char* pattern : {"1", "2"}) {
            patternBox->setText(QLatin1String(pattern));
            probe->PatternOK_Click();
        }
        Snap(probe, "road-6-probe");
        probe->SetPrinterSource([this] {
            return OpenPdfPrinter(out_.filePath(QStringLiteral("road-print-probe.pdf")),
                                  QStringLiteral("Probe Network Responses"));
        });
        probe->PrintResults_Click();

        // A report saved earlier in this run: the page shows it and where it went.
        state_.ReportFileName =
            scratch_.filePath(QStringLiteral("letters-report.txt")).toStdString();
        hub->ExamineList()->setCurrentRow(2);
        hub->TestList_DblClick();
        auto* report = pages_.FindAs<SaveResultsPage>(QStringLiteral("SaveResults"));
        report->SaveFile_Click();
        Snap(report, "road-7-saveresults");

        hub->ExamineList()->setCurrentRow(3);
        hub->TestList_DblClick();
        auto* chart = pages_.FindAs<PlotSSEDataPage>(QStringLiteral("PlotSSEdata"));
        Snap(chart, "road-8-chart-10-rows");
        chart->SetPrinterSource([this] {
            return OpenPdfPrinter(out_.filePath(QStringLiteral("road-print-chart.pdf")),
                                  QStringLiteral("SSE Chart"));
        });
        chart->PrintThisGraph_Click();
        chart->CloseThisForm_Click();

        // Reset the weights and train again slowly, with a printout every epoch, until the
        // history is full: 2,000 rows that show the whole fall of the error.
        hub->ContinuingList()->setCurrentRow(0);
        hub->ContinueList_DblClick();
        Settle();
        setup->RateBox()->setText(QStringLiteral("0.0005"));
        setup->PrintEpochsBox()->setText(QStringLiteral("1"));
        setup->MaxEpochsBox()->setText(QStringLiteral("1999"));
        setup->StartTrainingButton()->click();
        setup->TestRecallButton()->click();
        hub = pages_.FindAs<TestDAMPage>(QStringLiteral("TestDAM"));
        hub->ExamineList()->setCurrentRow(3);
        hub->TestList_DblClick();
        chart = pages_.FindAs<PlotSSEDataPage>(QStringLiteral("PlotSSEdata"));
        Snap(chart, "road-9-chart-2000-rows");
        std::printf("history rows: %d\n", static_cast<int>(state_.SSECount));
        return 0;
    }

  private:
    static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // Brings `page` to the front, lets it draw, and saves it as NAME.png.
    void Snap(QWidget* page, const char* name) {
        page->show();
        page->raise();
        page->activateWindow();
        QTest::qWait(300);
        const QString file = out_.filePath(QLatin1String(name) + QLatin1String(".png"));
        if (!page->grab().save(file))
            std::fprintf(stderr, "could not save %s\n", qPrintable(file));
        std::printf("%s\n", qPrintable(file));
    }

    QDir out_;
    QString examples_;
    QTemporaryDir scratch_;
    PublicStuff state_;
    ScriptedDialogBackend dialogBackend_;
    Dialogs dialogs_{dialogBackend_, QStringLiteral("Mnemex")};
    SystemDriveSource drives_;
    testsupport::StandInSummary summary_;
    PlatformServices services_{dialogs_, drives_, summary_};
    PageManager pages_{state_, services_};
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mnemex"));
    if (argc < 2) {
        std::fprintf(stderr, "usage: road_gallery OUTPUT_FOLDER [EXAMPLES_FOLDER]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const QString examples =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(MNEMEX_EXAMPLES_DIR);
    Road road(out, examples);
    return road.Walk();
}
