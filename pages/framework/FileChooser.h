#pragma once
// The drive, folder and file lists working as one chooser.

#include <QString>

#include "pages/framework/Dialogs.h"
#include "pages/framework/DriveList.h"
#include "pages/framework/FileList.h"
#include "pages/framework/FolderList.h"

namespace mnemex {

// Chains the three lists as the pages chain them: a drive change moves the folder list to
// that drive's folder (see OpenDriveFolder; a drive that cannot be opened is reported through
// `dialogs`), a folder change moves the file list to that folder (and remembers it as the
// drive's folder). Also puts the file list on the folder list's folder now. A page's own
// Change handlers connected after this call run after the chain has moved the lists.
void ChainFileLists(DriveList& drive, FolderList& folder, FileList& files, Dialogs& dialogs);

// What a drive change does to the folder list: it moves to the folder last used on the drive
// now chosen, else to the drive's root. When neither can be opened (a removable drive taken
// out, a mount gone) the drive list goes back to the drive of the folder the lists still show,
// without a further Change, and the answer is false: the caller tells the user.
bool OpenDriveFolder(DriveList& drive, FolderList& folder);

// The message for a drive that could not be opened; the lists stayed on `folder`.
QString DriveNotOpenedMessage(const QString& drive, const QString& folder);

}  // namespace mnemex
