// The report page as the user works it: naming files, folders, ticking boxes, saving.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

#include "ResultTestSupport.h"
#include "reports/FolderLists.h"
#include "reports/PageControls.h"
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

    PublicStuff state_;
    ScriptedDialogs dialogs_;
    QString folder_;
    QString startFolder_ = QDir::currentPath();
    std::unique_ptr<SaveResultsPage> page_;

    void OpenPageIn(const QString& folder) {
        QDir::setCurrent(folder);
        page_ = std::make_unique<SaveResultsPage>(state_);
        page_->SetDialogs(&dialogs_);
        page_->SetAnalysisTime({"08.12.2026", "01:02:03"});
    }
    void Untick() {
        for (int k = 0; k < 7; ++k)
            page_->Check1(k)->setChecked(false);
    }
    void NameFile(const QString& answer) {
        dialogs_.PromptAnswers << answer;
        page_->FileButton_Click();
    }

  private slots:
    void init() {
        state_ = SmallTrainedNetwork();
        dialogs_ = ScriptedDialogs();
        folder_ = TestFolder();
        OpenPageIn(folder_);
    }
    void cleanup() {
        page_.reset();
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
            QCOMPARE(page_->Check1(k)->text(), QLatin1String(captions[k]));
            QCOMPARE(page_->Check1(k)->isChecked(), ticked[k]);
        }
        QCOMPARE(page_->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Corlan Distributed Associative Memory Program 2003 Edition"));
        QCOMPARE(page_->findChild<QLabel*>(QStringLiteral("FileLabel"))->text(),
                 QStringLiteral("Name Of File To Be Saved:"));
        QCOMPARE(page_->findChild<CaptionButton*>(QStringLiteral("SaveFile"))->Caption(),
                 QStringLiteral("Save The File"));
        QVERIFY(page_->FileNameLabelText().isEmpty());
        QCOMPARE(page_->File1()->Path(), folder_);
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
        QCOMPARE(dialogs_.Prompts,
                 QStringList{QStringLiteral("Name File|Enter name of file to save:")});
        QCOMPARE(page_->FileNameLabelText(), name);
        QCOMPARE(QString::fromStdString(state_.ReportFileName), folder_ + QLatin1Char('/') + name);
    }

    void cancellingTheNameEmptiesTheChoiceButKeepsTheLabel() {
        NameFile(QStringLiteral("report"));
        NameFile(QString());
        QVERIFY(state_.ReportFileName.empty());
        QCOMPARE(page_->FileNameLabelText(), QStringLiteral("report.txt"));
        QCOMPARE(page_->SaveFile_Click(), SaveOutcome::kNoFileChosen);
        QVERIFY(!QFile::exists(folder_ + QStringLiteral("/report.txt")));
        QVERIFY(dialogs_.Messages.isEmpty());
    }

    void withNoBoxTickedSavesOnlyTheHeader() {
        Untick();
        NameFile(QStringLiteral("report"));
        QCOMPARE(page_->SaveFile_Click(), SaveOutcome::kWritten);
        QCOMPARE(ReadBytes(folder_ + QStringLiteral("/report.txt")), kHeader);
        QVERIFY(dialogs_.Messages.isEmpty());
        QVERIFY(dialogs_.Questions.isEmpty());
    }

    void savesSectionsInTheirOrderWhateverTheTickingOrder() {
        Untick();
        page_->Check1(6)->setChecked(true);
        page_->Check1(0)->setChecked(true);
        page_->Check1(4)->setChecked(true);
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
        dialogs_.YesNoAnswers << false;
        QCOMPARE(page_->SaveFile_Click(), SaveOutcome::kDeclined);
        QCOMPARE(dialogs_.Questions,
                 QStringList{
                     QStringLiteral("Pre-existing Filename|File already exists -- overwrite it?")});
        QCOMPARE(ReadBytes(old.fileName()), QByteArray("yesterday's report"));

        dialogs_.YesNoAnswers << true;
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
        page_->File1()->Refresh();
        QCOMPARE(page_->File1()->count(), 1);
        QCOMPARE(page_->File1()->item(0)->text(), QStringLiteral("listed.txt"));
        QTest::mouseClick(page_->File1()->viewport(), Qt::LeftButton, {},
                          page_->File1()->visualItemRect(page_->File1()->item(0)).center());
        QCOMPARE(page_->FileNameLabelText(), QStringLiteral("listed.txt"));
        QCOMPARE(QString::fromStdString(state_.ReportFileName), listed.fileName());
    }

    void createsAFolderAndMovesTheListsThere() {
        dialogs_.PromptAnswers << QStringLiteral("runs");
        page_->DirButton_Click();
        QCOMPARE(dialogs_.Prompts,
                 QStringList{QStringLiteral("Create Directory|Enter name of directory:")});
        QVERIFY(QFileInfo(folder_ + QStringLiteral("/runs")).isDir());
        QCOMPARE(page_->Dir1()->Path(), folder_ + QStringLiteral("/runs"));
        QCOMPARE(page_->File1()->Path(), folder_ + QStringLiteral("/runs"));
        QCOMPARE(QDir::currentPath(), folder_ + QStringLiteral("/runs"));
        NameFile(QStringLiteral("in-runs"));
        QCOMPARE(QString::fromStdString(state_.ReportFileName),
                 folder_ + QStringLiteral("/runs/in-runs.txt"));
    }

    void anExistingFolderNameIsExplained() {
        QDir(folder_).mkdir(QStringLiteral("runs"));
        dialogs_.PromptAnswers << QStringLiteral("runs");
        page_->DirButton_Click();
        QCOMPARE(dialogs_.Messages,
                 QStringList{QStringLiteral("The directory could not be created:\r") + folder_ +
                             QStringLiteral("/runs\rA file or directory of that name already "
                                            "exists.")});
        QCOMPARE(page_->File1()->Path(), folder_);
    }

    void aCancelledFolderPromptCreatesNothing() {
        dialogs_.PromptAnswers << QString();
        page_->DirButton_Click();
        QCOMPARE(QDir(folder_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void aFolderThatVanishedIsExplainedAndNothingIsWritten() {
        QDir(folder_).mkdir(QStringLiteral("gone"));
        page_->Dir1()->SetPath(folder_ + QStringLiteral("/gone"));
        NameFile(QStringLiteral("report"));
        QDir(folder_ + QStringLiteral("/gone")).removeRecursively();
        QCOMPARE(page_->SaveFile_Click(), SaveOutcome::kFailed);
        QCOMPARE(dialogs_.Messages.size(), 1);
        QVERIFY(
            dialogs_.Messages[0].startsWith(QStringLiteral("The report could not be saved to:\r") +
                                            folder_ + QStringLiteral("/gone/report.txt\r")));
        QVERIFY(dialogs_.Messages[0].contains(QStringLiteral("No such file or directory")));
        QVERIFY(page_->isEnabled());
    }

    void theChoiceOutlivesThePageButTheLabelStartsEmpty() {
        NameFile(QStringLiteral("kept"));
        page_.reset();
        OpenPageIn(folder_);
        QVERIFY(page_->FileNameLabelText().isEmpty());
        QCOMPARE(QString::fromStdString(state_.ReportFileName),
                 folder_ + QStringLiteral("/kept.txt"));
        QCOMPARE(page_->SaveFile_Click(), SaveOutcome::kWritten);
        QVERIFY(QFile::exists(folder_ + QStringLiteral("/kept.txt")));
    }
};

QTEST_MAIN(SaveResultsPageTest)
#include "SaveResultsPageTest.moc"
