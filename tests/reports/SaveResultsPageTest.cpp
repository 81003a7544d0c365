// The report page as the user works it: naming files, folders, ticking boxes, saving.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ResultTestSupport.h"
#include "pages/framework/DriveList.h"
#include "pages/framework/FileList.h"
#include "pages/framework/FolderList.h"
#include "reports/SaveResultsPage.h"

using namespace mnemex;
using namespace mnemex::pages;
using namespace mnemex::pagetest;

namespace {

QByteArray L(const char* text) {
    return QByteArray(text) + "\r\r\n";
}

const QByteArray kHeader = L("Distributed Associative Memory Program") +
                           L("=============================================") +
                           L("Results Of Training With File: small.net") +
                           L("Date Of Analysis: 08.12.2026") + L("Time Of Analysis: 01:02:03") +
                           L("=============================================");

}  // namespace

class SaveResultsPageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PageTestContext> ctx_;
    QString folder_;
    QString startFolder_ = QDir::currentPath();
    SaveResultsPage* page_ = nullptr;

    PublicStuff& State() { return *ctx_->state; }
    void OpenPageIn(const QString& folder) {
        QDir::setCurrent(folder);
        page_ = dynamic_cast<SaveResultsPage*>(ctx_->pages.Load(QStringLiteral("SaveResults")));
        QVERIFY(page_);
        page_->SetAnalysisTime({"08.12.2026", "01:02:03"});
    }
    void Untick() {
        for (int k = 0; k < 7; ++k)
            page_->SectionCheckBox(k)->setChecked(false);
    }
    void NameFile(const QString& answer) {
        ctx_->dialogBackend.QueueText(answer);
        page_->FileButton_Click();
    }

  private slots:
    void init() {
        ctx_ = std::make_unique<PageTestContext>();
        State() = SmallTrainedNetwork();
        folder_ = TestFolder();
        OpenPageIn(folder_);
    }
    void cleanup() {
        ctx_.reset();
        QDir::setCurrent(startFolder_);
    }

    void showsItsCaptionsAndTicksTheFirstFourBoxes() {
        QCOMPARE(page_->windowTitle(),
                 QStringLiteral("Save Results To A Text File -- Corlan Neural Network Code"));
        const char* captions[] = {"Input Patterns",
                                  "General Information (Training info etc.)",
                                  "Network Responses",
                                  "Network Errors",
                                  "Connection Weights",
                                  "Output Patterns",
                                  "Network SSE As A Function Of Sweeps"};
        const bool ticked[] = {false, true, true, true, true, false, false};
        for (int k = 0; k < 7; ++k) {
            QCOMPARE(page_->SectionCheckBox(k)->text(), QLatin1String(captions[k]));
            QCOMPARE(page_->SectionCheckBox(k)->isChecked(), ticked[k]);
        }
        QCOMPARE(page_->TitleLabel()->text(),
                 QStringLiteral("Corlan Distributed Associative Memory Program 2003 Edition"));
        QCOMPARE(page_->FileNameHeading()->text(), QStringLiteral("Name Of File To Be Saved:"));
        QCOMPARE(page_->SaveButton()->text(), QStringLiteral("Save The File"));
        QVERIFY(page_->FileNameLabelText().isEmpty());
        QCOMPARE(page_->FileListBox()->Path(), folder_);
    }

    void namesTheReportFile_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "report"
                               << "report.txt";
        QTest::newRow("upper-case extension") << "report.TXT"
                                              << "report.TXT.txt";
        QTest::newRow("with extension") << "a.txt"
                                        << "a.txt";
    }
    void namesTheReportFile() {
        QFETCH(QString, answer);
        QFETCH(QString, name);
        NameFile(answer);
        QCOMPARE(ctx_->Shown(),
                 QStringList{QStringLiteral("prompt:Name File|Enter name of file to save:")});
        QCOMPARE(page_->FileNameLabelText(), name);
        QCOMPARE(QString::fromStdString(State().ReportFileName), folder_ + QLatin1Char('/') + name);
    }

    void cancellingTheNameEmptiesTheChoiceButKeepsTheLabel() {
        NameFile(QStringLiteral("report"));
        NameFile(QString());
        QVERIFY(State().ReportFileName.empty());
        QCOMPARE(page_->FileNameLabelText(), QStringLiteral("report.txt"));
        QCOMPARE(page_->SaveFile_Click(), SaveOutcome::kNoFileChosen);
        QVERIFY(!QFile::exists(folder_ + QStringLiteral("/report.txt")));
        QCOMPARE(ctx_->Shown().size(), 2);  // the two prompts only
    }

    void withNoBoxTickedSavesOnlyTheHeader() {
        Untick();
        NameFile(QStringLiteral("report"));
        QCOMPARE(page_->SaveFile_Click(), SaveOutcome::kWritten);
        QCOMPARE(ReadBytes(folder_ + QStringLiteral("/report.txt")), kHeader);
        QCOMPARE(ctx_->Shown().size(), 1);  // the name prompt only: no message after saving
    }

    void savesSectionsInTheirOrderWhateverTheTickingOrder() {
        Untick();
        page_->SectionCheckBox(6)->setChecked(true);
        page_->SectionCheckBox(0)->setChecked(true);
        page_->SectionCheckBox(4)->setChecked(true);
        NameFile(QStringLiteral("order"));
        page_->SaveFile_Click();
        const QByteArray expected =
            kHeader + L("Connection weights from input units (rows) to output units (columns):") +
            L("---------------") + L("\tOut 1\tOut 2\t") + L("INP 1\t+.50\t+1.50\t") +
            L("INP 2\t-.25\t+.00\t") + L("=============================================") +
            L("The set of input patterns was:") + L("---------------") +
            L("Pattern 1\t+1.00\t+.00\t") + L("Pattern 2\t+.50\t+1.00\t") +
            L("=============================================") +
            L("Network SSE as a function of sweeps of training was:") + L("---------------") +
            L("Sweeps\tNetwork SSE") + "0.00\t5.50E+00\r\n" + "25.00\t1.56E-02\r\n" +
            L("=============================================");
        QCOMPARE(ReadBytes(folder_ + QStringLiteral("/order.txt")), expected);
    }

    void answeringNoLeavesTheExistingFileUntouched() {
        QFile old(folder_ + QStringLiteral("/report.txt"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("yesterday's report");
        old.close();
        NameFile(QStringLiteral("report"));
        ctx_->dialogBackend.QueueButton(kMsgNo);
        QCOMPARE(page_->SaveFile_Click(), SaveOutcome::kDeclined);
        QCOMPARE(
            ctx_->Shown().last(),
            QStringLiteral("question:Pre-existing Filename|File already exists -- overwrite it?"));
        QCOMPARE(ctx_->dialogBackend.shown.back().style, MsgStyle::YesNoQuestion);
        QCOMPARE(ReadBytes(old.fileName()), QByteArray("yesterday's report"));

        ctx_->dialogBackend.QueueButton(kMsgYes);
        QCOMPARE(page_->SaveFile_Click(), SaveOutcome::kWritten);
        QVERIFY(ReadBytes(old.fileName()).startsWith(kHeader));
    }

    void choosingAListedFileMakesItTheReport() {
        QFile listed(folder_ + QStringLiteral("/listed.txt"));
        QVERIFY(listed.open(QIODevice::WriteOnly));
        listed.close();
        QFile other(folder_ + QStringLiteral("/other.dat"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        page_->FileListBox()->Refresh();
        QCOMPARE(page_->FileListBox()->Items(), QStringList{QStringLiteral("listed.txt")});
        page_->FileListBox()->ClickItem(0);
        QCOMPARE(page_->FileNameLabelText(), QStringLiteral("listed.txt"));
        QCOMPARE(QString::fromStdString(State().ReportFileName), listed.fileName());
    }

    void createsAFolderAndMovesTheListsThere() {
        ctx_->dialogBackend.QueueText(QStringLiteral("runs"));
        page_->DirButton_Click();
        QCOMPARE(ctx_->Shown(),
                 QStringList{QStringLiteral("prompt:Create Directory|Enter name of directory:")});
        QVERIFY(QFileInfo(folder_ + QStringLiteral("/runs")).isDir());
        QCOMPARE(page_->FolderListBox()->Path(), folder_ + QStringLiteral("/runs"));
        QCOMPARE(page_->FileListBox()->Path(), folder_ + QStringLiteral("/runs"));
        QCOMPARE(QDir::currentPath(), folder_ + QStringLiteral("/runs"));
        NameFile(QStringLiteral("in-runs"));
        QCOMPARE(QString::fromStdString(State().ReportFileName),
                 folder_ + QStringLiteral("/runs/in-runs.txt"));
    }

    void aDriveThatCannotBeOpenedKeepsAllListsTogether() {
        const QString gone = folder_ + QStringLiteral("/not mounted");
        ctx_->drives = FixedDriveSource{{{QStringLiteral("/"), {}}, {gone, {}}}};
        auto* drive = page_->findChild<DriveList*>(QStringLiteral("Drive1"));
        QVERIFY(drive);
        drive->Refresh();
        drive->SetDrive(gone);
        QCOMPARE(drive->Drive(), QStringLiteral("/"));
        QCOMPARE(page_->FolderListBox()->Path(), folder_);
        QCOMPARE(page_->FileListBox()->Path(), folder_);
        QCOMPARE(ctx_->Shown(),
                 QStringList{"message:Mnemex|The drive \"" + gone +
                             "\" cannot be opened.\nThe lists stay on \"" + folder_ + "\"."});
    }

    void anExistingFolderNameIsExplained() {
        QDir(folder_).mkdir(QStringLiteral("runs"));
        ctx_->dialogBackend.QueueText(QStringLiteral("runs"));
        page_->DirButton_Click();
        QCOMPARE(ctx_->Shown().last(),
                 QStringLiteral("message:Mnemex|The directory could not be created:\n") + folder_ +
                     QStringLiteral("/runs\nA file or directory of that name already exists."));
        QCOMPARE(page_->FileListBox()->Path(), folder_);
    }

    void aCancelledFolderPromptCreatesNothing() {
        ctx_->dialogBackend.QueueText(QString());
        page_->DirButton_Click();
        QCOMPARE(QDir(folder_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void aFolderThatVanishedIsExplainedAndNothingIsWritten() {
        QDir(folder_).mkdir(QStringLiteral("gone"));
        page_->FolderListBox()->SetPath(folder_ + QStringLiteral("/gone"));
        NameFile(QStringLiteral("report"));
        QDir(folder_ + QStringLiteral("/gone")).removeRecursively();
        QCOMPARE(page_->SaveFile_Click(), SaveOutcome::kFailed);
        const QString message = ctx_->Shown().last();
        QVERIFY2(message.startsWith(QStringLiteral("message:Mnemex|The report could not be saved "
                                                   "to:\n") +
                                    folder_ + QStringLiteral("/gone/report.txt\n")),
                 qPrintable(message));
        QVERIFY(message.contains(QStringLiteral("No such file or directory")));
        QVERIFY(page_->isEnabled());
    }

    void savingSaysWhereAndListsTheFile() {
        NameFile(QStringLiteral("report"));
        QVERIFY(page_->FileListBox()->Items().isEmpty());
        QVERIFY(page_->StatusText().isEmpty());
        QCOMPARE(page_->SaveFile_Click(), SaveOutcome::kWritten);
        const QString path = folder_ + QStringLiteral("/report.txt");
        QCOMPARE(page_->StatusText(), QStringLiteral("Saved as ") + path);
        QCOMPARE(page_->FileListBox()->Items(), QStringList{QStringLiteral("report.txt")});
        QCOMPARE(page_->FileListBox()->FileName(), QStringLiteral("report.txt"));
        QCOMPARE(ctx_->Shown().size(), 1);  // still no message box after saving
        // Choosing another name clears the line: it told about the earlier file.
        NameFile(QStringLiteral("second"));
        QVERIFY(page_->StatusText().isEmpty());
    }

    void aFailedSaveLeavesNoSavedLine() {
        NameFile(QStringLiteral("report"));
        page_->SaveFile_Click();
        QDir(folder_).mkdir(QStringLiteral("gone"));
        page_->FolderListBox()->SetPath(folder_ + QStringLiteral("/gone"));
        NameFile(QStringLiteral("report"));
        QDir(folder_ + QStringLiteral("/gone")).removeRecursively();
        QCOMPARE(page_->SaveFile_Click(), SaveOutcome::kFailed);
        QVERIFY(page_->StatusText().isEmpty());
    }

    void reopenedThePageShowsTheFileItWillWrite() {
        NameFile(QStringLiteral("kept"));
        QCOMPARE(page_->SaveFile_Click(), SaveOutcome::kWritten);
        ctx_->pages.Unload(page_);
        QTest::qWait(0);
        QVERIFY(!ctx_->pages.IsLoaded(QStringLiteral("SaveResults")));
        // Opened again from elsewhere: the page names the remembered file and lists its folder.
        QDir(folder_).mkdir(QStringLiteral("elsewhere"));
        OpenPageIn(folder_ + QStringLiteral("/elsewhere"));
        QCOMPARE(page_->FileNameLabelText(), QStringLiteral("kept.txt"));
        QCOMPARE(page_->FileListBox()->Path(), folder_);
        QCOMPARE(page_->FileListBox()->FileName(), QStringLiteral("kept.txt"));
        QCOMPARE(QString::fromStdString(State().ReportFileName),
                 folder_ + QStringLiteral("/kept.txt"));
        // Save asks before replacing the file the page shows.
        ctx_->dialogBackend.QueueButton(kMsgYes);
        QCOMPARE(page_->SaveFile_Click(), SaveOutcome::kWritten);
        QCOMPARE(ctx_->Shown().last(),
                 QStringLiteral("question:Pre-existing Filename|File already exists -- "
                                "overwrite it?"));
    }

    void aFirstVisitShowsNoName() {
        QVERIFY(State().ReportFileName.empty());
        QVERIFY(page_->FileNameLabelText().isEmpty());
        QCOMPARE(page_->FileListBox()->FileName(), QString());
    }
};

QTEST_MAIN(SaveResultsPageTest)
#include "SaveResultsPageTest.moc"
