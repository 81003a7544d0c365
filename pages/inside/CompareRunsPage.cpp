#include "pages/inside/CompareRunsPage.h"

#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>

#include "core/LeastSquares.h"
#include "core/RunTimeError.h"
#include "pages/framework/ControlKit.h"
#include "pages/framework/PageManager.h"
#include "pages/framework/printing/DefaultPrinter.h"
#include "pages/framework/printing/PrintJobs.h"
#include "pages/inside/RunCurves.h"
#include "pages/inside/RunsChart.h"

namespace mnemex::inside {

namespace {
const FontSpec kHeadingFont{"Arial", 9.75, kBold};
const FontSpec kTextFont{"MS Sans Serif", 8.25};
const FontSpec kButtonFont{"Arial", 12, kBold};
}  // namespace

CompareRunsPage::CompareRunsPage(PageContext& context)
    : Page(context, QString::fromLatin1(kName), kFrame), chooseFile_(SaveDialogFor(Dialog())) {
    setWindowTitle(QStringLiteral("Compare Runs -- Corlan Neural Network Code"));
    printerSource_ = [this] {
        return pages::OpenDefaultPrinter(Dialog(), QStringLiteral("Compare Runs"));
    };
    MakeLabel(this, "RunsHeading",
              QStringLiteral("Runs of this session (tick a run to keep it on the chart):"),
              {240, 120, 11400, 330}, kHeadingFont);
    runList_ = Placed(new QListWidget(this), "RunList", {240, 480, 11520, 1500}, &kTextFont);
    logScale_ = MakeCheckBox(this, "LogScale", QStringLiteral("Logarithmic SSE Axis"),
                             {240, 2040, 3600, 360}, kHeadingFont);
    // Says which file the curves were last saved to.
    saveStatus_ = MakeLabel(this, "SaveStatus", QString(), {4000, 2070, 7760, 330}, kTextFont);
    view_ = Placed(new QChartView(this), "RunsChart", {240, 2460, 11520, 5520});
    view_->setRenderHint(QPainter::Antialiasing, true);
    view_->setFrameShape(QFrame::NoFrame);
    print_ = MakeButton(this, "PrintThisGraph", QStringLiteral("Print The Graph"),
                        {240, 8160, 2900, 600}, kButtonFont);
    saveCsv_ = MakeButton(this, "SaveCurves", QStringLiteral("Save Curves As CSV"),
                          {3600, 8160, 3300, 600}, kButtonFont);
    close_ = MakeButton(this, "CloseThisForm", QStringLiteral("Exit This Page"),
                        {8860, 8160, 2900, 600}, kButtonFont);
    connect(runList_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!filling_)
            SetKept(runList_->row(item), item->checkState() == Qt::Checked);
    });
    connect(logScale_, &QCheckBox::clicked, this, &CompareRunsPage::LogScale_Click);
    connect(print_, &QPushButton::clicked, this, &CompareRunsPage::Print_Click);
    connect(saveCsv_, &QPushButton::clicked, this, &CompareRunsPage::SaveCsv_Click);
    connect(close_, &QPushButton::clicked, this, &CompareRunsPage::Close_Click);
}

CompareRunsPage::~CompareRunsPage() = default;

void CompareRunsPage::Form_Load() {
    Rebuild();
    FrameStart();
}

void CompareRunsPage::Form_Activate() {
    Rebuild();
}

void CompareRunsPage::Rebuild() {
    filling_ = true;
    runList_->clear();
    for (const FinishedRun& run : Context().runs.All()) {
        auto* item = new QListWidgetItem(QStringLiteral("Run %1: ").arg(run.Id) +
                                         QString::fromStdString(RunSummary(run)));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(run.Kept ? Qt::Checked : Qt::Unchecked);
        item->setData(Qt::UserRole, run.Id);
        runList_->addItem(item);
    }
    filling_ = false;
    // The least-squares line belongs to the file now loaded.
    leastSquares_.reset();
    const PublicStuff& s = State();
    TrapErrors([&] {
        const LeastSquaresResult best = SolveLeastSquares(s);
        if (best.Solved && s.NumPatterns > 0)
            leastSquares_ = best.TotalSSE;
    });
    DrawChart();
}

void CompareRunsPage::SetKept(int row, bool kept) {
    QListWidgetItem* item = runList_->item(row);
    if (!item)
        return;
    Context().runs.SetKept(item->data(Qt::UserRole).toInt(), kept);
    if ((item->checkState() == Qt::Checked) != kept) {
        filling_ = true;
        item->setCheckState(kept ? Qt::Checked : Qt::Unchecked);
        filling_ = false;
    }
    DrawChart();
}

void CompareRunsPage::DrawChart() {
    const auto kept = Context().runs.Kept();
    // The line is the yardstick of the loaded file: drawn when a kept run trained on it.
    std::optional<double> line;
    for (const FinishedRun* run : kept)
        if (run->FileName == State().TrainingFileName)
            line = leastSquares_;
    QChart* old = view_->chart();
    // The plot is the view less the title, the axis labels and their titles.
    const double plotPixels = std::max(100, view_->height() - 150);
    view_->setChart(BuildRunsChart(kept, {logScale_->isChecked(), line, plotPixels}));
    delete old;
}

void CompareRunsPage::LogScale_Click() {
    DrawChart();
}

void CompareRunsPage::Print_Click() {
    const QImage picture = view_->grab().toImage();
    std::unique_ptr<pages::PagePrinter> printer = printerSource_();
    if (!printer)
        return;
    if (!pages::PrintChartPicture(*printer, picture))
        Dialog().MsgBox(QStringLiteral("The graph could not be printed.\r") + printer->ErrorText());
}

void CompareRunsPage::SaveCsv_Click() {
    QString name = chooseFile_(QStringLiteral("Save Curves As CSV"), QStringLiteral("runs.csv"),
                               QStringLiteral("CSV files (*.csv)"));
    if (name.isEmpty())
        return;
    if (!name.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        name += QStringLiteral(".csv");
    const QString failure = SaveWhole(name, CurvesCsv(Context().runs.Kept(), leastSquares_),
                                      QStringLiteral("The curves"));
    if (!failure.isEmpty()) {
        saveStatus_->clear();
        Dialog().MsgBox(failure);
        return;
    }
    saveStatus_->setText(QStringLiteral("Curves saved as ") + QDir::toNativeSeparators(name));
}

void CompareRunsPage::Close_Click() {
    Pages().Unload(this);
}

}  // namespace mnemex::inside
