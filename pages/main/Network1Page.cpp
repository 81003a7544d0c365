#include "pages/main/Network1Page.h"

#include "pages/framework/FileChooser.h"
#include "pages/framework/PageManager.h"
#include "pages/main/DistMemPage.h"
#include "pages/main/Network1Logic.h"

namespace mnemex::pages {

namespace {
const FontSpec kTitleFont{"Arial", 20.25, kBoldItalic};
const FontSpec kInstructionFont{"MS Sans Serif", 12, kBold};
const FontSpec kListFont{"MS Sans Serif", 8.25};
const FontSpec kHeadingFont{"Arial", 10.5, kBoldUnderlined};
const FontSpec kItemFont{"Arial", 7.5, kBold};
const FontSpec kBoxFont{"Arial", 8.25};
const FontSpec kButtonFont{"Arial", 12, kBold};
const FontSpec kExitFont{"Arial", 12, kBoldItalic};
const FontSpec kNoticeFont{"Arial", 8.25, kItalic};
constexpr int kReadingSteps = 1000;
}  // namespace

Network1Page::Network1Page(PageContext& context)
    : Page(context, QString::fromLatin1(kName), kFrame) {
    setWindowTitle(QStringLiteral("Corlan Neural Net Code -- Introductory Form"));
    Label1 = MakeLabel(this, "Label1",
                       QStringLiteral("Corlan Distributed Associative Memory Program 2003 Edition"),
                       {1440, 240, 6975, 1335}, kTitleFont, Qt::AlignHCenter);
    FileLabel =
        MakeLabel(this, "FileLabel",
                  QStringLiteral("Use \"Double Clicks\" To Choose The File To Train The Network"),
                  {1080, 1680, 7935, 495}, kInstructionFont, Qt::AlignHCenter);
    Drive1 = Placed(new DriveList(context.services.drives, this), "Drive1", {1014, 2280, 2295, 315},
                    &kListFont);
    Dir1 = Placed(new FolderList(this), "Dir1", {1014, 2610, 2295, 2790}, &kListFont);
    File1 = Placed(new FileList(this), "File1", {3480, 2280, 2295, 1845}, &kListFont);
    File1->SetPattern(QStringLiteral("*.net"));
    ChainFileLists(*Drive1, *Dir1, *File1, context.services.dialogs);

    const char* captions[5] = {"Training File Information", "File Name:", "# of Output Units:",
                               "# of Input Units:", "# of Patterns:"};
    // The heading in its 10.5-point bold font is wider than the layout's 2415 twips: the box
    // is widened about the same centre (6360 + 2415 / 2), so the heading reads whole.
    Label8[0] = MakeLabel(this, "Label8_0", QString::fromLatin1(captions[0]),
                          {5880, 2880, 3375, 255}, kHeadingFont, Qt::AlignHCenter);
    const int tops[4] = {3360, 3720, 4080, 4440};
    for (int k = 0; k < 4; ++k) {
        const QByteArray label = "Label8_" + QByteArray::number(k + 1);
        Label8[static_cast<std::size_t>(k + 1)] =
            MakeLabel(this, label.constData(), QString::fromLatin1(captions[k + 1]),
                      {6060, tops[k], 1335, 255}, kItemFont, Qt::AlignRight);
        const QByteArray box = "OutputText_" + QByteArray::number(k);
        QLineEdit* shown =
            MakeTextBox(this, box.constData(), QString(), {7500, tops[k], 1332, 288}, kBoxFont);
        // Information to read, not to edit: read-only in normal text (a disabled box would be
        // grey on grey). The label beside it names it; Tab passes it by.
        shown->setReadOnly(true);
        shown->setFocusPolicy(Qt::ClickFocus);
        Label8[static_cast<std::size_t>(k + 1)]->setBuddy(shown);
        OutputText[static_cast<std::size_t>(k)] = shown;
    }
    for (QLabel* l : Label8)
        l->hide();
    for (QLineEdit* t : OutputText)
        t->hide();
    NextPage =
        MakeButton(this, "NextPage", QStringLiteral("Go To Next Page To Set Training Parameters"),
                   {3480, 4320, 2292, 1095}, kButtonFont);
    NextPage->hide();
    Command2 =
        MakeButton(this, "Command2", QStringLiteral("Exit"), {7560, 7320, 1695, 615}, kExitFont);
    Label3 = MakeLabel(this, "Label3", NoticeText(), {120, 7320, 3135, 735}, kNoticeFont);
    // Below the lists, over their full width: where the eye is after the double-click.
    ReadingCaption = MakeLabel(this, "ReadingCaption",
                               QStringLiteral("Reading the training file, please wait..."),
                               {1014, 5520, 4758, 255}, kListFont);
    ReadingProgress =
        Placed(new QProgressBar(this), "ReadingProgress", {1014, 5790, 4758, 300}, &kListFont);
    ReadingProgress->setRange(0, kReadingSteps);
    ReadingProgress->setAccessibleName(QStringLiteral("Reading progress"));
    ReadingCaption->hide();
    ReadingProgress->hide();
    readPoll_.setInterval(50);
    connect(&readPoll_, &QTimer::timeout, this, &Network1Page::PollBackgroundRead);

    connect(File1, &FileList::DblClick, this, &Network1Page::File1_DblClick);
    connect(NextPage, &QPushButton::clicked, this, &Network1Page::NextPage_Click);
    connect(Command2, &QPushButton::clicked, this, &Network1Page::Command2_Click);
}

void Network1Page::Form_Load() {
    FrameStart();
}

void Network1Page::Form_Unload(UnloadReason /*reason*/) {
    readPoll_.stop();
    read_.reset();
}

void Network1Page::File1_DblClick() {
    const QString name = File1->FileName();
    if (name.isEmpty() || read_)
        return;
    const std::string folder = File1->Path().toStdString();
    if (ReadsInBackground(folder, name.toStdString())) {
        StartBackgroundRead(folder, name.toStdString());
        return;
    }
    ShowChoice(LoadChosenFile(State(), folder, name.toStdString()));
}

void Network1Page::StartBackgroundRead(const std::string& folder, const std::string& name) {
    read_ = std::make_unique<BackgroundFileRead>(folder, name);
    SetChoosingEnabled(false);
    ReadingProgress->setValue(0);
    ReadingCaption->show();
    ReadingProgress->show();
    readPoll_.start();
}

void Network1Page::PollBackgroundRead() {
    if (!read_)
        return;
    ReadingProgress->setValue(static_cast<int>(read_->Fraction() * kReadingSteps));
    if (!read_->Finished())
        return;
    readPoll_.stop();
    const FileChoice choice = read_->Adopt(State());
    read_.reset();
    ReadingCaption->hide();
    ReadingProgress->hide();
    SetChoosingEnabled(true);
    ShowChoice(choice);
}

void Network1Page::SetChoosingEnabled(bool enabled) {
    Drive1->setEnabled(enabled);
    Dir1->setEnabled(enabled);
    File1->setEnabled(enabled);
    NextPage->setEnabled(enabled);
}

void Network1Page::ShowChoice(const FileChoice& choice) {
    if (!choice.Loaded) {
        // The previous file stays loaded and the page stays as it was.
        Dialog().MsgBox(QString::fromStdString(choice.Message), MsgStyle::OkOnly);
        return;
    }
    for (int k = 0; k < 4; ++k)
        OutputText[static_cast<std::size_t>(k)]->setText(
            QString::fromStdString(choice.Boxes[static_cast<std::size_t>(k)]));
    for (QLabel* l : Label8)
        l->show();
    for (QLineEdit* t : OutputText)
        t->show();
    NextPage->show();
}

void Network1Page::NextPage_Click() {
    State().NewRun = 1;
    const QString setup = QString::fromLatin1(DistMemPage::kName);
    // A setup page still loaded from before starts from zero weights too; a page loaded now
    // makes its fresh network as it loads, and must not make it (or say it failed) twice.
    if (auto* page = Pages().FindAs<DistMemPage>(setup))
        page->RequestWeightReset();
    else
        Pages().Load(setup);
    Pages().Show(setup);
    Pages().Unload(this);
}

void Network1Page::Command2_Click() {
    Pages().EndProgram();
}

}  // namespace mnemex::pages
