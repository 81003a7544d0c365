#include "pages/framework/DriveSource.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>
#include <algorithm>

namespace mnemex {

bool IsPseudoFileSystem(const QString& fileSystemType, const QString& root) {
    static const QSet<QString> pseudo = {
        QStringLiteral("proc"),        QStringLiteral("sysfs"),
        QStringLiteral("devtmpfs"),    QStringLiteral("devpts"),
        QStringLiteral("cgroup"),      QStringLiteral("cgroup2"),
        QStringLiteral("securityfs"),  QStringLiteral("pstore"),
        QStringLiteral("debugfs"),     QStringLiteral("tracefs"),
        QStringLiteral("configfs"),    QStringLiteral("fusectl"),
        QStringLiteral("mqueue"),      QStringLiteral("hugetlbfs"),
        QStringLiteral("bpf"),         QStringLiteral("binfmt_misc"),
        QStringLiteral("autofs"),      QStringLiteral("efivarfs"),
        QStringLiteral("rpc_pipefs"),  QStringLiteral("nsfs"),
        QStringLiteral("squashfs"),    QStringLiteral("tmpfs"),
        QStringLiteral("ramfs"),       QStringLiteral("nfsd"),
        QStringLiteral("selinuxfs"),   QStringLiteral("fuse.gvfsd-fuse"),
        QStringLiteral("fuse.portal"),
    };
    if (root == QLatin1String("/")) {
        return false;
    }
    if (pseudo.contains(fileSystemType)) {
        return true;
    }
    // System folders that are mount points hold no files a user would pick.
    for (const char* system : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot/efi"}) {
        const QString s = QLatin1String(system);
        if (root == s || root.startsWith(s + QLatin1Char('/'))) {
            return true;
        }
    }
    return false;
}

std::vector<Drive> SystemDriveSource::Drives() const {
    std::vector<Drive> drives;
    QSet<QString> seen;
    for (const QFileInfo& rootInfo : QDir::drives()) {
        const QString root = QDir::cleanPath(rootInfo.absoluteFilePath());
        if (!seen.contains(root)) {
            seen.insert(root);
            drives.push_back({root, {}});
        }
    }
    const auto rootCount = static_cast<std::ptrdiff_t>(drives.size());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::cleanPath(volume.rootPath());
        // Bind-mounted single files (containers mount a few) are no drives either.
        if (!volume.isValid() || seen.contains(root) || !QFileInfo(root).isDir() ||
            IsPseudoFileSystem(QString::fromLatin1(volume.fileSystemType()), root)) {
            continue;
        }
        seen.insert(root);
        drives.push_back({root, volume.name()});
    }
    // The roots first, as the system lists them; the volumes after them by path.
    std::sort(drives.begin() + rootCount, drives.end(),
              [](const Drive& a, const Drive& b) { return a.root < b.root; });
    return drives;
}

int DriveHolding(const std::vector<Drive>& drives, const QString& path) {
    const QString clean = QDir::cleanPath(path);
    int best = -1;
    qsizetype bestLength = -1;
    for (std::size_t k = 0; k < drives.size(); ++k) {
        const QString& root = drives[k].root;
        const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
        const bool holds = clean == root || clean.startsWith(prefix);
        if (holds && root.size() > bestLength) {
            best = static_cast<int>(k);
            bestLength = root.size();
        }
    }
    return best;
}

}  // namespace mnemex
