// The uninstaller as the user meets it: Yes or Cancel, the log check, where the tool is looked
// for, what the tool is started with, the NotFound page and every message on the way.

#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "FakeFileSystem.h"
#include "FakeOs.h"
#include "LinuxOsServices.h"
#include "NotFoundPage.h"
#include "Program.h"
#include "StartPage.h"
#include "TempTree.h"
#include "UninstallPage.h"
#include "tests/support/CaptionFit.h"
#include "tests/support/ScriptedDialogBackend.h"

using namespace mnemex::uninstall;

namespace {

const QString kLog = "/opt/Mnemex Apps/lib/mnemex/uninstall/ST6UNST.LOG";
const QString kWindowsTool = "/opt/Mnemex Apps/lib/mnemex/system/ST6UNST.EXE";
const QString kLogMissing =
    "The installation log file is not in the expected location.\nUninstall cannot run.\n"
    "Please try using the add/remove programs option in the control panel.";
const QString kGaveUp =
    "A necessary executable file cannot be found.\nUninstall cannot run.\n"
    "Please try using the add/remove programs option in the control panel.";
const QString kRunTimeError =
    "Error - Uninstall cannot run.\n"
    "Please try using the add/remove programs option in the control panel.";

QString Q(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

}  // namespace

class UninstallerFlowTest : public QObject {
    Q_OBJECT

    struct Run {
        FakeOs os;
        mnemex::ScriptedDialogBackend dialogs;
        mnemex::FixedDriveSource drives{{{"/", ""}}};
        int ends = 0;
        Program program{os, dialogs, drives, [this] { ++ends; }};

        QStringList Messages() const {
            QStringList texts;
            for (const auto& shown : dialogs.shown) {
                texts << shown.text;
            }
            return texts;
        }
        // Start page shown, then Yes pressed, as the user does it.
        void ConfirmUninstall() {
            program.Run([this] { program.Show(program.LoadStart()); });
            QTest::mouseClick(program.Start()->YesButton(), Qt::LeftButton);
        }
    };

  private slots:
    void cleanup() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void yesRunsTheSearch_data() {
        QTest::addColumn<bool>("logPresent");
        QTest::addColumn<bool>("toolInWindowsDirectory");
        QTest::addColumn<QString>("searchFinds");
        QTest::addColumn<bool>("searchFails");
        QTest::addColumn<bool>("startFails");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("searches");
        QTest::addColumn<QStringList>("started");
        QTest::addColumn<bool>("notFoundShown");

        QTest::newRow("log missing: message before any search")
            << false << true << "" << false << false << QStringList{kLogMissing} << QStringList{}
            << QStringList{} << false;
        QTest::newRow("tool in the Windows directory: no search")
            << true << true << "/elsewhere/ST6UNST.EXE" << false << false << QStringList{}
            << QStringList{}
            << QStringList{"\"/opt/Mnemex Apps/lib/mnemex/system/ST6UNST.EXE\" -n "
                           "\"/opt/Mnemex Apps/lib/mnemex/uninstall/ST6UNST.LOG\""}
            << false;
        QTest::newRow("tool found by the search from the root")
            << true << false << "/usr/share/some where/ST6UNST.EXE" << false << false
            << QStringList{} << QStringList{"/|ST6UNST.EXE"}
            << QStringList{"\"/usr/share/some where/ST6UNST.EXE\" -n "
                           "\"/opt/Mnemex Apps/lib/mnemex/uninstall/ST6UNST.LOG\""}
            << false;
        QTest::newRow("tool nowhere: NotFound page, no message")
            << true << false << "" << false << false << QStringList{}
            << QStringList{"/|ST6UNST.EXE"} << QStringList{} << true;
        QTest::newRow("search cannot run: NotFound page, no message")
            << true << false << "" << true << false << QStringList{} << QStringList{"/|ST6UNST.EXE"}
            << QStringList{} << true;
        QTest::newRow("tool cannot be started: run-time error message")
            << true << true << "" << false << true << QStringList{kRunTimeError} << QStringList{}
            << QStringList{} << false;
    }
    void yesRunsTheSearch() {
        QFETCH(bool, logPresent);
        QFETCH(bool, toolInWindowsDirectory);
        QFETCH(QString, searchFinds);
        QFETCH(bool, searchFails);
        QFETCH(bool, startFails);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, searches);
        QFETCH(QStringList, started);
        QFETCH(bool, notFoundShown);

        Run run;
        if (logPresent) {
            run.os.files << kLog;
        }
        if (toolInWindowsDirectory) {
            run.os.files << kWindowsTool;
        }
        run.os.searchFinds = searchFinds;
        run.os.searchFails = searchFails;
        run.os.startFails = startFails;
        run.ConfirmUninstall();

        QCOMPARE(run.Messages(), messages);
        for (const auto& shown : run.dialogs.shown) {
            QCOMPARE(shown.title, QString("uninstall-Mnemex"));
            QCOMPARE(shown.style, mnemex::MsgStyle::OkOnly);
        }
        QCOMPARE(run.os.searches, searches);
        QCOMPARE(run.os.started, started);
        QCOMPARE(run.program.Start(), nullptr);  // Start is gone whichever way it went
        if (notFoundShown) {
            QVERIFY(!run.program.Ended());
            QVERIFY(run.program.NotFound() && run.program.NotFound()->isVisible());
            QVERIFY(run.program.Uninstall() && !run.program.Uninstall()->isVisible());
            QCOMPARE(run.program.Vars().NotFoundUsed, qint16(1));
        } else {
            QVERIFY(run.program.Ended());
            QCOMPARE(run.ends, 1);
        }
    }

    void statusLineSaysItIsCheckingWhileTheLogMessageIsUp() {
        struct Watching : mnemex::ScriptedDialogBackend {
            Program* program = nullptr;
            QString status;
            bool pageVisible = false;
            int ShowMessage(const QString& text, mnemex::MsgStyle style,
                            const QString& title) override {
                status = program->Uninstall()->StatusLabel()->text();
                pageVisible = program->Uninstall()->isVisible();
                return ScriptedDialogBackend::ShowMessage(text, style, title);
            }
        } dialogs;
        FakeOs os;
        mnemex::FixedDriveSource drives{{{"/", ""}}};
        Program program(os, dialogs, drives, [] {});
        dialogs.program = &program;
        program.Run([&] { program.Show(program.LoadStart()); });
        QTest::mouseClick(program.Start()->YesButton(), Qt::LeftButton);
        QCOMPARE(dialogs.status, QString("Checking for ST6UNST.LOG..."));
        QVERIFY(dialogs.pageVisible);
    }

    void closingTheUninstallPageAsItAppearsStopsEverything() {
        Run run;
        run.os.files << kLog;
        run.os.searchFinds = "/found/ST6UNST.EXE";
        run.os.onAppFolder = [&run] {
            QMetaObject::invokeMethod(
                qApp, [&run] { run.program.Uninstall()->close(); }, Qt::QueuedConnection);
        };
        run.ConfirmUninstall();
        QVERIFY(run.program.Ended());
        QVERIFY(run.os.searches.isEmpty());
        QVERIFY(run.os.started.isEmpty());
        QVERIFY(run.dialogs.shown.empty());
    }

    // The real services with a search root whose first folder never answers (a dead network
    // mount): the page is served while the search waits, and the limit, or the user closing
    // the window, ends the wait.
    void hungSearch_data() {
        QTest::addColumn<bool>("userCloses");
        QTest::newRow("limit reached: NotFound page") << false;
        QTest::newRow("window closed: program ends at once") << true;
    }
    void hungSearch() {
        QFETCH(bool, userCloses);
        struct HungOs : LinuxOsServices {
            explicit HungOs(std::shared_ptr<FileSystemView> view, std::chrono::milliseconds limit)
                : LinuxOsServices(limit, std::move(view)) {}
            QString AppFolder() override { return "/opt/Mnemex Apps/lib/mnemex/uninstall"; }
            bool FileExists(const QString& path) override { return path == kLog; }
            QString GetWindowsDirectory() override { return "/nowhere"; }
            bool StartProgram(const QString& commandLine) override {
                started << commandLine;
                return true;
            }
            QStringList started;
        };
        auto view = std::make_shared<FakeFileSystem>();
        view->AddFolder("/hung mount");
        view->AddFile("/later/ST6UNST.EXE");
        view->Hang("/hung mount");
        HungOs os(view, userCloses ? std::chrono::minutes(10) : std::chrono::milliseconds(400));
        mnemex::ScriptedDialogBackend dialogs;
        mnemex::FixedDriveSource drives{{{"/", ""}}};
        Program program(os, dialogs, drives, [] {});
        os.SetSearchWait([&program] {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            return !program.Ended();
        });
        QString statusWhileSearching;
        bool shownWhileSearching = false;
        QTimer::singleShot(150, [&] {
            if (UninstallPage* page = program.Uninstall()) {
                statusWhileSearching = page->StatusLabel()->text();
                shownWhileSearching = page->isVisible();
                if (userCloses) {
                    page->close();
                }
            }
        });
        program.Run([&] { program.Show(program.LoadStart()); });
        QTest::mouseClick(program.Start()->YesButton(), Qt::LeftButton);

        QCOMPARE(statusWhileSearching, QString("Checking for ST6UNST.LOG..."));
        QVERIFY(shownWhileSearching);
        QVERIFY(os.started.isEmpty());
        QVERIFY(dialogs.shown.empty());
        if (userCloses) {
            QVERIFY(program.Ended());
            QVERIFY(!program.NotFound());
        } else {
            QVERIFY(!program.Ended());
            QVERIFY(program.NotFound() && program.NotFound()->isVisible());
        }
        view->Release();
    }

    void cancelOrClosingStartEndsWithoutAnything_data() {
        QTest::addColumn<bool>("closeWindow");
        QTest::newRow("Cancel") << false;
        QTest::newRow("window closed") << true;
    }
    void cancelOrClosingStartEndsWithoutAnything() {
        QFETCH(bool, closeWindow);
        Run run;
        run.os.files << kLog << kWindowsTool;
        run.program.Run([&] { run.program.Show(run.program.LoadStart()); });
        QPointer<StartPage> start = run.program.Start();
        if (closeWindow) {
            start->close();
        } else {
            QTest::mouseClick(start->CancelButton(), Qt::LeftButton);
        }
        QVERIFY(run.program.Ended());
        QVERIFY(run.os.started.isEmpty());
        QVERIFY(run.dialogs.shown.empty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(start.isNull());
    }

    // The NotFound page, opened because the tool is nowhere; the current folder is `cwd`.
    void notFoundPage_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("expectedStart");  // tool folder relative to the tree, or ""
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("executableText");  // while the page is still up
        QTest::addColumn<QString>("status");          // the Uninstall page's status line at the end

        QTest::newRow("folder with the tool starts it at once")
            << "dir:tools dir"
            << "tools dir" << QStringList{} << ""
            << "File found.  Running Uninstallation...";
        QTest::newRow("folder without it changes nothing")
            << "dir:empty"
            << "" << QStringList{} << "File not found."
            << "Checking for ST6UNST.LOG...";
        QTest::newRow("same name in lower case does not count")
            << "dir:lower"
            << "" << QStringList{} << "File not found."
            << "Checking for ST6UNST.LOG...";
        QTest::newRow("another drive moves the folder list there")
            << "drive"
            << "drive two" << QStringList{} << ""
            << "File found.  Running Uninstallation...";
        QTest::newRow("drive that cannot be opened: all lists stay, the user is told")
            << "drive-missing"
            << ""
            << QStringList{"The drive \"%TREE%/drive two\" cannot be opened.\n"
                           "The lists stay on \"%TREE%/drive one\"."}
            << "File not found."
            << "Checking for ST6UNST.LOG...";
        QTest::newRow("Continue gives up") << "continue"
                                           << "" << QStringList{kGaveUp} << ""
                                           << "File Not Found.";
        QTest::newRow("closing the window gives up") << "close"
                                                     << "" << QStringList{kGaveUp} << ""
                                                     << "File Not Found.";
        QTest::newRow("tool reached but cannot start") << "dir-failing:tools dir"
                                                       << "" << QStringList{kRunTimeError} << ""
                                                       << "File found.  Running Uninstallation...";
    }
    void notFoundPage() {
        QFETCH(QString, action);
        QFETCH(QString, expectedStart);
        QFETCH(QStringList, messages);
        QFETCH(QString, executableText);
        QFETCH(QString, status);

        TempTree tree;
        WriteFile(tree.root / "tools dir/ST6UNST.EXE", "tool");
        WriteFile(tree.root / "lower/st6unst.exe", "tool");
        WriteFile(tree.root / "drive two/ST6UNST.EXE", "tool");
        std::filesystem::create_directories(tree.root / "empty");
        std::filesystem::create_directories(tree.root / "drive one");
        const QString previousFolder = QDir::currentPath();
        QDir::setCurrent(Q(tree.root / "drive one"));

        Run run;
        run.drives = mnemex::FixedDriveSource{
            {{Q(tree.root / "drive one"), "one"}, {Q(tree.root / "drive two"), "two"}}};
        run.os.files << kLog;
        run.ConfirmUninstall();
        QPointer<NotFoundPage> page = run.program.NotFound();
        QPointer<UninstallPage> uninstall = run.program.Uninstall();
        QVERIFY(page);
        QCOMPARE(page->FolderListBox()->Path(), Q(tree.root / "drive one"));
        QCOMPARE(page->ExecutableBox()->text(), QString("File not found."));

        if (action.startsWith("dir-failing:")) {
            run.os.startFails = true;
        }
        if (action.contains(':')) {
            page->FolderListBox()->SetPath(Q(tree.root / action.section(':', 1).toStdString()));
        } else if (action == "drive") {
            page->DriveListBox()->SetDrive(Q(tree.root / "drive two"));
        } else if (action == "drive-missing") {
            std::filesystem::remove_all(tree.root / "drive two");
            page->DriveListBox()->SetDrive(Q(tree.root / "drive two"));
            QCOMPARE(page->FolderListBox()->Path(), Q(tree.root / "drive one"));
            QCOMPARE(page->DriveListBox()->Drive(), Q(tree.root / "drive one"));
            QCOMPARE(page->FileListBox()->Path(), Q(tree.root / "drive one"));
        } else if (action == "continue") {
            QTest::mouseClick(page->ContinueButton(), Qt::LeftButton);
        } else if (action == "close") {
            page->close();
        }

        messages.replaceInStrings("%TREE%", Q(tree.root));
        QCOMPARE(run.Messages(), messages);
        if (expectedStart.isEmpty()) {
            QVERIFY(run.os.started.isEmpty());
        } else {
            QCOMPARE(
                run.os.started,
                QStringList{
                    "\"" + Q(tree.root / expectedStart.toStdString()) +
                    "/ST6UNST.EXE\" -n \"/opt/Mnemex Apps/lib/mnemex/uninstall/ST6UNST.LOG\""});
        }
        if (!executableText.isEmpty()) {
            QVERIFY(!run.program.Ended());
            QVERIFY(page->isVisible());
            QCOMPARE(page->ExecutableBox()->text(), executableText);
        } else {
            QVERIFY(run.program.Ended());
            QCOMPARE(run.ends, 1);
        }
        QVERIFY(uninstall);  // still there until the event loop deletes it
        QCOMPARE(uninstall->StatusLabel()->text(), status);
        QDir::setCurrent(previousFolder);
    }

    void notFoundListsTheCurrentFolderWithoutPickingAndDoubleClickShowsTheName() {
        TempTree tree;
        WriteFile(tree.root / "here/ST6UNST.EXE", "tool");
        const QString previousFolder = QDir::currentPath();
        QDir::setCurrent(Q(tree.root / "here"));
        Run run;
        run.os.files << kLog;
        run.ConfirmUninstall();
        NotFoundPage* page = run.program.NotFound();
        QVERIFY(page);
        QCOMPARE(page->FileListBox()->Items(), QStringList{"ST6UNST.EXE"});
        QVERIFY(run.os.started.isEmpty());
        QCOMPARE(page->ExecutableBox()->text(), QString("File not found."));
        page->FileListBox()->DoubleClickItem(0);
        QCOMPARE(page->ExecutableBox()->text(), QString("ST6UNST.EXE"));
        QVERIFY(run.os.started.isEmpty());
        QDir::setCurrent(previousFolder);
    }

    // Every text keeps the size the layout gives it and still reads whole in its box.
    void labelsKeepTheirStatedSizesAndFit() {
        Run run;
        run.os.files << kLog;
        run.program.Run([&] { run.program.Show(run.program.LoadStart()); });
        StartPage* start = run.program.Start();
        QCOMPARE(start->QuestionLabel()->font().pointSizeF(), 12.0);
        QCOMPARE(start->YesButton()->font().pointSizeF(), 12.0);
        QCOMPARE(start->CancelButton()->font().pointSizeF(), 12.0);
        QCOMPARE(mnemex::testsupport::ClippedCaptions(*start), QStringList());

        QTest::mouseClick(start->YesButton(), Qt::LeftButton);
        UninstallPage* uninstall = run.program.Uninstall();
        QCOMPARE(uninstall->HeadingLabel()->font().pointSizeF(), 9.75);
        QCOMPARE(mnemex::testsupport::ClippedCaptions(*uninstall), QStringList());

        NotFoundPage* page = run.program.NotFound();
        QCOMPARE(page->InstructionLabel()->font().pointSizeF(), 12.0);
        QVERIFY(page->InstructionLabel()->font().bold());
        QCOMPARE(page->GiveUpLabel()->font().pointSizeF(), 12.0);
        QCOMPARE(page->ContinueButton()->font().pointSizeF(), 12.0);
        const QStringList clipped = mnemex::testsupport::ClippedCaptions(*page);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
    }

    void pagesCarryTheirCaptionsAndTexts() {
        Run run;
        run.os.files << kLog;
        run.program.Run([&] { run.program.Show(run.program.LoadStart()); });
        StartPage* start = run.program.Start();
        QCOMPARE(start->windowTitle(), QString("Uninstall"));
        QCOMPARE(start->size(), QSize(232, 171));
        QCOMPARE(start->QuestionLabel()->text(), QString("Uninstall Mnemex?"));
        QVERIFY(start->QuestionLabel()->font().bold());
        QCOMPARE(start->YesButton()->text(), QString("Yes"));
        QCOMPARE(start->CancelButton()->text(), QString("Cancel"));

        QTest::mouseClick(start->YesButton(), Qt::LeftButton);
        UninstallPage* uninstall = run.program.Uninstall();
        QCOMPARE(uninstall->windowTitle(), QString("Uninstalling Mnemex"));
        QCOMPARE(uninstall->size(), QSize(285, 206));
        QCOMPARE(uninstall->HeadingLabel()->text(), QString("Uninstalling Mnemex ...."));

        NotFoundPage* page = run.program.NotFound();
        QCOMPARE(page->windowTitle(), QString("Executable Not Found"));
        QCOMPARE(page->size(), QSize(312, 372));
        QCOMPARE(page->InstructionLabel()->text(),
                 QString("The executable file \"ST6UNST.EXE\" could not be found.  Please indicate "
                         "its location.  (It is normally found in the \"Windows\" directory.)"));
        QCOMPARE(page->GiveUpLabel()->text(),
                 QString("If unable to find file please press continue."));
        QCOMPARE(page->ContinueButton()->text(), QString("Continue"));
        QCOMPARE(page->FileListBox()->Pattern(), QString("ST6UNST.EXE"));
    }
};

QTEST_MAIN(UninstallerFlowTest)
#include "UninstallerFlowTest.moc"
