#pragma once

#include <QStringList>
#include <QWidget>

#include <vector>

#include "case/units.h"
#include "chart/chart.h"
#include "comparison/comparison.h"
#include "document/report_document.h"

class QChartView;

namespace vortane {

class ComparisonView;

// The window Compare Cases opens: the cases side by side and their profiles
// in a unit system, shown anew when it changes; Export and Print hand on
// what it shows.
class CompareCasesWindow final : public QWidget {
    Q_OBJECT

public:
    CompareCasesWindow(QWidget& parent, std::vector<ComparedDesign> designs, char decimalSeparator,
                       UnitSystem system);

    void SetUnitSystem(UnitSystem system);

private:
    ReportDocument Document() const;

    std::vector<ComparedDesign> designs_;
    char decimalSeparator_;
    Comparison comparison_;
    Chart profiles_;
    ComparisonView* view_;
    QChartView* chart_;
};

// File > Compare Cases…: asks for two case files or more and shows them side
// by side.
void CompareCasesFromDialog(QWidget& parent, char decimalSeparator, UnitSystem system = UnitSystem::Metric);

// Runs each case file (without a report) and opens a window over `parent`
// showing them side by side in `system`, against the first, with their
// profiles overlaid;
// returns it. Fewer than two files, or a file that cannot be read, is named in
// a message over `parent` instead, and nothing opens: null.
QWidget* CompareCases(QWidget& parent, const QStringList& paths, char decimalSeparator,
                      UnitSystem system = UnitSystem::Metric);

}  // namespace vortane
