#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "case/fitted_ranges.h"
#include "case/input_fields.h"
#include "case/limit.h"
#include "case/units.h"
#include "case/warning_kind.h"
#include "chart/chart.h"
#include "comparison/comparison.h"
#include "material/grade.h"
#include "run/calculation_run.h"
#include "study/sweep_curves.h"
#include "study/sweep_table.h"

namespace vortane {

// A report to hand on, as plain data: what every renderer of it shows, in
// order. Texts are UTF-8 and shown as they are.

// A titled table: with column names, a row per record; without, a caption and
// its value a row. Notes follow the table.
struct DocumentSection {
    std::string title;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> notes;
};

// A chart shown after the first `position` sections of its document.
struct PlacedChart {
    Chart chart;
    std::size_t position = 0;
};

struct ReportDocument {
    std::string title;
    std::vector<std::vector<std::string>> about;  // caption and value: case, file, date, version
    std::vector<DocumentSection> sections;
    std::optional<Chart> chart;
    std::size_t chartPosition = 0;  // the sections shown before the chart
    // Charts after the first, in the order shown; one placed before the
    // first chart is shown just after it.
    std::vector<PlacedChart> moreCharts = {};
};

// Where the document's case came from and when it was made.
struct DocumentSource {
    std::string caseFile;  // empty: the default texts and what the command gave
    std::string dateTime;  // as LocalDateTime writes it
    std::string material = {};      // the grade the case names (CaseExtras::material); empty for none
    const Grade* grade = nullptr;  // that grade as the library holds it, when it does
};

// The limits a run is judged by and the kinds of warning its case accepts.
struct DocumentLimits {
    std::span<const Limit> limits;
    WarningKinds acceptedWarnings = {};
};

// The program's version, "1.0.0".
std::string_view ProgramVersion();

// A number of `quantity`, given in its technical metric unit, in `system`:
// seven significant digits and the unit ("1.234567 MPa").
std::string QuantityText(double metricValue, Quantity quantity, UnitSystem system, char decimalSeparator);

// Now, in the local time zone: "2026-12-08 22:58 +0000".
std::string LocalDateTime();

// The document of one run of `texts`: inputs (the texts as typed, so that a
// run of them gives the document's results again; in another system beside
// their values converted), the viscosity law and the ranges it was
// fitted on, the channel characteristics, results and design indicators it
// computed, the message and detail of a run that stopped, its warnings, and
// the profile chart of a complete run. Inputs, values and chart are in the
// units of `system` (see SummarizeRun); the viscosity law keeps its own, and
// the texts of a rejected input stay as typed, in the boxes' units.
// With limits or accepted warnings, a section "Limits" lists each limit as
// LimitText writes it, with the run's value and its margin in `system`
// (seven significant digits), whether it is met, the accepted kinds ("none"), and
// whether the design is feasible as Feasible judges it, or why not; a run that
// stopped leaves them not judged. Without either, the document is as before.
// A case naming a material has a section "Material" after the viscosity law:
// the grade's name, family and description, the source of each of its values
// and the error of its fit, or, for a grade the library does not hold, its
// name and that its sources are not at hand.
ReportDocument RunDocument(const RunResult& run, const InputTexts& texts, const FittedRanges& ranges,
                           const DocumentSource& source, char decimalSeparator,
                           UnitSystem system = UnitSystem::Metric, const DocumentLimits& judged = {});

// RunDocument's section "Limits" alone, as a page shows it beside the results.
DocumentSection LimitsSection(const RunResult& run, const DocumentLimits& judged, char decimalSeparator,
                              UnitSystem system = UnitSystem::Metric);

// The rows a sweep's document lists at most.
inline constexpr std::size_t SweepDocumentRowLimit = 1000;

// The summary of a sweep: its grid, its StudyChart of `curves` (over two
// inputs with the feasible map) and the table's first `rowLimit` points with
// their CSV cells, and how many there are; the chart and table in the units of
// `system`, as the CSV in it.
ReportDocument SweepDocument(const SweepTable& table, const SweepCurves& curves, const DocumentSource& source,
                             std::size_t rowLimit = SweepDocumentRowLimit, UnitSystem system = UnitSystem::Metric);

// The document of designs side by side: the comparison's table as
// ComparisonCells gives it, what the differences are taken against, each
// design's warnings, and `chart` (their profiles overlaid) when given.
ReportDocument ComparisonDocument(const Comparison& comparison, const std::optional<Chart>& chart,
                                  const std::string& dateTime, char decimalSeparator);

// A run's document with the designs it is compared with after its own
// sections: the comparison's table as ComparisonCells gives it under
// "Compared with FIRST", what the differences are taken against, `chart`
// (the profiles overlaid) when given, and the warnings of each design but the
// last, the run itself, whose warnings the document already holds.
void AppendComparison(ReportDocument& document, const Comparison& comparison, const std::optional<Chart>& chart,
                      char decimalSeparator);

}  // namespace vortane
