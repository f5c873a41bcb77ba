#include "app/file_save.h"

#include <QFile>

#include "app/plain_text.h"

namespace vortane {

std::string SystemFileName(const QString& path) { return QFile::encodeName(path).toStdString(); }

void ShowWriteFailure(QWidget* parent, const QString& title, const FileWriteError& error) {
    // The path is the user's and the reason the system's: neither is markup.
    WarnPlain(parent, title, QString::fromLocal8Bit(error.what()));
}

bool SaveFile(QWidget* parent, const QString& title, const QString& path, std::string_view bytes) {
    try {
        WriteWholeFile(SystemFileName(path), bytes);
        return true;
    } catch (const FileWriteError& error) {
        ShowWriteFailure(parent, title, error);
        return false;
    }
}

}  // namespace vortane
