#pragma once
// The drive list: a drop-down of the drives a DriveSource offers. It remembers the last
// folder used on each drive, so coming back to a drive returns to that folder.

#include <QComboBox>
#include <QHash>
#include <vector>

#include "pages/framework/DriveSource.h"

namespace mnemex {

class DriveList : public QComboBox {
    Q_OBJECT
  public:
    // Lists the source's drives and selects the one holding the current folder.
    explicit DriveList(const DriveSource& source, QWidget* parent = nullptr);

    // Root path of the selected drive (empty when there is none).
    QString Drive() const;
    // Selects the drive holding `path`; emits Change when the drive changes. False if no drive
    // holds it.
    bool SetDrive(const QString& path);
    // Selects the drive holding `folder` without emitting Change: the list shows again the
    // drive the folder list is on. False if no drive holds it.
    bool ShowDriveOf(const QString& folder);
    // The folder to open on the selected drive: the last one remembered there, else its root.
    QString FolderOnDrive() const;
    // Remembers `folder` as the current folder of the drive that holds it.
    void RememberFolder(const QString& folder);
    // Lists the drives again, keeping the selection when that drive is still there.
    void Refresh();
    // The listed drives, in list order.
    const std::vector<mnemex::Drive>& Drives() const { return drives_; }

  signals:
    // The selected drive changed (by the user or by SetDrive).
    void Change();

  private:
    void Fill();

    const DriveSource& source_;
    std::vector<mnemex::Drive> drives_;
    QHash<QString, QString> folderOnDrive_;
    bool filling_ = false;
};

}  // namespace mnemex
