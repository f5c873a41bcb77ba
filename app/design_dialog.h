#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/design_run.h"
#include "case/fitted_ranges.h"
#include "case/input_fields.h"
#include "case/limit.h"
#include "chart/chart.h"

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace vortane {

// What a design dialog takes from the main window and gives back to it.
struct DesignContext {
    std::function<InputTexts()> boxTexts;          // the boxes' texts now
    std::function<FittedRanges()> viscosityRanges;  // what their law was fitted on
    std::function<std::vector<Limit>()> limits;    // the case's limits
    std::function<void(std::vector<Limit>)> setLimits;  // a change of the case's limits
    std::function<WarningKinds()> acceptedWarnings;  // the kinds the case accepts
    std::function<void(const InputTexts&)> setBoxTexts;  // one modification of the case
    char decimalSeparator = '.';
};

// An input's text found, for its box.
using FoundText = std::pair<const InputField*, std::string>;

// The part the Goal Seek and Optimise dialogs share, below their own inputs:
// Run, Cancel and the progress (runs made of those allowed); the result as
// text; Apply, which puts the texts found into the boxes; the history of the
// runs as a chart. Apply is offered only for a design found.
class DesignDialog : public QDialog {
    Q_OBJECT

public:
    ~DesignDialog() override;

    const DesignRun& Search() const { return search_; }

    // Shows the dialog; one not yet shown is sized to the room on the screen
    // and placed beside `main`, clear of `keep` (its input boxes) where it can be.
    void ShowBeside(const QWidget& main, const QWidget& keep);

signals:
    void SearchEnded();

protected:
    // The search the dialog's inputs ask for and the runs it may make (0: as
    // many as it needs, the runs made counted alone); none after a message
    // naming what is wrong.
    struct Prepared {
        DesignRun::Search search;
        int runLimit;
    };

    DesignDialog(const QString& title, DesignContext context, QWidget* parent);

    // Ends a search under way: a dialog calls it as it goes, before the
    // result the search writes.
    void StopSearch() { search_.Stop(); }
    // Lays the dialog out: `inputs` above the shared part, `results` (which
    // may hold the chart) in place of the chart if given, all scrolling when
    // taller than the screen, Apply and Close below them; `wanted` is its
    // size where the screen has room.
    void LayOut(QWidget* inputs, QSize wanted, QWidget* results = nullptr);
    // The chart under the result: the runs' history as HistoryChart gives it.
    QChartView& ChartView() const { return *chart_; }
    // Offers Apply when a search has ended and Found holds texts, as they change.
    void OfferApply();
    const DesignContext& Context() const { return context_; }
    // Says what is wrong with the dialog's inputs.
    void Refuse(const QString& text);

    virtual std::optional<Prepared> Prepare() = 0;
    virtual Chart HistoryChart(const std::vector<Evaluation>& history) const = 0;
    // How the last search ended, once it has; and the texts it found, empty
    // when it found no design.
    virtual QString Outcome() const = 0;
    virtual std::vector<FoundText> Found() const = 0;
    // The runs the ended search made: one for each point of its history,
    // unless the search says otherwise.
    virtual std::size_t RunsMade() const { return search_.History().size(); }

    void closeEvent(QCloseEvent* event) override;

private:
    void Run();
    void ShowProgress();
    void ShowEnd();
    void Apply();

    DesignContext context_;
    DesignRun search_;
    QPushButton *run_, *cancel_, *apply_;
    QProgressBar* progress_;
    QPlainTextEdit* outcome_;
    QChartView* chart_;
    QSize wanted_;
    int leastWidth_ = 0;  // the inputs' rows whole beside the scroll bar
};

// Controls the dialogs share.
// The real boxes a design may vary (not the viscosity law's), by caption; the
// box number is each item's data.
QComboBox* VariedInputCombo(const QString& accessibleName);
// The quantities of a run a limit or target may name (numeric columns).
QComboBox* QuantityCombo(const QString& accessibleName);
QLineEdit* NumberEdit(const QString& accessibleName);
const InputField& ChosenInput(const QComboBox& combo);
// Bounds around the chosen box's text: half and twice a positive value, one
// either side of another; nothing when the box holds no number.
void PrefillBounds(const QComboBox& input, QLineEdit& low, QLineEdit& high, const DesignContext& context);

// A number typed in `edit`; none after naming it, as `what`, in `message`.
std::optional<double> ReadNumber(const QLineEdit& edit, char decimalSeparator, const QString& what,
                                 QString& message);
// A value as the dialogs show it: six significant digits with the decimal separator.
QString Figure(double value, char decimalSeparator);

// The case's limits shown read-only beside a search's inputs (they are set in
// Design > Limits…), and their text on one line, "(no limits)" for none.
QLabel* CaseLimitsLabel();
QString CaseLimitsText(const std::vector<Limit>& limits);

// A table of designs, a row each, selected whole and one at a time, not edited.
QTableWidget* DesignsTable(const QString& accessibleName);
// A column's caption over two lines at most and its unit on a line of its
// own, for the columns to stay narrow.
QString TableHeading(const QString& caption);
// A cell that can be selected, not edited.
QTableWidgetItem* TableCell(const QString& text);
// The row selected in a table of designs, if any.
std::optional<std::size_t> SelectedRow(const QTableWidget& table);

}  // namespace vortane
