#include "app/report_export.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QUrl>

#include <cmath>
#include <memory>
#include <vector>

#include "app/core_text.h"
#include "app/plain_text.h"
#include "app/file_save.h"
#include "document/html_document.h"
#include "document/svg_chart.h"

namespace vortane {

namespace {

// The page's own styles are for screens, in pixels; on paper sizes are in
// points, in the subset of CSS a text document knows.
constexpr const char* PaperStyle = R"(body { font-family: "DejaVu Sans", sans-serif; font-size: 9.5pt; }
h1 { font-size: 15pt; }
h2 { font-size: 11.5pt; margin-top: 10pt; margin-bottom: 3pt; }
th { text-align: left; font-weight: normal; }
table.grid th, table.grid td { font-size: 6.5pt; padding: 1pt 3pt; }
table.grid th { font-weight: bold; background-color: #f0f0f0; }
)";

void DropScreenStyle(std::string& html) {
    const std::size_t start = html.find("<style>");
    const std::size_t end = html.find("</style>");
    if (start != std::string::npos && end != std::string::npos) html.erase(start, end + 8 - start);
}
// A text document takes no padding of a table cell: an empty column of
// its own keeps each caption apart from its value.
void KeepCaptionsApart(std::string& html) {
    const std::string caption = "</th><td class=\"value\">";
    const std::string apart = "</th><td width=\"18\"></td><td class=\"value\">";
    for (std::size_t at = html.find(caption); at != std::string::npos; at = html.find(caption, at + apart.size()))
        html.replace(at, caption.size(), apart);
}

// Nor between the cells of a grid: an empty column between each two keeps
// every value apart from the next.
void KeepColumnsApart(std::string& html) {
    for (const char* tag : {"td", "th"}) {
        const std::string next = std::string("</") + tag + "><" + tag;
        const std::string apart = std::string("</") + tag + "><" + tag + " width=\"12\"></" + tag + "><" + tag;
        for (std::size_t at = html.find(next); at != std::string::npos; at = html.find(next, at + apart.size()))
            html.replace(at, next.size(), apart);
    }
}

// Each item of a list (a section's notes) whole on one page: Qt breaks a
// block's lines across pages, an item's bullet and first lines on one page and
// the rest of its text on the next. The document is laid out on `device` as
// QTextDocument::print lays it out (2 cm margins, the device's page); an item
// that would straddle a page starts the next one instead.
void KeepItemsWhole(QTextDocument& paper, QPagedPaintDevice& device) {
    const std::unique_ptr<QTextDocument> probe(paper.clone());
    probe->documentLayout()->setPaintDevice(&device);
    // The margins in the screen's pixels, as print() reckons them.
    const QScreen* screen = QGuiApplication::primaryScreen();
    constexpr qreal MarginInches = 2 / 2.54;
    const auto margin = [screen](bool across) {
        const qreal dpi = screen == nullptr ? 96 : across ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
        return static_cast<qreal>(static_cast<int>(MarginInches * dpi));
    };
    QTextFrameFormat frame = probe->rootFrame()->frameFormat();
    frame.setLeftMargin(margin(true));
    frame.setRightMargin(margin(true));
    frame.setTopMargin(margin(false));
    frame.setBottomMargin(margin(false));
    probe->rootFrame()->setFrameFormat(frame);
    probe->setPageSize(QSizeF(device.width(), device.height()));
    const qreal page = probe->pageSize().height();
    for (QTextBlock block = probe->begin(); block.isValid(); block = block.next()) {
        probe->pageCount();  // laid out whole: the layout is otherwise made as it is shown
        const QTextLayout* layout = block.layout();
        if (block.textList() == nullptr || layout == nullptr || layout->lineCount() == 0) continue;
        const QTextLine last = layout->lineAt(layout->lineCount() - 1);
        const qreal top = layout->position().y(), bottom = top + last.y() + last.height();
        if (std::floor(top / page) == std::floor((bottom - 1) / page)) continue;
        for (QTextDocument* document : {probe.get(), &paper}) {
            const QTextBlock same = document->findBlockByNumber(block.blockNumber());
            QTextBlockFormat format = same.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(same).setBlockFormat(format);
        }
    }
}

constexpr int ChartPixelsPerPoint = 3;  // sharp on paper
// The widest the chart is laid out, in the text document's pixels (1/96 in):
// within A4 and a printer's margins, besides the 2 cm the document keeps.
constexpr int PaperChartWidth = 560;

// The chart's SVG drawn into an image several times its size.
QImage ChartPicture(const Chart& chart, QSize& size) {
    const std::string svg = SvgDocument(chart);
    QSvgRenderer renderer(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    size = renderer.defaultSize();
    QImage image(size * ChartPixelsPerPoint, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return image;
}

bool IsHtml(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("html") || suffix == QLatin1String("htm");
}

// The A4 PDF of the document, made in memory: only whole bytes reach the file.
QByteArray PdfBytes(const ReportDocument& document) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(FromUtf8(document.title));
        writer.setCreator(QStringLiteral("Vortane"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        PrintOnPages(document, writer);
    }
    return bytes;
}

}  // namespace

std::unique_ptr<QTextDocument> PaperDocument(const ReportDocument& document) {
    std::string html = HtmlDocument(document);
    DropScreenStyle(html);
    KeepCaptionsApart(html);
    KeepColumnsApart(html);
    auto paper = std::make_unique<QTextDocument>();
    paper->setDefaultStyleSheet(QString::fromUtf8(PaperStyle));
    // The charts in the order the page shows them, each in place of its SVG.
    std::vector<const Chart*> charts;
    if (document.chart) charts.push_back(&*document.chart);
    for (const PlacedChart& placed : document.moreCharts) charts.push_back(&placed.chart);
    std::size_t at = 0;
    for (std::size_t c = 0; c < charts.size(); ++c) {
        const std::size_t start = html.find("<svg", at);
        const std::size_t end = html.find("</svg>", start);
        if (start == std::string::npos || end == std::string::npos) break;
        QSize size;
        const QImage picture = ChartPicture(*charts[c], size);
        const QUrl name(QStringLiteral("vortane-chart:%1").arg(c));
        paper->addResource(QTextDocument::ImageResource, name, picture);
        const QSize shown = size.width() > PaperChartWidth ? size.scaled(PaperChartWidth, size.height(), Qt::KeepAspectRatio) : size;
        const std::string image = "<img src=\"" + name.toString().toStdString() + "\" width=\"" +
                                  std::to_string(shown.width()) + "\" height=\"" + std::to_string(shown.height()) +
                                  "\"/>";
        html.replace(start, end + 6 - start, image);
        at = start + image.size();
    }
    paper->setHtml(FromUtf8(html));
    return paper;
}

void PrintOnPages(const ReportDocument& document, QPagedPaintDevice& device) {
    const std::unique_ptr<QTextDocument> paper = PaperDocument(document);
    KeepItemsWhole(*paper, device);
    paper->print(&device);
}

QString WithExtension(const QString& path, const QString& extension) {
    return path.endsWith(extension, Qt::CaseInsensitive) ? path : path + extension;
}

bool ExportReport(const ReportDocument& document, const QString& path, QWidget* parent) {
    const QString title = QStringLiteral("Vortane");
    if (IsHtml(path)) return SaveFile(parent, title, path, HtmlDocument(document));
    const QByteArray pdf = PdfBytes(document);
    return SaveFile(parent, title, path, {pdf.constData(), static_cast<std::size_t>(pdf.size())});
}

QString ProposedReportPath(const QString& name, const QString& extension) {
    return QDir::current().absoluteFilePath(name + extension);
}

void ExportReportFromDialog(const ReportDocument& document, const QString& name, QWidget* parent) {
    const QString pdf = QStringLiteral("PDF (*.pdf)");
    const QString html = QStringLiteral("HTML page (*.html)");
    QString filter = pdf;
    const QString path =
        QFileDialog::getSaveFileName(parent, QStringLiteral("Export Report"), ProposedReportPath(name, QStringLiteral(".pdf")),
                                     pdf + QStringLiteral(";;") + html, &filter);
    if (path.isEmpty()) return;
    const QString extension = filter == html ? QStringLiteral(".html") : QStringLiteral(".pdf");
    ExportReport(document, IsHtml(path) ? path : WithExtension(path, extension), parent);
}

void PrintReportFromDialog(const ReportDocument& document, const QString& name, QWidget* parent) {
    QPrinter printer;
    printer.setDocName(FromUtf8(document.title));
    printer.setOutputFileName(ProposedReportPath(name, QStringLiteral(".pdf")));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Report"));
    if (dialog.exec() != QDialog::Accepted) return;
    PrintOnPages(document, printer);
}

}  // namespace vortane
