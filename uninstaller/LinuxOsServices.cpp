#include "LinuxOsServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "TreeSearch.h"

namespace mnemex::uninstall {

LinuxOsServices::LinuxOsServices(std::chrono::milliseconds searchLimit,
                                 std::shared_ptr<FileSystemView> view)
    : searchLimit_(searchLimit),
      view_(view ? std::move(view) : std::make_shared<SystemFileSystem>()),
      whileWaiting_([] {
          if (QCoreApplication::instance() != nullptr) {
              QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
          }
          return true;
      }) {}

void LinuxOsServices::SetSearchWait(std::function<bool()> whileWaiting) {
    whileWaiting_ = std::move(whileWaiting);
}

QString LinuxOsServices::GetWindowsDirectory() {
    return QDir::cleanPath(AppFolder() + QStringLiteral("/../system"));
}

int LinuxOsServices::SearchTreeForFile(const QString& rootPath, const QString& fileName,
                                       QString& foundPath) {
    const auto found = SearchTree(view_, std::filesystem::path(rootPath.toStdString()),
                                  fileName.toStdString(), searchLimit_, whileWaiting_);
    if (found.empty()) {
        return 0;
    }
    foundPath = QString::fromStdString(found.string());
    return 1;
}

bool LinuxOsServices::StartProgram(const QString& commandLine) {
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty()) {
        return false;
    }
    const QString program = arguments.takeFirst();
    // Run from the root folder so the tool holds no folder it is about to remove.
    return QProcess::startDetached(program, arguments, QDir::rootPath());
}

bool LinuxOsServices::FileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

QString LinuxOsServices::AppFolder() {
    return QCoreApplication::applicationDirPath();
}

}  // namespace mnemex::uninstall
