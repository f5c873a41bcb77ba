// What leaves the window: boxes typed with a unit, the units the windows show
// values in, and the report to hand on exported as PDF or HTML.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

#include <algorithm>

#include "app/case_document.h"
#include "app/fit_dialog.h"
#include "app/report_export.h"
#include "app/results_window.h"
#include "app/unit_choice.h"
#include "modal_closer.h"
#include "program.h"
#include "result/run_summary.h"

namespace vortane::testing {

namespace {

// Type, on the page of the notebook that shows `edit`, with the focus in it.
void TypeOnItsPage(QLineEdit* edit, const QString& text) {
    auto* pages = edit->window()->findChild<QTabWidget*>(QStringLiteral("TabbedNotebook1"));
    for (int page = 0; page < pages->count(); ++page)
        if (pages->widget(page)->isAncestorOf(edit)) pages->setCurrentIndex(page);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The text of each page of a PDF, as pdftotext lays it out; none when
// pdftotext is not installed.
QStringList PdfPages(const QString& path) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) return {};
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!text.waitForFinished(30000)) return {QStringLiteral("pdftotext did not finish")};
    return QString::fromUtf8(text.readAllStandardOutput()).split(u'\f', Qt::SkipEmptyParts);
}

}  // namespace

class ReportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Program> program;
    std::unique_ptr<ModalCloser> closer;

    QAction* Action(const QString& name) const { return program->Find<QAction>(name); }
    QString ResultText(const char* name) const {
        return program->form1->Results().findChild<QLabel*>(QLatin1String(name))->text();
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }
    void init() {
        program = std::make_unique<Program>();
        closer = std::make_unique<ModalCloser>();
        QVERIFY(program->Show());
    }
    void cleanup() {
        closer.reset();
        program.reset();
    }
    void cleanupTestCase() { QSettings().remove(QStringLiteral("View/UnitSystem")); }

    // Leaving a box converts its number to the box's unit, exactly.
    void typedUnitBecomesThePlainNumber() {
        TypeOnItsPage(program->Edit(3), QStringLiteral("350 lb/hr"));
        QTest::keyClick(program->Edit(3), Qt::Key_Tab);
        QCOMPARE(program->Edit(3)->text(), QStringLiteral("158.7573295"));
        TypeOnItsPage(program->Edit(9), QStringLiteral("6.2mm"));
        QTest::keyClick(program->Edit(9), Qt::Key_Tab);
        QCOMPARE(program->Edit(9)->text(), QStringLiteral("0.62"));
        QVERIFY(closer->shown.empty());
    }

    // A unit of another quantity is named with the units the box takes; the
    // text stays, and a plain number is left alone.
    void wrongUnitIsNamedAndTheTextKept() {
        TypeOnItsPage(program->Edit(4), QStringLiteral("3 psi"));
        QTest::keyClick(program->Edit(4), Qt::Key_Tab);
        QTRY_COMPARE(closer->shown.size(), std::size_t{1});
        const QString text = closer->shown[0].text;
        QVERIFY2(text.startsWith(QStringLiteral("Channel Length (cm)\nChannelLength \"3 psi\"")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("cm, mm, m, in")), qPrintable(text));
        QCOMPARE(program->Edit(4)->text(), QStringLiteral("3 psi"));
        TypeOnItsPage(program->Edit(5), QStringLiteral("1.270"));
        QTest::keyClick(program->Edit(5), Qt::Key_Tab);
        QCOMPARE(program->Edit(5)->text(), QStringLiteral("1.270"));
        QCOMPARE(closer->shown.size(), std::size_t{1});
    }

    // A value typed with a unit that no such quantity has is refused as the
    // core says, and the text stays: below absolute zero, a negative length.
    void impossibleValueIsNamedAndTheTextKept() {
        TypeOnItsPage(program->Edit(14), QStringLiteral("-500 K"));
        QTest::keyClick(program->Edit(14), Qt::Key_Tab);
        QTRY_COMPARE(closer->shown.size(), std::size_t{1});
        QCOMPARE(closer->shown[0].text, QStringLiteral("Inlet Melt Temperature (\u2103)\nInletMeltTemp \"-500 K\" is "
                                                       "-773.15 \u2103, below absolute zero (-273.15 \u2103)"));
        QCOMPARE(program->Edit(14)->text(), QStringLiteral("-500 K"));
        program->form1->activateWindow();  // the message box had it
        QVERIFY(QTest::qWaitForWindowActive(program->form1));
        TypeOnItsPage(program->Edit(9), QStringLiteral("-6 mm"));
        QTest::keyClick(program->Edit(9), Qt::Key_Tab);
        QTRY_COMPARE(closer->shown.size(), std::size_t{2});
        QVERIFY2(closer->shown[1].text.endsWith(QStringLiteral("ChannelDepth \"-6 mm\" is -0.6 cm: a length cannot be "
                                                               "negative")),
                 qPrintable(closer->shown[1].text));
        QCOMPARE(program->Edit(9)->text(), QStringLiteral("-6 mm"));
    }

    // Export is offered once a run has a result; the PDF holds the case's name
    // and the temperature rise, the HTML page is the core's.
    void exportedReportIsAPdfOfTheRun() {
        QVERIFY(!Action(QStringLiteral("ExportReportAction"))->isEnabled());
        QVERIFY(!Action(QStringLiteral("PrintReportAction"))->isEnabled());
        QVERIFY(!program->form1->ExportReport(program->Scratch() + QStringLiteral("/none.pdf")));
        program->PressOk();
        QVERIFY(Action(QStringLiteral("ExportReportAction"))->isEnabled());
        QVERIFY(Action(QStringLiteral("PrintReportAction"))->isEnabled());
        const QString pdf = program->Scratch() + QStringLiteral("/report.pdf");
        QVERIFY(program->form1->ExportReport(pdf));
        QVERIFY(Contents(pdf).startsWith("%PDF-"));
        const QString html = program->Scratch() + QStringLiteral("/report.html");
        QVERIFY(program->form1->ExportReport(html));
        QVERIFY(Contents(html).startsWith("<!DOCTYPE html>"));
        QVERIFY(Contents(html).contains("<th scope=\"row\">Temperature Difference (℃)</th><td class=\"value\">29.55</td>"));

        // A file that cannot be written is said so, and is no success.
        const std::size_t before = closer->shown.size();
        const QString missing = program->Scratch() + QStringLiteral("/no such folder/r.pdf");
        QVERIFY(!program->form1->ExportReport(missing));
        QCOMPARE(closer->shown.size(), before + 1);
        QCOMPARE(closer->shown.back().text, QStringLiteral("cannot write %1: No such file or directory").arg(missing));

        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not checked");
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        // The typesetting may join letters ("ﬀ"); compatibility form parts
        // them (and writes ℃ as °C).
        const QString words =
            QString::fromUtf8(text.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
        QVERIFY2(words.contains(QStringLiteral("Mixing section: Untitled")), qPrintable(words));
        QVERIFY2(words.contains(QStringLiteral("Temperature Difference (°C)")), qPrintable(words));
        QVERIFY2(words.contains(QStringLiteral("29.55")), qPrintable(words));
    }

    // The report of a case with limits holds the section vortane-calc's page
    // holds: each limit with its value and margin, and the verdict; the PDF
    // says it too.
    void exportedReportJudgesTheCasesLimits() {
        const QString path = program->Scratch() + QStringLiteral("/three.vcase");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("OutputRate = 350\nLimit = TemperatureRise<=30\nLimit = Barrier1ShearStress>=135\n"
                       "Limit = TotalPressureDrop<=30\n");
        }
        QVERIFY(program->form1->OpenCase(path));
        program->PressOk();
        const QString html = program->Scratch() + QStringLiteral("/three.html");
        QVERIFY(program->form1->ExportReport(html));
        QProcess calc;
        calc.setWorkingDirectory(program->Scratch());
        calc.start(QStringLiteral(VORTANE_CALC), {QStringLiteral("--decimal-separator"), QStringLiteral("."),
                                                  QStringLiteral("--case"), path, QStringLiteral("--html"),
                                                  QStringLiteral("calc.html"), QStringLiteral("-o"),
                                                  QStringLiteral("calc.txt")});
        QVERIFY(calc.waitForFinished(30000));
        QCOMPARE(calc.exitCode(), 4);
        const auto section = [](const QByteArray& page) {
            const qsizetype start = page.indexOf("<h2>Limits</h2>");
            return start < 0 ? QByteArray() : page.mid(start, page.indexOf("</section>", start) - start);
        };
        const QByteArray limits = section(Contents(html));
        QVERIFY2(limits.contains("<li>Not feasible: Total Pressure Drop (kgf/cm2) ≤ 30 (85.87159)</li>"), limits.constData());
        QCOMPARE(limits, section(Contents(program->Scratch() + QStringLiteral("/calc.html"))));

        const QString pdf = program->Scratch() + QStringLiteral("/three.pdf");
        QVERIFY(program->form1->ExportReport(pdf));
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not checked");
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        // A caption may wrap in the label column: its words, one blank apart.
        const QString words =
            QString::fromUtf8(text.readAllStandardOutput()).normalized(QString::NormalizationForm_KC).simplified();
        QVERIFY2(words.contains(QStringLiteral("Shear Stress over Barrier Flight 1 (kPa) ≥ 135")), qPrintable(words));
        QVERIFY2(words.contains(QStringLiteral("Not feasible: Total Pressure Drop (kgf/cm2) ≤ 30")), qPrintable(words));
    }

    // The plant design's sheet, saved as a case and exported: it names the
    // case as the window does after Save As, the inputs as typed, and in the
    // PDF every caption stands apart from its value on its line.
    void exportedSheetNamesTheCaseAndKeepsLabelsApart() {
        TypeOnItsPage(program->Edit(3), QStringLiteral("350"));
        TypeOnItsPage(program->Edit(7), QStringLiteral("0.0934533"));
        TypeOnItsPage(program->Edit(2), QStringLiteral("100.8615"));
        program->PressOk();
        QVERIFY(program->form1->SaveCase(program->Scratch() + QStringLiteral("/plant.vcase")));
        const QString html = program->Scratch() + QStringLiteral("/plant.html");
        QVERIFY(program->form1->ExportReport(html));
        QVERIFY(Contents(html).contains("<h1>Mixing section: plant.vcase</h1>"));
        QVERIFY(Contents(html).contains("<th scope=\"row\">Barrier Clearance - 1 (cm)</th><td class=\"value\">0.0934533</td>"));

        const QString pdf = program->Scratch() + QStringLiteral("/plant.pdf");
        QVERIFY(program->form1->ExportReport(pdf));
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's layout is not checked");
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QStringList lines = QString::fromUtf8(text.readAllStandardOutput())
                                      .normalized(QString::NormalizationForm_KC)
                                      .split(u'\n');
        const RunSummary summary = SummarizeRun(
            RunCalculation({program->form1->findChild<CaseDocument*>()->SavedTexts(), {}, '.', ReportTarget::None, {}}),
            '.');
        std::size_t checked = 0;
        for (const auto* values : {&summary.channel, &summary.results, &summary.indicators})
            for (const SummaryValue& value : *values) {
                const QString caption = QString::fromUtf8(value.caption).normalized(QString::NormalizationForm_KC);
                const QString shown = QString::fromUtf8(value.text);
                const auto line = std::find_if(lines.begin(), lines.end(), [&](const QString& l) {
                    return l.trimmed().startsWith(caption);
                });
                QVERIFY2(line != lines.end(), qPrintable(caption));
                const QString rest = line->trimmed().mid(caption.size());
                // Two blanks at least between the label column and the value.
                QVERIFY2(rest.startsWith(QStringLiteral("  ")) && rest.trimmed().startsWith(shown), qPrintable(*line));
                ++checked;
            }
        QVERIFY(checked > 20);
    }

    // View > Units switches the Results window and the report, and is
    // remembered for the next start.
    // A section's notes, of one to four lines, run over several pages; each
    // stays whole on one page, its bullet with its text: no page opens with
    // the rest of a note begun on the one before.
    void notesStayWholeAcrossPages() {
        ReportDocument document{"Notes", {}, {{"Notes", {}, {}, {}}}, std::nullopt};
        for (int n = 1; n <= 160; ++n) {
            std::string text = "Note " + std::to_string(n);
            for (int word = 0; word < (n % 5) * 9; ++word) text += " word";
            document.sections[0].notes.push_back(text);
        }
        const QString path = program->Scratch() + QStringLiteral("/notes.pdf");
        QVERIFY(ExportReport(document, path, nullptr));
        const QStringList pages = PdfPages(path);
        if (pages.isEmpty()) QSKIP("pdftotext is not installed");
        QVERIFY(pages.size() > 2);
        int notes = 0;
        for (qsizetype p = 0; p < pages.size(); ++p) {
            QStringList lines;
            for (const QString& line : pages[p].split(u'\n'))
                if (!line.trimmed().isEmpty() && line.trimmed() != QStringLiteral("Notes")) lines << line.trimmed();
            QVERIFY2(lines.value(0).startsWith(QStringLiteral("Note ")),
                     qPrintable(QStringLiteral("page %1 opens with \"%2\"").arg(p + 1).arg(lines.value(0))));
            notes += static_cast<int>(lines.filter(QRegularExpression(QStringLiteral("^Note \\d+"))).size());
        }
        QCOMPARE(notes, 160);
    }

    void unitsSwitchTheResultsAndAreRemembered() {
        program->PressOk();
        QCOMPARE(ResultText("TotalPressureDrop"), QStringLiteral("21.69"));
        Action(QStringLiteral("Units_si"))->trigger();
        QVERIFY(Action(QStringLiteral("Units_si"))->isChecked());
        QVERIFY(!Action(QStringLiteral("Units_metric"))->isChecked());
        const QString drop = ResultText("TotalPressureDrop");
        QVERIFY2(qAbs(drop.toDouble() - 2.127) < 0.001, qPrintable(drop));  // 21.69 kgf/cm2
        auto* caption = program->form1->Results().findChild<QLabel*>(QStringLiteral("TotalPressureDrop"));
        QCOMPARE(caption->accessibleName(), QStringLiteral("Total Pressure Drop (MPa)"));
        QCOMPARE(RememberedUnitSystem(), UnitSystem::SI);
        const QString html = program->Scratch() + QStringLiteral("/si.html");
        QVERIFY(program->form1->ExportReport(html));
        QVERIFY(Contents(html).contains("<th scope=\"row\">Total Pressure Drop (MPa)</th>"));

        // The fit dialog, made after the choice, follows it too.
        QVERIFY(program->form1->Fit().Open(QStringLiteral(VORTANE_EXAMPLES "/melt-measurements.csv")));
        auto* temperatures = program->form1->Fit().findChild<QLabel*>(QStringLiteral("Temperatures"));
        QVERIFY2(temperatures->text().endsWith(QStringLiteral(" degC")), qPrintable(temperatures->text()));

        Action(QStringLiteral("Units_us"))->trigger();
        QCOMPARE(program->form1->Results().findChild<QLabel*>(QStringLiteral("TotalPressureDrop"))->accessibleName(),
                 QStringLiteral("Total Pressure Drop (psi)"));
        QVERIFY2(temperatures->text().endsWith(QStringLiteral(" °F")), qPrintable(temperatures->text()));
        program.reset();
        program = std::make_unique<Program>();
        QVERIFY(Action(QStringLiteral("Units_us"))->isChecked());
        Action(QStringLiteral("Units_metric"))->trigger();
        QCOMPARE(RememberedUnitSystem(), UnitSystem::Metric);
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::ReportTest)
#include "report_test.moc"
