#pragma once

#include <QHash>
#include <QWidget>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "case/fitted_ranges.h"
#include "case/input_fields.h"
#include "case/limit.h"
#include "case/units.h"
#include "case/warning_kind.h"
#include "run/calculation_run.h"

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace vortane {

class CaseDocument;
struct ReportDocument;
class CoefficientDialog;
class DesignDialog;
class ElidedLabel;
class FitDialog;
class GoalSeekDialog;
class LimitsDialog;
class MaterialDialog;
class OptimiseDialog;
class FrontDialog;
class ScaleUpDialog;
struct DesignContext;
class ResultsWindow;
class StudyWindow;
class TFinishForm;
class WarningStrip;

// The main window: the section drawing, the 28 input boxes on three pages, the
// output directory, the save-file name with the path OK writes to, and the OK
// and Close buttons; below them, after a run with warnings, the warning strip.
// It does no calculation: OK hands the texts to a run and shows what the run
// returns.
class TForm1 final : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(TFinishForm& finishForm);

    // The case document's Open, SaveTo and LoadCoefficients (see
    // app/case_document.h).
    bool OpenCase(const QString& path);
    bool SaveCase(const QString& path);
    bool LoadCoefficients(const QString& path);
    // Writes the last run's report to hand on (PDF, or HTML by its extension)
    // in the chosen units; false when there is no run or it cannot be written.
    bool ExportReport(const QString& path);

    // Made at the first run or the first View > Results, not at start-up.
    ResultsWindow& Results();
    StudyWindow& Study();
    FitDialog& Fit();
    CoefficientDialog& Coefficients();
    MaterialDialog& Materials();
#ifdef VORTANE_DESIGN
    // The Design menu's dialogs, made when first opened.
    GoalSeekDialog& GoalSeek();
    OptimiseDialog& Optimise();
    FrontDialog& Front();  // Design > Trade-offs…
    ScaleUpDialog& ScaleUp();  // Design > Scale Up…
    // Design > Limits…: the case's limits and accepted warnings in a modal
    // dialog; the dialog while it is open, else none.
    void EditLimits();
    LimitsDialog* OpenLimitsDialog() const { return limitsDialog_; }
#endif

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenus();
    void CreateBackground();
    void CreatePages();
    void CreateCoefficientPage(QFrame& panel);
    void CreateOutputDirectory();
    void CreateButtons();
    void CreateGoMenu();
    void CreateWarningStrip();
#ifdef VORTANE_DESIGN
    void CreateDesignMenu();
    void CreateAcceptMenu(QMenu& design);
    DesignContext DesignContextOfCase();
    void ShowDesignDialog(DesignDialog& dialog);
#endif

    void BitBtn1Click();
    void BitBtn2Click();
    void FormClose(QCloseEvent* event);
    void DriveComboBox1Change(int index);
    void OpenDirectory(const QString& path);
    void ShowCurrentDirectory();
    QString ReportPath() const;
    void ShowReportPath();

    RunRequest Request() const;
    void ShowResult(const RunResult& result);
    void FindRejectedBox(int box);
    void ShowWarningStrip(const std::vector<std::string>& warnings);
    void ShowCaseOfResults();
    void ShowPage(int page);

    InputTexts BoxTexts() const;
    void SetBoxTexts(const InputTexts& texts);
    void SetCoefficientTexts(const std::array<std::string, 6>& texts);
    void EditCoefficients();
    void ShowAbout();
    void ShowResults();
    void ShowStudy();
    void FitFromMeasurements();
    void ChooseMaterial();
    void ReloadMaterials();
    void SetUnitSystem(UnitSystem system);
    void ConvertTypedUnit(const InputField& field);
    ReportDocument LastRunDocument() const;
    QString ReportName() const;

    TFinishForm& finishForm_;
    const char decimalSeparator_;
    QHash<QString, QString> lastDirectoryOnVolume_;

    CaseDocument* document_;
    QString lastReportPath_;
    std::optional<InputTexts> runTexts_;  // the boxes' texts at the last run
    std::optional<RunResult> lastRun_;
    FittedRanges runRanges_;  // of the last run's law
    std::vector<Limit> runLimits_;  // the case's limits and accepted warnings at the last run
    WarningKinds runAccepted_;
    std::string runMaterial_;  // the grade the case named at the last run; empty for none
    UnitSystem units_ = UnitSystem::Metric;
    bool convertingUnit_ = false;  // a unit's message is up
    ResultsWindow* results_ = nullptr;
    StudyWindow* study_ = nullptr;
    FitDialog* fit_ = nullptr;
    CoefficientDialog* coefficients_ = nullptr;
    MaterialDialog* materials_ = nullptr;
    GoalSeekDialog* goalSeek_ = nullptr;
    OptimiseDialog* optimise_ = nullptr;
    FrontDialog* front_ = nullptr;
    ScaleUpDialog* scaleUp_ = nullptr;
    LimitsDialog* limitsDialog_ = nullptr;
    QMenuBar* menuBar_;
    QMenu* recentMenu_;
    QAction* exportReport_;
    QAction* printReport_;

    QFrame* Panel1;
    QFrame* Panel2;
    QLabel* Image1;
    QTabWidget* TabbedNotebook1;
    std::array<QLineEdit*, InputCount> edits_;  // Edit1 ... Edit28
    QComboBox* DriveComboBox1;
    QTreeWidget* DirectoryListBox1;
    QListWidget* FileListBox1;
    QGroupBox* GroupBox1;
    QLineEdit* EditResult;
    ElidedLabel* reportPath_;
    WarningStrip* warningStrip_;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
};

}  // namespace vortane
