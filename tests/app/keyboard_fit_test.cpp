// Every window on a 1366 x 768 screen, at scale 1 and 2: no key is claimed
// twice within a window or a menu, every window and its buttons lie on the
// screen, the design dialogs open beside the main window; the warning strip,
// a study's range and Optimise's Add Input follow the case.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabBar>
#include <QTest>

#include <functional>
#include <map>
#include <set>

#include "app/case_document.h"
#include "app/coefficient_dialog.h"
#include "app/fit_dialog.h"
#include "app/goal_seek_dialog.h"
#include "app/limits_dialog.h"
#include "app/material_dialog.h"
#include "app/optimise_dialog.h"
#include "app/results_window.h"
#include "app/screen_fit.h"
#include "app/study_window.h"
#include "modal_closer.h"
#include "program.h"

namespace vortane::testing {

namespace {

// The letter after a single "&" in `text` ("Close(&C)" gives C); none without one.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toUpper();
    }
    return {};
}

// Who claims which key: "Alt+D" -> the claimants' texts.
using Claims = std::map<QString, QStringList>;

void Claim(Claims& claims, const QKeySequence& key, const QString& who) {
    if (!key.isEmpty()) claims[key.toString(QKeySequence::PortableText)] << who;
}

void ClaimMnemonic(Claims& claims, const QString& text) {
    if (const QChar letter = Mnemonic(text); !letter.isNull())
        Claim(claims, QKeySequence(QStringLiteral("Alt+") + letter), text);
}

// The keys a menu's entries claim: their shortcuts across the window, their
// mnemonics within the menu, whose own clashes are listed in `clashes`.
void ScanMenu(const QMenu& menu, Claims& window, QStringList& clashes) {
    Claims letters;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator()) continue;
        ClaimMnemonic(letters, action->text());
        for (const QKeySequence& key : action->shortcuts()) Claim(window, key, action->text());
        if (action->menu() != nullptr) ScanMenu(*action->menu(), window, clashes);
    }
    for (const auto& [key, who] : letters)
        if (who.size() > 1) clashes << menu.title() + QStringLiteral(" menu: ") + key + QStringLiteral(": ") + who.join(", ");
}

// Every key claimed twice in `window`: the menu bar's titles, the menus'
// shortcuts, the buttons', labels' (with a buddy), group boxes' and tabs'
// mnemonics, the window's own shortcuts; and the mnemonics claimed twice
// within one menu.
QStringList Clashes(QWidget& window) {
    Claims claims;
    QStringList clashes;
    const auto inWindow = [&window](const QWidget* widget) {
        return widget->window() == &window && qobject_cast<const QMenu*>(widget->window()) == nullptr;
    };
    for (const QMenuBar* bar : window.findChildren<QMenuBar*>()) {
        if (!inWindow(bar)) continue;
        for (const QAction* top : bar->actions()) {
            ClaimMnemonic(claims, top->text());
            if (top->menu() != nullptr) ScanMenu(*top->menu(), claims, clashes);
        }
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (inWindow(button)) ClaimMnemonic(claims, button->text());
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (inWindow(label) && label->buddy() != nullptr) ClaimMnemonic(claims, label->text());
    for (const QGroupBox* group : window.findChildren<QGroupBox*>())
        if (inWindow(group) && group->isCheckable()) ClaimMnemonic(claims, group->title());
    for (const QTabBar* tabs : window.findChildren<QTabBar*>())
        if (inWindow(tabs))
            for (int i = 0; i < tabs->count(); ++i) ClaimMnemonic(claims, tabs->tabText(i));
    for (const QShortcut* shortcut : window.findChildren<QShortcut*>())
        for (const QKeySequence& key : shortcut->keys()) Claim(claims, key, shortcut->objectName());
    for (const QAction* action : window.actions())
        for (const QKeySequence& key : action->shortcuts()) Claim(claims, key, action->text());
    for (const auto& [key, who] : claims)
        if (who.size() > 1) clashes << window.objectName() + QStringLiteral(": ") + key + QStringLiteral(": ") + who.join(", ");
    return clashes;
}

// What of `window` lies off its screen: its frame, and each push button shown.
QStringList OffScreen(QWidget& window) {
    QStringList off;
    const QRect screen = window.screen()->availableGeometry();
    if (!screen.contains(window.frameGeometry())) off << window.objectName();
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        if (!button->isVisible() || button->window() != &window) continue;
        const QRect at(button->mapToGlobal(QPoint(0, 0)), button->size());
        if (!screen.contains(at)) off << window.objectName() + u' ' + button->text();
    }
    return off;
}

}  // namespace

class KeyboardFitTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Program> program;

    // Every window the program opens, made and shown.
    std::vector<QWidget*> Windows() {
        TForm1& form = *program->form1;
        std::vector<QWidget*> windows{&form,          &form.Results(),      &form.Study(),
                                      &form.Fit(),    &form.Coefficients(), &form.Materials()};
#ifdef VORTANE_DESIGN
        windows.push_back(&form.GoalSeek());
        windows.push_back(&form.Optimise());
#endif
        for (QWidget* window : windows) window->show();
        return windows;
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        QStandardPaths::setTestModeEnabled(true);
    }
    void init() {
        program = std::make_unique<Program>();
        QVERIFY(program->Show());
    }
    void cleanup() { program.reset(); }

    // The scan finds a clash where there is one.
    void theScanFindsAClash() {
        QWidget window;
        window.setObjectName(QStringLiteral("Probe"));
        auto* bar = new QMenuBar(&window);
        bar->addMenu(QStringLiteral("&Design"));
        QMenu* go = bar->addMenu(QStringLiteral("&Go"));
        go->addAction(QStringLiteral("&Next Page"));
        go->addAction(QStringLiteral("Save File &Name"));
        go->addAction(QStringLiteral("Folders"))->setShortcut(QKeySequence(QStringLiteral("Alt+D")));
        QCOMPARE(Clashes(window), (QStringList{QStringLiteral("&Go menu: Alt+N: &Next Page, Save File &Name"),
                                               QStringLiteral("Probe: Alt+D: &Design, Folders")}));
        QCOMPARE(Mnemonic(QStringLiteral("Close(&C)")), QChar(u'C'));
        QVERIFY(Mnemonic(QStringLiteral("Fish && &Chips")) == QChar(u'C'));
        QVERIFY(Mnemonic(QStringLiteral("R&&D")).isNull());
    }

    void noKeyIsClaimedTwice() {
        for (QWidget* window : Windows()) QCOMPARE(Clashes(*window), QStringList());
#ifdef VORTANE_DESIGN
        ModalCloser closer;
        QStringList limitClashes;
        QTimer::singleShot(0, this, [&] {
            if (LimitsDialog* limits = program->form1->OpenLimitsDialog()) limitClashes = Clashes(*limits);
        });
        program->form1->EditLimits();
        QCOMPARE(limitClashes, QStringList());
#endif
    }

    // Design stands before Help; the save question's buttons have mnemonics.
    void menusAndTheSaveQuestion() {
        QStringList titles;
        for (const QAction* top : program->form1->findChild<QMenuBar*>()->actions()) titles << top->text();
        QCOMPARE(titles.constLast(), QStringLiteral("&Help"));
#ifdef VORTANE_DESIGN
        QCOMPARE(titles.at(titles.size() - 2), QStringLiteral("D&esign"));
#endif
        program->Edit(3)->setText(QStringLiteral("350"));
        QStringList buttons;
        QTimer::singleShot(0, this, [&buttons] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            for (const QAbstractButton* button : box->buttons()) buttons << button->text();
            box->button(QMessageBox::Cancel)->click();
        });
        program->form1->findChild<CaseDocument*>()->New();
        buttons.sort();
        QCOMPARE(buttons, (QStringList{QStringLiteral("&Cancel"), QStringLiteral("&Discard"), QStringLiteral("&Save")}));
        QCOMPARE(program->Edit(3)->text(), QStringLiteral("350"));  // Cancel kept the design
    }

    // Each window within the screen, its buttons on it.
    void everyWindowFitsTheScreen() {
        for (QWidget* window : Windows()) {
            QVERIFY(QTest::qWaitForWindowExposed(window));
            const QStringList off = OffScreen(*window);
            QCOMPARE(off, QStringList());
        }
    }

#ifdef VORTANE_DESIGN
    // Goal Seek and Optimise open beside the main window, clear of its boxes.
    void designDialogsOpenBesideTheWindow() {
        TForm1& form = *program->form1;
        for (const auto& [action, dialog] : {std::pair<const char*, QWidget*>{"GoalSeekAction", &form.GoalSeek()},
                                             {"OptimiseAction", &form.Optimise()}}) {
            form.findChild<QAction*>(QLatin1String(action))->trigger();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            QCOMPARE(OffScreen(*dialog), QStringList());
            // The window centred on a 1366 x 768 screen (at scale 1, or 2732 x
            // 1536 at scale 2) leaves room right of its input boxes: the
            // dialog stands there, over none of them.
            const auto* boxes = program->Find<QWidget>(QStringLiteral("TabbedNotebook1"));
            const QRect kept(boxes->mapToGlobal(QPoint(0, 0)), boxes->size());
            QVERIFY2(!dialog->frameGeometry().intersects(kept),
                     qPrintable(QStringLiteral("%1: %2 px wide at %3, the boxes from %4 to %5")
                                    .arg(QLatin1String(action))
                                    .arg(dialog->frameGeometry().width())
                                    .arg(dialog->frameGeometry().left())
                                    .arg(kept.left())
                                    .arg(kept.right())));
            dialog->close();
        }
        // With room to its right, Goal Seek opens there, level with its top.
        form.move(form.screen()->availableGeometry().topLeft());
        form.findChild<QAction*>(QStringLiteral("GoalSeekAction"))->trigger();
        QCOMPARE(form.GoalSeek().frameGeometry().left(), form.frameGeometry().right() + 1);
    }
#endif

    // New and Open clear the last run's warnings; a run without any hides them too.
    void theWarningStripClearsOnNewAndOpen() {
        ModalCloser closer;
        auto* strip = program->Find<QWidget>(QStringLiteral("WarningStrip"));
        const int height = program->form1->height();
        const QString saved = program->Scratch() + QStringLiteral("/plain.vcase");
        QVERIFY(program->form1->SaveCase(saved));
        for (const auto& replace : std::vector<std::function<void()>>{
                 [this] { program->form1->findChild<CaseDocument*>()->New(); },
                 [this, saved] { QVERIFY(program->form1->OpenCase(saved)); }}) {
            program->Edit(3)->setText(QStringLiteral("-267"));  // a run with a warning
            QTest::mouseClick(program->Find<QPushButton>(QStringLiteral("BitBtn1")), Qt::LeftButton);
            QVERIFY(strip->isVisible());
            program->Edit(3)->setText(QStringLiteral("267"));
            program->form1->SaveCase(saved);  // nothing to ask before replacing the design
            replace();
            QVERIFY(!strip->isVisible());
            QCOMPARE(program->form1->height(), height);
        }
    }

    // A newly chosen input's range centres on the main window's number in it.
    void aStudyRangeCentresOnTheCase() {
        program->Edit(3)->setText(QStringLiteral("100"));
        StudyWindow& study = program->form1->Study();
        auto* first = Named<QComboBox>(study, QStringLiteral("First input"));
        first->setCurrentIndex(first->findData(FindInputField("ScrewSpeed")->box));
        first->setCurrentIndex(first->findData(FindInputField("OutputRate")->box));
        const auto text = [&study](const char* name) { return Named<QLineEdit>(study, QLatin1String(name))->text(); };
        QCOMPARE((QStringList{text("From"), text("To"), text("Step")}),
                 (QStringList{QStringLiteral("50"), QStringLiteral("150"), QStringLiteral("5")}));
        // A box that holds no number: around the input's default.
        program->Edit(3)->setText(QStringLiteral("x"));
        first->setCurrentIndex(first->findData(FindInputField("ScrewSpeed")->box));
        first->setCurrentIndex(first->findData(FindInputField("OutputRate")->box));
        QCOMPARE(text("From"), QStringLiteral("140"));
    }

#ifdef VORTANE_DESIGN
    // Add Input varies an input not varied yet; the bar is full once the
    // search is done, and counts the runs allowed.
    void addInputAndTheRunsCounted() {
        OptimiseDialog& dialog = program->form1->Optimise();
        std::set<int> varied;
        for (int row = 1; row <= 2; ++row)
            varied.insert(Named<QComboBox>(dialog, QStringLiteral("Input varied %1").arg(row))->currentData().toInt());
        for (int row = 3; row <= 6; ++row) {
            QTest::mouseClick(Named<QPushButton>(dialog, QStringLiteral("Add an input varied")), Qt::LeftButton);
            auto* input = Named<QComboBox>(dialog, QStringLiteral("Input varied %1").arg(row));
            QVERIFY(input != nullptr);
            QVERIFY2(varied.insert(input->currentData().toInt()).second, qPrintable(input->currentText()));
        }
        QCOMPARE(varied.size(), 6u);

        // The speed for a rise of 30 ℃ at 350 kg/hr (as in the design tests).
        program->Edit(3)->setText(QStringLiteral("350"));
        GoalSeekDialog& seek = program->form1->GoalSeek();
        seek.show();
        Named<QLineEdit>(seek, QStringLiteral("Low"))->setText(QStringLiteral("40"));
        Named<QLineEdit>(seek, QStringLiteral("High"))->setText(QStringLiteral("140"));
        Named<QLineEdit>(seek, QStringLiteral("Target"))->setText(QStringLiteral("30"));
        QSignalSpy ended(&seek, &DesignDialog::SearchEnded);
        QTest::mouseClick(Named<QPushButton>(seek, QStringLiteral("Run")), Qt::LeftButton);
        QVERIFY(ended.wait(60000));
        auto* bar = Named<QProgressBar>(seek, QStringLiteral("Runs made"));
        QCOMPARE(bar->maximum(), GoalSeekRequest{}.runLimit);
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY2(bar->text().startsWith(QStringLiteral("Done: ")), qPrintable(bar->text()));
        QVERIFY(static_cast<int>(seek.Search().History().size()) < bar->maximum());
    }
#endif

    // Beside the main window: right, else left, else where it hides least;
    // never off the screen.
    void besidePosition() {
        const QRect screen(0, 0, 1366, 768);
        const QMargins none;
        const auto boxesOf = [](const QRect& main) { return QRect(main.topLeft() + QPoint(10, 200), QSize(450, 240)); };
        QCOMPARE(BesidePosition({100, 50, 600, 480}, boxesOf({100, 50, 600, 480}), {560, 640}, none, screen),
                 QPoint(700, 50));
        QCOMPARE(BesidePosition({700, 50, 600, 480}, boxesOf({700, 50, 600, 480}), {560, 640}, none, screen),
                 QPoint(140, 50));
        // Room on neither side: on the screen, clear of the boxes (the
        // window's left part), over its right part instead.
        const QRect main(383, 144, 663, 480);
        const QMargins frame(1, 20, 1, 1);
        const QPoint at = BesidePosition(main, boxesOf(main), {500, 700}, frame, screen);
        const QRect outer = QRect(at, QSize(500, 700)).marginsAdded(frame);
        QVERIFY(screen.contains(outer));
        QVERIFY(!outer.intersects(boxesOf(main)));
        QCOMPARE(outer.right(), screen.right());
        // Larger than the screen: its top-left corner stays on it.
        QCOMPARE(BesidePosition(main, boxesOf(main), {2000, 1000}, none, screen), QPoint(0, 0));
    }
};

}  // namespace vortane::testing

QTEST_MAIN(vortane::testing::KeyboardFitTest)
#include "keyboard_fit_test.moc"
