#include "pages/framework/FileList.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace mnemex {

namespace {

// One name pattern, made ready once for a whole listing.
class NamePattern {
  public:
    explicit NamePattern(const QString& pattern) : exact_(pattern) {
        const bool wild = pattern.contains(QLatin1Char('*')) || pattern.contains(QLatin1Char('?'));
        if (!wild) {
            return;
        }
        // "*.*" means every file, with or without an extension.
        if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*")) {
            all_ = true;
            return;
        }
        QString expression = QStringLiteral("\\A");
        for (const QChar ch : pattern) {
            if (ch == QLatin1Char('*')) {
                expression += QLatin1String(".*");
            } else if (ch == QLatin1Char('?')) {
                expression += QLatin1Char('.');
            } else {
                expression += QRegularExpression::escape(QString(ch));
            }
        }
        expression += QLatin1String("\\z");
        wild_.setPattern(expression);
        wild_.setPatternOptions(QRegularExpression::CaseInsensitiveOption |
                                QRegularExpression::DotMatchesEverythingOption);
        wild_.optimize();
        isWild_ = true;
    }

    bool Matches(const QString& name) const {
        if (all_) {
            return true;
        }
        return isWild_ ? wild_.match(name).hasMatch() : name == exact_;
    }

  private:
    QString exact_;
    QRegularExpression wild_;
    bool isWild_ = false;
    bool all_ = false;
};

std::vector<NamePattern> Compile(const QString& patterns) {
    std::vector<NamePattern> compiled;
    for (const QString& part : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!part.trimmed().isEmpty()) {
            compiled.emplace_back(part.trimmed());
        }
    }
    return compiled;
}

bool MatchesAny(const std::vector<NamePattern>& patterns, const QString& name) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&name](const NamePattern& p) { return p.Matches(name); });
}

}  // namespace

bool MatchesPattern(const QString& fileName, const QString& pattern) {
    return MatchesAny(Compile(pattern), fileName);
}

QStringList MatchingFiles(const QString& folder, const QString& pattern) {
    const std::vector<NamePattern> patterns = Compile(pattern);
    QStringList out;
    if (patterns.empty()) {
        return out;
    }
    const QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        if (MatchesAny(patterns, name)) {
            out << name;
        }
    }
    return out;
}

FileList::FileList(QWidget* parent) : QListWidget(parent) {
    setAccessibleName(QStringLiteral("Files"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    path_ = QDir::cleanPath(QDir::currentPath());
    Refresh();
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ClickItem(row(item)); });
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { DoubleClickItem(row(item)); });
}

void FileList::SetPath(const QString& path) {
    path_ = QDir::cleanPath(QDir(path_).absoluteFilePath(path));
    Refresh();
}

void FileList::SetPattern(const QString& pattern) {
    pattern_ = pattern;
    Refresh();
}

QStringList FileList::Items() const {
    QStringList out;
    for (int r = 0; r < count(); ++r) {
        out << item(r)->text();
    }
    return out;
}

void FileList::SetListIndex(int row) {
    setCurrentRow(row >= 0 && row < count() ? row : -1);
}

QString FileList::FileName() const {
    const QListWidgetItem* selected = currentItem();
    return selected != nullptr ? selected->text() : QString();
}

void FileList::Refresh() {
    clear();
    addItems(MatchingFiles(path_, pattern_));
    setCurrentRow(-1);
}

void FileList::ClickItem(int row) {
    if (row < 0 || row >= count()) {
        return;
    }
    setCurrentRow(row);
    emit Click();
}

void FileList::DoubleClickItem(int row) {
    if (row < 0 || row >= count()) {
        return;
    }
    setCurrentRow(row);
    emit DblClick();
}

}  // namespace mnemex
