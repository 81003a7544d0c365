#include "pages/inside/InsideMemoryPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <bit>
#include <cmath>
#include <optional>

#include "core/DistortedProbe.h"
#include "core/NumberForms.h"
#include "core/Recall.h"
#include "core/RunTimeError.h"
#include "core/TrainingEpoch.h"
#include "core/UnitExplanation.h"
#include "core/WeightExport.h"
#include "pages/framework/ControlKit.h"
#include "pages/framework/PageManager.h"
#include "pages/inside/CompareRunsPage.h"
#include "pages/inside/PatternPicture.h"
#include "pages/inside/PatternViews.h"
#include "pages/inside/WeightView.h"

namespace mnemex::inside {

namespace {

const FontSpec kHeadingFont{"Arial", 9.75, kBold};
const FontSpec kTextFont{"MS Sans Serif", 8.25};
const FontSpec kButtonFont{"Arial", 9.75, kBold};

constexpr int kRight = 6700;  // left edge of the right-hand column
const char* const kPictureCaptions[] = {"Input", "Desired Output", "Recalled Output", "Error"};

QString General(double v) {
    return QString::fromStdString(FormatGeneral(v));
}

QSpinBox* MakeSpinBox(QWidget* parent, const char* name, TwipRect at) {
    auto* box = Placed(new QSpinBox(parent), name, at, &kTextFont);
    box->setRange(1, 1);
    return box;
}

std::uint64_t Mix(std::uint64_t h, std::uint64_t v) {
    return (h ^ v) * 0x100000001B3ull;
}

// A number typed by the student, in the user's or the C conventions; none when it is not one.
std::optional<double> TypedNumber(const QString& text) {
    bool ok = false;
    double v = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        v = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

QString Readable(double v) {
    return QString::fromStdString(Shown(v));
}

// The four measures, as shown (six digits) or exact (for the hover).
QString MeasuresLine(const PatternMeasures& m, QString (*number)(double)) {
    return QStringLiteral("SSE %1\rndp %2\rnvl %3\rvcor %4")
        .arg(number(m.SSE), number(m.Ndp), number(m.Nvl), number(m.Vcor))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

}  // namespace

InsideMemoryPage::InsideMemoryPage(PageContext& context)
    : Page(context, QString::fromLatin1(kName), kFrame), chooseFile_(SaveDialogFor(Dialog())) {
    setWindowTitle(QStringLiteral("Look Inside The Memory -- Corlan Neural Network Code"));
    BuildControls();
    timer_.setInterval(kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, &InsideMemoryPage::Tick);
}

void InsideMemoryPage::BuildControls() {
    BuildPatternControls();
    BuildWeightControls();
    BuildPictures();
    BuildMeasures();
    BuildProbe();
    BuildButtons();
}

void InsideMemoryPage::BuildPatternControls() {
    MakeLabel(this, "PatternLabel", QStringLiteral("Pattern"), {120, 150, 900, 330}, kHeadingFont);
    patternBox_ = MakeSpinBox(this, "PatternBox", {1020, 120, 900, 360});
    MakeLabel(this, "InputWidthLabel", QStringLiteral("Input Picture Width"),
              {2100, 150, 1900, 330}, kHeadingFont);
    inputWidthBox_ = MakeSpinBox(this, "InputWidthBox", {4000, 120, 900, 360});
    MakeLabel(this, "OutputWidthLabel", QStringLiteral("Output Picture Width"),
              {5100, 150, 2000, 330}, kHeadingFont);
    outputWidthBox_ = MakeSpinBox(this, "OutputWidthBox", {7100, 120, 900, 360});
    hintonCheck_ = MakeCheckBox(this, "HintonCheck", QStringLiteral("Hinton Diagram"),
                                {8300, 120, 2400, 360}, kHeadingFont);
    connect(patternBox_, &QSpinBox::valueChanged, this, &InsideMemoryPage::Pattern_Change);
    connect(inputWidthBox_, &QSpinBox::valueChanged, this, &InsideMemoryPage::Width_Change);
    connect(outputWidthBox_, &QSpinBox::valueChanged, this, &InsideMemoryPage::Width_Change);
    connect(hintonCheck_, &QCheckBox::clicked, this, &InsideMemoryPage::Hinton_Click);
}

void InsideMemoryPage::BuildWeightControls() {
    MakeLabel(this, "WeightHeading",
              QStringLiteral("Weights: a row per output unit, a column per input unit"),
              {120, 600, 6300, 330}, kHeadingFont);
    weightView_ = Placed(new WeightView(this), "WeightView", {120, 960, 6300, 4500});
    colourBar_ = Placed(new ColourBar(this), "ColourBar", {120, 5520, 6300, 540}, &kTextFont);
    hoverLabel_ = MakeLabel(this, "HoverLabel", QString(), {120, 6100, 6300, 300}, kTextFont);
    MakeLabel(this, "ExplainHeading",
              QStringLiteral("Click a row of the weights or a unit of the recalled output to see "
                             "how that output unit's response is made:"),
              {120, 6420, 6300, 480}, kTextFont);
    explanation_ =
        Placed(new QPlainTextEdit(this), "Explanation", {120, 6900, 6300, 2040}, &kTextFont);
    explanation_->setReadOnly(true);
    explanation_->setFont(QFont(QStringLiteral("Liberation Mono"), 8));
    connect(weightView_, &WeightView::Hovered, hoverLabel_, &QLabel::setText);
    connect(weightView_, &WeightView::OutputClicked, this, &InsideMemoryPage::ExplainOutput);
}

void InsideMemoryPage::BuildPictures() {
    for (int k = 0; k < 4; ++k) {
        const int left = kRight + k * 2050;
        MakeLabel(this, "PictureCaption", QString::fromLatin1(kPictureCaptions[k]),
                  {left, 600, 1900, 300}, kHeadingFont);
        pictures_.push_back(Placed(new PatternPicture(this), "PatternPicture",
                                   {left, 900, 1900, 1800}, &kTextFont));
    }
    connect(pictures_[2], &PatternPicture::UnitClicked, this, &InsideMemoryPage::ExplainOutput);
}

void InsideMemoryPage::BuildMeasures() {
    MakeLabel(this, "MeasuresHeading",
              QStringLiteral("Test All Patterns (click a heading to sort)"),
              {kRight, 2790, 5600, 330}, kHeadingFont);
    copyButton_ = MakeButton(this, "CopyTable", QStringLiteral("Copy Table"),
                             {12900, 2730, 1980, 390}, kButtonFont);
    table_ = Placed(new QTableWidget(0, 5, this), "MeasuresTable", {kRight, 3150, 8180, 1950},
                    &kTextFont);
    QStringList headings;
    for (const char* h : kMeasureHeadings)
        headings << QString::fromLatin1(h);
    table_->setHorizontalHeaderLabels(headings);
    for (int c = 0; c < 5; ++c)
        table_->horizontalHeaderItem(c)->setToolTip(
            QString::fromLatin1(kMeasureExplanations[static_cast<std::size_t>(c)]));
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionsClickable(true);
    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        const auto column = static_cast<MeasureColumn>(section);
        SortBy(column, column == sortColumn_ ? !sortAscending_ : true);
    });
    connect(copyButton_, &QPushButton::clicked, this, &InsideMemoryPage::CopyTable_Click);
}

void InsideMemoryPage::BuildProbe() {
    MakeLabel(this, "ProbeHeading",
              QStringLiteral("Probe The Chosen Pattern With A Distorted Input"),
              {kRight, 5190, 8180, 330}, kHeadingFont);
    MakeLabel(this, "NoiseLabel", QStringLiteral("Noise SD"), {kRight, 5580, 1100, 330}, kTextFont);
    noiseBox_ =
        MakeTextBox(this, "NoiseBox", QStringLiteral("0.1"), {7800, 5550, 800, 360}, kTextFont);
    MakeLabel(this, "ZeroLabel", QStringLiteral("Fraction Set To 0"), {8700, 5580, 1500, 330},
              kTextFont);
    zeroBox_ =
        MakeTextBox(this, "ZeroBox", QStringLiteral("0"), {10200, 5550, 800, 360}, kTextFont);
    MakeLabel(this, "SeedLabel", QStringLiteral("Seed"), {11100, 5580, 600, 330}, kTextFont);
    seedBox_ =
        MakeTextBox(this, "SeedBox", QStringLiteral("1"), {11700, 5550, 1300, 360}, kTextFont);
    probeButton_ = MakeButton(this, "ProbeButton", QStringLiteral("Probe"),
                              {13100, 5520, 1780, 420}, kButtonFont);
    MakeLabel(this, "DistortedCaption", QStringLiteral("Distorted Input"),
              {kRight, 6000, 1900, 300}, kHeadingFont);
    MakeLabel(this, "ProbeRecalledCaption", QStringLiteral("Recalled Output"),
              {8750, 6000, 1900, 300}, kHeadingFont);
    distortedPicture_ = Placed(new PatternPicture(this), "DistortedPicture",
                               {kRight, 6300, 1900, 1800}, &kTextFont);
    probeRecalledPicture_ = Placed(new PatternPicture(this), "ProbeRecalledPicture",
                                   {8750, 6300, 1900, 1800}, &kTextFont);
    probeMeasures_ =
        MakeLabel(this, "ProbeMeasures", QString(), {10800, 6300, 4080, 1300}, kTextFont);
    fixedWeight_ = MakeLabel(this, "FixedWeight", QString(), {kRight, 8160, 8180, 1020}, kTextFont);
    fixedWeight_->setWordWrap(true);
    connect(probeButton_, &QPushButton::clicked, this, &InsideMemoryPage::Probe_Click);
}

void InsideMemoryPage::BuildButtons() {
    // Says which file the last export wrote, as the report page does.
    saveStatus_ = MakeLabel(this, "SaveStatus", QString(), {120, 8970, 6300, 300}, kTextFont);
    csvButton_ = MakeButton(this, "SaveCsv", QStringLiteral("Save Weights As CSV"),
                            {120, 9300, 3000, 420}, kButtonFont);
    npyButton_ = MakeButton(this, "SaveNpy", QStringLiteral("Save Weights As .npy"),
                            {3300, 9300, 3000, 420}, kButtonFont);
    compareButton_ = MakeButton(this, "CompareRuns", QStringLiteral("Compare Runs"),
                                {kRight, 9300, 2400, 420}, kButtonFont);
    closeButton_ = MakeButton(this, "CloseThisForm", QStringLiteral("Exit This Page"),
                              {12480, 9300, 2400, 420}, kButtonFont);
    connect(csvButton_, &QPushButton::clicked, this, &InsideMemoryPage::SaveCsv_Click);
    connect(npyButton_, &QPushButton::clicked, this, &InsideMemoryPage::SaveNpy_Click);
    connect(compareButton_, &QPushButton::clicked, this, &InsideMemoryPage::Compare_Click);
    connect(closeButton_, &QPushButton::clicked, this, &InsideMemoryPage::Close_Click);
}

void InsideMemoryPage::Form_Load() {
    Refresh();
    timer_.start();
    FrameStart();
}

void InsideMemoryPage::Form_Unload(UnloadReason) {
    timer_.stop();
}

std::uint64_t InsideMemoryPage::ShapeFingerprint() const {
    const PublicStuff& s = State();
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (std::int64_t v :
         {std::int64_t{s.NumInputs}, std::int64_t{s.NumOutputs}, std::int64_t{s.NumPatterns},
          std::int64_t{s.EpochCount}, std::int64_t{s.SSECount}})
        h = Mix(h, static_cast<std::uint64_t>(v));
    h = Mix(h, std::hash<std::string>{}(s.TrainingFileName));
    return Mix(h, std::bit_cast<std::uint64_t>(s.TotalSSE));
}

std::uint64_t InsideMemoryPage::Fingerprint() const {
    std::uint64_t h = ShapeFingerprint();
    for (double w : State().Weights.Storage())
        h = Mix(h, std::bit_cast<std::uint64_t>(w));
    return h;
}

void InsideMemoryPage::Tick() {
    // Runs every 100 ms inside the training run's event pump, so it must cost the run little:
    // the weights are compared with the drawn copy (which stops at the first difference)
    // rather than hashed, and the full figures wait until the network stops changing.
    // A run in progress keeps its weights in its own layout; they are brought up to date here.
    PublishTrainingWeights(State());
    const PublicStuff& s = State();
    const bool network =
        s.Weights.NumOutputs() == s.NumOutputs && s.Weights.NumInputs() == s.NumInputs;
    const std::uint64_t shape = ShapeFingerprint();
    const bool changed = shape != lastShape_ || (network && !weightView_->Shows(s.Weights));
    lastShape_ = shape;
    if (changed) {
        stale_ = true;
        // The readout named a weight that has changed, or a unit the network may not have.
        hoverLabel_->clear();
        if (network) {
            weightView_->ShowWeights(s.Weights);
            colourBar_->SetLimit(weightView_->Limit());
        }
    } else if (stale_) {
        Refresh();
    }
}

void InsideMemoryPage::Refresh() {
    const PublicStuff& s = State();
    lastFingerprint_ = Fingerprint();
    lastShape_ = ShapeFingerprint();
    stale_ = false;
    const std::string shape = s.TrainingFileName + '|' + std::to_string(s.NumInputs) + '|' +
                              std::to_string(s.NumOutputs) + '|' + std::to_string(s.NumPatterns);
    if (shape != shapeKey_) {
        shapeKey_ = shape;
        const QSignalBlocker b1(patternBox_), b2(inputWidthBox_), b3(outputWidthBox_);
        patternBox_->setRange(1, std::max(1, s.NumPatterns));
        patternBox_->setEnabled(s.NumPatterns > 0);
        inputWidthBox_->setRange(1, std::max(1, s.NumInputs));
        inputWidthBox_->setValue(std::max(1, ProposedWidth(s.NumInputs)));
        outputWidthBox_->setRange(1, std::max(1, s.NumOutputs));
        outputWidthBox_->setValue(std::max(1, ProposedWidth(s.NumOutputs)));
        hintonCheck_->setEnabled(s.NumInputs * s.NumOutputs <= kHintonLimit);
        if (!hintonCheck_->isEnabled())
            hintonCheck_->setChecked(false);
        weightView_->SetMode(hintonCheck_->isChecked() ? WeightView::Mode::kHinton
                                                       : WeightView::Mode::kHeatMap);
        explainedOutput_ = 0;
        explanation_->clear();
        explanation_->setToolTip(QString());
        // A probe of another file's pattern means nothing here.
        ClearProbe();
    }
    hoverLabel_->clear();
    if (s.Weights.NumOutputs() != s.NumOutputs || s.Weights.NumInputs() != s.NumInputs) {
        ClearFigures();  // no network yet
        return;
    }
    weightView_->ShowWeights(s.Weights);
    colourBar_->SetLimit(weightView_->Limit());
    ShowPictures();
    ShowMeasures();
    ShowFixedWeightFigures();
    if (explainedOutput_ > 0)
        ExplainOutput(explainedOutput_);
    if (probe_ && !RunProbe(*probe_, false))
        ClearProbe();
}

void InsideMemoryPage::ClearFigures() {
    weightView_->ShowWeights(WeightMatrix{});
    colourBar_->SetLimit(0.0);
    for (PatternPicture* picture : pictures_)
        picture->Clear();
    rows_.clear();
    ShowTable();
    fixedWeight_->clear();
    fixedWeight_->setToolTip(QString());
    explainedOutput_ = 0;
    explanation_->clear();
    explanation_->setToolTip(QString());
    ClearProbe();
}

void InsideMemoryPage::ClearProbe() {
    probe_.reset();
    distortedPicture_->Clear();
    probeRecalledPicture_->Clear();
    probeMeasures_->clear();
    probeMeasures_->setToolTip(QString());
}

void InsideMemoryPage::Failed(const RunTimeError& error) {
    if (failedFingerprint_ == lastFingerprint_)
        return;
    failedFingerprint_ = lastFingerprint_;
    Dialog().MsgBox(QString::fromStdString(TrainingErrorMessage(error)), MsgStyle::OkOnly);
}

void InsideMemoryPage::ShowPictures() {
    if (State().NumPatterns < 1) {
        for (PatternPicture* picture : pictures_)
            picture->Clear();
        return;
    }
    PatternViews views;
    const RunTimeError error =
        TrapErrors([&] { views = PatternViewsOf(State(), patternBox_->value()); });
    if (error.Number != 0) {
        Failed(error);
        return;
    }
    const int inWidth = inputWidthBox_->value();
    const int outWidth = outputWidthBox_->value();
    const PictureScales scales = ScalesFor(RangesOf(State()), views);
    pictures_[0]->ShowValues(std::move(views.Input), inWidth, scales.Input);
    pictures_[1]->ShowValues(std::move(views.Desired), outWidth, scales.Output);
    pictures_[2]->ShowValues(std::move(views.Recalled), outWidth, scales.Output);
    pictures_[3]->ShowValues(std::move(views.Error), outWidth, scales.Error);
}

void InsideMemoryPage::ShowMeasures() {
    rows_.clear();
    const RunTimeError error = TrapErrors([&] { rows_ = MeasureAllPatterns(State()); });
    if (error.Number != 0)
        Failed(error);
    ShowTable();
}

void InsideMemoryPage::SortBy(MeasureColumn column, bool ascending) {
    sortColumn_ = column;
    sortAscending_ = ascending;
    ShowTable();
}

void InsideMemoryPage::ShowTable() {
    shownRows_ = SortedMeasures(rows_, sortColumn_, sortAscending_);
    table_->setRowCount(static_cast<int>(shownRows_.size()));
    for (int r = 0; r < static_cast<int>(shownRows_.size()); ++r) {
        for (int c = 0; c < 5; ++c) {
            const PatternMeasures& row = shownRows_[static_cast<std::size_t>(r)];
            // Six significant digits on screen; Copy Table gives every digit.
            const QString text = c == 0
                                     ? QString::number(row.Pattern)
                                     : QString::number(ColumnValue(row, MeasureColumn(c)), 'g', 6);
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (c > 0)
                item->setToolTip(General(ColumnValue(row, MeasureColumn(c))));
            table_->setItem(r, c, item);
        }
    }
    table_->horizontalHeader()->setSortIndicatorShown(true);
    table_->horizontalHeader()->setSortIndicator(
        int(sortColumn_), sortAscending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void InsideMemoryPage::CopyTable_Click() {
    QApplication::clipboard()->setText(QString::fromStdString(MeasuresTsv(shownRows_)));
}

void InsideMemoryPage::ShowFixedWeightFigures() {
    FixedWeightFigures f;
    const RunTimeError error = TrapErrors([&] { f = FixedWeightFiguresOf(State()); });
    if (error.Number != 0) {
        fixedWeight_->clear();
        fixedWeight_->setToolTip(QString());
        Failed(error);
        return;
    }
    const auto figures = [&](QString (*number)(double)) {
        QString text = f.LeastSquaresSSE ? QStringLiteral("Least-squares SSE (fixed weights): ") +
                                               number(*f.LeastSquaresSSE)
                                         : QString::fromStdString(f.Note);
        text += QStringLiteral("\nSSE of the current weights, held fixed: ") + number(f.CurrentSSE);
        text += QStringLiteral("   Last epoch's total SSE: ") + number(State().TotalSSE);
        return text;
    };
    fixedWeight_->setText(figures(Readable) + QLatin1Char('\n') +
                          QString::fromLatin1(kRunningTotalNote));
    fixedWeight_->setToolTip(figures(General));
}

void InsideMemoryPage::Pattern_Change() {
    ShowPictures();
    if (explainedOutput_ > 0)
        ExplainOutput(explainedOutput_);
}

void InsideMemoryPage::Width_Change() {
    ShowPictures();
}

void InsideMemoryPage::Hinton_Click() {
    weightView_->SetMode(hintonCheck_->isChecked() ? WeightView::Mode::kHinton
                                                   : WeightView::Mode::kHeatMap);
}

void InsideMemoryPage::Probe_Click() {
    const auto noise = TypedNumber(noiseBox_->text());
    const auto zero = TypedNumber(zeroBox_->text());
    bool seedOk = false;
    const std::uint64_t seed = seedBox_->text().trimmed().toULongLong(&seedOk);
    if (!noise || !zero || !seedOk) {
        Dialog().MsgBox(QStringLiteral("The noise, the fraction and the seed must be numbers."),
                        MsgStyle::OkWarning, QStringLiteral("Probe"));
        return;
    }
    if (State().NumPatterns < 1)
        return;
    RunProbe({*noise, *zero, seed, patternBox_->value()}, true);
}

bool InsideMemoryPage::RunProbe(const ProbeSettings& settings, bool tell) {
    if (settings.Pattern < 1 || settings.Pattern > State().NumPatterns)
        return false;
    const int p = settings.Pattern;
    DistortedInputs distorted;
    PatternMeasures measures;
    std::vector<double> recalled;
    const RunTimeError error = TrapErrors([&] {
        distorted = DistortPattern(State(), p, {settings.Noise, settings.Zero, settings.Seed});
        if (!distorted.Problem.empty())
            return;
        recalled = RecallVector(State(), distorted.Inputs);
        measures = MeasureProbe(State(), p, distorted.Inputs);
    });
    if (error.Number != 0) {
        if (tell)
            Dialog().MsgBox(QString::fromStdString(TrainingErrorMessage(error)), MsgStyle::OkOnly);
        return false;
    }
    if (!distorted.Problem.empty()) {
        if (tell)
            Dialog().MsgBox(QString::fromStdString(distorted.Problem), MsgStyle::OkWarning,
                            QStringLiteral("Probe"));
        return false;
    }
    probe_ = settings;
    // On the scales of the pattern's own pictures, so the two can be compared by eye.
    const PatternRanges ranges = RangesOf(State());
    distortedPicture_->ShowValues(distorted.Inputs, inputWidthBox_->value(),
                                  GreyScale(Widened(ranges.Inputs, distorted.Inputs)));
    const PictureScale output = GreyScale(Widened(ranges.Desired, recalled));
    probeRecalledPicture_->ShowValues(std::move(recalled), outputWidthBox_->value(), output);
    const QString against = QStringLiteral("Against pattern %1's desired output:\n").arg(p);
    probeMeasures_->setText(against + MeasuresLine(measures, Readable));
    probeMeasures_->setToolTip(against + MeasuresLine(measures, General));
    return true;
}

void InsideMemoryPage::ExplainOutput(int output) {
    if (State().NumPatterns < 1 || output < 1 || output > State().NumOutputs)
        return;
    UnitExplanation e;
    const RunTimeError error =
        TrapErrors([&] { e = ExplainUnit(State(), patternBox_->value(), output); });
    if (error.Number != 0) {
        Failed(error);
        return;
    }
    explainedOutput_ = output;
    const auto lines = [&](int digits) {
        QString text;
        for (const std::string& line : ExplanationLines(e, digits))
            text += QString::fromStdString(line) + QLatin1Char('\n');
        return text;
    };
    explanation_->setPlainText(lines(6));
    explanation_->setToolTip(lines(0));  // every digit
}

void InsideMemoryPage::SaveWeights(const QString& caption, const QString& suffix,
                                   const QString& filter, const std::string& bytes) {
    QString name = chooseFile_(caption, QStringLiteral("weights") + suffix, filter);
    if (name.isEmpty())
        return;
    if (!name.endsWith(suffix, Qt::CaseInsensitive))
        name += suffix;
    const QString failure =
        SaveWhole(name, bytes, QStringLiteral("The weights"), State().TrainingFilePath);
    if (!failure.isEmpty()) {
        saveStatus_->clear();
        Dialog().MsgBox(failure, MsgStyle::OkOnly);
        return;
    }
    saveStatus_->setText(QStringLiteral("Weights saved as ") + QDir::toNativeSeparators(name));
}

void InsideMemoryPage::SaveCsv_Click() {
    SaveWeights(QStringLiteral("Save Weights As CSV"), QStringLiteral(".csv"),
                QStringLiteral("CSV files (*.csv)"), WeightsCsv(State().Weights));
}

void InsideMemoryPage::SaveNpy_Click() {
    SaveWeights(QStringLiteral("Save Weights As .npy"), QStringLiteral(".npy"),
                QStringLiteral("NumPy files (*.npy)"), WeightsNpy(State().Weights));
}

void InsideMemoryPage::Compare_Click() {
    const QString name = QString::fromLatin1(CompareRunsPage::kName);
    Pages().Load(name);
    Pages().Show(name);
}

void InsideMemoryPage::Close_Click() {
    Pages().Unload(this);
}

}  // namespace mnemex::inside
