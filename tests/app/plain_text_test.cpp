// Text that is the user's is shown as typed in every window. A case file at
// "<b>x&amp;</b>.vcase" (in the folder "<b>x&amp;<", as a file name holds no
// "/") and cases named "<b>x&amp;<br>.vcase", "<u>x.vcase" or "k[*].vcase"
// read so in the captions, the Results header, Compare Cases, the messages of
// the Study window and the design dialogs, the fit dialog, the save question,
// the recent cases and an export error; never as markup, a mnemonic or a
// title's modification mark.
#include <QAction>
#include <QChartView>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <QWindow>

#include <algorithm>

#include "app/case_document.h"
#include "app/compare_cases.h"
#include "app/fit_dialog.h"
#include "app/results_window.h"
#include "app/study_window.h"
#include "modal_closer.h"
#include "program.h"
#ifdef VORTANE_DESIGN
#include "app/goal_seek_dialog.h"
#include "app/optimise_dialog.h"
#endif

namespace vortane::testing {

namespace {

// A path that is markup: the file "b>.vcase" in the folder "<b>x&amp;<".
const QString Markup = QStringLiteral("<b>x&amp;</b>.vcase");
// A file name that is markup.
const QString MarkupName = QStringLiteral("<b>x&amp;<br>.vcase");

// What a tooltip shows: the toolkit reads one that looks like markup as markup.
QString ShownToolTip(const QString& tip) {
    if (!Qt::mightBeRichText(tip)) return tip;
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText();
}

// The texts a chart draws (title, axis titles, legend), as drawn.
QStringList DrawnTexts(const QChartView& view) {
    QStringList texts;
    for (const QGraphicsItem* item : view.scene()->items()) {
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item)) texts << text->toPlainText();
    }
    return texts;
}

// The last box shown read its text as plain text, and the text quotes `quoted`.
void LastBoxQuotes(const ModalCloser& closer, const QString& quoted) {
    QVERIFY(!closer.shown.empty());
    const ModalCloser::Shown& box = closer.shown.back();
    QVERIFY2(box.text.contains(quoted), qPrintable(box.text));
    QCOMPARE(box.format, Qt::PlainText);
}

}  // namespace

class PlainTextTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Program> program;
    std::unique_ptr<ModalCloser> closer;

    // `relative` in the scratch folder, its folder made.
    QString Path(const QString& relative) const {
        const QString path = program->Scratch() + u'/' + relative;
        QDir().mkpath(QFileInfo(path).path());
        return path;
    }
    // A valid case file at `relative`, opened.
    QString OpenCaseAt(const QString& relative) {
        const QString path = Path(relative);
        if (!program->form1->SaveCase(path) || !program->form1->OpenCase(path)) return {};
        return path;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        program = std::make_unique<Program>();
        closer = std::make_unique<ModalCloser>();
        QVERIFY(program->Show());
    }
    void cleanup() {
        closer.reset();
        program.reset();
    }

    // The main window's caption and the Results window's title and header
    // name the case as typed, "[*]" included, marked or not; every label of
    // the Results window reads its text as plain text.
    void captionsAndResultsHeaderShowTheName_data() {
        QTest::addColumn<QString>("relative");
        QTest::newRow("markup path") << Markup;
        QTest::newRow("bold, break and entity") << MarkupName;
        QTest::newRow("underline") << QStringLiteral("<u>x.vcase");
        QTest::newRow("modification mark") << QStringLiteral("k[*].vcase");
    }
    void captionsAndResultsHeaderShowTheName() {
        QFETCH(QString, relative);
        const QString path = OpenCaseAt(relative);
        QVERIFY(!path.isEmpty());
        const QString name = QFileInfo(path).fileName();
        QCOMPARE(program->form1->windowHandle()->title(), name + QStringLiteral(" — Vortane"));
        program->PressOk();
        ResultsWindow& results = program->form1->Results();
        QVERIFY(results.isVisible());
        QCOMPARE(results.windowHandle()->title(), QStringLiteral("Results: %1 — Vortane").arg(name));
        auto* header = results.findChild<QLabel*>(QStringLiteral("CaseName"));
        QCOMPARE(header->text(), QStringLiteral("Case: ") + name);
        QCOMPARE(ShownToolTip(header->toolTip()), QStringLiteral("Case: ") + name);
        for (const QLabel* label : results.findChildren<QLabel*>())
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName() + label->text()));

        program->Edit(2)->setText(QStringLiteral("90"));
        QVERIFY(program->form1->isWindowModified());
        QCOMPARE(program->form1->windowHandle()->title(), name + QStringLiteral("* — Vortane"));
    }

    // The question before the case is set aside names it as typed; so does
    // its recent-cases entry, "&" and all.
    void saveQuestionAndRecentCasesShowTheName() {
        const QString path = OpenCaseAt(Markup);
        QVERIFY(!path.isEmpty());
        auto* document = program->form1->findChild<CaseDocument*>();
        QMenu recent;
        document->FillRecentMenu(recent);
        QVERIFY(!recent.actions().isEmpty());
        QCOMPARE(recent.actions().first()->iconText(), path);

        QVERIFY(!OpenCaseAt(MarkupName).isEmpty());
        program->Edit(2)->setText(QStringLiteral("90"));
        document->New();  // Enter answers Save
        LastBoxQuotes(*closer, QStringLiteral("The case %1 has unsaved changes").arg(MarkupName));
        QVERIFY(!document->Modified());
    }

    // Compare Cases: the title, the table's head and the chart's legend name
    // the case as typed; a case that cannot be read is named so in the message.
    void compareCasesShowsTheName() {
        const QString path = OpenCaseAt(MarkupName);
        program->Edit(2)->setText(QStringLiteral("90"));
        const QString other = Path(QStringLiteral("a.vcase"));
        QVERIFY(program->form1->SaveCase(other));
        QWidget* window = CompareCases(*program->form1, {path, other}, '.');
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->windowHandle()->title(),
                 QStringLiteral("Compare Cases: %1, a.vcase — Vortane").arg(MarkupName));
        auto* table = window->findChild<QTableWidget*>(QStringLiteral("ComparisonTable"));
        QCOMPARE(table->horizontalHeaderItem(1)->text(), MarkupName);
        auto* warnings = window->findChild<QLabel*>(QStringLiteral("ComparisonWarnings"));
        QCOMPARE(warnings->textFormat(), Qt::PlainText);
        QVERIFY(warnings->text().contains(MarkupName));
        QCOMPARE(ShownToolTip(warnings->toolTip()), warnings->text());
        const QStringList drawn = DrawnTexts(*window->findChild<QChartView*>(QStringLiteral("ComparisonChart")));
        QVERIFY2(std::any_of(drawn.begin(), drawn.end(), [](const QString& text) { return text.contains(MarkupName); }),
                 qPrintable(drawn.join(u'|')));
        window->close();

        const QString bad = Path(Markup);
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Speed = 80\n") > 0);
        file.close();
        QVERIFY(!CompareCases(*program->form1, {other, bad}, '.'));
        LastBoxQuotes(*closer, Markup);
    }

    // The Study window's refusal of a typed bound and its export error quote
    // the text as typed.
    void studyWindowMessagesShowTheText() {
        StudyWindow& study = program->form1->Study();
        study.show();
        Named<QLineEdit>(study, QStringLiteral("From"))->setText(Markup);
        QTest::mouseClick(Named<QPushButton>(study, QStringLiteral("Run")), Qt::LeftButton);
        LastBoxQuotes(*closer, QStringLiteral("'%1' is not a decimal number").arg(Markup));
        const QString path = program->Scratch() + QStringLiteral("/missing/") + Markup;
        QVERIFY(!study.ExportCsv(path));
        LastBoxQuotes(*closer, path);
    }

    // An export that cannot be written names its path as typed.
    void exportErrorShowsThePath() {
        program->PressOk();
        const QString path = program->Scratch() + QStringLiteral("/missing/<b>x&amp;</b>.html");
        QVERIFY(!program->form1->ExportReport(path));
        LastBoxQuotes(*closer, path);
    }

    // The fit dialog names its file as typed, and a file it cannot read in
    // its message.
    void fitDialogShowsTheFile() {
        const QString path = Path(Markup);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("T,rate,eta\n170,10,oops\n") > 0);
        file.close();
        FitDialog& dialog = program->form1->Fit();
        QVERIFY(!dialog.Open(path));
        auto* shown = dialog.findChild<QLabel*>(QStringLiteral("MeasurementFile"));
        QCOMPARE(shown->textFormat(), Qt::PlainText);
        QCOMPARE(shown->text(), path);
        auto* message = dialog.findChild<QLabel*>(QStringLiteral("FitMessage"));
        QCOMPARE(message->textFormat(), Qt::PlainText);
        QVERIFY2(message->text().contains(Markup), qPrintable(message->text()));
    }

#ifdef VORTANE_DESIGN
    // Goal Seek and Optimise quote a typed bound or limit as typed.
    void designDialogsQuoteTheText() {
        GoalSeekDialog& seek = program->form1->GoalSeek();
        seek.show();
        Named<QLineEdit>(seek, QStringLiteral("Target"))->setText(QStringLiteral("30"));
        Named<QLineEdit>(seek, QStringLiteral("Low"))->setText(Markup);
        QTest::mouseClick(Named<QPushButton>(seek, QStringLiteral("Run")), Qt::LeftButton);
        LastBoxQuotes(*closer, QStringLiteral("Low: \"%1\" is not a number.").arg(Markup));

        OptimiseDialog& optimise = program->form1->Optimise();
        optimise.show();
        Named<QPlainTextEdit>(optimise, QStringLiteral("Limits, one per line"))->setPlainText(Markup);
        QTest::mouseClick(Named<QPushButton>(optimise, QStringLiteral("Run")), Qt::LeftButton);
        LastBoxQuotes(*closer, QStringLiteral("Limits, line 1: limit \"%1\"").arg(Markup));
    }
#endif
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::PlainTextTest)
#include "plain_text_test.moc"
