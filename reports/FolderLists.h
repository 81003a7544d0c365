#pragma once
// The drive, folder and file lists of the report page's file chooser.

#include <QComboBox>
#include <QListWidget>

namespace mnemex::pages {

// The file system roots; on this platform the one root "/".
class DriveList : public QComboBox {
    Q_OBJECT
  public:
    explicit DriveList(QWidget* parent);
    QString Drive() const { return currentText(); }

  signals:
    void Changed(const QString& drive);
};

// The open folder's ancestors, itself and its subfolders; double-click opens one.
class FolderList : public QListWidget {
    Q_OBJECT
  public:
    explicit FolderList(QWidget* parent);
    QString Path() const { return path_; }
    // Opens `path` and reports Changed when it differs from the folder shown.
    void SetPath(const QString& path);

  signals:
    void Changed(const QString& path);

  private:
    void Fill();
    QString path_;
};

// The files of one folder that match a name pattern; a click selects one.
class FileList : public QListWidget {
    Q_OBJECT
  public:
    FileList(const QString& pattern, QWidget* parent);
    QString Path() const { return path_; }
    void SetPath(const QString& path);
    // Reads the folder again.
    void Refresh();

  signals:
    void FileClicked(const QString& name);

  private:
    QString path_;
    QString pattern_;
};

}  // namespace mnemex::pages
