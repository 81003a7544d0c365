#include "pages/framework/FolderList.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

namespace mnemex {

namespace {
constexpr int kPathRole = Qt::UserRole;
}

QStringList FolderChain(const QString& path) {
    QStringList chain;
    QDir dir(QDir::cleanPath(path));
    while (true) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp()) {
            break;
        }
    }
    return chain;
}

QStringList Subfolders(const QString& path) {
    QDir dir(path);
    QStringList out;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& info : entries) {
        out << info.absoluteFilePath();
    }
    return out;
}

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    setAccessibleName(QStringLiteral("Folders"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    path_ = QDir::cleanPath(QDir::currentPath());
    Refresh();
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { OpenEntry(row(item)); });
}

bool FolderList::SetPath(const QString& path) {
    const QString absolute = QDir::cleanPath(QDir(path_).absoluteFilePath(path));
    if (!QFileInfo(absolute).isDir()) {
        return false;
    }
    const bool changed = absolute != path_;
    path_ = absolute;
    Refresh();
    if (changed) {
        emit Change();
    }
    return true;
}

QStringList FolderList::Entries() const {
    QStringList out;
    for (int r = 0; r < count(); ++r) {
        out << item(r)->data(kPathRole).toString();
    }
    return out;
}

void FolderList::OpenEntry(int row) {
    if (row >= 0 && row < count()) {
        SetPath(item(row)->data(kPathRole).toString());
    }
}

void FolderList::Refresh() {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QStringList chain = FolderChain(path_);
    int level = 0;
    for (const QString& folder : chain) {
        const QString name = QDir(folder).isRoot() ? folder : QFileInfo(folder).fileName();
        auto* entry = new QListWidgetItem(open, QString(level * 2, QLatin1Char(' ')) + name, this);
        entry->setData(kPathRole, folder);
        ++level;
    }
    currentRow_ = count() - 1;
    const QStringList subs = Subfolders(path_);
    for (const QString& folder : subs) {
        auto* entry = new QListWidgetItem(
            closed, QString(level * 2, QLatin1Char(' ')) + QFileInfo(folder).fileName(), this);
        entry->setData(kPathRole, folder);
    }
    subfolderCount_ = static_cast<int>(subs.size());
    setCurrentRow(currentRow_);
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OpenEntry(currentRow());
        return;
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace mnemex
