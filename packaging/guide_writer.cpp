// Writes the User's Guide as an HTML page from its Markdown, read as the
// program's guide window reads it:
//   vortane_guide_writer GUIDE.md GUIDE.html
#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <QTextDocument>

#include <cstdio>
#include <exception>

#include "app/guide_document.h"
#include "case/file_write.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: vortane_guide_writer GUIDE.md GUIDE.html\n", stderr);
        return 2;
    }
    const QGuiApplication application(argc, argv);  // the document's fonts need one
    QFile markdown(QString::fromLocal8Bit(argv[1]));
    if (!markdown.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vortane_guide_writer: cannot read %s: %s\n", argv[1],
                     qPrintable(markdown.errorString()));
        return 1;
    }
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(markdown.readAll()));
    try {
        vortane::WriteWholeFile(argv[2], vortane::GuideHtml(document).toStdString());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vortane_guide_writer: %s\n", error.what());
        return 1;
    }
    return 0;
}
