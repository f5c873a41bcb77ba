// Run by hand, not by CTest: how long a study of OUTPUT x SPEED points takes
// in the window, shown, and how much more it holds at its peak than the idle
// window. Arguments: FIRST SECOND, each FROM:TO:STEP (default the
// 1,000 x 1,000 grid OutputRate 100:399.7:0.3 x ScrewSpeed 40:139.9:0.1),
// then optionally a PNG file to save the window's picture in.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>

#include <cstdio>

#include "app/study_window.h"
#include "program.h"

namespace {

using vortane::testing::Named;

// A line of /proc/self/status in kB: "VmRSS", "VmHWM".
long StatusKb(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key)) return line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Forgets the peak so far (Linux: clear_refs 5), so VmHWM counts from now.
void ResetPeak() {
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly)) refs.write("5");
}

void Sweep(QWidget& window, const QString& input, const QString& caption, const QString& bounds,
           const QString& suffix = {}) {
    QComboBox* field = Named<QComboBox>(window, input);
    field->setCurrentIndex(field->findText(caption));
    const QStringList parts = bounds.split(u':');
    Named<QLineEdit>(window, QStringLiteral("From") + suffix)->setText(parts.value(0));
    Named<QLineEdit>(window, QStringLiteral("To") + suffix)->setText(parts.value(1));
    Named<QLineEdit>(window, QStringLiteral("Step") + suffix)->setText(parts.value(2));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QStringList args = QApplication::arguments();
    const QString first = args.value(1, QStringLiteral("100:399.7:0.3"));
    const QString second = args.value(2, QStringLiteral("40:139.9:0.1"));

    vortane::testing::Program program;
    if (!program.Show()) return 1;
    vortane::StudyWindow& study = program.form1->Study();
    study.show();
    if (!QTest::qWaitForWindowExposed(&study)) return 1;
    Sweep(study, QStringLiteral("First input"), QStringLiteral("Output (kg/hr)"), first);
    Sweep(study, QStringLiteral("Second input"), QStringLiteral("Number of Revolution (rpm)"), second,
          QStringLiteral(" (second input)"));
    QTest::qWait(500);
    const long idle = StatusKb("VmRSS");
    const long idlePeak = StatusKb("VmHWM");
    ResetPeak();

    QSignalSpy ended(&study, &vortane::StudyWindow::SweepEnded);
    QElapsedTimer took;
    took.start();
    QTest::mouseClick(Named<QPushButton>(study, QStringLiteral("Run")), Qt::LeftButton);
    if (!ended.wait(3'600'000)) return 1;
    const qint64 elapsed = took.elapsed();
    const int rows = Named<QTableView>(study, QStringLiteral("Rows"))->model()->rowCount();
    const long peak = StatusKb("VmHWM");
    const long after = StatusKb("VmRSS");
    std::printf("%d points in %.2f s; idle window %ld kB (peak %ld kB); peak while running %ld kB, %+.1f MB; "
                "%ld kB at the end\n",
                rows, static_cast<double>(elapsed) / 1000, idle, idlePeak, peak,
                static_cast<double>(peak - idle) / 1024, after);
    if (args.size() > 3 && !study.grab().save(args[3], "PNG")) return 1;
    return 0;
}
