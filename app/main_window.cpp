#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUrl>

#include "case/input_pages.h"
#include "case/unit_text.h"
#include "document/report_document.h"

#include "app/calc_finished.h"
#include "app/case_document.h"
#include "app/coefficient_dialog.h"
#include "app/compare_cases.h"
#include "app/elided_label.h"
#include "app/core_text.h"
#include "app/fit_dialog.h"
#include "app/guide_window.h"
#ifdef VORTANE_DESIGN
#include "app/goal_seek_dialog.h"
#include "app/limits_dialog.h"
#include "app/optimise_dialog.h"
#include "app/front_dialog.h"
#include "app/scale_up_dialog.h"
#include "design_document/front_document.h"
#endif
#include "app/material_dialog.h"
#include "app/results_window.h"
#include "app/study_window.h"
#include "app/warning_strip.h"
#include "app/decimal_separator.h"
#include "app/interface_style.h"
#include "app/output_directory.h"
#include "app/plain_text.h"
#include "app/pictures.h"
#include "app/report_export.h"
#include "app/unit_choice.h"
#include "material/material_library.h"
#include "measurement/material_fit.h"
#include "run/run_warnings.h"

namespace vortane {

namespace {

const QString Caption = QStringLiteral("Vortane");

// Where an input's label and box sit: the notebook page, the label's number
// and the top-left corners on the page's panel.
struct Placement {
    int page;
    int label;
    QPoint labelAt;
    QPoint boxAt;
};

constexpr int CoefficientPage = 2;

// By box number, Edit1 first.
constexpr std::array<Placement, InputCount> Placements{{
    {0, 1, {17, 15}, {343, 14}},   {0, 2, {17, 32}, {342, 30}},    {0, 3, {17, 48}, {342, 46}},
    {0, 4, {17, 64}, {342, 61}},   {0, 5, {17, 81}, {342, 78}},    {0, 6, {17, 98}, {342, 94}},
    {0, 7, {17, 113}, {342, 109}}, {0, 8, {17, 129}, {342, 125}},  {0, 9, {17, 146}, {342, 142}},
    {0, 10, {17, 161}, {342, 158}}, {0, 11, {17, 177}, {342, 174}},
    {1, 12, {16, 11}, {343, 7}},   {1, 13, {5, 29}, {343, 27}},    {1, 14, {16, 45}, {342, 42}},
    {1, 15, {16, 60}, {342, 57}},  {1, 16, {16, 75}, {342, 74}},   {1, 17, {16, 91}, {342, 89}},
    {1, 18, {16, 108}, {342, 106}}, {1, 19, {16, 123}, {342, 121}}, {1, 20, {16, 138}, {342, 136}},
    {1, 21, {16, 153}, {342, 150}}, {1, 22, {16, 168}, {342, 167}},
    {2, 24, {75, 86}, {278, 86}},  {2, 25, {75, 102}, {278, 102}}, {2, 26, {75, 117}, {278, 117}},
    {2, 27, {75, 134}, {278, 134}}, {2, 28, {75, 149}, {278, 149}}, {2, 29, {75, 164}, {278, 164}},
}};

constexpr QSize EditSize(69, 20);

// The client area below the menu bar, and the warning strip under it.
constexpr int ClientHeight = 440;
constexpr QRect StripPlace(11, 442, 646, 28);
constexpr int ClientHeightWithStrip = 474;

QString Name(const char* kind, int number) { return QLatin1String(kind) + QString::number(number); }

template <class Widget>
Widget* Place(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

// A label sized to its text, with its top-left corner at `at`.
QLabel* PlaceLabel(QWidget* parent, const QString& name, const QString& text, QPoint at,
                   int pixelSize, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(InterfaceFont(pixelSize));
    SetTextColour(*label, colour);
    label->move(at);
    label->adjustSize();
    return label;
}

// A raised outer and a lowered inner bevel, one pixel each.
void RaisedAndLowered(QFrame& frame) {
    frame.setFrameStyle(QFrame::Box | QFrame::Raised);
    frame.setLineWidth(1);
    frame.setMidLineWidth(0);
}

QString CompilerName() {
#if defined(__clang__)
    return QStringLiteral("Clang " __clang_version__);
#elif defined(__GNUC__)
    return QStringLiteral("GCC " __VERSION__);
#else
    return QStringLiteral("unknown");
#endif
}

}  // namespace

TForm1::TForm1(TFinishForm& finishForm)
    : finishForm_(finishForm),
      decimalSeparator_(DecimalSeparatorOf(QLocale())),
      document_(new CaseDocument(
          *this, Caption, [this] { return BoxTexts(); },
          [this](const InputTexts& texts) { SetBoxTexts(texts); }, decimalSeparator_)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(CrispIcon(IconImage));
    setFont(InterfaceFont(12));
    units_ = RememberedUnitSystem();

    // The menu bar stands above the 663 x 440 client area.
    CreateMenus();
    resize(663, ClientHeight + menuBar_->sizeHint().height());

    CreateBackground();
    CreatePages();
    CreateOutputDirectory();
    CreateButtons();
    CreateGoMenu();
    CreateWarningStrip();
#ifdef VORTANE_DESIGN
    CreateDesignMenu();
#endif
    ShowCurrentDirectory();
    document_->SetWorkUnderWay([this] {
        return study_ != nullptr && study_->Running() ? QStringLiteral("A study is running in the Study window.")
                                                      : QString();
    });
    connect(document_, &CaseDocument::Changed, this, &TForm1::ShowCaseOfResults);
    // The last run's warnings are not the new design's.
    connect(document_, &CaseDocument::Replaced, this, [this] { ShowWarningStrip({}); });

    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                    screen()->availableGeometry()));
    edits_[0]->setFocus();
}

void TForm1::CreateMenus() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("MenuBar"));
    menuBar_->setGeometry(0, 0, 663, menuBar_->sizeHint().height());

    QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&New"), document_, &CaseDocument::New);
    file->addAction(QStringLiteral("&Open Case..."), QKeySequence::Open, document_, &CaseDocument::OpenFromDialog);
    file->addAction(QStringLiteral("&Save Case"), QKeySequence::Save, document_, [this] { document_->Save(); });
    file->addAction(QStringLiteral("Save Case &As..."), QKeySequence(QStringLiteral("Ctrl+Shift+S")), document_,
                    [this] { document_->SaveAs(); });
    file->addAction(QStringLiteral("&Compare Cases\u2026"), this,
                    [this] { CompareCasesFromDialog(*this, decimalSeparator_, units_); });
    recentMenu_ = file->addMenu(QStringLiteral("&Recent Cases"));
    connect(recentMenu_, &QMenu::aboutToShow, document_, [this] { document_->FillRecentMenu(*recentMenu_); });
    file->addSeparator();
    // The last run's report to hand on; there is none before a run.
    exportReport_ = file->addAction(QStringLiteral("&Export Report\u2026"), this, [this] {
        ExportReportFromDialog(LastRunDocument(), ReportName(), this);
    });
    exportReport_->setObjectName(QStringLiteral("ExportReportAction"));
    printReport_ = file->addAction(QStringLiteral("&Print\u2026"), QKeySequence::Print, this, [this] {
        PrintReportFromDialog(LastRunDocument(), ReportName(), this);
    });
    printReport_->setObjectName(QStringLiteral("PrintReportAction"));
    for (QAction* action : {exportReport_, printReport_}) action->setEnabled(false);
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence(QStringLiteral("Ctrl+Q")), this, &QWidget::close);

    QMenu* view = menuBar_->addMenu(QStringLiteral("&View"));
    view->addAction(QStringLiteral("&Results"), QKeySequence(QStringLiteral("Ctrl+R")), this,
                    &TForm1::ShowResults);
    AddUnitMenu(*view, units_, [this](UnitSystem system) { SetUnitSystem(system); });

    QMenu* study = menuBar_->addMenu(QStringLiteral("&Study"));
    study->addAction(QStringLiteral("&Sweep..."), QKeySequence(QStringLiteral("Ctrl+T")), this,
                     &TForm1::ShowStudy);

    QMenu* material = menuBar_->addMenu(QStringLiteral("&Material"));
    material->addAction(QStringLiteral("&Fit from Measurements..."), this, &TForm1::FitFromMeasurements);
    material->addAction(QStringLiteral("&Load Coefficients..."), document_,
                        &CaseDocument::LoadCoefficientsFromDialog);
    material->addAction(QStringLiteral("&Edit Coefficients\u2026"), this, &TForm1::EditCoefficients);
    QAction* choose = material->addAction(QStringLiteral("&Choose Material\u2026"), this, &TForm1::ChooseMaterial);
    choose->setObjectName(QStringLiteral("ChooseMaterialAction"));

    QMenu* help = menuBar_->addMenu(QStringLiteral("&Help"));
    QAction* guide = help->addAction(QStringLiteral("User's &Guide"), this, [this] { ShowUserGuide(*this); });
    guide->setObjectName(QStringLiteral("UserGuideAction"));
    help->addAction(QStringLiteral("&About"), this, &TForm1::ShowAbout);
}

void TForm1::CreateBackground() {
    Panel1 = Place<QFrame>(this, QStringLiteral("Panel1"),
                           rect().adjusted(0, menuBar_->sizeHint().height(), 0, 0));
    RaisedAndLowered(*Panel1);

    Panel2 = Place<QFrame>(Panel1, QStringLiteral("Panel2"), {27, 9, 429, 177});
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(2);
    QPalette border = Panel2->palette();
    border.setColor(QPalette::Window, QColor(180, 180, 180));  // the active window border
    Panel2->setPalette(border);
    Panel2->setAutoFillBackground(true);

    // The drawing is larger than its place and shown unscaled from its
    // top-left corner: its right-most columns and bottom row are cut off.
    Image1 = Place<QLabel>(Panel2, QStringLiteral("Image1"), {2, 2, 425, 173});
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(QPixmap::fromImage(SectionDrawing(devicePixelRatioF())));
}

void TForm1::CreatePages() {
    TabbedNotebook1 = Place<QTabWidget>(Panel1, QStringLiteral("TabbedNotebook1"), {11, 197, 448, 236});
    TabbedNotebook1->setFocusPolicy(Qt::NoFocus);
    TabbedNotebook1->tabBar()->setFocusPolicy(Qt::NoFocus);
    TabbedNotebook1->tabBar()->setFont(InterfaceFont(13));
    std::array<QFrame*, 3> panels;
    for (int page = 0; page < 3; ++page) {
        auto* sheet = new QWidget;
        panels[page] = Place<QFrame>(sheet, Name("Panel", 3 + page), {0, 0, 440, 208});
        RaisedAndLowered(*panels[page]);
        TabbedNotebook1->addTab(sheet, FromUtf8(InputPageTitle(page)));
    }

    for (const InputField& field : InputFields()) {
        const Placement& place = Placements[field.box - 1];
        QFrame* panel = panels[place.page];
        QLabel* label = PlaceLabel(panel, Name("Label", place.label), FromUtf8(field.caption),
                                   place.labelAt, 12, CaptionBlue);
        QLineEdit* edit = Place<QLineEdit>(panel, Name("Edit", field.box), {place.boxAt, EditSize});
        label->setBuddy(edit);
        edit->setAccessibleName(FromUtf8(field.caption));
        edit->setText(FromUtf8(DefaultText(field, decimalSeparator_)));
        // A box shows its text from the start, a leading minus sign included.
        edit->setCursorPosition(0);
        connect(edit, &QLineEdit::editingFinished, edit, [edit] { edit->setCursorPosition(0); });
        connect(edit, &QLineEdit::editingFinished, this, [this, &field] { ConvertTypedUnit(field); });
        // The boxes of a column overlap; the text at the top stays in view.
        edit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // The viscosity coefficients are shown but cannot be changed here;
        // their whole texts are the tooltip and the accessible description.
        if (place.page == CoefficientPage) {
            edit->setEnabled(false);
            const auto describe = [edit] {
                edit->setToolTip(PlainToolTip(edit->text()));
                edit->setAccessibleDescription(edit->text());
            };
            describe();
            connect(edit, &QLineEdit::textChanged, edit, describe);
        }
        edits_[field.box - 1] = edit;
    }
    for (QLineEdit* edit : edits_) connect(edit, &QLineEdit::textChanged, document_, &CaseDocument::UpdateModified);
    PlaceLabel(panels[1], QStringLiteral("Label30"),
               QStringLiteral("( * to evaluate the effect of choking channels by solid, reduce this number )"),
               {15, 190}, 12, CaptionMaroon);
    CreateCoefficientPage(*panels[CoefficientPage]);

    // Tab walks the enabled boxes of a page from top to bottom.
    for (int box = 1; box < InputCount; ++box) setTabOrder(edits_[box - 1], edits_[box]);
}

void TForm1::CreateCoefficientPage(QFrame& panel) {
    auto* panel6 = Place<QFrame>(&panel, QStringLiteral("Panel6"), {44, 20, 324, 27});
    panel6->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel6->setLineWidth(2);
    auto* image2 = Place<QLabel>(panel6, QStringLiteral("Image2"), {2, 2, 320, 23});
    image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image2->setPixmap(QPixmap::fromImage(FormulaPicture(devicePixelRatioF())));
    PlaceLabel(&panel, QStringLiteral("Label23"), QStringLiteral("(Coefficients of Viscosity)"), {39, 66},
               15, CaptionBlue);
}

void TForm1::CreateOutputDirectory() {
    DriveComboBox1 = Place<QComboBox>(Panel1, QStringLiteral("DriveComboBox1"), {494, 13, 150, 18});
    DriveComboBox1->setFocusPolicy(Qt::ClickFocus);
    DriveComboBox1->addItems(VolumeRoots());
    connect(DriveComboBox1, &QComboBox::activated, this, &TForm1::DriveComboBox1Change);

    DirectoryListBox1 = Place<QTreeWidget>(Panel1, QStringLiteral("DirectoryListBox1"), {494, 41, 150, 108});
    DirectoryListBox1->setFocusPolicy(Qt::ClickFocus);
    DirectoryListBox1->setHeaderHidden(true);
    DirectoryListBox1->setRootIsDecorated(false);
    DirectoryListBox1->setItemsExpandable(false);
    DirectoryListBox1->setExpandsOnDoubleClick(false);
    DirectoryListBox1->setIndentation(8);
    DirectoryListBox1->setUniformRowHeights(true);
    DirectoryListBox1->setIconSize({14, 14});
    // Every line is open for good: no expand or collapse marks.
    DirectoryListBox1->setStyleSheet(QStringLiteral("QTreeView::branch { image: none; }"));
    DirectoryListBox1->installEventFilter(this);
    DirectoryListBox1->setToolTip(QStringLiteral("Folders (Alt+D): double-click or Enter opens a folder; "
                                                 "the report goes to the folder opened"));
    DirectoryListBox1->setAccessibleName(QStringLiteral("Folders"));
    connect(DirectoryListBox1, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* line) { OpenDirectory(line->data(0, Qt::UserRole).toString()); });

    FileListBox1 = Place<QListWidget>(Panel1, QStringLiteral("FileListBox1"), {496, 161, 150, 142});
    FileListBox1->setFocusPolicy(Qt::ClickFocus);
    FileListBox1->setUniformItemSizes(true);
    FileListBox1->setToolTip(QStringLiteral("Files of the folder opened (Alt+L)"));
    FileListBox1->setAccessibleName(QStringLiteral("Files of the folder opened"));

    GroupBox1 = Place<QGroupBox>(Panel1, QStringLiteral("GroupBox1"), {495, 322, 151, 51});
    GroupBox1->setTitle(QStringLiteral("Save File Name"));
    GroupBox1->setFont(InterfaceFont(12));
    SetTextColour(*GroupBox1, CaptionRed);
    EditResult = Place<QLineEdit>(GroupBox1, QStringLiteral("EditResult"), {19, 18, 103, 20});
    EditResult->setFocusPolicy(Qt::ClickFocus);
    QPalette black = EditResult->palette();
    black.setColor(QPalette::Text, Qt::black);
    EditResult->setPalette(black);
    EditResult->setText(QStringLiteral("result.txt"));
    EditResult->setToolTip(QStringLiteral("Save File Name (Alt+N)"));
    EditResult->setAccessibleName(QStringLiteral("Save File Name"));

    // Between the group box and the buttons: where OK will write.
    reportPath_ = new ElidedLabel(Qt::ElideMiddle, Panel1);
    reportPath_->setObjectName(QStringLiteral("ReportPath"));
    reportPath_->setAccessibleName(QStringLiteral("Report path OK writes to"));
    reportPath_->setFont(InterfaceFont(11));
    reportPath_->setGeometry(472, 374, 185, 16);
    connect(EditResult, &QLineEdit::textChanged, this, &TForm1::ShowReportPath);
}

void TForm1::CreateButtons() {
    BitBtn1 = Place<QPushButton>(Panel1, QStringLiteral("BitBtn1"), {472, 391, 85, 35});
    BitBtn1->setText(QStringLiteral("OK"));
    BitBtn1->setIcon(CrispIcon(OkGlyph));
    BitBtn1->setDefault(true);
    BitBtn1->setToolTip(QStringLiteral("Runs the case (Enter, Ctrl+Return)"));
    BitBtn1->setAccessibleName(QStringLiteral("OK: run the case"));
    connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);

    BitBtn2 = Place<QPushButton>(Panel1, QStringLiteral("BitBtn2"), {572, 391, 85, 35});
    BitBtn2->setText(QStringLiteral("Close(&C)"));
    BitBtn2->setIcon(CrispIcon(CloseGlyph));
    BitBtn2->setToolTip(QStringLiteral("Closes the window (Alt+C)"));
    BitBtn2->setAccessibleName(QStringLiteral("Close the window"));
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);

    for (QPushButton* button : {BitBtn1, BitBtn2}) {
        button->setFont(InterfaceFont(15));
        button->setIconSize({18, 18});
        button->setFocusPolicy(Qt::ClickFocus);
    }
}

// Keyboard ways to the controls the Tab key does not reach; Tab still walks
// only the boxes of a page.
void TForm1::CreateGoMenu() {
    QMenu* go = new QMenu(QStringLiteral("&Go"), menuBar_);
    menuBar_->insertMenu(menuBar_->actions().at(2), go);
    for (int page = 0; page < 3; ++page) {
        go->addAction(QStringLiteral("Input Data &%1").arg(page + 1),
                      QKeySequence(QStringLiteral("Alt+%1").arg(page + 1)), this, [this, page] { ShowPage(page); });
    }
    go->addAction(QStringLiteral("Ne&xt Page"), QKeySequence(QStringLiteral("Ctrl+PgDown")), this,
                  [this] { ShowPage((TabbedNotebook1->currentIndex() + 1) % 3); });
    go->addAction(QStringLiteral("&Previous Page"), QKeySequence(QStringLiteral("Ctrl+PgUp")), this,
                  [this] { ShowPage((TabbedNotebook1->currentIndex() + 2) % 3); });
    go->addSeparator();
    go->addAction(QStringLiteral("&Folders"), QKeySequence(QStringLiteral("Alt+D")), this,
                  [this] { DirectoryListBox1->setFocus(Qt::ShortcutFocusReason); });
    go->addAction(QStringLiteral("F&iles"), QKeySequence(QStringLiteral("Alt+L")), this,
                  [this] { FileListBox1->setFocus(Qt::ShortcutFocusReason); });
    go->addAction(QStringLiteral("Save File &Name"), QKeySequence(QStringLiteral("Alt+N")), this, [this] {
        EditResult->setFocus(Qt::ShortcutFocusReason);
        EditResult->selectAll();
    });
    go->addSeparator();
    go->addAction(QStringLiteral("&OK"), QKeySequence(QStringLiteral("Ctrl+Return")), BitBtn1, &QPushButton::click);
    // Alt+C is the button's own mnemonic; the menu only lists it.
    go->addAction(QStringLiteral("&Close\tAlt+C"), BitBtn2, &QPushButton::click);
}

// A page shown from the keyboard, its first enabled box focused.
void TForm1::ShowPage(int page) {
    TabbedNotebook1->setCurrentIndex(page);
    for (int box = 1; box <= InputCount; ++box) {
        if (Placements[box - 1].page == page && edits_[box - 1]->isEnabled()) {
            edits_[box - 1]->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

void TForm1::CreateWarningStrip() {
    warningStrip_ = new WarningStrip(
        [this] {
            ShowCaseOfResults();
            Results().ShowWarnings();
        },
        Panel1);
    warningStrip_->setGeometry(StripPlace);
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    // Enter in a control that does not use it itself presses OK.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        BitBtn1->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the directory list opens the current line.
    if (watched == DirectoryListBox1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && DirectoryListBox1->currentItem()) {
            OpenDirectory(DirectoryListBox1->currentItem()->data(0, Qt::UserRole).toString());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent* event) { FormClose(event); }

void TForm1::resizeEvent(QResizeEvent* event) {
    const int menuHeight = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, width(), menuHeight);
    Panel1->setGeometry(rect().adjusted(0, menuHeight, 0, 0));
    QWidget::resizeEvent(event);
}

void TForm1::BitBtn1Click() {
    const RunRequest request = Request();
    lastReportPath_ = ReportPath();
    runTexts_ = request.texts;
    runRanges_ = request.viscosityRanges;
    runLimits_ = document_->Limits();
    runAccepted_ = document_->AcceptedWarnings();
    runMaterial_ = document_->Material();
    lastRun_ = RunCalculation(request);
    for (QAction* action : {exportReport_, printReport_}) action->setEnabled(true);
    ShowResult(*lastRun_);
}

// On leaving a box (or Enter in it), a number typed with a unit of its
// quantity becomes the plain number in the box's own unit; a unit the box
// does not take is named in a message, and the text stays for the user to
// mend. OK itself reads the texts as they are.
void TForm1::ConvertTypedUnit(const InputField& field) {
    QLineEdit* edit = edits_[field.box - 1];
    if (convertingUnit_ || !edit->isEnabled()) return;
    try {
        const QString converted = FromUtf8(TextInBoxUnit(field, edit->text().toStdString(), decimalSeparator_));
        if (converted == edit->text()) return;
        edit->setText(converted);
        edit->setCursorPosition(0);
    } catch (const UnitError& error) {
        convertingUnit_ = true;
        WarnPlain(this, Caption,
                  FromUtf8(field.caption).remove(QStringLiteral("* ")).trimmed() + u'\n' + FromUtf8(error.what()));
        convertingUnit_ = false;
    }
}

// The last run's report to hand on, in the chosen units, judged by the
// case's limits at that run, under the case's name as the window shows it,
// naming the grade the case named then with its sources; with a baseline
// pinned in the Results window, the comparison it shows; for a case that is
// a design of the front Trade-offs shows, that front.
ReportDocument TForm1::LastRunDocument() const {
    const MaterialLibrary library =
        runMaterial_.empty() ? MaterialLibrary{} : ReadMaterialLibrary(MaterialFolders(RunningProgram()));
    const DocumentSource source{document_->Path().toStdString(), LocalDateTime(), runMaterial_,
                                library.FindOrNull(runMaterial_)};
    ReportDocument document =
        RunDocument(*lastRun_, *runTexts_, runRanges_, source, decimalSeparator_, units_, {runLimits_, runAccepted_});
    if (results_ != nullptr) results_->AddPinnedComparison(document);
#ifdef VORTANE_DESIGN
    if (front_ != nullptr && front_->Result())
        if (const auto chosen = FrontDesignOf(*front_->Result(), *runTexts_))
            AppendFront(document, front_->Request(), *front_->Result(), chosen, decimalSeparator_, units_);
#endif
    return document;
}

// The name a report's file is proposed under: the case's, without its extension.
QString TForm1::ReportName() const { return QFileInfo(document_->Name()).completeBaseName(); }

bool TForm1::ExportReport(const QString& path) {
    return lastRun_ && vortane::ExportReport(LastRunDocument(), path, this);
}

void TForm1::SetUnitSystem(UnitSystem system) {
    units_ = system;
    // The strip, while it shows the last run's warnings, tells them in the new system.
    if (lastRun_ && !warningStrip_->isHidden())
        warningStrip_->ShowWarnings(WarningTexts(*lastRun_, system, decimalSeparator_));
    if (results_ != nullptr) results_->SetUnitSystem(system);
    if (study_ != nullptr) study_->SetUnitSystem(system);
    if (fit_ != nullptr) fit_->SetUnitSystem(system);
    if (materials_ != nullptr) materials_->SetUnitSystem(system);
    for (CompareCasesWindow* compared : findChildren<CompareCasesWindow*>(Qt::FindDirectChildrenOnly))
        compared->SetUnitSystem(system);
}

void TForm1::BitBtn2Click() { close(); }

void TForm1::FormClose(QCloseEvent* event) {
    if (!document_->MaySetAside()) {
        event->ignore();
        return;
    }
    // The window is freed; closing the last window ends the program.
    if (results_ != nullptr) results_->close();
    if (study_ != nullptr) study_->close();
#ifdef VORTANE_DESIGN
    if (goalSeek_ != nullptr) goalSeek_->close();
    if (optimise_ != nullptr) optimise_->close();
    if (front_ != nullptr) front_->close();
#endif
    setAttribute(Qt::WA_DeleteOnClose);
    event->accept();
}

void TForm1::DriveComboBox1Change(int index) {
    // The directory last visited on the volume, at first its root.
    const QString root = DriveComboBox1->itemText(index);
    if (!QDir::setCurrent(lastDirectoryOnVolume_.value(root, root))) QDir::setCurrent(root);
    ShowCurrentDirectory();
}

void TForm1::OpenDirectory(const QString& path) {
    QDir::setCurrent(path);
    ShowCurrentDirectory();
}

void TForm1::ShowCurrentDirectory() {
    const QString current = QDir::currentPath();
    const QString root = VolumeRootOf(current);
    lastDirectoryOnVolume_.insert(root, current);
    if (DriveComboBox1->findText(root) < 0) DriveComboBox1->addItem(root);
    DriveComboBox1->setCurrentIndex(DriveComboBox1->findText(root));
    ShowDirectoryPath(*DirectoryListBox1, current);
    ShowFiles(*FileListBox1, current);
    ShowReportPath();
}

// The save-file name as the run cuts it, against the current directory.
QString TForm1::ReportPath() const {
    return QFileInfo(QDir::current(), QString::fromStdString(CutResultFileName(EditResult->text().toStdString())))
        .absoluteFilePath();
}

void TForm1::ShowReportPath() { reportPath_->SetFullText(ReportPath()); }

RunRequest TForm1::Request() const {
    return {BoxTexts(), EditResult->text().toStdString(), decimalSeparator_, ReportTarget::File,
            document_->ViscosityRanges()};
}

// The stages' messages in the order they were raised, then the error box of a
// fault, or the completion dialog and the file list re-read.
void TForm1::ShowResult(const RunResult& result) {
    for (const std::string& text : result.messages)
        ShowPlainMessage(this, QMessageBox::NoIcon, Caption, FromUtf8(text));
    if (result.outcome == RunOutcome::Fault)
        ShowPlainMessage(this, QMessageBox::Critical, Caption, FromUtf8(result.fault));
    Results().SetLimits(document_->Limits(), document_->AcceptedWarnings());
    Results().ShowRun(result, lastReportPath_, decimalSeparator_);
    ShowCaseOfResults();
    if (result.rejectedBox != 0) FindRejectedBox(result.rejectedBox);
    if (result.faultBox != 0) FindRejectedBox(result.faultBox);
    if (result.outcome == RunOutcome::Complete) {
        finishForm_.ShowModal();
        ShowFiles(*FileListBox1, QDir::currentPath());
        ShowResults();
    }
    ShowWarningStrip(WarningTexts(result, units_, decimalSeparator_));
}

// The strip stands below the window's controls; the window grows to hold it
// and gives the room back when it hides.
void TForm1::ShowWarningStrip(const std::vector<std::string>& warnings) {
    const int menuHeight = menuBar_->sizeHint().height();
    warningStrip_->ShowWarnings(warnings);
    if (!warnings.empty() && height() < menuHeight + ClientHeightWithStrip)
        resize(width(), menuHeight + ClientHeightWithStrip);
    else if (warnings.empty() && height() == menuHeight + ClientHeightWithStrip)
        resize(width(), menuHeight + ClientHeight);
}

// The Results window names the case of its run, marked when the run's texts
// are not the case file's.
void TForm1::ShowCaseOfResults() {
    if (results_ == nullptr) return;
    results_->SetLimits(document_->Limits(), document_->AcceptedWarnings());
    results_->ShowCase(document_->Name(),
                       runTexts_ ? *runTexts_ != document_->SavedTexts() : document_->Modified());
}

// The page of the box that did not convert, or that an arithmetic fault
// follows from, the box focused and its text selected.
void TForm1::FindRejectedBox(int box) {
    QLineEdit* edit = edits_[box - 1];
    TabbedNotebook1->setCurrentIndex(Placements[box - 1].page);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

InputTexts TForm1::BoxTexts() const {
    InputTexts texts;
    for (int box = 1; box <= InputCount; ++box) texts[box - 1] = edits_[box - 1]->text().toStdString();
    return texts;
}

void TForm1::SetBoxTexts(const InputTexts& texts) {
    for (int box = 1; box <= InputCount; ++box) {
        edits_[box - 1]->setText(FromUtf8(texts[box - 1]));
        edits_[box - 1]->setCursorPosition(0);
    }
}

bool TForm1::OpenCase(const QString& path) { return document_->Open(path); }

bool TForm1::SaveCase(const QString& path) { return document_->SaveTo(path); }

bool TForm1::LoadCoefficients(const QString& path) { return document_->LoadCoefficients(path); }

void TForm1::ShowAbout() {
    QMessageBox::about(this, QStringLiteral("About Vortane"),
                       QStringLiteral("Vortane %1\nMixing section of a barrier screw: pressures, "
                                      "power and melt temperature rise.\n\nCompiler: %2\nQt: %3 (built with %4)")
                           .arg(QStringLiteral(VORTANE_VERSION), CompilerName(),
                                QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR)));
}

ResultsWindow& TForm1::Results() {
    if (results_ == nullptr) {
        results_ = new ResultsWindow(this);
        results_->SetUnitSystem(units_);
        ShowCaseOfResults();
    }
    return *results_;
}

StudyWindow& TForm1::Study() {
    if (study_ == nullptr) {
        study_ = new StudyWindow([this] { return BoxTexts(); }, [this] { return document_->ViscosityRanges(); },
                                 [this](const InputTexts& texts) {
                                     SetBoxTexts(texts);
                                     raise();
                                     activateWindow();
                                 },
                                 decimalSeparator_, this);
        study_->SetUnitSystem(units_);
        // The case's limits on its charts; stale while the boxes differ from its run.
        study_->SetLimits([this] { return document_->Limits(); });
        study_->SetAcceptedWarnings([this] { return document_->AcceptedWarnings(); });
        connect(document_, &CaseDocument::Changed, study_, &StudyWindow::ShowLimits);
        for (QLineEdit* edit : edits_) connect(edit, &QLineEdit::textChanged, study_, &StudyWindow::CheckStale);
    }
    return *study_;
}

void TForm1::ShowStudy() {
    Study().show();
    study_->raise();
    study_->activateWindow();
}

FitDialog& TForm1::Fit() {
    if (fit_ == nullptr) {
        // Apply fills the coefficient boxes, which stay disabled; the law now
        // holds the ranges it was fitted on.
        fit_ = new FitDialog(
            [this](const std::array<std::string, 6>& texts, const FittedRanges& ranges) {
                SetCoefficientTexts(texts);
                document_->SetViscosityRanges(ranges);
            },
            decimalSeparator_, this);
        fit_->SetUnitSystem(units_);
        connect(fit_, &FitDialog::GradeSaved, this, &TForm1::ReloadMaterials);
    }
    return *fit_;
}

// Fills the coefficient boxes, which stay disabled.
void TForm1::SetCoefficientTexts(const std::array<std::string, 6>& texts) {
    const auto fields = ViscosityCoefficientFields();
    for (std::size_t j = 0; j < fields.size(); ++j) {
        edits_[fields[j]->box - 1]->setText(FromUtf8(texts[j]));
        edits_[fields[j]->box - 1]->setCursorPosition(0);
    }
}

CoefficientDialog& TForm1::Coefficients() {
    if (coefficients_ == nullptr) {
        // The ranges of the boxes' law go with a grade saved of the same texts.
        coefficients_ = new CoefficientDialog(
            [this](const CoefficientDialog::Texts& texts) { SetCoefficientTexts(texts); },
            [this](const CoefficientDialog::Texts& texts) {
                return CoefficientTextsOf(BoxTexts()) == texts ? document_->ViscosityRanges() : FittedRanges{};
            },
            decimalSeparator_, this);
        connect(coefficients_, &CoefficientDialog::GradeSaved, this, &TForm1::ReloadMaterials);
    }
    return *coefficients_;
}

// Apply puts the grade's texts, its ranges and its name into the case as one
// change.
MaterialDialog& TForm1::Materials() {
    if (materials_ == nullptr) {
        materials_ = new MaterialDialog([this] { return BoxTexts(); },
                                        [this](const AppliedGrade& applied) {
                                            document_->TakeLaw(applied.texts, applied.ranges, applied.material);
                                        },
                                        decimalSeparator_, this);
        materials_->SetUnitSystem(units_);
    }
    return *materials_;
}

// The library as its folders now hold it.
void TForm1::ChooseMaterial() {
    Materials().Reload();
    materials_->show();
    materials_->raise();
    materials_->activateWindow();
}

void TForm1::ReloadMaterials() {
    if (materials_ != nullptr) materials_->Reload();
}

// The dialog opens on the boxes' texts.
void TForm1::EditCoefficients() {
    CoefficientDialog::Texts texts;
    const auto fields = ViscosityCoefficientFields();
    for (std::size_t j = 0; j < fields.size(); ++j) texts[j] = edits_[fields[j]->box - 1]->text().toStdString();
    Coefficients().SetTexts(texts);
    coefficients_->show();
    coefficients_->raise();
    coefficients_->activateWindow();
}

void TForm1::FitFromMeasurements() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Fit from Measurements"), {},
                                                      QStringLiteral("Measurements (*.csv *.txt);;All files (*)"));
    if (path.isEmpty()) return;
    Fit().Open(path);
    fit_->show();
    fit_->raise();
    fit_->activateWindow();
}

#ifdef VORTANE_DESIGN
// Beside the other menus: searches over the boxes for a design, each in a
// dialog of its own beside the window.
void TForm1::CreateDesignMenu() {
    // Before Help; Alt+D is the folder tree's.
    auto* design = new QMenu(QStringLiteral("D&esign"), menuBar_);
    menuBar_->insertMenu(menuBar_->actions().constLast(), design);
    QAction* seek = design->addAction(QStringLiteral("&Goal Seek\u2026"), this, [this] { ShowDesignDialog(GoalSeek()); });
    seek->setObjectName(QStringLiteral("GoalSeekAction"));
    QAction* optimise = design->addAction(QStringLiteral("&Optimise\u2026"), this, [this] {
        // A dialog opened afresh starts from the case's limits.
        if (optimise_ == nullptr || !optimise_->isVisible()) Optimise().TakeCaseLimits();
        ShowDesignDialog(Optimise());
    });
    optimise->setObjectName(QStringLiteral("OptimiseAction"));
    QAction* limits = design->addAction(QStringLiteral("&Limits\u2026"), this, &TForm1::EditLimits);
    limits->setObjectName(QStringLiteral("LimitsAction"));
    CreateAcceptMenu(*design);
    QAction* front = design->addAction(QStringLiteral("&Trade-offs\u2026"), this, [this] {
        Front().FollowCaseLimits();
        ShowDesignDialog(Front());
    });
    front->setObjectName(QStringLiteral("TradeOffsAction"));
    QAction* scaleUp = design->addAction(QStringLiteral("&Scale Up\u2026"), this, [this] {
        ScaleUp().FollowCase();
        ShowDesignDialog(ScaleUp());
    });
    scaleUp->setObjectName(QStringLiteral("ScaleUpAction"));
}

// A design is feasible only when its run raises no warning, unless the case
// accepts that kind: one checkable entry per kind, following the open case.
void TForm1::CreateAcceptMenu(QMenu& design) {
    QMenu* accept = design.addMenu(QStringLiteral("&Accept Warnings"));
    accept->setObjectName(QStringLiteral("AcceptWarningsMenu"));
    for (const WarningKind kind : AllWarningKinds) {
        QAction* action = accept->addAction(FromUtf8(std::string(WarningKindName(kind))));
        action->setCheckable(true);
        action->setObjectName(QStringLiteral("Accept ") + FromUtf8(std::string(WarningKindName(kind))));
        connect(action, &QAction::toggled, this, [this, kind](bool on) {
            WarningKinds accepted = document_->AcceptedWarnings();
            if (on)
                accepted.Add(kind);
            else
                accepted.Remove(kind);
            document_->SetAcceptedWarnings(accepted);
        });
        connect(document_, &CaseDocument::Changed, action,
                [this, action, kind] { action->setChecked(document_->AcceptedWarnings().Has(kind)); });
    }
}

// The case's limits and accepted warnings in a dialog over the window, in
// the chosen units; OK sets them as a change of the case.
void TForm1::EditLimits() {
    LimitsDialog dialog(document_->Limits(), document_->AcceptedWarnings(), units_, decimalSeparator_,
                        [this](std::vector<Limit> limits, WarningKinds accepted) {
                            document_->SetLimits(std::move(limits));
                            document_->SetAcceptedWarnings(accepted);
                        },
                        this);
    limitsDialog_ = &dialog;
    dialog.exec();
    limitsDialog_ = nullptr;
}

// The dialogs take the boxes' texts when Run is pressed; Apply gives the texts
// found back as one change of the case, its limits kept.
DesignContext TForm1::DesignContextOfCase() {
    return {[this] { return BoxTexts(); }, [this] { return document_->ViscosityRanges(); },
            [this] { return document_->Limits(); },
            [this](std::vector<Limit> limits) { document_->SetLimits(std::move(limits)); },
            [this] { return document_->AcceptedWarnings(); },
            [this](const InputTexts& texts) {
                SetBoxTexts(texts);
                raise();
                activateWindow();
            },
            decimalSeparator_};
}

GoalSeekDialog& TForm1::GoalSeek() {
    if (goalSeek_ == nullptr) {
        goalSeek_ = new GoalSeekDialog(DesignContextOfCase(), this);
    }
    return *goalSeek_;
}

OptimiseDialog& TForm1::Optimise() {
    if (optimise_ == nullptr) {
        optimise_ = new OptimiseDialog(DesignContextOfCase(), this);
        connect(document_, &CaseDocument::Changed, optimise_, &OptimiseDialog::FollowCaseLimits);
    }
    return *optimise_;
}

FrontDialog& TForm1::Front() {
    if (front_ == nullptr) {
        front_ = new FrontDialog(DesignContextOfCase(), this);
        connect(document_, &CaseDocument::Changed, front_, &FrontDialog::FollowCaseLimits);
    }
    return *front_;
}

ScaleUpDialog& TForm1::ScaleUp() {
    if (scaleUp_ == nullptr) {
        scaleUp_ = new ScaleUpDialog(DesignContextOfCase(), this);
        connect(document_, &CaseDocument::Changed, scaleUp_, &ScaleUpDialog::FollowCase);
    }
    return *scaleUp_;
}

void TForm1::ShowDesignDialog(DesignDialog& dialog) { dialog.ShowBeside(*this, *TabbedNotebook1); }
#endif

void TForm1::ShowResults() {
    Results().show();
    results_->raise();
    results_->activateWindow();
}

}  // namespace vortane
