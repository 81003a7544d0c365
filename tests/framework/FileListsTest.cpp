// The drive, folder and file lists on a temporary folder tree: what each lists, how a
// change of one moves the next, and what clicks do.

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "pages/framework/FileChooser.h"
#include "tests/support/ScriptedDialogBackend.h"

using mnemex::DriveList;
using mnemex::FileList;
using mnemex::FolderList;

namespace {

void Touch(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("1 1 1\n");
}

}  // namespace

class FileListsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void patternMatching_data();
    void patternMatching();
    void fileListShowsMatchingFilesOnly_data();
    void fileListShowsMatchingFilesOnly();
    void folderListShowsChainThenSubfolders();
    void doubleClickEntersAFolderAndMovesTheFileList();
    void settingTheSamePathRaisesNoChange();
    void aMissingFolderIsRefused();
    void driveChangeMovesFolderAndFileLists();
    void driveThatCannotBeOpenedPutsTheDriveListBack_data();
    void driveThatCannotBeOpenedPutsTheDriveListBack();
    void unreadableFolderShowsEmpty();
    void folderRemovedWhileShownListsEmpty();
    void clickAndDoubleClickSignals();
    void mouseDoubleClickReachesDblClick();
    void pseudoFileSystemsAreNotDrives_data();
    void pseudoFileSystemsAreNotDrives();
    void driveHoldingAPathIsTheLongestRoot();

  private:
    mnemex::ScriptedDialogBackend backend_;
    mnemex::Dialogs dialogs_{backend_, QStringLiteral("Mnemex")};
    QTemporaryDir tree_;
    QTemporaryDir other_;
    QString root_;
};

void FileListsTest::initTestCase() {
    QVERIFY(tree_.isValid() && other_.isValid());
    root_ = QDir::cleanPath(tree_.path());
    QDir r(root_);
    QVERIFY(r.mkpath("windows/system"));
    QVERIFY(r.mkpath("Data"));
    QVERIFY(r.mkpath("apps"));
    QVERIFY(r.mkpath(".hidden"));
    Touch(root_ + "/xor.net");
    Touch(root_ + "/AND.NET");
    Touch(root_ + "/notes.txt");
    Touch(root_ + "/net");
    Touch(root_ + "/windows/ST6UNST.EXE");
    Touch(root_ + "/windows/st6unst.exe");
    Touch(root_ + "/windows/other.exe");
    Touch(root_ + "/apps/st6unst.exe");
    Touch(QDir::cleanPath(other_.path()) + "/b.net");
}

void FileListsTest::patternMatching_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");
    QTest::newRow("extension") << "xor.net"
                               << "*.net" << true;
    QTest::newRow("extension in capitals") << "AND.NET"
                                           << "*.net" << true;
    QTest::newRow("longer extension") << "xor.netx"
                                      << "*.net" << false;
    QTest::newRow("no extension") << "net"
                                  << "*.net" << false;
    QTest::newRow("exact name") << "ST6UNST.EXE"
                                << "ST6UNST.EXE" << true;
    QTest::newRow("exact name, other case") << "st6unst.exe"
                                            << "ST6UNST.EXE" << false;
    QTest::newRow("exact name, longer") << "ST6UNST.EXE.bak"
                                        << "ST6UNST.EXE" << false;
    QTest::newRow("all files") << "README"
                               << "*.*" << true;
    QTest::newRow("one character") << "a.b"
                                   << "?.b" << true;
    QTest::newRow("two characters for one") << "ab.b"
                                            << "?.b" << false;
    QTest::newRow("second of two patterns") << "notes.txt"
                                            << "*.net;*.txt" << true;
    QTest::newRow("neither of two patterns") << "notes.doc"
                                             << "*.net;*.txt" << false;
    QTest::newRow("brackets are plain characters") << "[a].txt"
                                                   << "[a].*" << true;
    QTest::newRow("empty pattern") << "xor.net"
                                   << "" << false;
}

void FileListsTest::patternMatching() {
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(mnemex::MatchesPattern(name, pattern), matches);
}

void FileListsTest::fileListShowsMatchingFilesOnly_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("training files") << ""
                                    << "*.net" << QStringList{"AND.NET", "xor.net"};
    QTest::newRow("text files") << ""
                                << "*.txt" << QStringList{"notes.txt"};
    QTest::newRow("tool by exact name") << "windows"
                                        << "ST6UNST.EXE" << QStringList{"ST6UNST.EXE"};
    QTest::newRow("tool absent in lower case folder") << "apps"
                                                      << "ST6UNST.EXE" << QStringList{};
    QTest::newRow("every file") << "windows"
                                << "*.*" << QStringList{"other.exe", "ST6UNST.EXE", "st6unst.exe"};
    QTest::newRow("folder without files") << "Data"
                                          << "*.*" << QStringList{};
}

void FileListsTest::fileListShowsMatchingFilesOnly() {
    QFETCH(QString, folder);
    QFETCH(QString, pattern);
    QFETCH(QStringList, items);
    FileList files;
    files.SetPattern(pattern);
    files.SetPath(root_ + "/" + folder);
    QStringList listed = files.Items();
    // Names equal but for case may come in either order.
    if (pattern == "*.*" && folder == "windows") {
        std::sort(listed.begin() + 1, listed.end());
        std::sort(items.begin() + 1, items.end());
    }
    QCOMPARE(listed, items);
    QCOMPARE(files.ListCount(), items.size());
    QCOMPARE(files.ListIndex(), -1);
    QCOMPARE(files.FileName(), QString());
}

void FileListsTest::folderListShowsChainThenSubfolders() {
    FolderList folders;
    QVERIFY(folders.SetPath(root_ + "/windows"));
    const QStringList entries = folders.Entries();
    const QStringList chain = mnemex::FolderChain(root_ + "/windows");
    QCOMPARE(entries.first(), QStringLiteral("/"));
    QCOMPARE(entries.mid(0, chain.size()), chain);
    QCOMPARE(entries.at(folders.CurrentFolderRow()), root_ + "/windows");
    QCOMPARE(entries.at(folders.CurrentFolderRow() - 1), root_);
    QCOMPARE(entries.mid(folders.CurrentFolderRow() + 1), QStringList{root_ + "/windows/system"});
    QCOMPARE(folders.SubfolderCount(), 1);

    QVERIFY(folders.SetPath(root_));
    // Subfolders sorted ignoring case; hidden ones left out.
    QCOMPARE(folders.Entries().mid(folders.CurrentFolderRow() + 1),
             (QStringList{root_ + "/apps", root_ + "/Data", root_ + "/windows"}));
    // Each level is indented one step further than its parent.
    const QString current = folders.item(folders.CurrentFolderRow())->text();
    const QString sub = folders.item(folders.CurrentFolderRow() + 1)->text();
    QVERIFY(sub.indexOf(QLatin1Char('a')) > current.indexOf(current.trimmed()));
}

void FileListsTest::doubleClickEntersAFolderAndMovesTheFileList() {
    mnemex::FixedDriveSource source({{QStringLiteral("/"), {}}});
    DriveList drive(source);
    FolderList folders;
    FileList files;
    files.SetPattern("ST6UNST.EXE");
    folders.SetPath(root_);
    mnemex::ChainFileLists(drive, folders, files, dialogs_);
    QCOMPARE(files.Path(), root_);
    QSignalSpy folderChanges(&folders, &FolderList::Change);
    const int windowsRow = static_cast<int>(folders.Entries().indexOf(root_ + "/windows"));
    QVERIFY(windowsRow > 0);
    folders.OpenEntry(windowsRow);
    QCOMPARE(folderChanges.count(), 1);
    QCOMPARE(folders.Path(), root_ + "/windows");
    QCOMPARE(files.Path(), root_ + "/windows");
    QCOMPARE(files.Items(), QStringList{"ST6UNST.EXE"});
    // Up again through the parent's row.
    folders.OpenEntry(folders.CurrentFolderRow() - 1);
    QCOMPARE(folderChanges.count(), 2);
    QCOMPARE(files.Path(), root_);
    QCOMPARE(files.ListCount(), 0);
}

void FileListsTest::settingTheSamePathRaisesNoChange() {
    FolderList folders;
    folders.SetPath(root_);
    QSignalSpy changes(&folders, &FolderList::Change);
    QVERIFY(folders.SetPath(root_ + "/"));
    QVERIFY(folders.SetPath(root_ + "/windows/.."));
    QCOMPARE(changes.count(), 0);
    // Relative to the current folder.
    QVERIFY(folders.SetPath("Data"));
    QCOMPARE(folders.Path(), root_ + "/Data");
    QCOMPARE(changes.count(), 1);
}

void FileListsTest::aMissingFolderIsRefused() {
    FolderList folders;
    folders.SetPath(root_);
    QSignalSpy changes(&folders, &FolderList::Change);
    QVERIFY(!folders.SetPath(root_ + "/no such folder"));
    QVERIFY(!folders.SetPath(root_ + "/notes.txt"));
    QCOMPARE(folders.Path(), root_);
    QCOMPARE(changes.count(), 0);
    FileList files;
    files.SetPath(root_ + "/no such folder");
    QCOMPARE(files.ListCount(), 0);
}

void FileListsTest::driveChangeMovesFolderAndFileLists() {
    const QString otherRoot = QDir::cleanPath(other_.path());
    mnemex::FixedDriveSource source({{root_, {}}, {otherRoot, QStringLiteral("USB")}});
    DriveList drive(source);
    QCOMPARE(drive.count(), 2);
    QCOMPARE(drive.itemText(1), otherRoot + "  [USB]");
    FolderList folders;
    FileList files;
    files.SetPattern("*.net");
    QVERIFY(drive.SetDrive(root_));
    folders.SetPath(root_ + "/windows");
    mnemex::ChainFileLists(drive, folders, files, dialogs_);
    QSignalSpy driveChanges(&drive, &DriveList::Change);
    QSignalSpy folderChanges(&folders, &FolderList::Change);

    QVERIFY(drive.SetDrive(otherRoot));
    QCOMPARE(driveChanges.count(), 1);
    QCOMPARE(folderChanges.count(), 1);
    QCOMPARE(folders.Path(), otherRoot);
    QCOMPARE(files.Items(), QStringList{"b.net"});

    // Back to the first drive: to the folder last used there.
    folders.SetPath(otherRoot);
    drive.setCurrentIndex(0);  // as the user picks it
    QCOMPARE(driveChanges.count(), 2);
    QCOMPARE(folders.Path(), root_ + "/windows");
    QCOMPARE(files.Path(), root_ + "/windows");
    QCOMPARE(files.ListCount(), 0);
}

// A drive that is listed but cannot be opened (taken out, unmounted): the three lists stay
// together on the folder they showed, and the user is told.
void FileListsTest::driveThatCannotBeOpenedPutsTheDriveListBack_data() {
    QTest::addColumn<bool>("byUser");
    QTest::newRow("picked in the list") << true;
    QTest::newRow("set by the program") << false;
}

void FileListsTest::driveThatCannotBeOpenedPutsTheDriveListBack() {
    QFETCH(bool, byUser);
    const QString goneRoot = QDir::cleanPath(other_.path()) + "/not mounted";
    QVERIFY(!QDir(goneRoot).exists());
    mnemex::FixedDriveSource source({{root_, {}}, {goneRoot, QStringLiteral("USB")}});
    DriveList drive(source);
    FolderList folders;
    FileList files;
    files.SetPattern("ST6UNST.EXE");
    QVERIFY(drive.SetDrive(root_));
    folders.SetPath(root_ + "/windows");
    mnemex::ChainFileLists(drive, folders, files, dialogs_);
    backend_.shown.clear();
    QSignalSpy driveChanges(&drive, &DriveList::Change);
    QSignalSpy folderChanges(&folders, &FolderList::Change);

    if (byUser) {
        drive.setCurrentIndex(1);
    } else {
        QVERIFY(drive.SetDrive(goneRoot));
    }
    QCOMPARE(drive.Drive(), root_);
    QCOMPARE(drive.currentIndex(), 0);
    QCOMPARE(driveChanges.count(), 1);  // going back raises no second change
    QCOMPARE(folderChanges.count(), 0);
    QCOMPARE(folders.Path(), root_ + "/windows");
    QCOMPARE(files.Path(), root_ + "/windows");
    QCOMPARE(files.Items(), QStringList{"ST6UNST.EXE"});
    QCOMPARE(backend_.shown.size(), std::size_t(1));
    QCOMPARE(backend_.shown[0].text, "The drive \"" + goneRoot +
                                         "\" cannot be opened.\nThe lists stay on \"" + root_ +
                                         "/windows\".");
    QCOMPARE(backend_.shown[0].title, QStringLiteral("Mnemex"));
    QCOMPARE(backend_.shown[0].style, mnemex::MsgStyle::OkOnly);

    // The drive is usable again as soon as it is there.
    QVERIFY(QDir().mkpath(goneRoot));
    drive.setCurrentIndex(1);
    QCOMPARE(folders.Path(), goneRoot);
    QCOMPARE(backend_.shown.size(), std::size_t(1));
    QVERIFY(QDir(goneRoot).removeRecursively());
}

void FileListsTest::unreadableFolderShowsEmpty() {
    const QString locked = root_ + "/locked";
    QVERIFY(QDir(root_).mkpath("locked/inner"));
    Touch(locked + "/secret.net");
    QFile::setPermissions(locked, QFileDevice::Permissions{});
    if (QDir(locked).entryList(QDir::Files).contains("secret.net")) {
        QFile::setPermissions(
            locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QSKIP("This user reads folders whatever their permissions (root)");
    }
    FolderList folders;
    FileList files;
    files.SetPattern("*.net");
    QVERIFY(folders.SetPath(locked));
    files.SetPath(folders.Path());
    QCOMPARE(folders.SubfolderCount(), 0);
    QCOMPARE(folders.Entries().last(), locked);
    QCOMPARE(files.ListCount(), 0);
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void FileListsTest::folderRemovedWhileShownListsEmpty() {
    QVERIFY(QDir(root_).mkpath("gone/sub"));
    Touch(root_ + "/gone/a.net");
    FolderList folders;
    FileList files;
    files.SetPattern("*.net");
    QVERIFY(folders.SetPath(root_ + "/gone"));
    files.SetPath(folders.Path());
    QCOMPARE(folders.SubfolderCount(), 1);
    QCOMPARE(files.ListCount(), 1);
    QVERIFY(QDir(root_ + "/gone").removeRecursively());
    folders.Refresh();
    files.Refresh();
    QCOMPARE(folders.SubfolderCount(), 0);
    QCOMPARE(folders.Entries().last(), root_ + "/gone");
    QCOMPARE(files.ListCount(), 0);
}

void FileListsTest::clickAndDoubleClickSignals() {
    FileList files;
    files.SetPattern("*.net");
    files.SetPath(root_);
    QSignalSpy clicks(&files, &FileList::Click);
    QSignalSpy doubles(&files, &FileList::DblClick);
    files.ClickItem(1);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(files.FileName(), QStringLiteral("xor.net"));
    files.DoubleClickItem(0);
    QCOMPARE(doubles.count(), 1);
    QCOMPARE(files.FileName(), QStringLiteral("AND.NET"));
    QCOMPARE(files.ListIndex(), 0);
    // Selecting from code raises no Click; a row outside the list raises nothing.
    files.SetListIndex(1);
    files.ClickItem(7);
    files.DoubleClickItem(-1);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(doubles.count(), 1);
    QCOMPARE(files.FileName(), QStringLiteral("xor.net"));
    // Listing another folder drops the selection.
    files.SetPath(QDir::cleanPath(other_.path()));
    QCOMPARE(files.ListIndex(), -1);
    QCOMPARE(files.FileName(), QString());
}

void FileListsTest::mouseDoubleClickReachesDblClick() {
    FileList files;
    files.SetPattern("*.net");
    files.SetPath(root_);
    files.resize(200, 150);
    files.show();
    QVERIFY(QTest::qWaitForWindowExposed(&files));
    QSignalSpy doubles(&files, &FileList::DblClick);
    QSignalSpy clicks(&files, &FileList::Click);
    const QPoint at = files.visualItemRect(files.item(1)).center();
    QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(clicks.count(), 1);
    QTest::mouseDClick(files.viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(doubles.count(), 1);
    QCOMPARE(files.FileName(), QStringLiteral("xor.net"));

    FolderList folders;
    folders.SetPath(root_);
    folders.resize(200, 400);
    folders.show();
    QVERIFY(QTest::qWaitForWindowExposed(&folders));
    QSignalSpy changes(&folders, &FolderList::Change);
    const int dataRow = static_cast<int>(folders.Entries().indexOf(root_ + "/Data"));
    const QPoint row = folders.visualItemRect(folders.item(dataRow)).center();
    // A double-click is a click, then the second press.
    QTest::mouseClick(folders.viewport(), Qt::LeftButton, {}, row);
    QCOMPARE(changes.count(), 0);
    QTest::mouseDClick(folders.viewport(), Qt::LeftButton, {}, row);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(folders.Path(), root_ + "/Data");
}

void FileListsTest::pseudoFileSystemsAreNotDrives_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("root");
    QTest::addColumn<bool>("pseudo");
    QTest::newRow("root file system") << "ext4"
                                      << "/" << false;
    QTest::newRow("root on overlay") << "overlay"
                                     << "/" << false;
    QTest::newRow("usb stick") << "vfat"
                               << "/media/user/USB" << false;
    QTest::newRow("home volume") << "btrfs"
                                 << "/home" << false;
    QTest::newRow("proc") << "proc"
                          << "/proc" << true;
    QTest::newRow("cgroup") << "cgroup2"
                            << "/sys/fs/cgroup" << true;
    QTest::newRow("run tmpfs") << "tmpfs"
                               << "/run/user/1000" << true;
    QTest::newRow("bind mount under /dev") << "ext4"
                                           << "/dev/something" << true;
    QTest::newRow("snap") << "squashfs"
                          << "/snap/core/1" << true;
}

void FileListsTest::pseudoFileSystemsAreNotDrives() {
    QFETCH(QString, type);
    QFETCH(QString, root);
    QFETCH(bool, pseudo);
    QCOMPARE(mnemex::IsPseudoFileSystem(type, root), pseudo);
}

void FileListsTest::driveHoldingAPathIsTheLongestRoot() {
    const std::vector<mnemex::Drive> drives{{"/", {}}, {"/media/usb", {}}, {"/media/usb2", {}}};
    QCOMPARE(mnemex::DriveHolding(drives, "/home/user"), 0);
    QCOMPARE(mnemex::DriveHolding(drives, "/media/usb"), 1);
    QCOMPARE(mnemex::DriveHolding(drives, "/media/usb/data/x.net"), 1);
    QCOMPARE(mnemex::DriveHolding(drives, "/media/usb2/a"), 2);
    QCOMPARE(mnemex::DriveHolding(drives, "/media/usbstick"), 0);
    // The system's own list always starts with the root.
    const auto system = mnemex::SystemDriveSource().Drives();
    QVERIFY(!system.empty());
    QCOMPARE(system.front().root, QStringLiteral("/"));
}

QTEST_MAIN(FileListsTest)
#include "FileListsTest.moc"
