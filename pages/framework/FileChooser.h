#pragma once
// The drive, folder and file lists working as one chooser.

#include "pages/framework/DriveList.h"
#include "pages/framework/FileList.h"
#include "pages/framework/FolderList.h"

namespace mnemex {

// Chains the three lists as the pages chain them: a drive change moves the folder list to
// that drive's folder, a folder change moves the file list to that folder (and remembers it
// as the drive's folder). Also puts the file list on the folder list's folder now. A page's
// own Change handlers connected after this call run after the chain has moved the lists.
void ChainFileLists(DriveList& drive, FolderList& folder, FileList& files);

}  // namespace mnemex
