#pragma once
// The file list: the files of one folder whose names match a pattern. A pattern with
// wildcards ("*.net", "*.txt;*.TXT") matches ignoring letter case; a plain name
// ("ST6UNST.EXE") matches only that exact name. A folder that cannot be read lists nothing.

#include <QListWidget>
#include <QString>
#include <QStringList>

namespace mnemex {

class FileList : public QListWidget {
    Q_OBJECT
  public:
    // Starts at the program's current folder with the pattern "*.*".
    explicit FileList(QWidget* parent = nullptr);

    // The folder listed.
    QString Path() const { return path_; }
    // Lists `path` (absolute, or relative to the current folder). A folder that does not
    // exist or cannot be read is listed as empty.
    void SetPath(const QString& path);
    QString Pattern() const { return pattern_; }
    // Sets the name pattern (several separated by ';') and lists the folder again.
    void SetPattern(const QString& pattern);
    // The listed names (no folder), in list order.
    QStringList Items() const;
    int ListCount() const { return count(); }
    // The selected row, -1 when none.
    int ListIndex() const { return currentRow(); }
    // Selects a row (-1 for none) without a Click.
    void SetListIndex(int row);
    // The selected file's name (no folder), or empty text.
    QString FileName() const;
    // Lists the folder again.
    void Refresh();
    // What the user's click on `row` does: selects it, then Click.
    void ClickItem(int row);
    // What the user's double-click on `row` does: selects it, then DblClick.
    void DoubleClickItem(int row);

  signals:
    void Click();
    void DblClick();

  private:
    QString path_;
    QString pattern_ = QStringLiteral("*.*");
};

// True when `fileName` matches `pattern` as the file list matches it.
bool MatchesPattern(const QString& fileName, const QString& pattern);
// The names of the normal files in `folder` that match `pattern`, sorted ignoring case.
QStringList MatchingFiles(const QString& folder, const QString& pattern);

}  // namespace mnemex
