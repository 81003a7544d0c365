#include "pages/main/DistMemPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <limits>
#include <utility>

#include "core/Recall.h"
#include "core/TrainingRun.h"
#include "core/output/SameFile.h"
#include "core/saved_network/SavedNetwork.h"
#include "pages/framework/PageManager.h"
#include "pages/main/BoxNumbers.h"
#include "pages/main/RunInputGuard.h"

namespace mnemex::pages {

namespace {

const FontSpec kTitleFont{"Arial", 20.25, kBoldItalic};
const FontSpec kFrameFont{"Arial", 12, kBold};
const FontSpec kEntryFont{"Arial", 10.5};
const FontSpec kCaptionFont{"Arial", 9.75, kBold};
const FontSpec kButtonFont{"Arial", 12, kBold};
const FontSpec kExitFont{"Arial", 12, kBoldItalic};
const FontSpec kPanelFont{"Arial", 10.5, kBold};
const FontSpec kNoticeFont{"Arial", 8.25, kItalic};
const FontSpec kFileButtonFont{"Arial", 9.75, kBold};
const FontSpec kHintFont{"MS Sans Serif", 8.25};

QColor ColourOf(PanelColour colour) {
    switch (colour) {
        case PanelColour::kGreen:
            return kPureGreen;
        case PanelColour::kRed:
            return kPureRed;
        case PanelColour::kButtonFace:
            break;
    }
    return ButtonFaceColor();
}

Slider* MakeSlider(QWidget* parent, const char* name, TwipRect at, int maximum) {
    auto* slider = Placed(new Slider(parent), name, at);
    slider->SetRange(0, maximum);
    slider->SetSmallChange(1);
    slider->SetLargeChange(5);
    return slider;
}

UpDown* MakeUpDown(QWidget* parent, const char* name, TwipRect at, QLineEdit* box, int maximum) {
    auto* upDown = Placed(new UpDown(parent), name, at);
    upDown->SetRange(kUpDownMinimum, maximum);
    upDown->SetIncrement(kUpDownStep);
    upDown->SetBuddy(box);
    return upDown;
}

}  // namespace

DistMemPage::DistMemPage(PageContext& context)
    : Page(context, QString::fromLatin1(kName), kFrame), session_(context.state) {
    setWindowTitle(QStringLiteral("Distributed Memory Setup Page -- Corlan Neural Network Code"));
    BuildControls();
}

void DistMemPage::BuildControls() {
    Label1 = MakeLabel(this, "Label1",
                       QStringLiteral("Corlan Distributed Associative Memory Program 2003 Edition"),
                       {1380, 0, 6972, 1332}, kTitleFont, Qt::AlignHCenter);

    Frame1 = Placed(new QGroupBox(QStringLiteral("Choose A Learning Rule"), this), "Frame1",
                    {240, 1680, 3012, 1332}, &kFrameFont);
    OptionHebb = MakeOption(Frame1, "OptionHebb", QStringLiteral("Hebb Rule"),
                            {120, 360, 1572, 495}, kEntryFont);
    OptionDelta = MakeOption(Frame1, "OptionDelta", QStringLiteral("Delta Rule"),
                             {120, 720, 1572, 495}, kEntryFont);
    OptionHebb->setChecked(true);

    // The frame is only drawn around the check boxes; they belong to the page.
    ConvergenceFrame =
        Placed(new QGroupBox(QStringLiteral("Choose Method(s) For Ending Training"), this),
               "ConvergenceFrame", {3660, 1680, 6135, 1332}, &kFrameFont);
    Check1[0] = MakeCheckBox(this, "Check1_0",
                             QStringLiteral("End After A Maximum Number Of Training Epochs"),
                             {3840, 2160, 5775, 375}, kEntryFont);
    Check1[1] = MakeCheckBox(this, "Check1_1",
                             QStringLiteral("End When A Minimum Level Of Error Has Been Reached"),
                             {3840, 2520, 5775, 375}, kEntryFont);
    Check1[0]->setChecked(true);

    SweepsBox = MakeTextBox(this, "SweepsBox", QString::fromLatin1(kInitialEpochs),
                            {360, 3360, 1050, 372}, kEntryFont);
    SweepsUpDown =
        MakeUpDown(this, "SweepsUpDown", {1440, 3360, 240, 375}, SweepsBox, kEpochsMaximum);
    MaxSweepsLabel =
        MakeLabel(this, "MaxSweepsLabel", QStringLiteral("Choose The Maximum Number Of Epochs"),
                  {1800, 3360, 5055, 375}, kCaptionFont);
    PrintSweepsBox = MakeTextBox(this, "PrintSweepsBox", QString::fromLatin1(kInitialPrintEpochs),
                                 {360, 3901, 1050, 372}, kEntryFont);
    PrintSweepsUpDown = MakeUpDown(this, "PrintSweepsUpDown", {1440, 3900, 240, 375},
                                   PrintSweepsBox, kPrintEpochsMaximum);
    PrintSweepsLabel = MakeLabel(
        this, "PrintSweepsLabel",
        QStringLiteral("Choose The Number Of Epochs Between Printouts Of Training Information"),
        {1800, 3960, 7335, 375}, kCaptionFont);
    LRateBox = MakeTextBox(this, "LRateBox", QString::fromLatin1(kInitialRate),
                           {360, 4440, 1050, 372}, kEntryFont);
    LRateSlider = MakeSlider(this, "LRateSlider", {1440, 4440, 2535, 375}, kRateSliderMaximum);
    RateLabel = MakeLabel(this, "RateLabel", QStringLiteral("Choose A Learning Rate"),
                          {4080, 4440, 3495, 375}, kCaptionFont);
    MinErrorBox = MakeTextBox(this, "MinErrorBox", QString::fromLatin1(kInitialMinError),
                              {360, 4920, 1050, 372}, kEntryFont);
    MinErrorSlider =
        MakeSlider(this, "MinErrorSlider", {1440, 4920, 2535, 375}, kErrorSliderMaximum);
    MinErrorLabel =
        MakeLabel(this, "MinErrorLabel",
                  QStringLiteral("Set The Minimum Level Of Error (SSE)  To Stop Training"),
                  {4080, 4920, 5655, 375}, kCaptionFont);

    // Beside the training settings, in the free row under them.
    OrderBox = Placed(new QComboBox(this), "OrderBox", {360, 5400, 3615, 375}, &kEntryFont);
    for (const std::string& choice : PatternOrderChoices())
        OrderBox->addItem(QString::fromStdString(choice));
    OrderBox->setCurrentIndex(kFileOrderChoice);
    SeedLabel =
        MakeLabel(this, "SeedLabel", QStringLiteral("Seed"), {4080, 5430, 600, 375}, kCaptionFont);
    SeedBox = MakeTextBox(this, "SeedBox", QString::fromLatin1(kInitialSeed),
                          {4680, 5400, 1200, 372}, kEntryFont);
    OrderBox->setAccessibleName(QStringLiteral("Pattern order"));
    SeedBox->setAccessibleName(QStringLiteral("Seed"));
    SeedLabel->setBuddy(SeedBox);
    ShowSeedEntry();

    StartTraining = MakeButton(this, "StartTraining", QStringLiteral("Start Training"),
                               {360, 5880, 1695, 615}, kButtonFont);
    // Takes Start Training's place while a run goes on.
    StopTraining = MakeButton(this, "StopTraining", QStringLiteral("Stop Training"),
                              {360, 5880, 1695, 615}, kButtonFont);
    StopTraining->hide();
    const int panelTops[4] = {5880, 6360, 6720, 7080};
    for (int k = 0; k < 4; ++k) {
        const QByteArray name = "Picture1_" + QByteArray::number(k);
        Picture1[static_cast<std::size_t>(k)] = Placed(
            new TextPanel(this), name.constData(), {2460, panelTops[k], 3420, 480}, &kPanelFont);
        Picture1[static_cast<std::size_t>(k)]->hide();
    }
    Continue = MakeButton(this, "Continue", QStringLiteral("Continue Training"),
                          {6240, 5880, 1695, 615}, kButtonFont);
    Continue->hide();
    TestRecall = MakeButton(this, "TestRecall", QStringLiteral("Test Recall"),
                            {7080, 6720, 1695, 615}, kButtonFont);
    TestRecall->hide();
    EpochProgress = Placed(new QProgressBar(this), "EpochProgress", {2520, 7560, 3255, 495});
    EpochProgress->setTextVisible(false);
    EpochProgress->hide();
    Command2 =
        MakeButton(this, "Command2", QStringLiteral("Exit"), {7920, 7560, 1695, 615}, kExitFont);
    Label3 = MakeLabel(this, "Label3", NoticeText(), {0, 8400, 3135, 735}, kNoticeFont);

    // Each box is named by the caption beside it; the sliders say what they hold.
    MaxSweepsLabel->setBuddy(SweepsBox);
    PrintSweepsLabel->setBuddy(PrintSweepsBox);
    RateLabel->setBuddy(LRateBox);
    MinErrorLabel->setBuddy(MinErrorBox);
    LRateSlider->SetAccessibleName(QStringLiteral("Learning rate times 100"));
    MinErrorSlider->SetAccessibleName(QStringLiteral("Minimum level of error times 100"));

    BuildSavedNetworkButtons();

    // In the free space right of the order entries, two lines at most.
    HintLabel = MakeLabel(this, "HintLabel", QString(), {6000, 5330, 4560, 540}, kHintFont);
    HintLabel->setWordWrap(true);
    for (QLineEdit* box : {SweepsBox, PrintSweepsBox, LRateBox, MinErrorBox})
        connect(box, &QLineEdit::textEdited, HintLabel, &QLabel::clear);

    connect(LRateSlider, &Slider::Scroll, this, &DistMemPage::LRateSlider_Scroll);
    connect(MinErrorSlider, &Slider::Click, this, &DistMemPage::MinErrorSlider_Click);
    connect(OptionHebb, &QRadioButton::clicked, this, &DistMemPage::OptionHebb_Click);
    connect(OptionDelta, &QRadioButton::clicked, this, &DistMemPage::OptionDelta_Click);
    connect(OrderBox, QOverload<int>::of(&QComboBox::activated), this,
            &DistMemPage::OrderBox_Click);
    connect(StartTraining, &QPushButton::clicked, this, &DistMemPage::StartTraining_Click);
    connect(StopTraining, &QPushButton::clicked, this, &DistMemPage::StopTraining_Click);
    connect(Continue, &QPushButton::clicked, this, &DistMemPage::Continue_Click);
    connect(TestRecall, &QPushButton::clicked, this, &DistMemPage::TestRecall_Click);
    connect(Command2, &QPushButton::clicked, this, &DistMemPage::Command2_Click);
}

// In the free row at the foot of the page, beside the notice: saving is offered once a
// network has been trained, opening whenever no run goes on.
void DistMemPage::BuildSavedNetworkButtons() {
    OpenSaved = MakeButton(this, "OpenSaved", QStringLiteral("Open Saved Network..."),
                           {3480, 8520, 2535, 435}, kFileButtonFont);
    SaveNetwork = MakeButton(this, "SaveNetwork", QStringLiteral("Save Network..."),
                             {6240, 8520, 2055, 435}, kFileButtonFont);
    SaveNetwork->hide();
    connect(OpenSaved, &QPushButton::clicked, this, &DistMemPage::OpenSavedNetwork_Click);
    connect(SaveNetwork, &QPushButton::clicked, this, &DistMemPage::SaveNetwork_Click);
}

void DistMemPage::Form_Load() {
    if (resetRule_.OnLoad(State())) {
        FreshNetwork();
        SaveNetwork->hide();
    }
    OptionDelta->setChecked(false);
    OptionHebb->setChecked(true);
    State().LearningRule = "Hebb";
    SlidersFromBoxes();
    EpochProgress->hide();
    FrameStart();
}

void DistMemPage::Form_Activate() {
    // The run lets the window system through now and then; an activation then must not
    // touch the network or re-enable the entries while the run goes on. It is handled once
    // the run has ended, as if it had waited its turn.
    if (running_) {
        activationDuringRun_ = true;
        return;
    }
    const bool fresh = resetRule_.OnActivate(State());
    if (fresh)
        FreshNetwork();
    SlidersFromBoxes();
    SetEntriesEnabled(true);
    if (fresh) {
        for (TextPanel* panel : Picture1)
            panel->hide();
        SaveNetwork->hide();
    }
    FrameStart();
}

bool DistMemPage::FreshNetwork() {
    return NoFailure(session_.FreshNetwork());
}

bool DistMemPage::NoFailure(const RunTimeError& error) {
    if (error.Number == 0)
        return true;
    Dialog().MsgBox(QString::fromStdString(TrainingErrorMessage(error)), MsgStyle::OkOnly);
    ShowHint(HintForFailedRun(error));
    return false;
}

void DistMemPage::ShowHint(const std::string& hint) {
    HintLabel->setText(QString::fromStdString(hint));
}

void DistMemPage::SlidersFromBoxes() {
    const NumberReader read = LocaleNumberReader();
    if (auto v = SliderPositionFor(LRateBox->text().toStdString(), LRateSlider->Min(),
                                   LRateSlider->Max(), read))
        LRateSlider->SetValue(*v);
    if (auto v = SliderPositionFor(MinErrorBox->text().toStdString(), MinErrorSlider->Min(),
                                   MinErrorSlider->Max(), read))
        MinErrorSlider->SetValue(*v);
}

void DistMemPage::SetEntriesEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             Check1[0], Check1[1], OptionHebb, OptionDelta, PrintSweepsBox, PrintSweepsUpDown,
             SweepsBox, SweepsUpDown, LRateBox, LRateSlider, MinErrorBox, MinErrorSlider, OrderBox,
             OpenSaved})
        w->setEnabled(enabled);
    ShowSeedEntry();
}

void DistMemPage::OrderBox_Click() {
    ShowSeedEntry();
}

// The seed matters only for a random order: in file order its caption and box are not
// shown at all, rather than shown greyed out and unreadable.
void DistMemPage::ShowSeedEntry() {
    const bool used = SeedBoxUsable(OrderBox->currentIndex());
    SeedLabel->setVisible(used);
    SeedBox->setVisible(used);
    SeedBox->setEnabled(OrderBox->isEnabled() && used);
}

OrderReading DistMemPage::ReadOrderOnPage() const {
    return ReadOrderEntries(OrderBox->currentIndex(), SeedBox->text().toStdString());
}

void DistMemPage::ShowOrderWarning(const OrderReading& reading) {
    Dialog().MsgBox(QString::fromStdString(reading.Message), MsgStyle::OkWarning,
                    QString::fromStdString(reading.Title));
    if (reading.SeedText)
        SeedBox->setText(QString::fromStdString(*reading.SeedText));
    if (reading.FocusSeed) {
        SeedBox->setFocus(Qt::OtherFocusReason);
        SeedBox->selectAll();
    }
}

void DistMemPage::LRateSlider_Scroll() {
    LRateBox->setText(QString::fromStdString(BoxTextForSlider(LRateSlider->Value())));
}

void DistMemPage::MinErrorSlider_Click() {
    MinErrorBox->setText(QString::fromStdString(BoxTextForSlider(MinErrorSlider->Value())));
}

void DistMemPage::OptionHebb_Click() {
    State().LearningRule = "Hebb";
}

void DistMemPage::OptionDelta_Click() {
    State().LearningRule = "Delta";
}

QLineEdit* DistMemPage::BoxFor(EntryBox box) const {
    switch (box) {
        case EntryBox::kEpochs:
            return SweepsBox;
        case EntryBox::kPrintEpochs:
            return PrintSweepsBox;
        case EntryBox::kLearningRate:
            return LRateBox;
        case EntryBox::kMinError:
            return MinErrorBox;
        case EntryBox::kNone:
            break;
    }
    return nullptr;
}

ParameterEntries DistMemPage::Entries() const {
    ParameterEntries e;
    e.EpochTest = Check1[0]->isChecked();
    e.ErrorTest = Check1[1]->isChecked();
    e.Epochs = SweepsBox->text().toStdString();
    e.PrintEpochs = PrintSweepsBox->text().toStdString();
    e.LearningRate = LRateBox->text().toStdString();
    e.MinError = MinErrorBox->text().toStdString();
    return e;
}

bool DistMemPage::ReactToCheck(const CheckResult& check) {
    const CheckReaction reaction = ReactionTo(check);
    if (!reaction.Message.empty()) {
        Dialog().MsgBox(QString::fromStdString(reaction.Message),
                        reaction.WarningIcon ? MsgStyle::OkWarning : MsgStyle::OkOnly,
                        QString::fromStdString(reaction.Title));
    }
    if (reaction.EpochsText)
        SweepsBox->setText(QString::fromStdString(*reaction.EpochsText));
    if (reaction.RateText)
        LRateBox->setText(QString::fromStdString(*reaction.RateText));
    if (reaction.TickBothTests) {
        Check1[0]->setChecked(true);
        Check1[1]->setChecked(true);
    }
    ShowHint(HintForCheck(check));
    if (QLineEdit* box = BoxFor(reaction.FocusBox)) {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    }
    if (reaction.FocusStoppingTests)
        Check1[0]->setFocus(Qt::OtherFocusReason);
    if (!reaction.Accepted)
        return false;
    SetEntriesEnabled(false);
    for (QPushButton* b : {TestRecall, Continue, SaveNetwork}) {
        b->setEnabled(false);
        b->hide();
    }
    return true;
}

void DistMemPage::StartTraining_Click() {
    if (running_)
        return;
    resetRule_.OnStartTraining();
    HintLabel->clear();
    for (int k = 1; k <= 3; ++k)
        Picture1[static_cast<std::size_t>(k)]->Cls();
    const OrderReading order = ReadOrderOnPage();
    if (!order.Order) {
        // Start Training clears the network before it reads any entry, whatever follows.
        const bool cleared = NoFailure(session_.ClearForStart());
        OfferSaveNetwork();
        if (cleared)
            ShowOrderWarning(order);
        return;
    }
    const SessionResult prepared = session_.PrepareStart(SettingsOnPage(*order.Order));
    // The weights are cleared now, even when the check refuses the run: what is left is
    // not the network the last run's epochs and history describe, so it may not be saved.
    OfferSaveNetwork();
    TrainIfAccepted(prepared);
}

// Save Network is offered only while the weights are what a finished run (or an opened
// file) left, so a saved network is always one that its epochs and history produced.
void DistMemPage::OfferSaveNetwork() {
    const bool offered = session_.HasTrainedNetwork() && !running_;
    SaveNetwork->setVisible(offered);
    SaveNetwork->setEnabled(offered);
}

void DistMemPage::Continue_Click() {
    if (running_)
        return;
    State().NewRun = 0;
    HintLabel->clear();
    const OrderReading order = ReadOrderOnPage();
    if (!order.Order) {
        ShowOrderWarning(order);
        return;
    }
    TrainIfAccepted(session_.PrepareContinue(SettingsOnPage(*order.Order)));
}

RunSettings DistMemPage::SettingsOnPage(const PatternOrder& order) const {
    RunSettings settings;
    settings.Entries = Entries();
    settings.Read = LocaleNumberReader();
    settings.Order = order;  // the rule follows the option buttons as they are clicked
    return settings;
}

void DistMemPage::TrainIfAccepted(const SessionResult& prepared) {
    if (prepared.Outcome == RunOutcome::kFailed) {
        NoFailure(prepared.Error);  // the network could not be made again
        return;
    }
    if (ReactToCheck(prepared.Check))
        RunTraining();
}

void DistMemPage::TestRecall_Click() {
    Pages().Load(QStringLiteral("TestDAM"));
    Pages().Show(QStringLiteral("TestDAM"));
}

void DistMemPage::Command2_Click() {
    Pages().EndProgram();
}

void DistMemPage::StopTraining_Click() {
    stopRequested_ = true;
}

QString DistMemPage::StateFolder() const {
    return stateFolder_.isEmpty() ? QDir::homePath() : stateFolder_;
}

void DistMemPage::SaveNetwork_Click() {
    if (running_ || !session_.HasTrainedNetwork())
        return;
    const QString suggested = QString::fromStdString(
        SuggestedStateName(State(), QFile::encodeName(StateFolder()).toStdString()));
    const QString path = Dialog().SaveFileName(QString::fromLatin1(kSaveNetworkCaption), suggested,
                                               QString::fromLatin1(kSavedNetworkFilter));
    if (path.isEmpty())
        return;
    stateFolder_ = QFileInfo(path).absolutePath();
    const std::string name = QFile::encodeName(path).toStdString();
    // The training file is what the saved network names: saving over it would lose both.
    if (output::SameFile(name, State().TrainingFilePath, output::OtherName::kInput, true)) {
        Dialog().MsgBox(QStringLiteral("The network cannot be saved to \"") + path +
                            QStringLiteral("\": it is the training file \"") +
                            QFile::decodeName(State().TrainingFilePath.c_str()) +
                            QStringLiteral("\". Please choose another name."),
                        MsgStyle::OkOnly);
        return;
    }
    // A name picked in a dialog is a file: a device or pipe there is refused, not written.
    output::WriteOptions filesOnly;
    filesOnly.FilesOnly = true;
    if (const auto failure = session_.Save(name, filesOnly)) {
        HintLabel->clear();
        Dialog().MsgBox(QString::fromStdString(*failure), MsgStyle::OkOnly);
    } else {
        HintLabel->setText(QStringLiteral("Network saved as ") + QDir::toNativeSeparators(path));
    }
}

void DistMemPage::OpenSavedNetwork_Click() {
    if (running_)
        return;
    const QString path =
        Dialog().OpenFileName(QString::fromLatin1(kOpenNetworkCaption), StateFolder(),
                              QString::fromLatin1(kSavedNetworkFilter));
    if (path.isEmpty())
        return;
    stateFolder_ = QFileInfo(path).absolutePath();
    const OpenedNetwork opened = OpenSavedNetwork(session_, QFile::encodeName(path).toStdString());
    if (!opened.Opened) {
        // Nothing has changed: the network and the page stay as they were.
        Dialog().MsgBox(QString::fromStdString(opened.Message), MsgStyle::OkOnly);
        return;
    }
    // The opened network replaces any reset still waiting for the next activation.
    resetRule_.OnStartTraining();
    ShowNetwork(ViewOfNetwork(State(), session_.LastRun(), QLocale()));
    OfferSaveNetwork();
    Context().runs.Record(State(), RunEnd::kOpened);
}

void DistMemPage::ShowNetwork(const SetupView& view) {
    OptionHebb->setChecked(!view.Delta);
    OptionDelta->setChecked(view.Delta);
    Check1[0]->setChecked(view.EpochTest);
    Check1[1]->setChecked(view.ErrorTest);
    SweepsBox->setText(QString::fromStdString(view.Epochs));
    PrintSweepsBox->setText(QString::fromStdString(view.PrintEpochs));
    LRateBox->setText(QString::fromStdString(view.LearningRate));
    MinErrorBox->setText(QString::fromStdString(view.MinError));
    OrderBox->setCurrentIndex(view.Order.Choice);
    SeedBox->setText(QString::fromStdString(view.Order.SeedText));
    SlidersFromBoxes();
    for (int k = 0; k < 4; ++k)
        SetPanelText(k, view.Panels[static_cast<std::size_t>(k)]);
    SetPanelColour(2, view.TotalColour);
    SetPanelColour(3, PanelColour::kButtonFace);
    ShowPanels();
    MakePanelsPersistent();
    ReEnable();
}

void DistMemPage::RunTraining() {
    running_ = true;
    stopRequested_ = false;
    StartTraining->hide();
    StopTraining->show();
    SessionResult result;
    {
        RunInputGuard guard(StopTraining, [this] { stopRequested_ = true; });
        LiveTrainingDisplay display(*this);
        result = session_.Train(display);
        // A run that failed before its first frame would otherwise leave the panels as the
        // previous run left them: show how far this one got before saying why it stopped.
        if (result.Outcome == RunOutcome::kFailed)
            display.DrawWaiting();
    }
    StopTraining->hide();
    StartTraining->show();
    running_ = false;
    OfferSaveNetwork();
    Context().runs.Record(State(), EndOf(State(), result.Outcome));
    if (result.Outcome == RunOutcome::kFailed) {
        Dialog().MsgBox(QString::fromStdString(TrainingErrorMessage(result.Error)),
                        MsgStyle::OkOnly);
        ShowHint(HintForFailedRun(result.Error));
        // A run that failed (a rate so large that the weights overflow) must not leave the
        // page locked: the student lowers the rate and starts again. Test Recall and
        // Continue stay hidden, since the network is not a trained one.
        SetEntriesEnabled(true);
        EpochProgress->hide();
    }
    if (std::exchange(activationDuringRun_, false))
        Form_Activate();
}

void DistMemPage::ShowPanels() {
    for (TextPanel* panel : Picture1)
        panel->show();
}

void DistMemPage::SetPanelText(int panel, const std::string& text) {
    TextPanel* p = Picture1[static_cast<std::size_t>(panel)];
    p->Cls();
    if (!text.empty())
        p->Print(QString::fromStdString(text));
}

void DistMemPage::SetPanelColour(int panel, PanelColour colour) {
    Picture1[static_cast<std::size_t>(panel)]->SetBackColor(ColourOf(colour));
}

void DistMemPage::SetProgress(double maximum, double value, bool visible) {
    const auto clampToInt = [](double v) {
        if (!(v > 0))
            return 0;
        return v >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                    : static_cast<int>(std::lround(v));
    };
    // A range of 0 would turn the bar into a busy indicator.
    const int max = std::max(1, clampToInt(maximum));
    EpochProgress->setRange(0, max);
    EpochProgress->setValue(std::min(max, clampToInt(value)));
    EpochProgress->setVisible(visible);
}

void DistMemPage::MakePanelsPersistent() {
    for (int k = 1; k <= 3; ++k)
        Picture1[static_cast<std::size_t>(k)]->SetAutoRedraw(true);
}

void DistMemPage::ReEnable() {
    SetEntriesEnabled(true);
    // Save Network waits for the session to take the run as finished (OfferSaveNetwork).
    for (QPushButton* b : {TestRecall, Continue}) {
        b->show();
        b->setEnabled(true);
    }
    EpochProgress->hide();
}

void DistMemPage::Pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace mnemex::pages
