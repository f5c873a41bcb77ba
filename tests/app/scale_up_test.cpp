// Design > Scale Up in the window: the table is the core's scale-up of the
// boxes, row for row; a row applied is one change of the case, all 28 boxes
// its texts; a diameter that is no number is named and nothing runs.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include <set>

#include "app/case_document.h"
#include "app/scale_up_dialog.h"
#include "design/scale_up.h"
#include "design_document/scale_up_table.h"
#include "modal_closer.h"
#include "program.h"

namespace vortane::testing {

namespace {

InputTexts BoxTexts(const Program& program) {
    InputTexts texts;
    for (int box = 1; box <= InputCount; ++box) texts[box - 1] = program.Edit(box)->text().toStdString();
    return texts;
}

}  // namespace

class ScaleUpTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // 11.43 cm to 20 cm at 1000 kg/hr keeping τ₁ and the temperature rise:
    // the dialog's rows are the core's for the same question, the Kept row
    // selected; Apply puts all its texts into the boxes as one change; the
    // CSV is vortane-calc's.
    void tableIsTheCoresAndARowApplies() {
        Program program;
        QVERIFY(program.Show());
        program.form1->findChild<QAction*>(QStringLiteral("ScaleUpAction"))->trigger();
        ScaleUpDialog& dialog = program.form1->ScaleUp();
        QVERIFY(dialog.isVisible());
        QCOMPARE(Named<QLineEdit>(dialog, QStringLiteral("New barrel diameter"))->text(), program.Edit(1)->text());
        Named<QLineEdit>(dialog, QStringLiteral("New barrel diameter"))->setText(QStringLiteral("20"));
        Named<QLineEdit>(dialog, QStringLiteral("Output of the Kept design"))->setText(QStringLiteral("1000"));
        QSignalSpy ended(&dialog, &DesignDialog::SearchEnded);
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Run")), Qt::LeftButton);
        QVERIFY(ended.wait(60000));

        ScaleUpRequest request;
        request.base = {BoxTexts(program), {}, '.', ReportTarget::None, {}};
        request.barrelDiameter = 20;
        request.outputRate = 1000;
        request.keep = dialog.Request().keep;  // as ticked when the dialog opens, in the list's order
        QCOMPARE(std::set<std::string>(request.keep.begin(), request.keep.end()),
                 (std::set<std::string>{"Barrier1ShearStress", "TemperatureRise"}));
        const ScaleUpResult core = ScaleUp(request);
        QVERIFY2(dialog.Result().has_value(), qPrintable(Outcome(dialog)));
        const ScaleUpResult& shown = *dialog.Result();
        QCOMPARE(shown.columns, core.columns);
        QVERIFY2(Outcome(dialog).startsWith(QString::fromStdString(core.verdict)),
                 qPrintable(Outcome(dialog)));
        auto* table = Named<QTableWidget>(dialog, QStringLiteral("Designs scaled"));
        QCOMPARE(table->rowCount(), static_cast<int>(core.rows.size()));
        for (std::size_t r = 0; r < core.rows.size(); ++r) {
            QCOMPARE(CellText(*table, static_cast<int>(r), 0).toStdString(), core.rows[r].name);
            QCOMPARE(shown.rows[r].texts, core.rows[r].texts);
        }
        const ScaleUpRow* kept = ScaleUpRowNamed(core, KeptRowName);
        QVERIFY(kept != nullptr);
        const auto keptRow = static_cast<std::size_t>(kept - core.rows.data());
        QCOMPARE(dialog.Selected(), std::optional<std::size_t>(keptRow));
        // Each kept column's deviation as the core writes it, beside its value.
        for (std::size_t k = 0; k < core.keptCount; ++k) {
            const QString deviation = QString::fromStdString(DeviationText(kept->deviations[k]));
            bool found = false;
            for (int c = 0; c < table->columnCount(); ++c)
                found = found || CellText(*table, static_cast<int>(keptRow), c) == deviation;
            QVERIFY2(found, qPrintable(deviation));
        }

        const QString csv = program.Scratch() + QStringLiteral("/scaled.csv");
        QVERIFY(dialog.ExportCsv(csv));
        QCOMPARE(FileBytes(csv).toStdString(), CaseTableCsv(ScaleUpTable(core, '.')));

        auto* document = program.form1->findChild<CaseDocument*>();
        QSignalSpy changed(document, &CaseDocument::Changed);
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Apply the texts found to the boxes")),
                          Qt::LeftButton);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(BoxTexts(program), kept->texts);
        QCOMPARE(program.Edit(1)->text(), QStringLiteral("20"));
    }

    // A diameter that is no number is named, and no search starts.
    void aDiameterThatIsNoNumberIsNamed() {
        Program program;
        QVERIFY(program.Show());
        ScaleUpDialog& dialog = program.form1->ScaleUp();
        dialog.show();
        Named<QLineEdit>(dialog, QStringLiteral("New barrel diameter"))->setText(QStringLiteral("twenty"));
        const ModalCloser closer;
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Run")), Qt::LeftButton);
        QCOMPARE(closer.shown.size(), std::size_t{1});
        QVERIFY2(closer.shown.front().text.contains(QStringLiteral("new barrel diameter"), Qt::CaseInsensitive),
                 qPrintable(closer.shown.front().text));
        QVERIFY(!dialog.Search().Running());
        QVERIFY(!dialog.Result().has_value());
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::ScaleUpTest)
#include "scale_up_test.moc"
