// Design > Goal Seek and Optimise in the window: each finds a design, shows it
// and applies it as one change of the case; Cancel stops a search soon; a
// target out of reach is named, never shown as found.
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <cmath>

#include "app/case_document.h"
#include "app/goal_seek_dialog.h"
#include "app/optimise_dialog.h"
#include "modal_closer.h"
#include "program.h"
#include "result/limit_check.h"
#include "result/run_table.h"

namespace vortane::testing {

namespace {

void ChooseInput(QWidget& window, const QString& name, const char* field) {
    QComboBox* combo = Named<QComboBox>(window, name);
    QVERIFY2(combo != nullptr, qPrintable(name));
    combo->setCurrentIndex(combo->findData(FindInputField(field)->box));
    QVERIFY(combo->currentIndex() >= 0);
}

// Presses Run and waits for the search to end.
bool RunToEnd(DesignDialog& dialog) {
    QSignalSpy ended(&dialog, &DesignDialog::SearchEnded);
    QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Run")), Qt::LeftButton);
    return ended.wait(60000);
}

// A run of the boxes' texts, as OK would make it without a report.
RunResult RunOfBoxes(const Program& program) {
    InputTexts texts;
    for (int box = 1; box <= InputCount; ++box) texts[box - 1] = program.Edit(box)->text().toStdString();
    return RunCalculation({texts, {}, '.', ReportTarget::None, {}});
}

double Quantity(const RunResult& run, const std::string& quantity) {
    return ColumnNumber(*LimitColumn(quantity), run).value_or(std::nan(""));
}

// The case at 350 kg/hr with a limit, saved: the boxes are the file's.
CaseDocument& SavedCaseAt350(Program& program) {
    program.Edit(3)->setText(QStringLiteral("350"));
    auto* document = program.form1->findChild<CaseDocument*>();
    document->SetLimits({ParseLimit("TemperatureRise<=40")});
    program.form1->SaveCase(program.Scratch() + QStringLiteral("/plant.vcase"));
    return *document;
}

}  // namespace

class DesignTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // At 350 kg/hr the speed for a temperature rise of 30 ℃: a run at the
    // text applied reaches it, and Apply is one change of the case.
    void goalSeekFindsTheSpeedAndAppliesIt() {
        Program program;
        QVERIFY(program.Show());
        CaseDocument& document = SavedCaseAt350(program);
        QVERIFY(!document.Modified());
        program.form1->findChild<QAction*>(QStringLiteral("GoalSeekAction"))->trigger();
        GoalSeekDialog& dialog = program.form1->GoalSeek();
        QVERIFY(dialog.isVisible());
        ChooseInput(dialog, QStringLiteral("Input varied"), "ScrewSpeed");
        Type(dialog, QStringLiteral("Low"), QStringLiteral("40"));
        Type(dialog, QStringLiteral("High"), QStringLiteral("140"));
        Choose(dialog, QStringLiteral("Quantity"), QStringLiteral("TemperatureRise"));
        Type(dialog, QStringLiteral("Target"), QStringLiteral("30"));
        QVERIFY(RunToEnd(dialog));

        QVERIFY(dialog.Result() && dialog.Result()->end == GoalSeekEnd::Found);
        const QString found = QString::fromStdString(dialog.Result()->text);
        QVERIFY(Outcome(dialog).startsWith(QStringLiteral("Found")));
        QVERIFY(Outcome(dialog).contains(QStringLiteral("Number of Revolution (rpm) = ") + found));
        QVERIFY(Named<QProgressBar>(dialog, QStringLiteral("Runs made"))->value() > 0);
        QSignalSpy changed(&document, &CaseDocument::Changed);
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Apply the texts found to the boxes")),
                          Qt::LeftButton);
        QCOMPARE(program.Edit(2)->text(), found);
        QCOMPARE(program.Edit(3)->text(), QStringLiteral("350"));
        QCOMPARE(changed.count(), 1);
        QVERIFY(document.Modified());
        QCOMPARE(document.Limits().size(), std::size_t{1});
        const RunResult run = RunOfBoxes(program);
        QCOMPARE(run.outcome, RunOutcome::Complete);
        QVERIFY(std::fabs(Quantity(run, "TemperatureRise") - 30) <= 0.01);
    }

    // Two inputs, the least pressure drop under limits: the design applied
    // meets every limit when run again.
    void optimiseMeetsItsLimitsAndAppliesIt() {
        Program program;
        QVERIFY(program.Show());
        SavedCaseAt350(program);
        program.form1->findChild<QAction*>(QStringLiteral("OptimiseAction"))->trigger();
        OptimiseDialog& dialog = program.form1->Optimise();
        auto* limits = Named<QPlainTextEdit>(dialog, QStringLiteral("Limits, one per line"));
        QCOMPARE(limits->toPlainText(), QStringLiteral("TemperatureRise<=40"));  // the case's
        ChooseInput(dialog, QStringLiteral("Input varied 1"), "BarrierClearance1");
        Type(dialog, QStringLiteral("Low 1"), QStringLiteral("0.03"));
        Type(dialog, QStringLiteral("High 1"), QStringLiteral("0.1"));
        ChooseInput(dialog, QStringLiteral("Input varied 2"), "ScrewSpeed");
        Type(dialog, QStringLiteral("Low 2"), QStringLiteral("60"));
        Type(dialog, QStringLiteral("High 2"), QStringLiteral("140"));
        Choose(dialog, QStringLiteral("Objective"), QStringLiteral("TotalPressureDrop"));
        limits->setPlainText(QStringLiteral("TemperatureRise<=30\nBarrier1ShearStress>=120"));
        QVERIFY(RunToEnd(dialog));

        QVERIFY(Outcome(dialog).startsWith(QStringLiteral("Found")));
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Apply the texts found to the boxes")),
                          Qt::LeftButton);
        QCOMPARE(program.Edit(7)->text().toStdString(), dialog.Result()->inputTexts[0]);
        QCOMPARE(program.Edit(2)->text().toStdString(), dialog.Result()->inputTexts[1]);
        const RunResult run = RunOfBoxes(program);
        QCOMPARE(run.outcome, RunOutcome::Complete);
        QVERIFY(Quantity(run, "TemperatureRise") <= 30);
        QVERIFY(Quantity(run, "Barrier1ShearStress") >= 120);
        QCOMPARE(Quantity(run, "TotalPressureDrop"), Quantity(dialog.Result()->run, "TotalPressureDrop"));
    }

    // With no limits the box says "(no limits)" before and after Run, never
    // grey example limits; the result and the chart's legend claim none.
    void optimiseWithoutLimitsSaysSo() {
        Program program;
        QVERIFY(program.Show());
        OptimiseDialog& dialog = program.form1->Optimise();
        dialog.show();
        auto* limits = Named<QPlainTextEdit>(dialog, QStringLiteral("Limits, one per line"));
        QVERIFY(limits->toPlainText().isEmpty());  // the default case has none
        QCOMPARE(limits->placeholderText(), QStringLiteral("(no limits)"));
        limits->setPlainText(QStringLiteral("\n  \n"));  // blank lines are no limits
        QVERIFY(RunToEnd(dialog));

        QVERIFY(dialog.Result()->found);
        QVERIFY2(Outcome(dialog).startsWith(QStringLiteral("Found: the best design, stopped by the tolerance (no limits set)")),
                 qPrintable(Outcome(dialog)));
        QVERIFY(limits->toPlainText().isEmpty());
        QCOMPARE(limits->placeholderText(), QStringLiteral("(no limits)"));
        QStringList legend;
        for (const QAbstractSeries* series : dialog.findChild<QChartView*>()->chart()->series())
            legend << series->name();
        const QString shown = legend.join(u'|');
        QVERIFY2(legend.contains(QStringLiteral("Best design")), qPrintable(shown));
        QVERIFY2(!shown.contains(QStringLiteral("limit"), Qt::CaseInsensitive), qPrintable(shown));
    }

    // Cancel while a search of six inputs runs (at 5 kg/hr, where the runs go
    // to the pass limit), once its first runs have shown: it ends soon after,
    // reports no design and offers none to apply.
    void cancelStopsTheSearchSoon() {
        Program program;
        QVERIFY(program.Show());
        program.Edit(3)->setText(QStringLiteral("5"));
        OptimiseDialog& dialog = program.form1->Optimise();
        dialog.show();
        while (Named<QPushButton>(dialog, QStringLiteral("Add an input varied"))->isEnabled()) dialog.AddInput();
        const char* fields[] = {"BarrierClearance1", "ScrewSpeed", "ChannelDepth", "BarrierWidth1",
                                "ChannelLength", "BarrierWidth2"};
        for (int i = 0; i < 6; ++i) ChooseInput(dialog, QStringLiteral("Input varied %1").arg(i + 1), fields[i]);
        Named<QSpinBox>(dialog, QStringLiteral("Runs allowed"))->setValue(100000);
        Type(dialog, QStringLiteral("Tolerance"), QStringLiteral("1e-15"));
        QSignalSpy ended(&dialog, &DesignDialog::SearchEnded);
        QSignalSpy progressed(&dialog.Search(), &DesignRun::Progressed);
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Run")), Qt::LeftButton);
        QVERIFY(dialog.Search().Running());
        QVERIFY(progressed.wait(60000));  // the first run is done: the search is under way
        QElapsedTimer took;
        took.start();
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Cancel")), Qt::LeftButton);
        QVERIFY(ended.wait(5000));
        const qint64 elapsed = took.elapsed();
        qInfo("Cancel to stopped: %lld ms", elapsed);
        QVERIFY(elapsed < 2000);
        QCOMPARE(dialog.Result()->end, OptimisationEnd::Cancelled);
        QVERIFY(Outcome(dialog).startsWith(QStringLiteral("Cancelled")));
        QVERIFY(!Named<QPushButton>(dialog, QStringLiteral("Apply the texts found to the boxes"))->isEnabled());
        QVERIFY(Named<QPushButton>(dialog, QStringLiteral("Run"))->isEnabled());
    }

    // Closing the window while a search runs ends the search with it.
    void closingTheWindowEndsASearch() {
        Program program;
        QVERIFY(program.Show());
        OptimiseDialog& dialog = program.form1->Optimise();
        dialog.show();
        Named<QSpinBox>(dialog, QStringLiteral("Runs allowed"))->setValue(100000);
        Type(dialog, QStringLiteral("Tolerance"), QStringLiteral("1e-15"));
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Run")), Qt::LeftButton);
        QVERIFY(dialog.Search().Running());
        QVERIFY(program.form1->close());
        QTRY_VERIFY(program.form1.isNull());
    }

    // A target beyond the values at both ends is named with its reason and
    // nothing is offered; bounds that are no numbers run nothing.
    void targetOutOfReachIsNamedNotFound() {
        Program program;
        QVERIFY(program.Show());
        GoalSeekDialog& dialog = program.form1->GoalSeek();
        dialog.show();
        ChooseInput(dialog, QStringLiteral("Input varied"), "ScrewSpeed");
        Choose(dialog, QStringLiteral("Quantity"), QStringLiteral("TemperatureRise"));
        Type(dialog, QStringLiteral("Target"), QStringLiteral("1000"));
        {
            ModalCloser closer;
            Type(dialog, QStringLiteral("Low"), QStringLiteral("forty"));
            QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Run")), Qt::LeftButton);
            QCOMPARE(closer.Seen(), QStringList{QStringLiteral("Goal Seek: Low: \"forty\" is not a number.")});
            QVERIFY(!dialog.Search().Running());
        }
        Type(dialog, QStringLiteral("Low"), QStringLiteral("40"));
        Type(dialog, QStringLiteral("High"), QStringLiteral("140"));
        QVERIFY(RunToEnd(dialog));
        QCOMPARE(dialog.Result()->end, GoalSeekEnd::OutOfRange);
        QVERIFY(Outcome(dialog).startsWith(QStringLiteral("Not found: the target lies beyond the values at both ends")));
        QVERIFY(Outcome(dialog).contains(QString::fromStdString(dialog.Result()->reason)));
        QVERIFY(!Named<QPushButton>(dialog, QStringLiteral("Apply the texts found to the boxes"))->isEnabled());
        QCOMPARE(program.Edit(2)->text(), QStringLiteral("80.0"));
    }

    // The kinds of warning a case accepts: Design > Accept Warnings shows the
    // opened case's, a change marks the case and Save keeps it; a goal seek
    // reaching its target only where the outlet channel runs below zero finds
    // it once negative pressure is accepted, and lists the warning.
    void acceptedWarningsFollowTheCase() {
        Program program;
        QVERIFY(program.Show());
        const QString path = program.Scratch() + QStringLiteral("/accepts.vcase");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("OutputRate = 350\nScrewSpeed = 96.87\nAcceptWarning = fitted-range\n");
        }
        QVERIFY(program.form1->OpenCase(path));
        auto* fitted = program.form1->findChild<QAction*>(QStringLiteral("Accept fitted-range"));
        auto* negative = program.form1->findChild<QAction*>(QStringLiteral("Accept negative-pressure"));
        QVERIFY(fitted->isChecked() && !negative->isChecked());
        negative->trigger();
        auto* document = program.form1->findChild<CaseDocument*>();
        QVERIFY(document->Modified());
        QVERIFY(document->AcceptedWarnings().Has(WarningKind::NegativePressure));

        GoalSeekDialog& dialog = program.form1->GoalSeek();
        dialog.show();
        ChooseInput(dialog, QStringLiteral("Input varied"), "BarrierClearance1");
        Type(dialog, QStringLiteral("Low"), QStringLiteral("0.03"));
        Type(dialog, QStringLiteral("High"), QStringLiteral("0.1"));
        Choose(dialog, QStringLiteral("Quantity"), QStringLiteral("Barrier1ShearStress"));
        Type(dialog, QStringLiteral("Target"), QStringLiteral("170"));
        QVERIFY(RunToEnd(dialog));
        QCOMPARE(dialog.Result()->end, GoalSeekEnd::Found);
        QVERIFY(Outcome(dialog).contains(
            QStringLiteral("accepting warnings of negative-pressure, fitted-range\nwarning: the pressure in the outlet")));

        const auto saved = [&path] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QVERIFY(program.form1->SaveCase(path));
        QVERIFY(saved().contains("AcceptWarning = negative-pressure\nAcceptWarning = fitted-range\n"));
        negative->trigger();
        QVERIFY(document->Modified());
        {
            ModalCloser closer;  // Enter saves the marked case before New
            document->New();
        }
        QVERIFY(!fitted->isChecked() && !negative->isChecked());
        QVERIFY(saved().contains("AcceptWarning = fitted-range\n") && !saved().contains("negative-pressure"));
    }

    // A search whose every run faults (ScrewSpeed = 0) shows the core's reason,
    // the same text vortane-calc and Python give.
    void everyRunStoppedIsNamed() {
        Program program;
        QVERIFY(program.Show());
        program.Edit(2)->setText(QStringLiteral("0"));
        GoalSeekDialog& dialog = program.form1->GoalSeek();
        dialog.show();
        ChooseInput(dialog, QStringLiteral("Input varied"), "OutputRate");
        Choose(dialog, QStringLiteral("Quantity"), QStringLiteral("PowerKW"));
        Type(dialog, QStringLiteral("Low"), QStringLiteral("100"));
        Type(dialog, QStringLiteral("High"), QStringLiteral("300"));
        Type(dialog, QStringLiteral("Target"), QStringLiteral("5"));
        QVERIFY(RunToEnd(dialog));
        QCOMPARE(dialog.Result()->end, GoalSeekEnd::EveryRunStopped);
        QVERIFY2(Outcome(dialog).startsWith(
                     QStringLiteral("Not found\nevery run stopped: Floating point division by zero (8 runs)\n")),
                 qPrintable(Outcome(dialog)));
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::DesignTest)
#include "design_test.moc"
