#pragma once
// Where the drive list gets its drives. On Linux a "drive" is the file system root or a
// mounted volume; tests hand in their own list.

#include <QString>
#include <QStringList>
#include <vector>

namespace mnemex {

struct Drive {
    QString root;   // absolute path of the volume's root, e.g. "/" or "/media/usb"
    QString label;  // the volume's name, may be empty
};

class DriveSource {
  public:
    virtual ~DriveSource() = default;
    // The drives to offer, in the order to show them.
    virtual std::vector<Drive> Drives() const = 0;
};

// The file system roots and the mounted volumes that hold user files (pseudo file
// systems such as proc, sysfs or cgroup left out).
class SystemDriveSource : public DriveSource {
  public:
    std::vector<Drive> Drives() const override;
};

// A fixed list, for tests.
class FixedDriveSource : public DriveSource {
  public:
    explicit FixedDriveSource(std::vector<Drive> drives) : drives_(std::move(drives)) {}
    std::vector<Drive> Drives() const override { return drives_; }

  private:
    std::vector<Drive> drives_;
};

// True for file system types that hold no user files.
bool IsPseudoFileSystem(const QString& fileSystemType, const QString& root);

// The drive whose root is the longest prefix of `path` (the drive that holds it), or -1.
int DriveHolding(const std::vector<Drive>& drives, const QString& path);

}  // namespace mnemex
