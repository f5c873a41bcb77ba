#pragma once

#include <QString>
#include <QStringList>

class QListWidget;
class QTreeWidget;

namespace vortane {

// The root paths of the mounted volumes, sorted: what the drive box lists.
QStringList VolumeRoots();

// The root path of the volume that holds `path`.
QString VolumeRootOf(const QString& path);

// The classic directory list: the directories from the root down to `path`,
// one a line, each indented one step more, then the subdirectories of `path`
// one step deeper. Every line holds its directory's absolute path in
// Qt::UserRole; the line of `path` is the current one.
void ShowDirectoryPath(QTreeWidget& list, const QString& path);

// All files of the directory `path`, by name.
void ShowFiles(QListWidget& list, const QString& path);

}  // namespace vortane
