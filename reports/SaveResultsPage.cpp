#include "reports/SaveResultsPage.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>

#include "reports/FolderLists.h"
#include "reports/PageControls.h"
#include "reports/PageGeometry.h"
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

SaveResultsPage::SaveResultsPage(PublicStuff& state, QWidget* parent)
    : QWidget(parent),
      state_(state),
      screenDialogs_(std::make_unique<ScreenDialogs>(this)),
      logic_(std::make_unique<SaveResultsLogic>(state, *screenDialogs_)) {
    setObjectName(QStringLiteral("SaveResults"));
    setWindowTitle(QStringLiteral("Save Results To A Text File -- Corlan Neural Network Code"));
    BuildControls();
}

SaveResultsPage::~SaveResultsPage() = default;

void SaveResultsPage::SetDialogs(ResultDialogs* dialogs) {
    logic_ = std::make_unique<SaveResultsLogic>(state_, *dialogs);
}

void SaveResultsPage::BuildControls() {
    resize(TwipsToPixels(10515), TwipsToPixels(9000));
    const QString arial = QStringLiteral("Arial");
    const QString sansSerif = QStringLiteral("MS Sans Serif");
    AddLabel(this, "Label1",
             QStringLiteral("Corlan Distributed Associative Memory Program 2003 Edition"),
             TwipRect(1320, 0, 6975, 1335), PageFont(arial, 20.25, kBold | kItalic));
    AddLabel(this, "Label2", QStringLiteral("Choose The Name Of The File To Be Saved"),
             TwipRect(480, 1800, 3735, 735), PageFont(sansSerif, 12, kBold));
    AddLabel(this, "PropertyLabel", QStringLiteral("Choose The Properties To Save In The File"),
             TwipRect(5400, 1800, 3735, 735), PageFont(sansSerif, 12, kBold));

    drive1_ = new DriveList(this);
    drive1_->setObjectName(QStringLiteral("Drive1"));
    drive1_->setGeometry(TwipRect(60, 2760, 2295, 315));
    dir1_ = new FolderList(this);
    dir1_->setObjectName(QStringLiteral("Dir1"));
    dir1_->setGeometry(TwipRect(60, 3090, 2295, 2565));
    file1_ = new FileList(QStringLiteral("*.txt"), this);
    file1_->setObjectName(QStringLiteral("File1"));
    file1_->setGeometry(TwipRect(2400, 3600, 2295, 1845));

    const QFont smallBold = PageFont(sansSerif, 8.25, kBold);
    auto* dirButton = AddButton(this, "DirButton", QStringLiteral("Create A New Directory"),
                                TwipRect(2400, 2880, 2292, 372), smallBold);
    auto* fileButton = AddButton(this, "FileButton", QStringLiteral("Create A New Filename"),
                                 TwipRect(2400, 3240, 2292, 372), smallBold);

    for (const CheckBoxPlace& place : kCheckBoxes) {
        auto* box = new QCheckBox(QString::fromLatin1(place.caption), this);
        box->setObjectName(QStringLiteral("Check1_%1").arg(place.index));
        box->setGeometry(TwipRect(5400, place.top, 3615, 495));
        box->setChecked(place.ticked);
        checks_[static_cast<std::size_t>(place.index)] = box;
    }

    AddLabel(this, "FileLabel", QStringLiteral("Name Of File To Be Saved:"),
             TwipRect(240, 5640, 3975, 375), PageFont(arial, 12, kBold | kUnderline));
    fileNameLabel_ = AddLabel(this, "FileNameLabel", QString(), TwipRect(360, 6120, 3975, 615),
                              PageFont(arial, 12, kBold | kItalic));
    auto* save = AddButton(this, "SaveFile", QStringLiteral("Save The File"),
                           TwipRect(7440, 6480, 2292, 732), PageFont(arial, 12, kBold));
    auto* close = AddButton(this, "Command2", QStringLiteral("Close"),
                            TwipRect(7920, 7440, 1695, 615), PageFont(arial, 12, kBold | kItalic));
    QLabel* notice = AddLabel(this, "Label3",
                              QStringLiteral("Mnemex: a program for learning how a distributed "
                                             "associative memory trains and recalls."),
                              TwipRect(0, 7080, 3135, 735), PageFont(arial, 8.25, kItalic));
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(drive1_, &DriveList::Changed, this, &SaveResultsPage::Drive1_Change);
    connect(dir1_, &FolderList::Changed, this, &SaveResultsPage::Dir1_Change);
    connect(file1_, &FileList::FileClicked, this, &SaveResultsPage::File1_Click);
    connect(dirButton, &QPushButton::clicked, this, &SaveResultsPage::DirButton_Click);
    connect(fileButton, &QPushButton::clicked, this, &SaveResultsPage::FileButton_Click);
    connect(save, &QPushButton::clicked, this, &SaveResultsPage::SaveFile_Click);
    connect(close, &QPushButton::clicked, this, &SaveResultsPage::Command2_Click);

    // The chooser starts at the program's current folder.
    dir1_->SetPath(QDir::currentPath());
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

void SaveResultsPage::Drive1_Change() {
    dir1_->SetPath(drive1_->Drive());
}

void SaveResultsPage::Dir1_Change() {
    file1_->SetPath(dir1_->Path());
}

void SaveResultsPage::File1_Click(const QString& name) {
    fileNameLabel_->setText(logic_->ChooseListedFile(file1_->Path(), name));
}

void SaveResultsPage::DirButton_Click() {
    if (const auto folder = logic_->CreateDirectory(file1_->Path()))
        dir1_->SetPath(*folder);
}

void SaveResultsPage::FileButton_Click() {
    if (const auto name = logic_->NameNewFile(file1_->Path()))
        fileNameLabel_->setText(*name);
}

SaveOutcome SaveResultsPage::SaveFile_Click() {
    return logic_->Save(TickedSections(), fixedTime_ ? *fixedTime_ : report::AnalysisTimeNow());
}

void SaveResultsPage::Command2_Click() {
    close();
}

}  // namespace mnemex::pages
