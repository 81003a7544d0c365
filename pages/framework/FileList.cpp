#include "pages/framework/FileList.h"

#include <QDir>
#include <QRegularExpression>

namespace mnemex {

namespace {

bool MatchesOne(const QString& fileName, const QString& pattern) {
    if (pattern.isEmpty()) {
        return false;
    }
    const bool wild = pattern.contains(QLatin1Char('*')) || pattern.contains(QLatin1Char('?'));
    if (!wild) {
        return fileName == pattern;
    }
    // "*.*" means every file, with or without an extension.
    if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*")) {
        return true;
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
    const QRegularExpression re(expression, QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    return re.match(fileName).hasMatch();
}

}  // namespace

bool MatchesPattern(const QString& fileName, const QString& pattern) {
    const QStringList parts = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (MatchesOne(fileName, part.trimmed())) {
            return true;
        }
    }
    return false;
}

QStringList MatchingFiles(const QString& folder, const QString& pattern) {
    QDir dir(folder);
    QStringList out;
    const QStringList names = dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        if (MatchesPattern(name, pattern)) {
            out << name;
        }
    }
    return out;
}

FileList::FileList(QWidget* parent) : QListWidget(parent) {
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
