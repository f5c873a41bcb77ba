#include "app/output_directory.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeWidget>

namespace vortane {

namespace {

constexpr int DirectoryLineHeight = 16;
constexpr int FileLineHeight = 12;

QTreeWidgetItem* DirectoryLine(const QString& name, const QString& path, QStyle::StandardPixmap icon) {
    auto* line = new QTreeWidgetItem(QStringList{name});
    line->setData(0, Qt::UserRole, path);
    line->setIcon(0, QApplication::style()->standardIcon(icon));
    line->setSizeHint(0, QSize(0, DirectoryLineHeight));
    return line;
}

}  // namespace

QStringList VolumeRoots() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady()) roots << volume.rootPath();
    }
    roots.sort();
    roots.removeDuplicates();
    return roots;
}

QString VolumeRootOf(const QString& path) { return QStorageInfo(path).rootPath(); }

void ShowDirectoryPath(QTreeWidget& list, const QString& path) {
    list.clear();
    const QString directory = QDir::cleanPath(QDir(path).absolutePath());
    QTreeWidgetItem* line = DirectoryLine(QDir::rootPath(), QDir::rootPath(), QStyle::SP_DirOpenIcon);
    list.addTopLevelItem(line);
    QString at = QDir::rootPath();
    for (const QString& name : directory.split(u'/', Qt::SkipEmptyParts)) {
        at = QDir(at).filePath(name);
        QTreeWidgetItem* child = DirectoryLine(name, at, QStyle::SP_DirOpenIcon);
        line->addChild(child);
        line->setExpanded(true);
        line = child;
    }
    const QDir current(directory);
    for (const QString& name : current.entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                 QDir::Name | QDir::IgnoreCase)) {
        line->addChild(DirectoryLine(name, current.absoluteFilePath(name), QStyle::SP_DirClosedIcon));
    }
    line->setExpanded(true);
    list.setCurrentItem(line);
    list.scrollToItem(line);
}

void ShowFiles(QListWidget& list, const QString& path) {
    list.clear();
    for (const QString& name : QDir(path).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        auto* line = new QListWidgetItem(name, &list);
        line->setSizeHint(QSize(0, FileLineHeight));
    }
}

}  // namespace vortane
