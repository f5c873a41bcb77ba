#include "program.h"

#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace vortane::testing {

Program::Program(const QStringList& subdirectories) : previousDirectory_(QDir::currentPath()) {
    for (const QString& name : subdirectories) QDir(scratch_.path()).mkdir(name);
    QDir::setCurrent(scratch_.path());
    finishForm = std::make_unique<TFinishForm>();
    form1 = new TForm1(*finishForm);
}

Program::~Program() {
    delete form1.data();
    finishForm.reset();
    QDir::setCurrent(previousDirectory_);
}

bool Program::Show() const {
    form1->show();
    form1->activateWindow();
    return QTest::qWaitForWindowActive(form1);
}

bool Program::ShowExposed() const {
    form1->show();
    return QTest::qWaitForWindowExposed(form1);
}

void Program::PressOk() const { QTest::mouseClick(Find<QPushButton>(QStringLiteral("BitBtn1")), Qt::LeftButton); }

void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void Type(QWidget& window, const QString& name, const QString& text) {
    QLineEdit* edit = Named<QLineEdit>(window, name);
    QVERIFY2(edit != nullptr, qPrintable(name));
    edit->setText(text);
}

void Choose(QWidget& window, const QString& name, const QVariant& data) {
    QComboBox* combo = Named<QComboBox>(window, name);
    QVERIFY2(combo != nullptr, qPrintable(name));
    combo->setCurrentIndex(combo->findData(data));
    QVERIFY2(combo->currentIndex() >= 0, qPrintable(name));
}

QString Outcome(QWidget& dialog) { return Named<QPlainTextEdit>(dialog, QStringLiteral("Result"))->toPlainText(); }

QString CellText(const QTableWidget& table, int row, int column) {
    const QTableWidgetItem* item = table.item(row, column);
    return item != nullptr ? item->text() : QString();
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Sweep(QWidget& window, const QString& input, const QString& caption, const QStringList& bounds,
           const QString& suffix) {
    QComboBox* field = Named<QComboBox>(window, input);
    field->setCurrentIndex(field->findText(caption));
    Named<QLineEdit>(window, QStringLiteral("From") + suffix)->setText(bounds.value(0));
    Named<QLineEdit>(window, QStringLiteral("To") + suffix)->setText(bounds.value(1));
    Named<QLineEdit>(window, QStringLiteral("Step") + suffix)->setText(bounds.value(2));
}

QLineEdit* Program::Edit(int box) const { return Find<QLineEdit>(QStringLiteral("Edit%1").arg(box)); }

QStringList Program::ListedFiles() const {
    QStringList lines;
    const auto* list = Find<QListWidget>(QStringLiteral("FileListBox1"));
    for (int row = 0; row < list->count(); ++row) lines << list->item(row)->text();
    return lines;
}

QString Program::Scratch() const { return QDir(scratch_.path()).canonicalPath(); }

}  // namespace vortane::testing
