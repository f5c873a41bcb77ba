#include "study/sweep_table.h"

#include <limits>
#include <stdexcept>

#include "case/number_text.h"
#include "result/run_table.h"
#include "result/unit_caption.h"
#include "study/study_csv.h"

namespace vortane {

// Room for every point of the plan is reserved, not taken: the pages are
// touched only as points come.
SweepTable::SweepTable(const SweepPlan& plan)
    : plan_(plan),
      limitColumns_(LimitColumns(plan.limits)),
      numbers_(RunColumns().size(), CompactColumn(PointCount(plan))) {
    shape_.reserve(PointCount(plan));
    notes_.reserve(PointCount(plan));
}

void SweepTable::Add(const PointResult& point) {
    if (point.index != Size()) throw std::logic_error("sweep point out of order");
    const RunResult& run = point.run;
    const std::vector<RunColumn>& columns = RunColumns();
    RowShape shape{run.outcome, std::vector<bool>(columns.size())};
    Notes notes{};
    notes.kinds = run.warningKinds;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        switch (columns[c].kind) {
            case RunColumn::Kind::Outcome: break;
            case RunColumn::Kind::Message: notes.message = Intern(ColumnText(columns[c], run)); break;
            case RunColumn::Kind::Warnings:
                for (const UnitSystem system : {UnitSystem::Metric, UnitSystem::SI, UnitSystem::US})
                    notes.warnings.at(static_cast<std::size_t>(system)) =
                        Intern(ColumnText(columns[c], run, system, plan_.decimalSeparator));
                break;
            default: {
                const std::optional<double> number = ColumnNumber(columns[c], run);
                shape.numbers[c] = number.has_value();
                if (number)
                    numbers_[c].Add(*number);
                else
                    numbers_[c].Repeat();
            }
        }
    }
    shape_.push_back(Intern(std::move(shape)));
    notes_.push_back(Intern(notes));
}

std::uint32_t SweepTable::Intern(std::string text) {
    if (const auto found = textCodes_.find(text); found != textCodes_.end()) return found->second;
    if (texts_.size() == std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("too many distinct texts in a sweep");
    const auto code = static_cast<std::uint32_t>(texts_.size());
    textCodes_.emplace(texts_.emplace_back(std::move(text)), code);
    return code;
}

std::uint32_t SweepTable::Intern(Notes notes) {
    const std::array<std::uint32_t, 4> key{notes.message, notes.warnings[0], notes.warnings[1], notes.warnings[2]};
    const auto [found, added] = notesCodes_.emplace(key, static_cast<std::uint32_t>(distinctNotes_.size()));
    if (added) distinctNotes_.push_back(notes);
    return found->second;
}

std::uint8_t SweepTable::Intern(RowShape shape) {
    for (std::size_t s = 0; s < shapes_.size(); ++s)
        if (shapes_[s] == shape) return static_cast<std::uint8_t>(s);
    if (shapes_.size() > std::numeric_limits<std::uint8_t>::max())
        throw std::logic_error("too many shapes of sweep rows");
    shapes_.push_back(std::move(shape));
    return static_cast<std::uint8_t>(shapes_.size() - 1);
}

RunOutcome SweepTable::Outcome(std::size_t point) const { return shapes_[shape_[point]].outcome; }

bool SweepTable::HasWarnings(std::size_t point) const {
    return !texts_[distinctNotes_[notes_[point]].warnings[0]].empty();
}

std::optional<double> SweepTable::Number(std::size_t point, std::size_t column) const {
    if (!shapes_[shape_[point]].numbers[column]) return std::nullopt;
    return numbers_[column][point];
}

std::string_view SweepTable::Text(std::size_t point, std::size_t column, UnitSystem system) const {
    switch (RunColumns()[column].kind) {
        case RunColumn::Kind::Outcome: return OutcomeName(Outcome(point));
        case RunColumn::Kind::Message: return texts_[distinctNotes_[notes_[point]].message];
        case RunColumn::Kind::Warnings:
            return texts_[distinctNotes_[notes_[point]].warnings.at(static_cast<std::size_t>(system))];
        default: return {};
    }
}

std::vector<LimitMargin> SweepTable::Margins(std::size_t point) const {
    return LimitMarginsOf(plan_.limits, limitColumns_, [&](std::size_t c) { return Number(point, c); });
}

WarningKinds SweepTable::Warnings(std::size_t point) const { return distinctNotes_[notes_[point]].kinds; }

bool SweepTable::Feasible(std::size_t point) const {
    return vortane::Feasible(Outcome(point), Warnings(point), plan_.acceptedWarnings, Margins(point));
}

std::size_t SweepTable::CsvColumnCount() const {
    const std::size_t limits = plan_.limits.empty() ? 0 : 1 + plan_.limits.size();
    return 1 + plan_.axes.size() + RunColumns().size() + limits;
}

std::string SweepTable::CsvColumnName(std::size_t csvColumn, UnitSystem system) const {
    const std::size_t axes = plan_.axes.size();
    const std::size_t runColumns = RunColumns().size();
    if (csvColumn == 0) return "Point";
    if (csvColumn <= axes) return SweptName(*plan_.axes[csvColumn - 1].field, system);
    if (csvColumn <= axes + runColumns) return ColumnName(RunColumns()[csvColumn - 1 - axes], system);
    const std::size_t limit = csvColumn - 1 - axes - runColumns;
    return limit == 0 ? "Feasible" : MarginName(plan_.limits[limit - 1], system);
}

std::string SweepTable::Cell(std::size_t point, std::size_t csvColumn, UnitSystem system,
                             const CellWriter& writer) const {
    const std::size_t axes = plan_.axes.size();
    const std::size_t runColumns = RunColumns().size();
    if (csvColumn == 0) return std::to_string(point + 1);
    if (csvColumn <= axes) {
        const SweepAxis& axis = plan_.axes[csvColumn - 1];
        const std::string& text = axis.texts[AxisPositions(plan_, point)[csvColumn - 1]];
        return writer.swept(text, ConvertReal(text, plan_.decimalSeparator), axis.field->quantity);
    }
    if (csvColumn > axes + runColumns) {
        const std::size_t limit = csvColumn - 1 - axes - runColumns;
        if (limit == 0) return Feasible(point) ? "true" : "false";
        const std::optional<double> margin = Margins(point)[limit - 1].margin;
        return margin ? writer.number(InSystem(*margin, MarginQuantity(*limitColumns_[limit - 1]), system))
                      : std::string();
    }
    const std::size_t column = csvColumn - 1 - axes;
    if (HoldsText(RunColumns()[column].kind)) return std::string(Text(point, column, system));
    const std::optional<double> number = Number(point, column);
    return number ? writer.number(InSystem(*number, RunColumns()[column].quantity, system)) : std::string();
}

std::string SweepTable::CsvCell(std::size_t point, std::size_t csvColumn, UnitSystem system) const {
    return Cell(point, csvColumn, system,
                {[system](const std::string& typed, std::optional<double> value, Quantity quantity) {
                     return system == UnitSystem::Metric || !value ? typed
                                                                   : CsvNumber(InSystem(*value, quantity, system));
                 },
                 [](double value) { return CsvNumber(value); }});
}

std::string SweepTable::ShownColumnName(std::size_t csvColumn, UnitSystem system) const {
    const std::size_t axes = plan_.axes.size();
    const std::size_t runColumns = RunColumns().size();
    if (csvColumn == 0) return "Point";
    if (csvColumn <= axes) return InputCaption(*plan_.axes[csvColumn - 1].field, system);
    if (csvColumn <= axes + runColumns) return ColumnCaption(RunColumns()[csvColumn - 1 - axes], system);
    const std::size_t limit = csvColumn - 1 - axes - runColumns;
    return limit == 0 ? "Feasible" : "Margin to " + LimitCaption(plan_.limits[limit - 1], system, plan_.decimalSeparator);
}

std::string SweepTable::ShownCell(std::size_t point, std::size_t csvColumn, UnitSystem system) const {
    const char separator = plan_.decimalSeparator;
    return Cell(point, csvColumn, system,
                {[system, separator](const std::string& typed, std::optional<double> value, Quantity quantity) {
                     return value ? TypedValueTextIn(*value, quantity, system, separator) : typed;
                 },
                 [separator](double value) { return FormatSignificant(value, 7, separator); }});
}

void SweepTable::AppendCsvRow(std::string& csv, std::size_t point) const {
    AppendSweepRow(
        csv, plan_, point, Outcome(point), Warnings(point), [&](std::size_t c) { return Number(point, c); },
        [&](std::size_t c) { return Text(point, c); });
}

bool WriteSweepCsv(const SweepTable& table, const std::function<bool(std::string_view)>& write) {
    constexpr std::size_t Piece = 1 << 20;
    std::string csv = SweepHeader(table.Plan());
    csv.reserve(Piece + 4096);
    for (std::size_t point = 0; point < table.Size(); ++point) {
        table.AppendCsvRow(csv, point);
        if (csv.size() >= Piece) {
            if (!write(csv)) return false;
            csv.clear();
        }
    }
    return write(csv);
}

}  // namespace vortane
