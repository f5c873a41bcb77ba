#pragma once

#include <QString>

#include <memory>

#include "document/report_document.h"

class QPagedPaintDevice;
class QTextDocument;
class QWidget;

namespace vortane {

// The report to hand on as the window prints and exports it: the core's
// document and HTML page, laid out on paper by Qt.

// The page as a text document, the chart drawn as an image: a text document
// shows no inline SVG.
std::unique_ptr<QTextDocument> PaperDocument(const ReportDocument& document);

// Lays the document out on the pages of `device` (a PDF writer, a printer),
// in the page size it has.
void PrintOnPages(const ReportDocument& document, QPagedPaintDevice& device);

// `path` ending in `extension` (".pdf"): added when the name has another or none.
QString WithExtension(const QString& path, const QString& extension);

// Writes the document to `path`, as HTML when it ends in .html or .htm, else as
// an A4 PDF; says in a message box over `parent` when the file cannot be
// written. Returns whether it was.
bool ExportReport(const ReportDocument& document, const QString& path, QWidget* parent);

// Asks for a file (PDF, or HTML), proposing `name` (the case's, without its
// extension) in the current folder, and exports the document to it with its
// extension.
void ExportReportFromDialog(const ReportDocument& document, const QString& name, QWidget* parent);

// The print dialog, then the document on the printer chosen; printed to a
// file, it proposes `name`.pdf in the current folder.
void PrintReportFromDialog(const ReportDocument& document, const QString& name, QWidget* parent);

// The file a report of the case `name` is proposed as: `name` + `extension`
// in the current folder.
QString ProposedReportPath(const QString& name, const QString& extension);

}  // namespace vortane
