#include "pages/framework/DriveList.h"

#include <QDir>

namespace mnemex {

DriveList::DriveList(const DriveSource& source, QWidget* parent)
    : QComboBox(parent), source_(source) {
    setAccessibleName(QStringLiteral("Drives"));
    Fill();
    RememberFolder(QDir::currentPath());
    const int holding = DriveHolding(drives_, QDir::currentPath());
    filling_ = true;
    setCurrentIndex(holding >= 0 ? holding : (drives_.empty() ? -1 : 0));
    filling_ = false;
    connect(this, &QComboBox::currentIndexChanged, this, [this](int) {
        if (!filling_) {
            emit Change();
        }
    });
}

QString DriveList::Drive() const {
    const int k = currentIndex();
    return k >= 0 && k < static_cast<int>(drives_.size())
               ? drives_[static_cast<std::size_t>(k)].root
               : QString();
}

bool DriveList::SetDrive(const QString& path) {
    const int k = DriveHolding(drives_, QDir(path).absolutePath());
    if (k < 0) {
        return false;
    }
    setCurrentIndex(k);
    return true;
}

bool DriveList::ShowDriveOf(const QString& folder) {
    const int k = DriveHolding(drives_, QDir(folder).absolutePath());
    if (k < 0) {
        return false;
    }
    const bool wasFilling = filling_;
    filling_ = true;
    setCurrentIndex(k);
    filling_ = wasFilling;
    return true;
}

QString DriveList::FolderOnDrive() const {
    const QString root = Drive();
    return folderOnDrive_.value(root, root);
}

void DriveList::RememberFolder(const QString& folder) {
    const int k = DriveHolding(drives_, folder);
    if (k >= 0) {
        folderOnDrive_.insert(drives_[static_cast<std::size_t>(k)].root, QDir::cleanPath(folder));
    }
}

void DriveList::Refresh() {
    const QString selected = Drive();
    filling_ = true;
    Fill();
    int k = -1;
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        if (drives_[i].root == selected) {
            k = static_cast<int>(i);
        }
    }
    setCurrentIndex(k >= 0 ? k : (drives_.empty() ? -1 : 0));
    filling_ = false;
    if (Drive() != selected) {
        emit Change();
    }
}

void DriveList::Fill() {
    const bool wasFilling = filling_;
    filling_ = true;
    clear();
    drives_ = source_.Drives();
    for (const auto& d : drives_) {
        addItem(d.label.isEmpty() ? d.root : QStringLiteral("%1  [%2]").arg(d.root, d.label));
    }
    filling_ = wasFilling;
}

}  // namespace mnemex
