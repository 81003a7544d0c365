#include "pages/framework/FileChooser.h"

namespace mnemex {

void ChainFileLists(DriveList& drive, FolderList& folder, FileList& files, Dialogs& dialogs) {
    QObject::connect(&drive, &DriveList::Change, &folder, [&drive, &folder, &dialogs] {
        const QString chosen = drive.Drive();
        if (!OpenDriveFolder(drive, folder)) {
            dialogs.MsgBox(DriveNotOpenedMessage(chosen, folder.Path()), MsgStyle::OkOnly);
        }
    });
    QObject::connect(&folder, &FolderList::Change, &files, [&drive, &folder, &files] {
        drive.RememberFolder(folder.Path());
        files.SetPath(folder.Path());
    });
    drive.RememberFolder(folder.Path());
    files.SetPath(folder.Path());
}

bool OpenDriveFolder(DriveList& drive, FolderList& folder) {
    if (folder.SetPath(drive.FolderOnDrive()) || folder.SetPath(drive.Drive())) {
        return true;
    }
    drive.ShowDriveOf(folder.Path());
    return false;
}

QString DriveNotOpenedMessage(const QString& drive, const QString& folder) {
    return QStringLiteral("The drive \"%1\" cannot be opened.").arg(drive) + QChar(13) +
           QStringLiteral("The lists stay on \"%1\".").arg(folder);
}

}  // namespace mnemex
