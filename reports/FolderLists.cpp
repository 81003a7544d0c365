#include "reports/FolderLists.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace mnemex::pages {

namespace {

constexpr int kPathRole = Qt::UserRole;

}  // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    for (const QFileInfo& root : QDir::drives())
        addItem(root.absolutePath());
    const QString current = QDir::current().rootPath();
    setCurrentIndex(std::max(0, findText(current)));
    connect(this, &QComboBox::currentTextChanged, this, &DriveList::Changed);
}

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { SetPath(item->data(kPathRole).toString()); });
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { SetPath(item->data(kPathRole).toString()); });
}

void FolderList::SetPath(const QString& path) {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (clean == path_)
        return;
    path_ = clean;
    Fill();
    emit Changed(path_);
}

void FolderList::Fill() {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // The chain from the root down to the open folder, each one step further in.
    QStringList chain;
    for (QDir d(path_);;) {
        chain.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp())
            break;
    }
    int depth = 0;
    for (const QString& folder : chain) {
        const QString name = QDir(folder).isRoot() ? folder : QFileInfo(folder).fileName();
        auto* item = new QListWidgetItem(open, QString(depth * 2, QLatin1Char(' ')) + name, this);
        item->setData(kPathRole, folder);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const QStringList children =
        QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& child : children) {
        auto* item =
            new QListWidgetItem(closed, QString(depth * 2, QLatin1Char(' ')) + child, this);
        item->setData(kPathRole, QDir(path_).filePath(child));
    }
}

FileList::FileList(const QString& pattern, QWidget* parent)
    : QListWidget(parent), pattern_(pattern) {
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit FileClicked(item->text()); });
}

void FileList::SetPath(const QString& path) {
    path_ = path;
    Refresh();
}

void FileList::Refresh() {
    clear();
    addItems(
        QDir(path_).entryList(QStringList{pattern_}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

}  // namespace mnemex::pages
