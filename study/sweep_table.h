#pragma once

#include <cstddef>
#include <cstdint>
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "case/units.h"
#include "result/limit_check.h"
#include "study/compact_column.h"
#include "study/sweep_run.h"

namespace vortane {

// A sweep's results, held compactly for as long as the user keeps them: per
// point its outcome, which cells it leaves empty, its message and warnings
// (each distinct text, and each pair of them, once) and the numbers of RunColumns, column by column,
// a column that has not varied held once. Cells become text only on demand.
// The points arrive in order, as RunSweep hands them on.
class SweepTable {
public:
    // The plan outlives the table.
    explicit SweepTable(const SweepPlan& plan);

    // The next point; one out of order is a std::logic_error.
    void Add(const PointResult& point);

    const SweepPlan& Plan() const { return plan_; }
    std::size_t Size() const { return shape_.size(); }

    RunOutcome Outcome(std::size_t point) const;
    bool HasWarnings(std::size_t point) const;
    WarningKinds Warnings(std::size_t point) const;  // the kinds of its warnings

    // A cell of column `column` of RunColumns(): its number, empty where the
    // row leaves it empty or the column holds texts.
    std::optional<double> Number(std::size_t point, std::size_t column) const;
    // A cell of a column that holds texts, the warnings in `system`; empty for
    // the others.
    std::string_view Text(std::size_t point, std::size_t column, UnitSystem system = UnitSystem::Metric) const;

    // The point judged by the plan's limits: each one's margin (in technical
    // metric) from the point's own cells, and whether it is feasible (with
    // the warnings the plan accepts).
    std::vector<LimitMargin> Margins(std::size_t point) const;
    bool Feasible(std::size_t point) const;

    // The columns of the sweep's CSV: Point, the swept fields, RunColumns(),
    // with the plan's limits Feasible and a margin per limit.
    std::size_t CsvColumnCount() const;
    // The CSV header's name of a column, as the CSV in `system` writes it.
    std::string CsvColumnName(std::size_t csvColumn, UnitSystem system = UnitSystem::Metric) const;
    // A cell of the CSV in `system` as a table shows it: its text, unquoted.
    std::string CsvCell(std::size_t point, std::size_t csvColumn, UnitSystem system = UnitSystem::Metric) const;
    // A column as a window shows it: its caption in `system` (the input's or
    // the value's, "Margin to " and the limit's caption).
    std::string ShownColumnName(std::size_t csvColumn, UnitSystem system = UnitSystem::Metric) const;
    // A cell as a window shows it, in `system` with the plan's decimal
    // separator: a swept value in the fewest digits that read back as it, a
    // computed number (a margin too) to seven significant digits, a text as
    // the CSV has it.
    std::string ShownCell(std::size_t point, std::size_t csvColumn, UnitSystem system = UnitSystem::Metric) const;
    // The point's CSV line, exactly as SweepRow writes it.
    void AppendCsvRow(std::string& csv, std::size_t point) const;

private:
    // How a cell's numbers are written: a swept field's value (its text as
    // typed, the number it reads as, its quantity) and a number of the run
    // or a margin, both in `system`.
    struct CellWriter {
        std::function<std::string(const std::string& typed, std::optional<double> value, Quantity quantity)> swept;
        std::function<std::string(double value)> number;
    };
    std::string Cell(std::size_t point, std::size_t csvColumn, UnitSystem system, const CellWriter& writer) const;

    std::uint32_t Intern(std::string text);

    // How a run ended and which columns of RunColumns() it fills with numbers;
    // the few that occur are each held once.
    struct RowShape {
        RunOutcome outcome;
        std::vector<bool> numbers;
        bool operator==(const RowShape&) const = default;
    };
    std::uint8_t Intern(RowShape shape);

    const SweepPlan& plan_;
    std::vector<const RunColumn*> limitColumns_;  // of the plan's limits
    std::vector<std::uint8_t> shape_;  // per point: which of shapes_
    std::vector<RowShape> shapes_;
    // A point's message and warnings (in each unit system, by UnitSystem), as
    // indices into texts_, and the kinds of those warnings (which the
    // warnings' text decides); the notes that occur are each held once.
    struct Notes {
        std::uint32_t message;
        std::array<std::uint32_t, 3> warnings;
        WarningKinds kinds;
    };
    std::uint32_t Intern(Notes notes);

    std::vector<std::uint32_t> notes_;  // per point: which of distinctNotes_
    std::vector<Notes> distinctNotes_;
    std::map<std::array<std::uint32_t, 4>, std::uint32_t> notesCodes_;
    std::deque<std::string> texts_;
    std::unordered_map<std::string_view, std::uint32_t> textCodes_;  // views of texts_
    std::vector<CompactColumn> numbers_;  // per column of RunColumns(); unused for texts
};

// The table's CSV, exactly as vortane-calc writes it for the same points,
// handed to `write` in pieces of about a megabyte; stops as soon as `write`
// returns false, and returns whether every piece was written.
bool WriteSweepCsv(const SweepTable& table, const std::function<bool(std::string_view)>& write);

}  // namespace vortane
