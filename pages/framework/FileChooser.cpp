#include "pages/framework/FileChooser.h"

namespace mnemex {

void ChainFileLists(DriveList& drive, FolderList& folder, FileList& files) {
    QObject::connect(&drive, &DriveList::Change, &folder, [&drive, &folder] {
        if (!folder.SetPath(drive.FolderOnDrive())) {
            folder.SetPath(drive.Drive());
        }
    });
    QObject::connect(&folder, &FolderList::Change, &files, [&drive, &folder, &files] {
        drive.RememberFolder(folder.Path());
        files.SetPath(folder.Path());
    });
    drive.RememberFolder(folder.Path());
    files.SetPath(folder.Path());
}

}  // namespace mnemex
