#include "pages/main/TestDAMPage.h"

#include "pages/framework/PageManager.h"
#include "pages/framework/PageNames.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/Network1Page.h"

namespace mnemex::pages {

namespace {
const FontSpec kListFont{"Arial", 12, kBold};
const FontSpec kExitFont{"Arial", 12, kBoldItalic};
const FontSpec kFeedbackFont{"Arial", 14.25, kBold};
const FontSpec kNoticeFont{"Arial", 8.25, kItalic};
}  // namespace

TestDAMPage::TestDAMPage(PageContext& context) : Page(context, QString::fromLatin1(kName), kFrame) {
    setWindowTitle(
        QStringLiteral("Testing The Distributed Associative Memory -- Corlan Neural Network Code"));
    TestList = Placed(new ListBox(this), "TestList", {2556, 1320, 5892, 1200}, &kListFont);
    TestList->addItems({QStringLiteral("Probe Network Responses To Selected Patterns"),
                        QStringLiteral("Create A Summary In Excel"),
                        QStringLiteral("Save Summary As A Text File"),
                        QStringLiteral("Plot SSE By Sweeps")});
    // The list is only tall enough for its four entries: a fifth would sit half hidden
    // under a scroll bar. The look inside gets a button of its own in the band beneath.
    LookInside = MakeButton(this, "LookInside", QStringLiteral("Look Inside The Memory"),
                            {3702, 2580, 3600, 405}, kListFont);
    ContinueList = Placed(new ListBox(this), "ContinueList", {2556, 5160, 5892, 1200}, &kListFont);
    ContinueList->addItems({QStringLiteral("Reset Weights And Train Again"),
                            QStringLiteral("Keep Current Weights And Continue Training"),
                            QStringLiteral("Train A New Network On A New Problem")});
    // The lists are named after what they offer, as their headings say.
    TestList->setAccessibleName(QStringLiteral("Methods for examining network performance"));
    ContinueList->setAccessibleName(QStringLiteral("Methods for continuing training"));
    Command2 = MakeButton(this, "Command2", QStringLiteral("Exit Program"), {4527, 7560, 1950, 615},
                          kExitFont);
    Label1 = MakeLabel(this, "Label1", QStringLiteral("Or...."), {5082, 6720, 840, 492}, kListFont,
                       Qt::AlignHCenter);
    Label5 = MakeLabel(this, "Label5",
                       QStringLiteral("Choose A Method For Examining Network Performance By "
                                      "Double-Clicking One Of The List Items Below:"),
                       {2742, 120, 5520, 1092}, kListFont, Qt::AlignHCenter);
    Label4 = MakeLabel(this, "Label4",
                       QStringLiteral("Choose A Method For Continuing Training By "
                                      "Double-Clicking One Of The List Items Below:"),
                       {2742, 4200, 5520, 732}, kListFont, Qt::AlignHCenter);
    FeedBackLabel = MakeLabel(this, "FeedBackLabel", QString(), {1182, 3000, 8640, 492},
                              kFeedbackFont, Qt::AlignHCenter);
    Line1 = new LineControl(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->SetEnds(105, 4080, 10545, 4080);
    Label3 = MakeLabel(this, "Label3", NoticeText(), {-15, 8310, 3135, 735}, kNoticeFont);
    ExcelProgressBar = Placed(new QProgressBar(this), "ExcelProgressBar", {2640, 3600, 5775, 375});
    ExcelProgressBar->setTextVisible(false);

    connect(TestList, &ListBox::DblClick, this, &TestDAMPage::TestList_DblClick);
    connect(ContinueList, &ListBox::DblClick, this, &TestDAMPage::ContinueList_DblClick);
    connect(Command2, &QPushButton::clicked, this, &TestDAMPage::Command2_Click);
    connect(LookInside, &QPushButton::clicked, this, &TestDAMPage::LookInside_Click);
}

void TestDAMPage::Form_Load() {
    ExcelProgressBar->hide();
    FrameStart();
}

void TestDAMPage::NothingSelected() {
    Dialog().MsgBox(QStringLiteral("No method for continuing has been selected!"),
                    MsgStyle::OkOnly);
}

void TestDAMPage::OpenResultPage(const char* name) {
    const QString page = QString::fromLatin1(name);
    Pages().Load(page);
    Pages().Show(page);
}

void TestDAMPage::TestList_DblClick() {
    switch (TestList->ListIndex()) {
        case -1:
            NothingSelected();
            break;
        case 0:
            OpenResultPage(page_names::kProbeNetwork);
            break;
        case 1:
            Context().services.summary.BuildSummary(State(), *this);
            // Whatever the outcome, the build is over: a waiting line and a full bar left
            // behind would say it is still going on.
            FeedBackLabel->clear();
            ExcelProgressBar->hide();
            break;
        case 2:
            OpenResultPage(page_names::kSaveResults);
            break;
        case 3:
            OpenResultPage(page_names::kPlotSSEData);
            break;
        default:
            break;
    }
}

void TestDAMPage::LookInside_Click() {
    OpenResultPage(page_names::kLookInside);
}

void TestDAMPage::ContinueList_DblClick() {
    const QString setup = QString::fromLatin1(DistMemPage::kName);
    switch (ContinueList->ListIndex()) {
        case -1:
            NothingSelected();
            break;
        case 0:
            State().NewRun = 1;
            Pages().Load(setup);
            if (auto* page = Pages().FindAs<DistMemPage>(setup))
                page->RequestWeightReset();
            Pages().Show(setup);
            Pages().Unload(this);
            break;
        case 1:
            State().NewRun = 0;
            Pages().Load(setup);
            Pages().Show(setup);
            Pages().Unload(this);
            break;
        case 2:
            Pages().Load(QString::fromLatin1(Network1Page::kName));
            Pages().Show(QString::fromLatin1(Network1Page::kName));
            Pages().Unload(this);
            Pages().Unload(setup);
            break;
        default:
            break;
    }
}

void TestDAMPage::Command2_Click() {
    Pages().Unload(this);
    Pages().Unload(QString::fromLatin1(DistMemPage::kName));
}

void TestDAMPage::SetFeedbackCaption(const std::string& text) {
    FeedBackLabel->setText(QString::fromStdString(text));
    FeedBackLabel->repaint();
}

void TestDAMPage::SetProgressRange(int minimum, int maximum) {
    ExcelProgressBar->setRange(minimum, maximum);
}

int TestDAMPage::ProgressValue() const {
    return ExcelProgressBar->value();
}

void TestDAMPage::SetProgressValue(int value) {
    ExcelProgressBar->setValue(value);
    ExcelProgressBar->repaint();
}

void TestDAMPage::SetProgressVisible(bool visible) {
    ExcelProgressBar->setVisible(visible);
    if (visible)
        ExcelProgressBar->repaint();
}

void TestDAMPage::ShowMessage(const std::string& text) {
    Dialog().MsgBox(QString::fromStdString(text), MsgStyle::OkOnly);
}

std::optional<bool> TestDAMPage::AskYesNo(const std::string& text) {
    return Dialog().MsgBox(QString::fromStdString(text), MsgStyle::YesNoQuestion) == kMsgYes;
}

}  // namespace mnemex::pages
