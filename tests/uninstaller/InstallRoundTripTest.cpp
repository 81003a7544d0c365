// A real installation into a temporary prefix, removed again through the uninstaller's pages and
// the installed removal tool: every installed file goes, nothing else is touched.

#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <vector>

#include <memory>
#include "LinuxOsServices.h"
#include "NotFoundPage.h"
#include "Program.h"
#include "StartPage.h"

#include "TempTree.h"
#include "tests/support/ScriptedDialogBackend.h"

using namespace mnemex::uninstall;
namespace fs = std::filesystem;

namespace {

QString Q(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// The real services, placed in the installed uninstaller's folder, with the tree search's root
// ("/") moved to a small folder of the test's choosing.
struct InstalledOs : LinuxOsServices {
    QString appFolder;
    QString searchRoot;
    InstalledOs() : LinuxOsServices(std::chrono::seconds(10)) {}
    QString AppFolder() override { return appFolder; }
    int SearchTreeForFile(const QString& root, const QString& name, QString& found) override {
        return LinuxOsServices::SearchTreeForFile(root == "/" ? searchRoot : root, name, found);
    }
};

// Everything under folder that is not a folder, links included.
std::vector<fs::path> FilesUnder(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!fs::is_directory(entry.symlink_status())) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

class InstallRoundTripTest : public QObject {
    Q_OBJECT

    // Owned here, not only freed in cleanup(): a failing init() skips cleanup(), and the
    // installation must still go.
    std::unique_ptr<TempTree> tree_;
    fs::path prefix_;
    std::vector<fs::path> installed_;

    fs::path Log() const { return prefix_ / "lib/mnemex/uninstall/ST6UNST.LOG"; }
    fs::path Tool() const { return prefix_ / "lib/mnemex/system/ST6UNST.EXE"; }

    bool AllInstalledGone() const {
        return std::none_of(installed_.begin(), installed_.end(), [](const fs::path& file) {
            return fs::exists(fs::symlink_status(file));
        });
    }
    int InstalledStillThere() const {
        return static_cast<int>(std::count_if(
            installed_.begin(), installed_.end(),
            [](const fs::path& file) { return fs::exists(fs::symlink_status(file)); }));
    }
    void CheckNothingElseTouched() {
        QCOMPARE(ReadFile(tree_->root / "sentinel.txt"), std::string("next to the prefix"));
        QCOMPARE(ReadFile(prefix_ / "share/doc/other-program/README"), std::string("not ours"));
        QVERIFY(fs::is_directory(prefix_));
    }

  private slots:
    void init() {
        tree_ = std::make_unique<TempTree>();
        prefix_ = tree_->root / "Mnemex prefix";
        QProcess install;
        install.start(MNEMEX_CMAKE_COMMAND,
                      {"--install", MNEMEX_BUILD_DIR, "--prefix", Q(prefix_)});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
        installed_ = FilesUnder(prefix_);
        WriteFile(tree_->root / "sentinel.txt", "next to the prefix");
        WriteFile(prefix_ / "share/doc/other-program/README", "not ours");
    }
    void cleanup() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        tree_.reset();
    }

    void installationIsCompleteAndItsLogListsEveryFile() {
        const std::vector<fs::path> expected = {
            prefix_ / "bin/uninstall-Mnemex",
            prefix_ / "lib/mnemex/system/ST6UNST.EXE",
            prefix_ / "lib/mnemex/uninstall/ST6UNST.LOG",
            prefix_ / "lib/mnemex/uninstall/uninstall-Mnemex",
            prefix_ / "share/icons/hicolor/scalable/apps/mnemex.svg",
            prefix_ / "share/mime/packages/mnemex.xml",
        };
        for (const auto& file : expected) {
            QVERIFY2(std::find(installed_.begin(), installed_.end(), file) != installed_.end(),
                     file.c_str());
        }
        // The desktop entry starts the installed program by its full path, quoted for the blank.
        if (fs::exists(prefix_ / "bin/Mnemex")) {
            const std::string entry = ReadFile(prefix_ / "share/applications/mnemex.desktop");
            QVERIFY2(entry.find("\nExec=\"" + (prefix_ / "bin/Mnemex").string() + "\"\n") !=
                         std::string::npos,
                     entry.c_str());
            QVERIFY(entry.find("\nIcon=mnemex\n") != std::string::npos);
        }
        QCOMPARE(fs::read_symlink(prefix_ / "bin/uninstall-Mnemex"),
                 fs::path("../lib/mnemex/uninstall/uninstall-Mnemex"));
        std::vector<fs::path> logged;
        std::istringstream log(ReadFile(Log()));
        std::string line;
        std::getline(log, line);
        QCOMPARE(line, std::string("# Mnemex installation log"));
        while (std::getline(log, line)) {
            logged.emplace_back(line);
        }
        std::sort(logged.begin(), logged.end());
        QCOMPARE(logged, installed_);
    }

    // The user confirms; what follows depends on where the tool is.
    void uninstall_data() {
        QTest::addColumn<QString>("situation");
        QTest::newRow("tool in its system folder") << "system";
        QTest::newRow("tool moved, found by the tree search") << "search";
        QTest::newRow("tool moved, pointed at on the NotFound page") << "pointed";
    }
    void uninstall() {
        QFETCH(QString, situation);
        InstalledOs os;
        os.appFolder = Q(prefix_ / "lib/mnemex/uninstall");
        os.searchRoot = Q(tree_->root / "search root");
        fs::create_directories(tree_->root / "search root/empty");
        const fs::path hidden =
            tree_->root / (situation == "search" ? "search root/deep/er" : "hidden place");
        if (situation != "system") {
            fs::create_directories(hidden);
            fs::rename(Tool(), hidden / "ST6UNST.EXE");
        }
        mnemex::ScriptedDialogBackend dialogs;
        mnemex::FixedDriveSource drives{{{"/", ""}}};
        Program program(os, dialogs, drives, [] {});
        program.Run([&] { program.Show(program.LoadStart()); });
        QTest::mouseClick(program.Start()->YesButton(), Qt::LeftButton);
        if (situation == "pointed") {
            QVERIFY(program.NotFound());
            program.NotFound()->FolderListBox()->SetPath(Q(hidden));
        }
        QVERIFY(program.Ended());
        QVERIFY(dialogs.shown.empty());
        QVERIFY2(QTest::qWaitFor([this] { return AllInstalledGone(); }, 30000),
                 qPrintable(QString::number(InstalledStillThere()) + " installed files left"));
        CheckNothingElseTouched();
        // Folders the installation filled and left empty are gone too (the tool removes those
        // after the files, so it may still be at it).
        QVERIFY(QTest::qWaitFor([this] { return !fs::exists(prefix_ / "lib"); }, 10000));
        QVERIFY(!fs::exists(prefix_ / "bin"));
        QVERIFY(!fs::exists(prefix_ / "share/icons"));
        if (situation != "system") {
            QVERIFY(fs::exists(hidden / "ST6UNST.EXE"));  // not part of the installation
        }
    }

    // Nothing may be removed when the uninstaller cannot run.
    void nothingRemoved_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("message");
        QTest::newRow("log missing")
            << "no log"
            << "The installation log file is not in the expected location.\nUninstall cannot run.\n"
               "Please try using the add/remove programs option in the control panel.";
        QTest::newRow("user gives up on the NotFound page")
            << "continue"
            << "A necessary executable file cannot be found.\nUninstall cannot run.\n"
               "Please try using the add/remove programs option in the control panel.";
    }
    void nothingRemoved() {
        QFETCH(QString, situation);
        QFETCH(QString, message);
        InstalledOs os;
        os.appFolder = Q(prefix_ / "lib/mnemex/uninstall");
        os.searchRoot = Q(tree_->root / "search root");
        fs::create_directories(tree_->root / "search root");
        if (situation == "no log") {
            fs::rename(Log(), tree_->root / "ST6UNST.LOG");
            installed_.erase(std::find(installed_.begin(), installed_.end(), Log()));
        } else {
            fs::rename(Tool(), tree_->root / "ST6UNST.EXE");
            installed_.erase(std::find(installed_.begin(), installed_.end(), Tool()));
        }
        mnemex::ScriptedDialogBackend dialogs;
        mnemex::FixedDriveSource drives{{{"/", ""}}};
        Program program(os, dialogs, drives, [] {});
        program.Run([&] { program.Show(program.LoadStart()); });
        QTest::mouseClick(program.Start()->YesButton(), Qt::LeftButton);
        if (situation == "continue") {
            QVERIFY(program.NotFound());
            QTest::mouseClick(program.NotFound()->ContinueButton(), Qt::LeftButton);
        }
        QVERIFY(program.Ended());
        QCOMPARE(dialogs.shown.size(), std::size_t(1));
        QCOMPARE(dialogs.shown[0].text, message);
        QTest::qWait(500);  // a wrongly started tool would have removed something by now
        QCOMPARE(InstalledStillThere(), static_cast<int>(installed_.size()));
        CheckNothingElseTouched();
    }
};

QTEST_MAIN(InstallRoundTripTest)
#include "InstallRoundTripTest.moc"
