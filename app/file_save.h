#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "case/file_write.h"

class QWidget;

namespace vortane {

// Files the window writes, each whole or not at all through the core's
// writer; a failure is the core's text (the file and the system's reason),
// shown as plain text in a warning box over the window.

// `path` as the system names the file.
std::string SystemFileName(const QString& path);

// The warning box of a file that could not be written, titled `title`.
void ShowWriteFailure(QWidget* parent, const QString& title, const FileWriteError& error);

// Writes `bytes` as the whole file at `path`; false after showing why not.
bool SaveFile(QWidget* parent, const QString& title, const QString& path, std::string_view bytes);

}  // namespace vortane
