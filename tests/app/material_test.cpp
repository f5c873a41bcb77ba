// Material > Choose Material…: the library listed and searched, a bad file
// named beside the others, a grade applied as one change of the case; a law
// saved from Edit Coefficients or the fit dialog as the user's own grade.
#include <QAbstractButton>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/case_document.h"
#include "app/coefficient_dialog.h"
#include "app/fit_dialog.h"
#include "app/grade_save_dialog.h"
#include "app/material_dialog.h"
#include "material/grade_apply.h"
#include "modal_closer.h"
#include "program.h"

namespace vortane::testing {

namespace {

const QString Shipped = QStringLiteral("LDPE (Rao and Schumacher power-law example)");

// A grade of the user's with its ranges and two thermal values.
const QByteArray TestGrade =
    "Name = Test PP\nFamily = Polypropylene\nDescription = extrusion grade for the tests\nLaw = PowerLaw\nLaw.n = 0.35\n"
    "Law.beta = 0.01 1/degC\nLaw.K = 20000 Pa.s^n\nLaw.T0 = 200 degC\nLaw.Source = a book, p. 1\n"
    "TemperatureRange = 200 to 260 degC\nShearRateRange = 10 to 10000 1/s\nRange.Source = a book, p. 2\n"
    "MeltDensity = 760 kg/m3\nMeltDensity.Source = a handbook\nMeltingPoint = 165 degC\n"
    "MeltingPoint.Source = a datasheet\n";

void Write(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QStringList Listed(const MaterialDialog& dialog) {
    QStringList names;
    const auto* list = dialog.findChild<QListWidget*>(QStringLiteral("Grades"));
    for (int row = 0; row < list->count(); ++row)
        if (!list->item(row)->isHidden()) names << list->item(row)->text();
    return names;
}

QString Shown(const QWidget& dialog, const QString& name) {
    const auto* label = Named<QLabel>(const_cast<QWidget&>(dialog), name);
    return label != nullptr ? label->text() : QStringLiteral("(none)");
}

}  // namespace

class MaterialTest : public QObject {
    Q_OBJECT

    QTemporaryDir data;  // XDG_DATA_HOME: the user's grades under vortane/materials
    QString userFolder;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        QLocale::setDefault(QLocale::c());
        QVERIFY(data.isValid());
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        userFolder = data.path() + QStringLiteral("/vortane/materials");
        QDir(userFolder).removeRecursively();
        QVERIFY(QDir().mkpath(userFolder));
    }

    // The shipped grade and the user's, marked; a bad file of the user's is
    // named with its line while the others list; the search narrows the list.
    void listsSearchesAndNamesABadFile() {
        Write(userFolder + QStringLiteral("/PP-test.vgrade"), TestGrade);
        Write(userFolder + QStringLiteral("/PP-broken.vgrade"),
              "Name = Broken\nFamily = PP\nLaw = PowerLaw\nLaw.Source = b\nLaw.n = x\n");
        Program program;
        program.Find<QAction>(QStringLiteral("ChooseMaterialAction"))->trigger();
        MaterialDialog& dialog = program.form1->Materials();
        QVERIFY(dialog.isVisible());
        QCOMPARE(Listed(dialog), (QStringList{Shipped, QStringLiteral("Test PP (yours)")}));
        QCOMPARE(Shown(dialog, QStringLiteral("Library problems")),
                 userFolder + QStringLiteral("/PP-broken.vgrade:5: Law.n: x is not a number with a point"));

        auto* search = Named<QLineEdit>(dialog, QStringLiteral("Search grades"));
        auto* apply = Named<QPushButton>(dialog, QStringLiteral("Apply the grade"));
        for (const auto& [query, listed] : std::vector<std::pair<QString, QStringList>>{
                 {QStringLiteral("schumacher"), {Shipped}},          // the name
                 {QStringLiteral("polyprop"), {QStringLiteral("Test PP (yours)")}},  // the family
                 {QStringLiteral("EXTRUSION grade"), {QStringLiteral("Test PP (yours)")}},  // the description
                 {QStringLiteral("hanser"), {Shipped}},              // the law's source
                 {QStringLiteral("handbook"), {QStringLiteral("Test PP (yours)")}},  // a thermal value's source
                 {QStringLiteral("polyprop schumacher"), {}},
                 {QString(), {Shipped, QStringLiteral("Test PP (yours)")}}}) {
            Type(search, query);
            QCOMPARE(Listed(dialog), listed);
            // The grade shown is one the list shows, or none.
            QCOMPARE(apply->isEnabled(), !listed.isEmpty());
            QCOMPARE(Shown(dialog, QStringLiteral("Name")),
                     listed.isEmpty() ? QStringLiteral("(none)") : QString(listed[0]).remove(QStringLiteral(" (yours)")));
        }
        QVERIFY(dialog.Select(QStringLiteral("Test PP (yours)")));
        QCOMPARE(Shown(dialog, QStringLiteral("Viscosity law")),
                 QStringLiteral("PowerLaw: n = 0.35, beta = 0.01 1/degC, K = 20000 Pa.s^n, T0 = 200 degC"));
        QCOMPARE(Shown(dialog, QStringLiteral("Source of Density of Melt")),
                 QStringLiteral("Source: a handbook"));
        QCOMPARE(Shown(dialog, QStringLiteral("Values the grade does not give")),
                 QStringLiteral("Test PP gives no SolidSpecificHeat, HeatOfFusion, MeltSpecificHeat: their boxes keep "
                                "their texts"));
        QCOMPARE(dialog.findChild<QChartView*>()->chart()->series().size(), 5);  // five temperatures
    }

    // Apply fills the six coefficients and the thermal values the grade gives
    // as ApplyGrade writes them, with its ranges and name, as one change;
    // the case saved names the grade.
    void applyIsOneChangeOfTheCase() {
        Write(userFolder + QStringLiteral("/PP-test.vgrade"), TestGrade);
        Program program;
        QVERIFY(program.Show());
        const CaseDocument& document = *program.form1->findChild<CaseDocument*>();
        MaterialDialog& dialog = program.form1->Materials();
        dialog.show();
        QVERIFY(dialog.Select(QStringLiteral("Test PP (yours)")));
        InputTexts before;
        for (int box = 1; box <= InputCount; ++box) before[box - 1] = program.Edit(box)->text().toStdString();
        const AppliedGrade expected = ApplyGrade(
            ReadGrade((userFolder + QStringLiteral("/PP-test.vgrade")).toStdString()), before, '.');

        QSignalSpy changed(&document, &CaseDocument::Changed);
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Apply the grade")), Qt::LeftButton);
        QCOMPARE(changed.count(), 1);
        QVERIFY(!dialog.isVisible());
        QVERIFY(program.form1->isWindowModified());
        int differing = 0;
        for (int box = 1; box <= InputCount; ++box) {
            QCOMPARE(program.Edit(box)->text().toStdString(), expected.texts[box - 1]);
            differing += expected.texts[box - 1] != before[box - 1] ? 1 : 0;
        }
        QCOMPARE(differing, 8);  // six coefficients, density and melting point
        QCOMPARE(program.Edit(19)->text(), QStringLiteral("0.76"));  // 760 kg/m3 in g/cm3
        QCOMPARE(document.ViscosityRanges(), (FittedRanges{ValueRange{200, 260}, ValueRange{10, 10000}}));
        QCOMPARE(document.Material(), std::string("Test PP"));

        const QString path = program.Scratch() + QStringLiteral("/with-grade.vcase");
        QVERIFY(program.form1->SaveCase(path));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("\nMaterial = Test PP\n"));
        // The report to hand on names the grade and its sources.
        {
            const ModalCloser closer;  // the completion message
            program.PressOk();
        }
        const QString report = program.Scratch() + QStringLiteral("/with-grade.html");
        QVERIFY(program.form1->ExportReport(report));
        QFile html(report);
        QVERIFY(html.open(QIODevice::ReadOnly));
        const QByteArray page = html.readAll();
        QVERIFY(page.contains("Test PP"));
        QVERIFY(page.contains("Source: "));

        // From the saved case with one box changed, a grade that sets that box
        // back and the law anew: the case is never shown unchanged midway.
        program.Edit(18)->setText(QStringLiteral("170"));
        QVERIFY(program.form1->isWindowModified());
        Write(userFolder + QStringLiteral("/PP-other.vgrade"),
              QByteArray(TestGrade).replace("Test PP", "Other PP").replace("20000 Pa", "30000 Pa"));
        dialog.Reload();
        dialog.show();
        QVERIFY(dialog.Select(QStringLiteral("Other PP (yours)")));
        changed.clear();
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Apply the grade")), Qt::LeftButton);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(program.Edit(18)->text(), QStringLiteral("165"));
        QCOMPARE(document.Material(), std::string("Other PP"));

        // Another law in the boxes is another material: the name and ranges go.
        program.Edit(23)->setText(QStringLiteral("6.5"));
        QCOMPARE(document.Material(), std::string());
        QCOMPARE(document.ViscosityRanges(), FittedRanges{});
    }

    // A law that cannot be fitted without its ranges is named in the dialog
    // and changes no box.
    void aGradeThatCannotBeAppliedIsNamed() {
        Write(userFolder + QStringLiteral("/PP-cross.vgrade"),
              "Name = Cross PP\nFamily = PP\nLaw = CrossWLF\nLaw.n = 0.3\nLaw.tau = 30000 Pa\nLaw.D1 = 1e13 Pa.s\n"
              "Law.D2 = 263.15 K\nLaw.A1 = 28\nLaw.A2 = 51.6 K\nLaw.Source = a book\n");
        Program program;
        MaterialDialog& dialog = program.form1->Materials();
        dialog.show();
        QVERIFY(dialog.Select(QStringLiteral("Cross PP (yours)")));
        QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Apply the grade")), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(Shown(dialog, QStringLiteral("Material message")),
                 userFolder + QStringLiteral("/PP-cross.vgrade: Cross PP states no TemperatureRange and ShearRateRange: "
                                             "its law cannot be fitted without the ranges it holds over"));
        QCOMPARE(program.Edit(23)->text(), QStringLiteral("6.83729"));
        QVERIFY(!program.form1->isWindowModified());
    }

    // Edit Coefficients' texts saved as a grade list as the user's; a second
    // grade of the same name is refused, the dialog keeping what was typed.
    void aGradeSavedFromEditCoefficientsListsAsTheUsers() {
        Program program;
        QVERIFY(program.Show());
        MaterialDialog& materials = program.form1->Materials();
        CoefficientDialog& coefficients = program.form1->Coefficients();
        coefficients.SetTexts({"6.9", "-0.66", "-0.0158", "-0.0149", "-4.7E-7", "1.19E-3"});
        coefficients.show();

        const auto save = [&](const QString& name) {
            QTest::mouseClick(Named<QPushButton>(coefficients, QStringLiteral("Save the coefficients as a grade")),
                              Qt::LeftButton);
            auto* dialog = coefficients.findChild<GradeSaveDialog*>();
            if (dialog == nullptr) return QStringLiteral("(no dialog)");
            Named<QLineEdit>(*dialog, QStringLiteral("Grade name"))->setText(name);
            Named<QLineEdit>(*dialog, QStringLiteral("Notes"))->setText(QStringLiteral("line 2"));
            Named<QLineEdit>(*dialog, QStringLiteral("Date of the measurements"))->setText(QStringLiteral("2026-03-01"));
            const ModalCloser closer;
            QTest::mouseClick(Named<QPushButton>(*dialog, QStringLiteral("Save the grade")), Qt::LeftButton);
            return closer.shown.empty() ? QString() : closer.shown[0].text;
        };
        const QString file = userFolder + QStringLiteral("/User-line-2-blend.vgrade");
        QCOMPARE(save(QStringLiteral("Line 2 blend")),
                 QStringLiteral("Line 2 blend is saved in the material library as ") + file);
        QTRY_VERIFY(coefficients.findChild<GradeSaveDialog*>() == nullptr);  // closed once saved
        QVERIFY(materials.Select(QStringLiteral("Line 2 blend (yours)")));  // reloaded on saving
        QCOMPARE(Shown(materials, QStringLiteral("Viscosity law")),
                 QStringLiteral("Six: A0 = 6.9, A1 = -0.66, A11 = -0.0158, A2 = -0.0149, A22 = -4.7E-7, A12 = 1.19E-3"));
        QCOMPARE(Shown(materials, QStringLiteral("Source of Viscosity law")),
                 QStringLiteral("Source: own measurements, 2026-03-01"));
        QCOMPARE(Shown(materials, QStringLiteral("Temperatures")), QStringLiteral("not stated"));

        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QCOMPARE(save(QStringLiteral("line 2 BLEND")),
                 QStringLiteral("the material library already has a grade named Line 2 blend (") + file +
                     QStringLiteral("): choose another name"));
        auto* open = coefficients.findChild<GradeSaveDialog*>();
        QVERIFY(open != nullptr && open->isVisible());
        QCOMPARE(Named<QLineEdit>(*open, QStringLiteral("Grade name"))->text(), QStringLiteral("line 2 BLEND"));
        QFile again(file);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), bytes);
        open->reject();
    }

    // A fit saved as a grade keeps the ranges of its points.
    void aFitSavedAsAGradeKeepsItsRanges() {
        Program program;
        FitDialog& fit = program.form1->Fit();
        auto* save = Named<QPushButton>(fit, QStringLiteral("Save the fit as a grade"));
        QVERIFY(!save->isEnabled());
        QVERIFY(fit.Open(QStringLiteral(VORTANE_EXAMPLES "/melt-measurements.csv")));
        fit.show();
        QTest::mouseClick(save, Qt::LeftButton);
        auto* dialog = fit.findChild<GradeSaveDialog*>();
        QVERIFY(!Named<QPushButton>(*dialog, QStringLiteral("Save the grade"))->isEnabled());  // no name yet
        Named<QLineEdit>(*dialog, QStringLiteral("Grade name"))->setText(QStringLiteral("Example melt"));
        const ModalCloser closer;
        QTest::mouseClick(Named<QPushButton>(*dialog, QStringLiteral("Save the grade")), Qt::LeftButton);
        QCOMPARE(closer.shown.size(), 1U);
        const Grade grade = ReadGrade((userFolder + QStringLiteral("/User-example-melt.vgrade")).toStdString());
        QVERIFY(grade.rangesStated);
        QCOMPARE(grade.temperatureRange, (ValueRange{150, 230}));
        QCOMPARE(grade.shearRateRange, (ValueRange{1, 10000}));
        QCOMPARE(QString::fromStdString(grade.coefficientTexts->at(0)),
                 fit.findChild<QLineEdit*>(QStringLiteral("FittedA0"))->text());
    }

    void everyControlIsNamed() {
        Program program;
        MaterialDialog& dialog = program.form1->Materials();
        CoefficientDialog& coefficients = program.form1->Coefficients();
        coefficients.SetTexts({"6.9", "-0.66", "-0.0158", "-0.0149", "-4.7E-7", "1.19E-3"});
        auto* save = AskToSaveGrade(coefficients, {"1", "2", "3", "4", "5", "6"}, '.', {});
        QList<QWidget*> controls;
        for (QWidget* window : std::initializer_list<QWidget*>{&dialog, save}) {
            for (auto* w : window->findChildren<QAbstractButton*>()) controls << w;
            for (auto* w : window->findChildren<QLineEdit*>()) controls << w;
            for (auto* w : window->findChildren<QListWidget*>()) controls << w;
            for (auto* w : window->findChildren<QChartView*>()) controls << w;
        }
        QVERIFY(controls.size() >= 10);
        for (const QWidget* control : controls)
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        save->reject();
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::MaterialTest)
#include "material_test.moc"
