// Design > Trade-offs in the window: the plant's front is the core's, design
// for design, and exports as the command line writes it; the knee applied is
// one change of the case; Cancel ends a search with no front shown.
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QXYSeries>

#include "app/case_document.h"
#include "app/front_dialog.h"
#include "design/design_notation.h"
#include "design/end_text.h"
#include "modal_closer.h"
#include "program.h"
#include "design_document/front_table.h"
#include "study/design_rows.h"

namespace vortane::testing {

namespace {

// The plant's question at 350 kg/hr: pressure drop against τ₁ over the first
// barrier clearance and the speed, within the temperature rise and a
// positive inlet pressure; the limits are the case's.
FrontDialog& PlantQuestion(Program& program) {
    program.Edit(3)->setText(QStringLiteral("350"));
    program.form1->findChild<CaseDocument*>()->SetLimits(
        {ParseLimit("TemperatureRise<=30"), ParseLimit("LeastInletPressure>=0")});
    program.form1->findChild<QAction*>(QStringLiteral("TradeOffsAction"))->trigger();
    FrontDialog& dialog = program.form1->Front();
    Choose(dialog, QStringLiteral("Input varied 1"), FindInputField("BarrierClearance1")->box);
    Type(dialog, QStringLiteral("Low 1"), QStringLiteral("0.03"));
    Type(dialog, QStringLiteral("High 1"), QStringLiteral("0.1"));
    Choose(dialog, QStringLiteral("Input varied 2"), FindInputField("ScrewSpeed")->box);
    Type(dialog, QStringLiteral("Low 2"), QStringLiteral("60"));
    Type(dialog, QStringLiteral("High 2"), QStringLiteral("140"));
    Choose(dialog, QStringLiteral("Objective 1"), QStringLiteral("TotalPressureDrop"));
    Named<QComboBox>(dialog, QStringLiteral("Minimise or maximise objective 1"))->setCurrentIndex(0);
    Choose(dialog, QStringLiteral("Objective 2"), QStringLiteral("Barrier1ShearStress"));
    Named<QComboBox>(dialog, QStringLiteral("Minimise or maximise objective 2"))->setCurrentIndex(1);
    Named<QCheckBox>(dialog, QStringLiteral("Third objective"))->setChecked(false);
    return dialog;
}

// The same question as the command line puts it, from the boxes' texts.
FrontRequest PlantRequest(const Program& program) {
    FrontRequest request;
    InputTexts texts;
    for (int box = 1; box <= InputCount; ++box) texts[box - 1] = program.Edit(box)->text().toStdString();
    request.base = {texts, {}, '.', ReportTarget::None, {}};
    request.inputs = {ParseVariedInput("BarrierClearance1=0.03:0.1", '.'), ParseVariedInput("ScrewSpeed=60:140", '.')};
    request.objectives = {ParseObjective("minimise TotalPressureDrop"), ParseObjective("maximise Barrier1ShearStress")};
    request.limits = {ParseLimit("TemperatureRise<=30"), ParseLimit("LeastInletPressure>=0")};
    return request;
}

}  // namespace

class FrontTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The dialog's table is the core's front for the same question, the knee
    // marked and selected; the CSV exported is the core's bytes; Apply puts
    // the knee's texts into the boxes as one change of the case.
    void plantFrontIsTheCoresAndTheKneeApplies() {
        Program program;
        QVERIFY(program.Show());
        FrontDialog& dialog = PlantQuestion(program);
        QVERIFY(dialog.isVisible());
        QSignalSpy ended(&dialog, &DesignDialog::SearchEnded);
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Run")), Qt::LeftButton);
        QVERIFY(ended.wait(60000));

        const FrontRequest request = PlantRequest(program);
        const FrontResult core = ParetoFront(request);
        QCOMPARE(core.end, FrontEnd::Complete);
        QVERIFY(dialog.Result().has_value());
        QVERIFY2(Outcome(dialog).startsWith(QString::fromStdString(FrontEndText(core))), qPrintable(Outcome(dialog)));
        // The bar counts the runs made, as the outcome does, not the points asked.
        QCOMPARE(Named<QProgressBar>(dialog, QStringLiteral("Runs made"))->text(), QStringLiteral("Done: %1 runs").arg(core.runs));
        auto* table = Named<QTableWidget>(dialog, QStringLiteral("Designs of the front"));
        QCOMPARE(table->rowCount(), static_cast<int>(core.designs.size()));
        QCOMPARE(table->columnCount(), 6);  // Point, two inputs, two objectives, Knee
        for (std::size_t i = 0; i < core.designs.size(); ++i) {
            const int row = static_cast<int>(i);
            const FrontDesign& design = core.designs[i];
            QCOMPARE(CellText(*table, row, 0), QString::number(i + 1));
            QCOMPARE(CellText(*table, row, 1).toStdString(), design.inputTexts[0]);
            QCOMPARE(CellText(*table, row, 2).toStdString(), design.inputTexts[1]);
            QCOMPARE(CellText(*table, row, 3), Figure(design.objectives[0], '.'));
            QCOMPARE(CellText(*table, row, 4), Figure(design.objectives[1], '.'));
            QCOMPARE(CellText(*table, row, 5).isEmpty(), core.knee != i);
        }
        QVERIFY(core.knee.has_value());
        QCOMPARE(dialog.Selected(), core.knee);

        // The CSV as the command line writes it; a file that cannot be written is named.
        const DesignTable expected = FrontTable(request, core, '.');
        const QString csv = program.Scratch() + QStringLiteral("/front.csv");
        QVERIFY(dialog.ExportCsv(csv));
        QCOMPARE(FileBytes(csv).toStdString(), DesignTableCsv(expected));
        const QString svg = program.Scratch() + QStringLiteral("/front.svg");
        QVERIFY(dialog.ExportSvg(svg));
        QVERIFY(FileBytes(svg).startsWith("<?xml") || FileBytes(svg).startsWith("<svg"));
        {
            ModalCloser closer;
            QVERIFY(!dialog.ExportCsv(program.Scratch() + QStringLiteral("/no such folder/front.csv")));
            QCOMPARE(closer.Seen().size(), 1);
            QVERIFY2(closer.Seen().front().contains(QStringLiteral("front.csv")), qPrintable(closer.Seen().front()));
        }

        // A point clicked selects its design; then the knee's row again, whose
        // texts Apply gives.
        auto* chart = Named<QChartView>(dialog, QStringLiteral("Pareto front"));
        const std::size_t last = core.designs.size() - 1;
        bool clicked = false;
        for (QAbstractSeries* series : chart->chart()->series()) {
            auto* points = qobject_cast<QXYSeries*>(series);
            if (points == nullptr || points->count() != static_cast<int>(core.designs.size())) continue;
            emit points->clicked(points->at(static_cast<int>(last)));
            clicked = true;
            break;
        }
        QVERIFY(clicked);
        QCOMPARE(dialog.Selected(), std::optional<std::size_t>(last));
        table->selectRow(static_cast<int>(*core.knee));
        QCOMPARE(dialog.Selected(), core.knee);
        auto* document = program.form1->findChild<CaseDocument*>();
        QVERIFY(program.form1->SaveCase(program.Scratch() + QStringLiteral("/plant.vcase")));
        QVERIFY(!document->Modified());
        QSignalSpy changed(document, &CaseDocument::Changed);
        const QString speedBefore = program.Edit(2)->text();
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Apply the texts found to the boxes")),
                          Qt::LeftButton);
        const FrontDesign& knee = core.designs[*core.knee];
        QCOMPARE(program.Edit(FindInputField("BarrierClearance1")->box)->text().toStdString(), knee.inputTexts[0]);
        QCOMPARE(program.Edit(FindInputField("ScrewSpeed")->box)->text().toStdString(), knee.inputTexts[1]);
        QVERIFY(program.Edit(2)->text() != speedBefore);
        QCOMPARE(program.Edit(3)->text(), QStringLiteral("350"));
        QCOMPARE(changed.count(), 1);
        QVERIFY(document->Modified());
        QCOMPARE(document->Limits().size(), std::size_t{2});

        // The knee's report carries the front it was chosen from; a case moved
        // off the front, its own report alone.
        {
            const ModalCloser closer;  // the completion message
            program.PressOk();
        }
        const QString onFront = program.Scratch() + QStringLiteral("/knee.html");
        QVERIFY(program.form1->ExportReport(onFront));
        QVERIFY(FileBytes(onFront).contains("Trade-off front"));
        QVERIFY(FileBytes(onFront).contains("Knee, this case"));
        program.Edit(3)->setText(QStringLiteral("351"));
        {
            const ModalCloser closer;  // the completion message
            program.PressOk();
        }
        const QString offFront = program.Scratch() + QStringLiteral("/moved.html");
        QVERIFY(program.form1->ExportReport(offFront));
        QVERIFY(!FileBytes(offFront).contains("Trade-off front"));
    }

    // With three objectives the third is charted against the second apart,
    // and the table has a column for each.
    void threeObjectivesChartEachPair() {
        Program program;
        QVERIFY(program.Show());
        FrontDialog& dialog = PlantQuestion(program);
        Named<QCheckBox>(dialog, QStringLiteral("Third objective"))->setChecked(true);
        Choose(dialog, QStringLiteral("Objective 3"), QStringLiteral("TemperatureRise"));
        QSignalSpy ended(&dialog, &DesignDialog::SearchEnded);
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Run")), Qt::LeftButton);
        QVERIFY(ended.wait(60000));
        QVERIFY(dialog.Result().has_value());
        QCOMPARE(dialog.Request().objectives.size(), std::size_t{3});
        auto* second = Named<QChartView>(dialog, QStringLiteral("Pareto front, third objective against the second"));
        QVERIFY(second->isVisible());
        QVERIFY(!second->chart()->series().isEmpty());
        auto* table = Named<QTableWidget>(dialog, QStringLiteral("Designs of the front"));
        QCOMPARE(table->columnCount(), 7);  // Point, two inputs, three objectives, Knee
        QCOMPARE(table->rowCount(), static_cast<int>(dialog.Result()->designs.size()));
    }

    // A question the core refuses (one quantity as both objectives) says why
    // in the core's words and shows no front; bounds that are no number run nothing.
    void refusedQuestionShowsNoFront() {
        Program program;
        QVERIFY(program.Show());
        FrontDialog& dialog = PlantQuestion(program);
        {
            ModalCloser closer;
            Type(dialog, QStringLiteral("Low 2"), QStringLiteral("sixty"));
            QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Run")), Qt::LeftButton);
            QCOMPARE(closer.Seen(), QStringList{QStringLiteral("Trade-offs: Low 2: \"sixty\" is not a number.")});
            QVERIFY(!dialog.Search().Running());
        }
        Type(dialog, QStringLiteral("Low 2"), QStringLiteral("60"));
        Choose(dialog, QStringLiteral("Objective 2"), QStringLiteral("TotalPressureDrop"));
        QSignalSpy ended(&dialog, &DesignDialog::SearchEnded);
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Run")), Qt::LeftButton);
        QVERIFY(ended.wait(60000));
        QVERIFY2(Outcome(dialog).startsWith(QStringLiteral("Not run: ")), qPrintable(Outcome(dialog)));
        QVERIFY(!dialog.Result().has_value());
        QCOMPARE(Named<QTableWidget>(dialog, QStringLiteral("Designs of the front"))->rowCount(), 0);
        QVERIFY(!Named<QPushButton>(dialog, QStringLiteral("Apply the texts found to the boxes"))->isEnabled());
    }

    // Cancel once the first runs of a long search have shown (three
    // objectives over six inputs at 5 kg/hr, where the runs go to the pass
    // limit): it ends soon, says it was cancelled, and neither tables nor
    // offers what it had reached.
    void cancelEndsWithoutAFront() {
        Program program;
        QVERIFY(program.Show());
        FrontDialog& dialog = PlantQuestion(program);
        program.Edit(3)->setText(QStringLiteral("5"));
        auto* add = Named<QPushButton>(dialog, QStringLiteral("Add an input varied"));
        while (add->isEnabled()) QTest::mouseClick(add, Qt::LeftButton);
        const char* fields[] = {"BarrierClearance1", "ScrewSpeed", "ChannelDepth", "BarrierWidth1",
                                "ChannelLength", "BarrierWidth2"};
        for (int i = 0; i < 6; ++i)
            Choose(dialog, QStringLiteral("Input varied %1").arg(i + 1), FindInputField(fields[i])->box);
        Named<QCheckBox>(dialog, QStringLiteral("Third objective"))->setChecked(true);
        Choose(dialog, QStringLiteral("Objective 3"), QStringLiteral("TemperatureRise"));
        QSignalSpy ended(&dialog, &DesignDialog::SearchEnded);
        QSignalSpy progressed(&dialog.Search(), &DesignRun::Progressed);
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Run")), Qt::LeftButton);
        QVERIFY(dialog.Search().Running());
        QVERIFY(progressed.wait(60000));
        QElapsedTimer took;
        took.start();
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Cancel")), Qt::LeftButton);
        QVERIFY(ended.wait(5000));
        qInfo("Cancel to stopped: %lld ms", took.elapsed());
        QVERIFY(!dialog.Result().has_value());
        QVERIFY2(Outcome(dialog).startsWith(QStringLiteral("Cancelled")), qPrintable(Outcome(dialog)));
        QCOMPARE(Named<QTableWidget>(dialog, QStringLiteral("Designs of the front"))->rowCount(), 0);
        QVERIFY(!Named<QPushButton>(dialog, QStringLiteral("Apply the texts found to the boxes"))->isEnabled());
        QVERIFY(!Named<QPushButton>(dialog, QStringLiteral("Export the designs as CSV"))->isEnabled());
        QVERIFY(Named<QPushButton>(dialog, QStringLiteral("Run"))->isEnabled());
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::FrontTest)
#include "front_test.moc"
