// The Material menu: the viscosity law fitted to a measurement file, its
// texts applied to the coefficient boxes, and coefficients loaded from a case.
#include <QAbstractButton>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include "app/case_document.h"
#include "app/fit_dialog.h"
#include "app/results_window.h"
#include "modal_closer.h"
#include "program.h"

namespace vortane::testing {

namespace {

const QString Example = QStringLiteral(VORTANE_EXAMPLES "/melt-measurements.csv");

void Write(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// "NAME = TEXT" and "# CAPTION: TEXT" lines of vortane-calc's fit of the
// example, by NAME or CAPTION.
QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const FittedRanges ExampleRanges{ValueRange{150, 230}, ValueRange{1, 10000}};

QHash<QString, QString> CalcFit() {
    QFile file(QStringLiteral(VORTANE_EXAMPLES "/melt-fitted.vcase"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QHash<QString, QString> values;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const bool comment = line.startsWith(QStringLiteral("# "));
        const QString separator = comment ? QStringLiteral(": ") : QStringLiteral(" = ");
        const qsizetype at = line.indexOf(separator);
        if (at > 0) values.insert(line.mid(comment ? 2 : 0, at - (comment ? 2 : 0)), line.mid(at + separator.size()));
    }
    return values;
}

}  // namespace

class FitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void materialMenu() {
        Program program;
        const auto* bar = program.Find<QMenuBar>(QStringLiteral("MenuBar"));
        QStringList items;
        for (const QAction* menu : bar->actions()) {
            if (menu->text() != QStringLiteral("&Material")) continue;
            for (const QAction* action : menu->menu()->actions()) items << action->text();
        }
        QCOMPARE(items, (QStringList{QStringLiteral("&Fit from Measurements..."), QStringLiteral("&Load Coefficients..."),
                                     QStringLiteral("&Edit Coefficients\u2026"), QStringLiteral("&Choose Material\u2026")}));
    }

    // The dialog shows vortane-calc's figures and texts; Apply puts the texts
    // into the coefficient boxes, which stay disabled.
    void fitShowsAndAppliesWhatTheCommandLinePrints() {
        Program program;
        QVERIFY(program.Show());
        FitDialog& dialog = program.form1->Fit();
        QVERIFY(dialog.Open(Example));
        const QHash<QString, QString> calc = CalcFit();
        QCOMPARE(calc.size(), 14);  // six coefficients, two ranges, six figures
        for (const auto* figure : dialog.findChildren<QLabel*>()) {
            if (calc.contains(figure->accessibleName()))
                QCOMPARE(figure->text(), calc.value(figure->accessibleName()));
        }
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("PointCount"))->text(), QStringLiteral("45"));
        QVERIFY(!dialog.findChild<QComboBox*>(QStringLiteral("ViscosityUnit"))->isEnabled());  // the header's Pa.s
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("FitMessage"))->text().isEmpty());
        QCOMPARE(dialog.findChild<QChartView*>()->chart()->series().size(), 10);  // 5 temperatures, points and law

        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Apply")), Qt::LeftButton);
        const QStringList names{QStringLiteral("A0"), QStringLiteral("A1"), QStringLiteral("A11"),
                                QStringLiteral("A2"), QStringLiteral("A22"), QStringLiteral("A12")};
        for (int j = 0; j < 6; ++j) {
            QCOMPARE(program.Edit(23 + j)->text(), calc.value(names[j]));
            QVERIFY(!program.Edit(23 + j)->isEnabled());
        }
        QCOMPARE(program.Edit(3)->text(), QStringLiteral("267.0"));
    }

    void everyControlIsNamed() {
        Program program;
        FitDialog& dialog = program.form1->Fit();
        dialog.Open(Example);
        QList<QWidget*> controls;
        for (auto* w : dialog.findChildren<QAbstractButton*>()) controls << w;
        for (auto* w : dialog.findChildren<QComboBox*>()) controls << w;
        for (auto* w : dialog.findChildren<QLineEdit*>()) controls << w;
        for (auto* w : dialog.findChildren<QChartView*>()) controls << w;
        QVERIFY(controls.size() >= 11);
        for (const QWidget* control : controls) QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    }

    // Where the decimal separator is a comma, so are the texts.
    void textsInTheUsersNotation() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Program program;
        FitDialog& dialog = program.form1->Fit();
        QVERIFY(dialog.Open(Example));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Apply")), Qt::LeftButton);
        QCOMPARE(program.Edit(23)->text(), CalcFit().value(QStringLiteral("A0")).replace(u'.', u','));
    }

    // Viscosities read as mPa.s are a thousandth of the same numbers in Pa.s:
    // A0 falls by ln 1000, the other coefficients stay.
    void chosenUnit() {
        Program program;
        QFile example(Example);
        QVERIFY(example.open(QIODevice::ReadOnly));
        const QString path = program.Scratch() + QStringLiteral("/plain.csv");
        Write(path, example.readAll().replace("Viscosity (Pa.s)", "Viscosity"));
        FitDialog& dialog = program.form1->Fit();
        QVERIFY(dialog.Open(path));
        auto* unit = dialog.findChild<QComboBox*>(QStringLiteral("ViscosityUnit"));
        QVERIFY(unit->isEnabled());
        auto* a0 = dialog.findChild<QLineEdit*>(QStringLiteral("FittedA0"));
        auto* a1 = dialog.findChild<QLineEdit*>(QStringLiteral("FittedA1"));
        const double pascalA0 = a0->text().toDouble();
        const double pascalA1 = a1->text().toDouble();
        dialog.show();
        unit->setFocus();
        QTest::keyClick(unit, Qt::Key_Down);  // mPa.s
        QCOMPARE(unit->currentText(), QStringLiteral("mPa.s"));
        QVERIFY(std::fabs(pascalA0 - std::log(1000.0) - a0->text().toDouble()) < 1e-8);
        QVERIFY(std::fabs(a1->text().toDouble() / pascalA1 - 1) < 1e-9);
    }

    // A file that cannot be fitted is named in the dialog; nothing can be
    // applied and no box changes.
    void refusalShownInTheDialog() {
        Program program;
        const QString path = program.Scratch() + QStringLiteral("/one.csv");
        Write(path, "Temperature,ShearRate,Viscosity\n170,1,5000\n170,10,2000\n170,100,600\n"
                    "170,1000,150\n170,3000,80\n170,10000,30\n");
        FitDialog& dialog = program.form1->Fit();
        QVERIFY(!dialog.Open(path));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("FitMessage"))->text(),
                 path + QStringLiteral(": all points are at one temperature, 170 degC: the temperature terms "
                                       "A2, A22 and A12 cannot be fitted; measure at three temperatures and three "
                                       "shear rates or more"));
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("Apply"))->isEnabled());
        QVERIFY(dialog.findChild<QLineEdit*>(QStringLiteral("FittedA0"))->text().isEmpty());

        Write(path, "Temperature,ShearRate,Viscosity\n170,1,5000\n170,x,2000\n");
        QVERIFY(!dialog.Open(path));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("FitMessage"))->text(),
                 path + QStringLiteral(":3: the shear rate \"x\" is not a number"));
        QCOMPARE(program.Edit(23)->text(), QStringLiteral("6.83729"));
    }

    // Load Coefficients takes the six A fields and leaves every other box.
    void loadCoefficientsOnly() {
        Program program;
        QVERIFY(program.Show());
        ModalCloser closer;
        const QString path = program.Scratch() + QStringLiteral("/other.vcase");
        Write(path, "OutputRate = 30\nA0 = 7.1\nEdit28 = 0.002\n");
        QVERIFY(program.form1->LoadCoefficients(path));
        QCOMPARE(program.Edit(3)->text(), QStringLiteral("267.0"));
        QCOMPARE(program.Edit(23)->text(), QStringLiteral("7.1"));
        QCOMPARE(program.Edit(24)->text(), QStringLiteral("-0.661828"));
        QCOMPARE(program.Edit(28)->text(), QStringLiteral("0.002"));
        QVERIFY(closer.shown.empty());

        Write(path, "OutputRate = 30\n");
        QVERIFY(!program.form1->LoadCoefficients(path));
        QCOMPARE(closer.shown.size(), 1u);
        QCOMPARE(closer.shown[0].text, path + QStringLiteral(" holds none of the coefficients A0 ... A12"));
        QCOMPARE(program.Edit(23)->text(), QStringLiteral("7.1"));
    }

    // The ranges of an applied fit go into the run and the saved case, and
    // stay with their coefficients: another coefficient text drops them.
    void appliedFitKeepsItsRanges() {
        Program program;
        QVERIFY(program.Show());
        ModalCloser closer;
        const CaseDocument& document = *program.form1->findChild<CaseDocument*>();
        FitDialog& dialog = program.form1->Fit();
        QVERIFY(dialog.Open(Example));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Apply")), Qt::LeftButton);
        QCOMPARE(document.ViscosityRanges(), ExampleRanges);

        program.Edit(3)->setText(QStringLiteral("30"));
        QTest::mouseClick(program.Find<QPushButton>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        const auto* warnings = program.form1->Results().findChild<QLabel*>(QStringLiteral("Warnings"));
        QVERIFY2(warnings->text().contains(QStringLiteral("the viscosity law is used at a melt temperature of "
                                                          "235.25 \u2103, outside the 150 to 230 \u2103")),
                 qPrintable(warnings->text()));

        const QString path = program.Scratch() + QStringLiteral("/fitted.vcase");
        QVERIFY(program.form1->SaveCase(path));
        QVERIFY(Bytes(path).endsWith("ViscosityTemperatureRange = 150:230\nViscosityShearRateRange = 1:10000\n"));
        QVERIFY(!program.form1->isWindowModified());

        program.Edit(23)->setText(QStringLiteral("6.4"));  // as Edit Coefficients' Apply sets it
        QCOMPARE(document.ViscosityRanges(), FittedRanges{});
        QVERIFY(program.form1->isWindowModified());

        QVERIFY(program.form1->OpenCase(path));
        QCOMPARE(document.ViscosityRanges(), ExampleRanges);
        QVERIFY(!program.form1->isWindowModified());
        QVERIFY(program.form1->LoadCoefficients(QStringLiteral(VORTANE_EXAMPLES "/melt-fitted.vcase")));
        QCOMPARE(document.ViscosityRanges(), ExampleRanges);
        QVERIFY(!closer.shown.empty());  // the completion dialog of the run
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::FitTest)
#include "fit_test.moc"
