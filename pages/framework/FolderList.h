#pragma once
// The folder list: the folders from the root down to the current one, each indented one
// step further, then the current folder's subfolders. Double-click (or Enter) on an entry
// makes it the current folder. A folder that cannot be read shows no subfolders.

#include <QListWidget>
#include <QString>
#include <QStringList>

namespace mnemex {

class FolderList : public QListWidget {
    Q_OBJECT
  public:
    // Starts at the program's current folder.
    explicit FolderList(QWidget* parent = nullptr);

    // The current folder (absolute, without a trailing separator except for a root).
    QString Path() const { return path_; }
    // Makes `path` (absolute, or relative to the current folder) current and emits Change if
    // it differs. Returns false, changing nothing, when it is not an existing folder.
    bool SetPath(const QString& path);
    // The full path of every row, top to bottom: the chain to the current folder, then its
    // subfolders.
    QStringList Entries() const;
    // Number of subfolders listed under the current folder.
    int SubfolderCount() const { return subfolderCount_; }
    // Row of the current folder itself.
    int CurrentFolderRow() const { return currentRow_; }
    // What a double-click on `row` does: enters that folder.
    void OpenEntry(int row);
    // Lists the current folder again (e.g. after a folder was created in it).
    void Refresh();

  signals:
    // The current folder changed.
    void Change();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString path_;
    int subfolderCount_ = 0;
    int currentRow_ = 0;
};

// The chain of folders from the root down to `path`, root first (absolute paths).
QStringList FolderChain(const QString& path);
// The subfolders of `path` (hidden ones left out), sorted by name ignoring case; empty if it can't
// be read.
QStringList Subfolders(const QString& path);

}  // namespace mnemex
