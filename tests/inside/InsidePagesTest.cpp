// The "Look Inside The Memory" page and the "Compare Runs" view, driven offscreen as a
// student drives them: choose a pattern, change a picture's width, sort the table, probe
// with noise, explain a unit, save the weights, train on the setup page and compare runs.

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QLogValueAxis>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "ResultTestSupport.h"
#include "core/DistortedProbe.h"
#include "core/NumberForms.h"
#include "core/Recall.h"
#include "core/TrainingFile.h"
#include "core/TrainingRun.h"
#include "core/WeightExport.h"
#include "pages/inside/CompareRunsPage.h"
#include "pages/inside/InsideMemoryPage.h"
#include "pages/inside/PatternPicture.h"
#include "pages/inside/PatternViews.h"
#include "pages/inside/RunsChart.h"
#include "pages/inside/WeightColours.h"
#include "pages/inside/WeightView.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/MainPages.h"
#include "tests/support/TempFolder.h"

using namespace mnemex;
using namespace mnemex::inside;
using namespace mnemex::pagetest;

namespace {

void LoadExample(PublicStuff& s, const char* name) {
    QVERIFY(!ReadTrainingFile(s, std::string(MNEMEX_EXAMPLES_DIR) + "/" + name));
    s.TrainingFileName = name;
    s.ReallocateNetwork();
}

void Train(PublicStuff& s, const char* rule, double rate, int epochs) {
    s.NewRun = 1;
    s.LearningRule = rule;
    s.LearningRate = rate;
    s.StopAtMaxEpochs = 1;
    s.StopAtMinError = 0;
    s.MaxEpochs = epochs;
    s.PrintInterval = 1;
    ResetWeights(s);
    SilentDisplay display;
    QCOMPARE(TrainNetwork(s, display, epochs).Outcome, RunOutcome::kFinished);
}

struct Fixture {
    PageTestContext ctx;
    RecordingPrinter printer;
    testsupport::TempFolder folder;
    QString chosenName;  // what the save dialog answers

    Fixture() {
        ctx.pages.RegisterPage<InsideMemoryPage>();
        ctx.pages.RegisterPage<CompareRunsPage>();
        pages::RegisterMainPages(ctx.pages);
    }
    InsideMemoryPage& Open() {
        auto* page = dynamic_cast<InsideMemoryPage*>(ctx.pages.Show(InsideMemoryPage::kName));
        page->SetFileChooser(
            [this](const QString&, const QString&, const QString&) { return chosenName; });
        return *page;
    }
    CompareRunsPage& OpenCompare() {
        auto* page = dynamic_cast<CompareRunsPage*>(ctx.pages.Show(CompareRunsPage::kName));
        page->SetPrinterSource(RecordInto(printer));
        page->SetFileChooser(
            [this](const QString&, const QString&, const QString&) { return chosenName; });
        return *page;
    }
};

std::vector<double> PatternInputs(const PublicStuff& s, int p) {
    return {s.InputPatterns.Pattern(p), s.InputPatterns.Pattern(p) + s.NumInputs};
}

}  // namespace

class InsidePagesTest : public QObject {
    Q_OBJECT
  private slots:
    void lettersShowAsEightByEightPictures();
    void choosingAPatternAndAWidthRedrawsThePictures();
    void headingsSortTheTableAndCopyGivesTabSeparatedText();
    void probingWithNoiseIsReproducibleFromTheSeed();
    void badProbeSettingsAreRefused();
    void clickingARecalledUnitExplainsIt();
    void hoveringAWeightNamesItsUnits();
    void heatMapPixelsShowTheWeightsUnderThem();
    void weightsAreSavedAsCsvAndNpy();
    void nonFiniteMeasureGivesTheOverflowMessage();
    void leastSquaresStandsBesideTheFixedWeights();
    void viewFollowsATrainingRunOnTheTimer();
    void keptRunsAreComparedWithTheLeastSquaresLine();
    void picturesOfAPatternShareTheFilesScales();
    void hintonBoxesFillTheirCellsInProportion_data();
    void hintonBoxesFillTheirCellsInProportion();
    void stripsOfManyUnitsStayVisible();
    void pageFitsALaptopScreen();
    void nothingStaysFromAnotherNetwork_data();
    void nothingStaysFromAnotherNetwork();
};

void InsidePagesTest::lettersShowAsEightByEightPictures() {
    Fixture f;
    LoadExample(*f.ctx.state, "letters.net");
    Train(*f.ctx.state, "Hebb", 0.1, 1);
    InsideMemoryPage& page = f.Open();
    QCOMPARE(page.PatternBox()->maximum(), 8);
    QCOMPARE(page.InputWidthBox()->value(), 8);   // 64 input units: a square
    QCOMPARE(page.OutputWidthBox()->value(), 8);  // 8 output units: one row
    QCOMPARE(page.Picture(0)->Values(), PatternInputs(*f.ctx.state, 1));
    QCOMPARE(page.Picture(0)->GridWidth(), 8);
    QCOMPARE(page.Weights()->Outputs(), 8);
    QCOMPARE(page.Weights()->Inputs(), 64);
    QVERIFY(page.HintonCheck()->isEnabled());
    QCOMPARE(page.MeasuresTable()->rowCount(), 8);
}

void InsidePagesTest::choosingAPatternAndAWidthRedrawsThePictures() {
    Fixture f;
    LoadExample(*f.ctx.state, "letters.net");
    Train(*f.ctx.state, "Delta", 0.05, 20);
    InsideMemoryPage& page = f.Open();
    page.PatternBox()->setValue(3);
    QCOMPARE(page.Picture(0)->Values(), PatternInputs(*f.ctx.state, 3));
    PublicStuff recall = *f.ctx.state;
    ComputeOutputs(recall, 3);
    for (int j = 1; j <= 8; ++j) {
        QCOMPARE(page.Picture(2)->Values()[std::size_t(j - 1)], recall.OutputUnits(j).Activity);
        QCOMPARE(page.Picture(3)->Values()[std::size_t(j - 1)], recall.OutputUnits(j).Error);
    }
    page.InputWidthBox()->setValue(16);
    QCOMPARE(page.Picture(0)->GridWidth(), 16);
    QCOMPARE(page.Picture(1)->GridWidth(), 8);  // the output width is separate
    page.OutputWidthBox()->setValue(4);
    QCOMPARE(page.Picture(2)->GridWidth(), 4);
    QCOMPARE(page.Picture(0)->ScaleText(), QStringLiteral("0 black to 1 white"));
}

void InsidePagesTest::headingsSortTheTableAndCopyGivesTabSeparatedText() {
    Fixture f;
    LoadExample(*f.ctx.state, "letters.net");
    Train(*f.ctx.state, "Hebb", 0.1, 1);
    InsideMemoryPage& page = f.Open();
    QHeaderView* header = page.MeasuresTable()->horizontalHeader();
    emit header->sectionClicked(1);  // SSE, smallest first
    const auto& rows = page.ShownMeasures();
    for (std::size_t k = 1; k < rows.size(); ++k)
        QVERIFY(rows[k - 1].SSE <= rows[k].SSE);
    emit header->sectionClicked(1);  // again: largest first
    for (std::size_t k = 1; k < rows.size(); ++k)
        QVERIFY(rows[k - 1].SSE >= rows[k].SSE);
    QCOMPARE(page.MeasuresTable()->item(0, 0)->text().toInt(), rows[0].Pattern);
    page.CopyTable_Click();
    const QStringList lines = QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 10);  // heading, 8 patterns, the empty rest after the last CR LF
    QCOMPARE(lines[0], QStringLiteral("Pattern\tSSE\tndp\tnvl\tvcor\t"));
    QCOMPARE(lines[1].section(QLatin1Char('\t'), 0, 0).toInt(), rows[0].Pattern);
}

void InsidePagesTest::probingWithNoiseIsReproducibleFromTheSeed() {
    Fixture f;
    LoadExample(*f.ctx.state, "letters.net");
    Train(*f.ctx.state, "Delta", 0.05, 30);
    InsideMemoryPage& page = f.Open();
    page.PatternBox()->setValue(2);
    page.NoiseBox()->setText(QStringLiteral("0.3"));
    page.ZeroBox()->setText(QStringLiteral("0.25"));
    page.SeedBox()->setText(QStringLiteral("42"));
    QTest::mouseClick(page.ProbeButton(), Qt::LeftButton);
    const DistortedInputs expected = DistortPattern(*f.ctx.state, 2, {0.3, 0.25, 42});
    QCOMPARE(page.DistortedPicture()->Values(), expected.Inputs);
    QCOMPARE(page.ProbeRecalledPicture()->Values(), RecallVector(*f.ctx.state, expected.Inputs));
    const PatternMeasures m = MeasureProbe(*f.ctx.state, 2, expected.Inputs);
    // Six digits on the page, every digit on hover.
    QVERIFY(page.ProbeMeasuresLabel()->text().contains(QStringLiteral("vcor ") +
                                                       QString::fromStdString(Shown(m.Vcor))));
    QVERIFY(page.ProbeMeasuresLabel()->toolTip().contains(
        QStringLiteral("vcor ") + QString::fromStdString(FormatGeneral(m.Vcor))));
    int zeros = 0;
    for (double v : page.DistortedPicture()->Values())
        zeros += v == 0.0;
    QVERIFY(zeros >= 16);  // a quarter of 64 units set to 0
    page.SeedBox()->setText(QStringLiteral("43"));
    page.Probe_Click();
    QVERIFY(page.DistortedPicture()->Values() != expected.Inputs);
    QVERIFY(f.ctx.Shown().isEmpty());
}

void InsidePagesTest::badProbeSettingsAreRefused() {
    Fixture f;
    LoadExample(*f.ctx.state, "letters.net");
    Train(*f.ctx.state, "Hebb", 0.1, 1);
    InsideMemoryPage& page = f.Open();
    const std::vector<double> before = page.DistortedPicture()->Values();
    struct Case {
        const char *noise, *zero, *seed;
    };
    for (const Case c : {Case{"x", "0", "1"}, Case{"0.1", "1.5", "1"}, Case{"-1", "0", "1"},
                         Case{"0.1", "0", "seed"}}) {
        page.NoiseBox()->setText(QString::fromLatin1(c.noise));
        page.ZeroBox()->setText(QString::fromLatin1(c.zero));
        page.SeedBox()->setText(QString::fromLatin1(c.seed));
        page.Probe_Click();
    }
    QCOMPARE(f.ctx.Shown().size(), 4);
    for (const QString& shown : f.ctx.Shown())
        QVERIFY2(shown.startsWith(QStringLiteral("warning:Probe|")), qPrintable(shown));
    QCOMPARE(page.DistortedPicture()->Values(), before);
}

void InsidePagesTest::clickingARecalledUnitExplainsIt() {
    Fixture f;
    LoadExample(*f.ctx.state, "letters.net");
    Train(*f.ctx.state, "Delta", 0.05, 10);
    InsideMemoryPage& page = f.Open();
    page.PatternBox()->setValue(5);
    PatternPicture* recalled = page.Picture(2);
    recalled->resize(160, 60);
    // Output unit 2 of a one-row, eight-unit picture: the second cell.
    QTest::mouseClick(recalled, Qt::LeftButton, {}, QPoint(160 / 8 + 5, 5));
    PublicStuff recall = *f.ctx.state;
    ComputeOutputs(recall, 5);
    const QString text = page.ExplanationBox()->toPlainText();
    QVERIFY2(text.startsWith(QStringLiteral("Output unit 2, pattern 5")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Net input (the recalled output): ") +
                          QString::fromStdString(Shown(recall.OutputUnits(2).NetInput))));
    QVERIFY(page.ExplanationBox()->toolTip().contains(
        QStringLiteral("Net input (the recalled output): ") +
        QString::fromStdString(FormatGeneral(recall.OutputUnits(2).NetInput))));
    QVERIFY(text.contains(QStringLiteral("The Delta rule's next step (rate 0.05")));
    // Choosing another pattern explains the same unit for it.
    page.PatternBox()->setValue(6);
    QVERIFY(page.ExplanationBox()->toPlainText().startsWith(
        QStringLiteral("Output unit 2, pattern 6")));
}

void InsidePagesTest::hoveringAWeightNamesItsUnits() {
    Fixture f;
    *f.ctx.state = SmallTrainedNetwork();
    InsideMemoryPage& page = f.Open();
    WeightView* view = page.Weights();
    view->resize(200, 200);  // two by two cells of 100 pixels
    QTest::mouseMove(view, QPoint(150, 50));
    const QString expected =
        QStringLiteral("Output 1, input 2: weight ") +
        QString::fromStdString(FormatGeneral(f.ctx.state->Weights.Weight(1, 2)));
    QCOMPARE(view->DescribeCell(1, 2), expected);
    QCOMPARE(view->CellAt(QPoint(150, 50)), (std::pair<int, int>{1, 2}));
    QCOMPARE(view->CellAt(QPoint(50, 150)), (std::pair<int, int>{2, 1}));
    QCOMPARE(view->CellAt(QPoint(250, 50)), (std::pair<int, int>{0, 0}));
    // The colour bar spans the largest magnitude both ways.
    QCOMPARE(page.Scale()->Limit(), view->Limit());
    QVERIFY(view->Limit() > 0);
    page.HintonCheck()->click();
    QCOMPARE(view->CurrentMode(), WeightView::Mode::kHinton);
}

void InsidePagesTest::heatMapPixelsShowTheWeightsUnderThem() {
    WeightMatrix w;
    w.Reallocate(5, 7);  // 5 outputs, 7 inputs
    for (int j = 1; j <= 5; ++j)
        for (int i = 1; i <= 7; ++i)
            w.SetWeight(j, i, (j % 2 ? 1.0 : -1.0) * (i * 10 + j));
    w.SetWeight(2, 3, 2.5);   // half a colour step on the scale 0..255: rounds away from 0
    w.SetWeight(3, 3, -2.5);  // the same below 0
    w.SetWeight(4, 6, std::nan(""));
    const double limit = 255.0;
    QImage full;
    RenderHeatMap(w, limit, full);
    QCOMPARE(full.size(), QSize(7, 5));  // one pixel per weight, outputs down
    for (int j = 1; j <= 5; ++j)
        for (int i = 1; i <= 7; ++i)
            if (!(j == 4 && i == 6))
                QCOMPARE(full.pixel(i - 1, j - 1), DivergingColour(w.Weight(j, i), limit));
    QCOMPARE(full.pixel(5, 3), 0xFFFFFFFFu);  // not a number: white
    QCOMPARE(full.pixel(2, 1), DivergingColour(3.0, limit));
    QCOMPARE(full.pixel(2, 2), DivergingColour(-3.0, limit));
    // Larger than the view: each pixel shows the weight of the units under it.
    WeightView view;
    view.resize(3, 2);
    QImage small;
    RenderHeatMap(w, limit, small, view.size());
    QCOMPARE(small.size(), QSize(3, 2));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            view.ShowWeights(w);
            const auto [output, input] = view.CellAt(QPoint(x, y));
            QCOMPARE(small.pixel(x, y), DivergingColour(w.Weight(output, input), limit));
        }
    // The picture is drawn again into the same memory when the size stays.
    const uchar* before = small.constBits();
    RenderHeatMap(w, limit, small, view.size());
    QCOMPARE(small.constBits(), before);
}

void InsidePagesTest::hintonBoxesFillTheirCellsInProportion_data() {
    QTest::addColumn<int>("outputs");
    QTest::addColumn<int>("inputs");
    QTest::newRow("8 x 64, far wider than tall") << 8 << 64;
    QTest::newRow("4 x 4, square cells") << 4 << 4;
    QTest::newRow("64 x 8, far taller than wide") << 64 << 8;
}

void InsidePagesTest::hintonBoxesFillTheirCellsInProportion() {
    QFETCH(int, outputs);
    QFETCH(int, inputs);
    WeightMatrix w;
    w.Reallocate(outputs, inputs);
    w.SetWeight(1, 1, 1.0);    // the largest magnitude
    w.SetWeight(2, 2, -0.25);  // a quarter of it
    QImage image(420, 360, QImage::Format_RGB32);
    RenderHinton(w, 1.0, image);
    const double cw = 420.0 / inputs;
    const double ch = 360.0 / outputs;
    const auto painted = [&](int output, int input, QRgb colour) {
        int n = 0;
        for (int y = int((output - 1) * ch); y < int(output * ch); ++y)
            for (int x = int((input - 1) * cw); x < int(input * cw); ++x)
                n += image.pixel(x, y) == colour ? 1 : 0;
        return n / (cw * ch);
    };
    // The largest box covers 0.9 x 0.9 of its cell whatever the cell's shape; a quarter of
    // the magnitude a quarter of that area.
    QVERIFY(std::fabs(painted(1, 1, qRgb(220, 0, 0)) - 0.81) < 0.12);
    QVERIFY(std::fabs(painted(2, 2, qRgb(0, 0, 220)) - 0.81 / 4) < 0.08);
}

void InsidePagesTest::stripsOfManyUnitsStayVisible() {
    PatternPicture picture;
    picture.resize(127, 140);
    std::vector<double> values(300, 0.5);
    picture.ShowValues(values, 300, {0, 1, false});  // the student asked for one row
    QCOMPARE(picture.CellSize().height(), PatternPicture::kMinimumCellHeight);
    QVERIFY(picture.CellSize().width() < 1.0);
    picture.ShowValues(values, ProposedWidth(300), {0, 1, false});
    QCOMPARE(picture.CellSize().width(), picture.CellSize().height());  // square cells
    QVERIFY(picture.CellSize().height() > 5.0);
}

// A 1366 x 768 screen less a title bar (30 pixels) and the desktop's panels (two of 28):
// the whole page, every control of it inside.
void InsidePagesTest::pageFitsALaptopScreen() {
    Fixture f;
    LoadExample(*f.ctx.state, "letters.net");
    Train(*f.ctx.state, "Delta", 0.05, 20);
    InsideMemoryPage& page = f.Open();
    QVERIFY2(page.width() <= 1366 && page.height() + 30 <= 768 - 2 * 28,
             qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));
    for (QWidget* child : page.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        QVERIFY2(page.rect().contains(child->geometry()), qPrintable(child->objectName()));
}

void InsidePagesTest::weightsAreSavedAsCsvAndNpy() {
    Fixture f;
    *f.ctx.state = SmallTrainedNetwork();
    InsideMemoryPage& page = f.Open();
    f.chosenName = QString::fromStdString(f.folder.File("w"));
    page.SaveCsv_Click();
    page.SaveNpy_Click();
    const std::string csv = testsupport::ReadBytes(f.folder.File("w.csv"));
    QCOMPARE(std::count(csv.begin(), csv.end(), '\n'), 2);  // one line per output unit
    QCOMPARE(csv, WeightsCsv(f.ctx.state->Weights));
    const std::string npy = testsupport::ReadBytes(f.folder.File("w.npy"));
    QCOMPARE(npy.substr(0, 6), std::string("\x93NUMPY"));
    QCOMPARE(npy.size() % 64, std::size_t{32});  // header of 64k bytes, then 4 doubles
    // The page says where the last export went.
    QCOMPARE(page.SaveStatusLabel()->text(),
             QStringLiteral("Weights saved as ") +
                 QDir::toNativeSeparators(QString::fromStdString(f.folder.File("w.npy"))));
    // A folder cannot be written over: a message, and the folder stays.
    f.chosenName = QString::fromStdString(f.folder.Path().string()) + QStringLiteral("/sub.csv");
    std::filesystem::create_directory(f.folder.File("sub.csv"));
    page.SaveCsv_Click();
    QCOMPARE(f.ctx.Shown().size(), 1);
    QVERIFY(f.ctx.Shown()[0].contains(QStringLiteral("The weights could not be saved to:")));
    QVERIFY(std::filesystem::is_directory(f.folder.File("sub.csv")));
    QVERIFY(page.SaveStatusLabel()->text().isEmpty());  // no longer true
    // Cancel writes nothing.
    f.chosenName.clear();
    page.SaveNpy_Click();
    QCOMPARE(f.ctx.Shown().size(), 1);
}

void InsidePagesTest::nonFiniteMeasureGivesTheOverflowMessage() {
    Fixture f;
    *f.ctx.state = SmallTrainedNetwork();
    f.ctx.state->Weights.SetWeight(1, 1, 1e300);
    f.ctx.state->InputPatterns(1, 1) = 1e300;
    InsideMemoryPage& page = f.Open();
    QVERIFY(!f.ctx.Shown().isEmpty());
    QVERIFY2(f.ctx.Shown()[0].contains(
                 QStringLiteral("This version of the code has encountered an error.")),
             qPrintable(f.ctx.Shown()[0]));
    QVERIFY(f.ctx.Shown()[0].contains(QStringLiteral("Overflow")));
    const int shown = int(f.ctx.Shown().size());
    page.Refresh();  // the same network: the message is not repeated
    QCOMPARE(int(f.ctx.Shown().size()), shown);
}

void InsidePagesTest::leastSquaresStandsBesideTheFixedWeights() {
    Fixture f;
    LoadExample(*f.ctx.state, "dependent.net");
    Train(*f.ctx.state, "Delta", 0.1, 200);
    InsideMemoryPage& page = f.Open();
    const QString text = page.FixedWeightLabel()->text();
    // A figure a student reads on the page; every digit on hover.
    QVERIFY2(text.startsWith(QStringLiteral("Least-squares SSE (fixed weights): 0.666667\n")),
             qPrintable(text));
    QVERIFY(page.FixedWeightLabel()->toolTip().startsWith(
        QStringLiteral("Least-squares SSE (fixed weights): 0.666666666666667")));
    QVERIFY(text.contains(QStringLiteral("SSE of the current weights, held fixed: ")));
    QVERIFY(text.contains(QStringLiteral("so it is not the error of one fixed set of weights.")));
}

void InsidePagesTest::viewFollowsATrainingRunOnTheTimer() {
    Fixture f;
    LoadExample(*f.ctx.state, "letters.net");
    InsideMemoryPage& page = f.Open();
    QCOMPARE(page.Weights()->Limit(), 0.0);  // untrained: all weights 0
    Train(*f.ctx.state, "Hebb", 0.1, 3);
    const int before = page.Weights()->Redraws();
    page.Tick();  // the network changed: only the weights are redrawn
    QCOMPARE(page.Weights()->Redraws(), before + 1);
    QVERIFY(page.Weights()->Limit() > 0);
    page.Tick();  // it has stopped changing: everything follows
    QCOMPARE(page.MeasuresTable()->rowCount(), 8);
    page.Tick();  // nothing new: nothing redrawn
    QCOMPARE(page.Weights()->Redraws(), before + 2);
    // A weight changed in place, counts and totals as they were: still noticed.
    f.ctx.state->Weights.SetWeight(8, 64, 0.25);
    page.Tick();
    QCOMPARE(page.Weights()->Redraws(), before + 3);
}

void InsidePagesTest::keptRunsAreComparedWithTheLeastSquaresLine() {
    Fixture f;
    LoadExample(*f.ctx.state, "dependent.net");
    f.ctx.state->NewRun = 1;
    // Three runs started on the setup page, as the student starts them.
    auto* setup = dynamic_cast<pages::DistMemPage*>(f.ctx.pages.Show(pages::DistMemPage::kName));
    setup->DeltaOption()->click();
    setup->PrintEpochsBox()->setText(QStringLiteral("1"));
    for (const char* rate : {"0.05", "0.1", "0.2"}) {
        setup->RateBox()->setText(QString::fromLatin1(rate));
        setup->StartTrainingButton()->click();
    }
    const auto& runs = f.ctx.pages.Context().runs;
    QCOMPARE(int(runs.All().size()), 3);
    QCOMPARE(runs.All()[2].History.size(), std::size_t{101});
    CompareRunsPage& compare = f.OpenCompare();
    QCOMPARE(compare.RunList()->count(), 3);
    QVERIFY(compare.RunList()->item(2)->text().endsWith(
        QStringLiteral(": 100 epochs, reached the maximum epochs")));
    compare.RunList()->item(0)->setCheckState(Qt::Checked);
    compare.RunList()->item(2)->setCheckState(Qt::Checked);
    QCOMPARE(int(runs.Kept().size()), 2);
    QList<QAbstractSeries*> series = compare.ChartView()->chart()->series();
    QCOMPARE(series.size(), 3);
    // The legend entry whole, on lines of its own: nothing cut to "...".
    QCOMPARE(series[0]->name().replace(QStringLiteral("<br>"), QStringLiteral(" ")),
             QStringLiteral("Run 1: Delta, rate 0.05, file order"));
    QCOMPARE(series[2]->name(), QString::fromLatin1(kLeastSquaresCaption));
    QVERIFY(compare.ChartView()->chart()->title().endsWith(QStringLiteral(": dependent.net")));
    auto* dashed = qobject_cast<QLineSeries*>(series[2]);
    QCOMPARE(dashed->pen().style(), Qt::DashLine);
    QVERIFY(std::fabs(dashed->at(0).y() - 2.0 / 3.0) < 1e-12);
    QCOMPARE(qobject_cast<QLineSeries*>(series[1])->count(), 101);
    // Log scale.
    compare.LogScaleCheck()->click();
    QVERIFY(
        qobject_cast<QLogValueAxis*>(compare.ChartView()->chart()->axes(Qt::Vertical).value(0)));
    // Forgetting a run takes it off the chart.
    compare.RunList()->item(0)->setCheckState(Qt::Unchecked);
    QCOMPARE(compare.ChartView()->chart()->series().size(), 2);
    // CSV of the kept curve and the least-squares line.
    f.chosenName = QString::fromStdString(f.folder.File("runs"));
    compare.SaveCsv_Click();
    const std::string csv = testsupport::ReadBytes(f.folder.File("runs.csv"));
    QCOMPARE(std::count(csv.begin(), csv.end(), '\n'), 1 + 101 + 1);
    QVERIFY(csv.find("3,dependent.net,Delta,0.2,file,100,") != std::string::npos);
    QVERIFY(compare.SaveStatusLabel()->text().endsWith(QStringLiteral("runs.csv")));
    // Printing sends the chart picture to the printer.
    compare.Print_Click();
    QVERIFY(!f.printer.Picture.isNull());
    QCOMPARE(f.printer.Operations.last(), QStringLiteral("end"));
}

void InsidePagesTest::picturesOfAPatternShareTheFilesScales() {
    Fixture f;
    LoadExample(*f.ctx.state, "dependent.net");
    Train(*f.ctx.state, "Delta", 0.1, 100);
    InsideMemoryPage& page = f.Open();
    page.PatternBox()->setValue(2);
    const PictureScales want = ScalesFor(RangesOf(*f.ctx.state), PatternViewsOf(*f.ctx.state, 2));
    QCOMPARE(page.Picture(0)->Scale().High, want.Input.High);
    QCOMPARE(page.Picture(1)->Scale().Low, want.Output.Low);
    QCOMPARE(page.Picture(2)->Scale().High, want.Output.High);
    QCOMPARE(page.Picture(3)->ScaleText(), QString::fromStdString(ScaleText(want.Error)));
    // The probe is drawn on the scales of the pattern's own pictures.
    page.Probe_Click();
    QVERIFY(page.DistortedPicture()->Scale().Low <= 0.0);
    QVERIFY(page.DistortedPicture()->Scale().High >= 2.0);
}

void InsidePagesTest::nothingStaysFromAnotherNetwork_data() {
    QTest::addColumn<QString>("next");
    QTest::addColumn<bool>("probeKept");
    QTest::newRow("another file trained") << "dependent.net" << false;
    QTest::newRow("the same file trained again") << "letters.net" << true;
    QTest::newRow("another file, not yet trained") << "" << false;
}

void InsidePagesTest::nothingStaysFromAnotherNetwork() {
    QFETCH(QString, next);
    QFETCH(bool, probeKept);
    Fixture f;
    LoadExample(*f.ctx.state, "letters.net");
    Train(*f.ctx.state, "Delta", 0.05, 5);
    InsideMemoryPage& page = f.Open();
    page.Weights()->resize(420, 360);
    QTest::mouseMove(page.Weights(), QPoint(1, 1));  // a move, whatever the last one was
    QTest::mouseMove(page.Weights(), QPoint(400, 340));
    QVERIFY(!page.HoverLabel()->text().isEmpty());
    page.PatternBox()->setValue(2);
    page.Probe_Click();
    QCOMPARE(page.DistortedPicture()->Values().size(), std::size_t{64});
    if (next.isEmpty()) {
        // Another file read, its network not made yet.
        QVERIFY(
            !ReadTrainingFile(*f.ctx.state, std::string(MNEMEX_EXAMPLES_DIR) + "/dependent.net"));
        f.ctx.state->TrainingFileName = "dependent.net";
    } else {
        LoadExample(*f.ctx.state, next.toLatin1().constData());
        Train(*f.ctx.state, "Delta", 0.1, 20);
    }
    page.Tick();
    page.Tick();  // changed, then settled: everything redrawn
    QVERIFY(page.HoverLabel()->text().isEmpty());
    if (probeKept) {
        // Drawn again with the new weights, from the same distorted input.
        const std::vector<double> distorted = page.DistortedPicture()->Values();
        QCOMPARE(distorted.size(), std::size_t{64});
        QCOMPARE(page.ProbeRecalledPicture()->Values(), RecallVector(*f.ctx.state, distorted));
        QVERIFY(!page.ProbeMeasuresLabel()->text().isEmpty());
    } else {
        QVERIFY(page.DistortedPicture()->Values().empty());
        QVERIFY(page.ProbeRecalledPicture()->Values().empty());
        QVERIFY(page.ProbeMeasuresLabel()->text().isEmpty());
    }
    const bool network = !next.isEmpty();
    QCOMPARE(page.Picture(0)->Values().size(),
             network ? std::size_t(f.ctx.state->NumInputs) : std::size_t{0});
    QCOMPARE(page.MeasuresTable()->rowCount(), network ? f.ctx.state->NumPatterns : 0);
    QCOMPARE(page.FixedWeightLabel()->text().isEmpty(), !network);
}

QTEST_MAIN(InsidePagesTest)
#include "InsidePagesTest.moc"
