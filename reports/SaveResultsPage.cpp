#include "reports/SaveResultsPage.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include "pages/framework/ControlKit.h"
#include "pages/framework/FileChooser.h"
#include "pages/framework/PageManager.h"
#include "reports/text/AnalysisClock.h"

namespace mnemex::pages {

namespace {

struct CheckBoxPlace {
    int index;  // in Check1
    const char* caption;
    int top;
    bool ticked;
};

// In their order on the page, top to bottom.
constexpr CheckBoxPlace kCheckBoxes[] = {
    {1, "General Information (Training info etc.)", 2640, true},
    {2, "Network Responses", 3075, true},
    {3, "Network Errors", 3510, true},
    {4, "Connection Weights", 3930, true},
    {0, "Input Patterns", 4365, false},
    {5, "Output Patterns", 4800, false},
    {6, "Network SSE As A Function Of Sweeps", 5280, false},
};

}  // namespace

SaveResultsPage::SaveResultsPage(PageContext& context)
    : Page(context, QString::fromLatin1(kName), kFrame),
      logic_(std::make_unique<SaveResultsLogic>(State(), Dialog())) {
    setWindowTitle(QStringLiteral("Save Results To A Text File -- Corlan Neural Network Code"));
    BuildControls();
}

SaveResultsPage::~SaveResultsPage() = default;

void SaveResultsPage::BuildControls() {
    label1_ =
        MakeLabel(this, "Label1",
                  QStringLiteral("Corlan Distributed Associative Memory Program 2003 Edition"),
                  {1320, 0, 6975, 1335}, {"Arial", 20.25, kBoldItalic}, Qt::AlignHCenter);
    MakeLabel(this, "Label2", QStringLiteral("Choose The Name Of The File To Be Saved"),
              {480, 1800, 3735, 735}, {"MS Sans Serif", 12, kBold}, Qt::AlignHCenter);
    MakeLabel(this, "PropertyLabel", QStringLiteral("Choose The Properties To Save In The File"),
              {5400, 1800, 3735, 735}, {"MS Sans Serif", 12, kBold}, Qt::AlignHCenter);

    drive1_ =
        Placed(new DriveList(Context().services.drives, this), "Drive1", {60, 2760, 2295, 315});
    dir1_ = Placed(new FolderList(this), "Dir1", {60, 3090, 2295, 2565});
    file1_ = Placed(new FileList(this), "File1", {2400, 3600, 2295, 1845});
    file1_->SetPattern(QStringLiteral("*.txt"));
    ChainFileLists(*drive1_, *dir1_, *file1_, Context().services.dialogs);

    const FontSpec smallBold{"MS Sans Serif", 8.25, kBold};
    auto* dirButton = MakeButton(this, "DirButton", QStringLiteral("Create A New Directory"),
                                 {2400, 2880, 2292, 372}, smallBold);
    auto* fileButton = MakeButton(this, "FileButton", QStringLiteral("Create A New Filename"),
                                  {2400, 3240, 2292, 372}, smallBold);

    // The layout names no font for the section boxes: they carry the page's own default,
    // MS Sans Serif 8.25, in which their captions fit the layout's width.
    const FontSpec sectionFont{"MS Sans Serif", 8.25};
    for (const CheckBoxPlace& place : kCheckBoxes) {
        const QByteArray name = "Check1_" + QByteArray::number(place.index);
        auto* box = Placed(new QCheckBox(QString::fromLatin1(place.caption), this),
                           name.constData(), {5400, place.top, 3615, 495}, &sectionFont);
        box->setChecked(place.ticked);
        checks_[static_cast<std::size_t>(place.index)] = box;
    }

    fileLabel_ =
        MakeLabel(this, "FileLabel", QStringLiteral("Name Of File To Be Saved:"),
                  {240, 5640, 3975, 375}, {"Arial", 12, kBoldUnderlined}, Qt::AlignHCenter);
    fileNameLabel_ = MakeLabel(this, "FileNameLabel", QString(), {360, 6120, 3975, 615},
                               {"Arial", 12, kBoldItalic}, Qt::AlignHCenter);
    saveFile_ = MakeButton(this, "SaveFile", QStringLiteral("Save The File"),
                           {7440, 6480, 2292, 732}, {"Arial", 12, kBold});
    command2_ = MakeButton(this, "Command2", QStringLiteral("Close"), {7920, 7440, 1695, 615},
                           {"Arial", 12, kBoldItalic});
    MakeLabel(this, "Label3",
              QStringLiteral("Mnemex: a program for learning how a distributed "
                             "associative memory trains and recalls."),
              {0, 7080, 3135, 735}, {"Arial", 8.25, kItalic});
    // Below the page's design controls: where the last report went.
    statusLabel_ =
        MakeLabel(this, "StatusLabel", QString(), {240, 8160, 10035, 600}, {"Arial", 9, kBold});
    statusLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusLabel_->setAccessibleName(QStringLiteral("Where the report was saved"));

    connect(file1_, &FileList::Click, this, &SaveResultsPage::File1_Click);
    connect(dirButton, &QPushButton::clicked, this, &SaveResultsPage::DirButton_Click);
    connect(fileButton, &QPushButton::clicked, this, &SaveResultsPage::FileButton_Click);
    connect(saveFile_, &QPushButton::clicked, this, &SaveResultsPage::SaveFile_Click);
    connect(command2_, &QPushButton::clicked, this, &SaveResultsPage::Command2_Click);
}

void SaveResultsPage::Form_Load() {
    // The report file chosen on an earlier visit is still the one Save writes to, so the
    // page shows it rather than an empty name.
    if (!State().ReportFileName.empty()) {
        ShowChosenName(QFileInfo(QString::fromStdString(State().ReportFileName)).fileName());
        ShowReportFileInLists();
    }
    FrameStart();
}

void SaveResultsPage::ShowChosenName(const QString& name) {
    fileNameLabel_->setText(name);
    fileNameLabel_->setToolTip(QString::fromStdString(State().ReportFileName));
    statusLabel_->clear();
}

void SaveResultsPage::ShowReportFileInLists() {
    const QFileInfo file(QString::fromStdString(State().ReportFileName));
    if (!file.absoluteDir().exists())
        return;
    dir1_->SetPath(file.absolutePath());
    file1_->Refresh();
    file1_->SetListIndex(static_cast<int>(file1_->Items().indexOf(file.fileName())));
}

report::SectionSet SaveResultsPage::TickedSections() const {
    report::SectionSet set{};
    for (int k = 0; k < report::kSectionCount; ++k)
        set[static_cast<std::size_t>(k)] = checks_[static_cast<std::size_t>(k)]->isChecked();
    return set;
}

QString SaveResultsPage::FileNameLabelText() const {
    return fileNameLabel_->text();
}

QString SaveResultsPage::StatusText() const {
    return statusLabel_->text();
}

void SaveResultsPage::File1_Click() {
    ShowChosenName(logic_->ChooseListedFile(file1_->Path(), file1_->FileName()));
}

void SaveResultsPage::DirButton_Click() {
    if (const auto folder = logic_->CreateDirectory(file1_->Path()))
        dir1_->SetPath(*folder);
}

void SaveResultsPage::FileButton_Click() {
    if (const auto name = logic_->NameNewFile(file1_->Path()))
        ShowChosenName(*name);
}

SaveOutcome SaveResultsPage::SaveFile_Click() {
    const SaveOutcome outcome =
        logic_->Save(TickedSections(), fixedTime_ ? *fixedTime_ : report::AnalysisTimeNow());
    if (outcome == SaveOutcome::kWritten) {
        // No message box interrupts the student, but the page says where the report went
        // and lists it.
        const QString path = QString::fromStdString(State().ReportFileName);
        statusLabel_->setText(QStringLiteral("Saved as ") + QDir::toNativeSeparators(path));
        ShowReportFileInLists();
    } else if (outcome != SaveOutcome::kNoFileChosen) {
        statusLabel_->clear();
    }
    return outcome;
}

void SaveResultsPage::Command2_Click() {
    Pages().Unload(this);
}

}  // namespace mnemex::pages
