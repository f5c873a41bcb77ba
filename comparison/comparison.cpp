#include "comparison/comparison.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "case/number_format.h"
#include "case/number_text.h"
#include "case/units.h"
#include "result/limit_check.h"
#include "result/unit_caption.h"
#include "result/run_table.h"
#include "run/run_warnings.h"
#include "study/study_csv.h"

namespace vortane {

namespace {

using Kind = ComparisonRow::Kind;

std::string WithUnit(std::string_view name, Quantity quantity, UnitSystem system) {
    if (quantity == Quantity::Dimensionless) return std::string(name);
    return std::string(name) + " (" + std::string(UnitIn(quantity, system).symbol) + ')';
}

std::optional<double> ValueIn(std::optional<double> metric, Quantity quantity, UnitSystem system) {
    if (!metric) return std::nullopt;
    return InSystem(*metric, quantity, system);
}

// Each value against the first: the difference, and the percentage of the
// first's magnitude, in the formulas' precision.
void AgainstFirst(ComparisonRow& row) {
    const std::optional<double> first = row.values.empty() ? std::nullopt : row.values.front();
    for (std::size_t d = 0; d < row.values.size(); ++d) {
        if (d == 0 || !first || !row.values[d]) {
            row.differences.emplace_back();
            row.percentages.emplace_back();
            continue;
        }
        const long double difference = static_cast<long double>(*row.values[d]) - *first;
        row.differences.emplace_back(static_cast<double>(difference));
        row.percentages.push_back(*first == 0 ? std::nullopt
                                              : std::optional<double>(static_cast<double>(
                                                    difference / std::fabs(static_cast<long double>(*first)) * 100)));
    }
}

ComparisonRow NumberRow(Kind kind, std::string quantity, std::string caption,
                        std::vector<std::optional<double>> values) {
    ComparisonRow row{kind, std::move(quantity), std::move(caption), std::move(values), {}, {}, {}};
    AgainstFirst(row);
    return row;
}

std::optional<double> InputValue(const InputField& field, const RunResult& run) {
    if (run.outcome == RunOutcome::InputRejected) return std::nullopt;
    if (field.conversion == InputField::Conversion::Integer) return run.data.*field.integer;
    return run.data.*field.real;
}

// The inputs whose values differ, or whose texts differ where a run did not
// read them.
void AddInputs(std::vector<ComparisonRow>& rows, const std::vector<ComparedDesign>& designs, UnitSystem system) {
    for (const InputField& field : InputFields()) {
        std::vector<std::optional<double>> values;
        bool differ = false;
        for (const ComparedDesign& design : designs) {
            values.push_back(InputValue(field, design.run));
            const std::size_t box = static_cast<std::size_t>(field.box - 1);
            differ = differ || values.back() != values.front() ||
                     (!values.back() && design.texts[box] != designs.front().texts[box]);
        }
        if (!differ) continue;
        for (std::optional<double>& value : values)
            if (value) value = TypedValueIn(*value, field.quantity, system);
        rows.push_back(NumberRow(Kind::Input, WithUnit(field.name, field.quantity, system), InputCaption(field, system),
                                 std::move(values)));
    }
}

void AddRunColumns(std::vector<ComparisonRow>& rows, const std::vector<ComparedDesign>& designs, UnitSystem system) {
    const auto texts = [&designs](const RunColumn& column) {
        std::vector<std::string> cells(designs.size());
        std::transform(designs.begin(), designs.end(), cells.begin(),
                       [&column](const ComparedDesign& design) { return ColumnText(column, design.run); });
        return cells;
    };
    for (const RunColumn& column : RunColumns()) {
        if (column.kind == RunColumn::Kind::Warnings) continue;
        if (column.kind == RunColumn::Kind::Outcome) {
            rows.push_back({Kind::Outcome, column.name, column.caption, {}, texts(column), {}, {}});
        } else if (column.kind == RunColumn::Kind::Message) {
            std::vector<std::string> cells = texts(column);
            if (std::any_of(cells.begin(), cells.end(), [](const std::string& c) { return !c.empty(); }))
                rows.push_back({Kind::Outcome, column.name, column.caption, {}, std::move(cells), {}, {}});
        } else {
            std::vector<std::optional<double>> values(designs.size());
            std::transform(designs.begin(), designs.end(), values.begin(), [&column, system](const ComparedDesign& design) {
                return ValueIn(ColumnNumber(column, design.run), column.quantity, system);
            });
            const std::string name = column.kind == RunColumn::Kind::Indicator
                                         ? ColumnName(column, system)
                                         : WithUnit(column.name, column.quantity, system);
            rows.push_back(NumberRow(Kind::Value, name, ColumnCaption(column, system), std::move(values)));
        }
    }
}

std::string Significant(double value, char decimalSeparator, bool sign) {
    const std::string text = FormatSignificant(value, 6, decimalSeparator);
    return sign && value >= 0 ? '+' + text : text;
}

std::string MarginText(const Limit& limit, const LimitMargin& margin, UnitSystem system, char decimalSeparator) {
    const RunColumn* column = LimitColumn(limit.quantity);
    if (column == nullptr) return "failed: no quantity of a run";
    if (!margin.margin) return "failed: not computed";
    const double shown = InSystem(std::fabs(*margin.margin), MarginQuantity(*column), system);
    return (margin.holds ? "met by " : "failed by ") + Significant(shown, decimalSeparator, false);
}

// Each limit of any design, once, in the order they come; then whether each
// design meets its own.
void AddLimits(std::vector<ComparisonRow>& rows, const std::vector<ComparedDesign>& designs, UnitSystem system,
               char decimalSeparator) {
    std::vector<std::string> limits;
    std::vector<std::string> captions;
    std::vector<std::vector<LimitMargin>> margins;
    for (const ComparedDesign& design : designs) {
        std::vector<LimitMargin> own;
        for (const Limit& limit : design.limits) {
            const RunColumn* column = LimitColumn(limit.quantity);
            own.push_back(column ? MarginOf(limit, ColumnNumber(*column, design.run)) : LimitMargin{});
        }
        margins.push_back(std::move(own));
        for (const Limit& limit : design.limits)
            if (std::find(limits.begin(), limits.end(), LimitText(limit)) == limits.end()) {
                limits.push_back(LimitText(limit));
                captions.push_back(LimitCaption(limit, system, decimalSeparator));
            }
    }
    if (limits.empty()) return;
    for (std::size_t l = 0; l < limits.size(); ++l) {
        const std::string& limit = limits[l];
        ComparisonRow row{Kind::Limit, limit, captions[l], {}, {}, {}, {}};
        for (std::size_t d = 0; d < designs.size(); ++d) {
            const std::vector<Limit>& own = designs[d].limits;
            const auto at = std::find_if(own.begin(), own.end(), [&limit](const Limit& l) { return LimitText(l) == limit; });
            row.texts.push_back(at == own.end() ? std::string()
                                                : MarginText(*at, margins[d][static_cast<std::size_t>(at - own.begin())],
                                                             system, decimalSeparator));
        }
        rows.push_back(std::move(row));
    }
    if (std::any_of(designs.begin(), designs.end(),
                    [](const ComparedDesign& design) { return !design.acceptedWarnings.Empty(); })) {
        ComparisonRow accepted{Kind::Limit, "Accepted warnings", "Accepted warnings", {}, {}, {}, {}};
        for (const ComparedDesign& design : designs) accepted.texts.push_back(WarningKindsText(design.acceptedWarnings));
        rows.push_back(std::move(accepted));
    }
    ComparisonRow feasible{Kind::Feasible, "Feasible", "Feasible", {}, {}, {}, {}};
    for (std::size_t d = 0; d < designs.size(); ++d) {
        const ComparedDesign& design = designs[d];
        const std::string warns = UnacceptedWarningsText(design.run.warningKinds, design.acceptedWarnings);
        const bool holds = Feasible(design.run.outcome, design.run.warningKinds, design.acceptedWarnings, margins[d]);
        feasible.texts.push_back(holds ? "yes" : design.run.outcome == RunOutcome::Complete && !warns.empty() ? "no: " + warns : "no");
    }
    rows.push_back(std::move(feasible));
}

}  // namespace

ComparedDesign RunCaseDesign(const std::string& path, std::span<const BoxOverride> overrides,
                             char decimalSeparator, std::span<const Limit> extraLimits, WarningKinds extraAccepted) {
    const ComposedCase given = ComposeCase(path, overrides, decimalSeparator, extraLimits, extraAccepted);
    return {std::filesystem::path(path).filename().string(), given.texts,
            RunCalculation({given.texts, {}, decimalSeparator, ReportTarget::None, given.extras.viscosityRanges}),
            given.extras.limits, given.extras.acceptedWarnings};
}

Comparison CompareDesigns(const std::vector<ComparedDesign>& designs, UnitSystem system, char decimalSeparator) {
    Comparison comparison;
    for (const ComparedDesign& design : designs) {
        comparison.designs.push_back(design.name);
        comparison.warnings.push_back(WarningTexts(design.run, system, decimalSeparator));
        comparison.stops.push_back(design.run.outcome == RunOutcome::Complete ? std::string() : design.run.detail);
    }
    if (designs.empty()) return comparison;
    AddInputs(comparison.rows, designs, system);
    AddRunColumns(comparison.rows, designs, system);
    AddLimits(comparison.rows, designs, system, decimalSeparator);
    return comparison;
}

namespace {

std::string Percentage(double value, char decimalSeparator) {
    std::string text = FixedText(value, 2);
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return (value >= 0 ? "+" : "") + text + " %";
}

template <class Format>
std::string Cell(const std::optional<double>& value, Format format) {
    return value ? format(*value) : std::string();
}

}  // namespace

ComparisonGrid ComparisonCells(const Comparison& comparison, char decimalSeparator) {
    ComparisonGrid grid;
    grid.header.emplace_back("Quantity");
    for (std::size_t d = 0; d < comparison.designs.size(); ++d) {
        grid.header.push_back(comparison.designs[d]);
        if (d > 0) grid.header.insert(grid.header.end(), {"Δ", "Δ %"});
    }
    const auto exact = [decimalSeparator](double v) { return FormatShortest(v, decimalSeparator); };
    const auto computed = [decimalSeparator](double v) { return FormatSignificant(v, 7, decimalSeparator); };
    const auto difference = [decimalSeparator](double v) { return Significant(v, decimalSeparator, true); };
    const auto percentage = [decimalSeparator](double v) { return Percentage(v, decimalSeparator); };
    for (const ComparisonRow& row : comparison.rows) {
        std::vector<std::string>& cells = grid.rows.emplace_back(1, row.caption);
        const bool outcome = row.kind == Kind::Outcome && row.quantity == "Outcome";
        for (std::size_t d = 0; d < comparison.designs.size(); ++d) {
            if (row.kind == Kind::Input) cells.push_back(Cell(row.values[d], exact));
            else if (row.kind == Kind::Value) cells.push_back(Cell(row.values[d], computed));
            else if (outcome && d < comparison.stops.size() && !comparison.stops[d].empty())
                cells.push_back(row.texts[d] + ": " + comparison.stops[d]);
            else cells.push_back(row.texts[d]);
            if (d == 0) continue;
            cells.push_back(HoldsNumbers(row) ? Cell(row.differences[d], difference) : std::string());
            cells.push_back(HoldsNumbers(row) ? Cell(row.percentages[d], percentage) : std::string());
        }
    }
    return grid;
}

namespace {

// Columns on a terminal: one per UTF-8 character.
std::size_t Columns(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void AppendAligned(std::string& text, const std::vector<std::string>& cells, const std::vector<std::size_t>& widths) {
    std::string line;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const std::string pad(widths[c] - Columns(cells[c]), ' ');
        if (c > 0) line += "  ";
        line += c == 0 ? cells[c] + pad : pad + cells[c];
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + '\n';
}

}  // namespace

std::string ComparisonText(const Comparison& comparison, char decimalSeparator) {
    const ComparisonGrid grid = ComparisonCells(comparison, decimalSeparator);
    std::vector<std::size_t> widths(grid.header.size(), 0);
    for (std::size_t c = 0; c < widths.size(); ++c) {
        widths[c] = Columns(grid.header[c]);
        for (const std::vector<std::string>& row : grid.rows) widths[c] = std::max(widths[c], Columns(row[c]));
    }
    std::string text;
    AppendAligned(text, grid.header, widths);
    for (const std::vector<std::string>& row : grid.rows) AppendAligned(text, row, widths);
    if (comparison.designs.size() > 1) text += "Δ and Δ %: against " + comparison.designs.front() + '\n';
    for (std::size_t d = 0; d < comparison.designs.size(); ++d) {
        if (comparison.warnings[d].empty()) continue;
        text += "Warnings of " + comparison.designs[d] + ":\n";
        for (const std::string& warning : comparison.warnings[d]) text += "  " + warning + '\n';
    }
    return text;
}

std::string ComparisonCsv(const Comparison& comparison) {
    std::string csv = "Quantity";
    for (const std::string& design : comparison.designs) csv += ',' + CsvField(design);
    for (std::size_t d = 1; d < comparison.designs.size(); ++d)
        csv += ',' + CsvField("Difference " + comparison.designs[d]) + ',' + CsvField("Percent " + comparison.designs[d]);
    csv += '\n';
    const auto number = [&csv](const std::optional<double>& value) {
        csv += ',';
        if (value) AppendCsvNumber(csv, *value);
    };
    for (const ComparisonRow& row : comparison.rows) {
        csv += CsvField(row.quantity);
        for (std::size_t d = 0; d < comparison.designs.size(); ++d) {
            if (HoldsNumbers(row)) number(row.values[d]);
            else csv += ',' + CsvField(row.texts[d]);
        }
        for (std::size_t d = 1; d < comparison.designs.size(); ++d) {
            if (HoldsNumbers(row)) {
                number(row.differences[d]);
                number(row.percentages[d]);
            } else {
                csv += ",,";
            }
        }
        csv += '\n';
    }
    csv += "Warnings";
    for (const std::vector<std::string>& warnings : comparison.warnings) {
        std::string joined;
        for (const std::string& warning : warnings) joined += (joined.empty() ? "" : "; ") + warning;
        csv += ',' + CsvField(joined);
    }
    csv += std::string(2 * (comparison.designs.size() > 1 ? comparison.designs.size() - 1 : 0), ',') + '\n';
    return csv;
}

}  // namespace vortane
