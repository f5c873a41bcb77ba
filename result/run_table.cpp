#include "result/run_table.h"

#include <algorithm>
#include <type_traits>

#include "report/report_layout.h"
#include "result/indicator_table.h"
#include "result/unit_caption.h"

namespace vortane {

namespace {

std::vector<RunColumn> MakeRunColumns() {
    using K = RunColumn::Kind;
    std::vector<RunColumn> columns{
        {K::Outcome, "Outcome", "Outcome"}, {K::Passes, "Passes", "Passes"}, {K::Message, "Message", "Message"}};
    for (const ReportedValue& value : ChannelValues())
        columns.push_back({K::Channel, std::string(value.name), std::string(value.caption), value.field, nullptr,
                           value.quantity});
    for (const ReportedValue& value : ResultValues())
        columns.push_back({K::Results, std::string(value.name), std::string(value.caption), value.field, nullptr,
                           value.quantity});
    for (const IndicatorColumn& column : IndicatorColumns())
        columns.push_back({K::Indicator, std::string(column.name) + " (" + std::string(column.unit) + ')',
                           std::string(column.caption), nullptr, column.value, column.quantity});
    columns.push_back({K::Warnings, "Warnings", "Warnings"});
    return columns;
}

void Join(std::string& joined, const std::string& text) {
    joined += (joined.empty() ? "" : "; ") + text;
}

}  // namespace

const std::vector<RunColumn>& RunColumns() {
    static const std::vector<RunColumn> columns = MakeRunColumns();
    return columns;
}

std::string ColumnName(const RunColumn& column, UnitSystem system) {
    if (system == UnitSystem::Metric) return column.name;
    const std::string unit = " (" + std::string(UnitIn(column.quantity, system).symbol) + ')';
    if (column.kind == RunColumn::Kind::Indicator)
        return column.name.substr(0, column.name.find(" (")) + unit;
    if (column.quantity == Quantity::Dimensionless) return column.name;
    return column.name + unit;
}

std::string ColumnCaption(const RunColumn& column, UnitSystem system) {
    return CaptionIn(column.caption, column.quantity, system);
}

std::string InputCaption(const InputField& field, UnitSystem system) {
    return CaptionIn(ReportCaption(field), field.quantity, system);
}

std::optional<double> ColumnNumber(const RunColumn& column, const RunResult& run) {
    switch (column.kind) {
        case RunColumn::Kind::Passes: return run.passes;
        case RunColumn::Kind::Channel:
            if (HoldsChannelBlock(run.outcome)) return run.data.*column.field;
            return std::nullopt;
        case RunColumn::Kind::Results:
            if (run.outcome == RunOutcome::Complete) return run.data.*column.field;
            return std::nullopt;
        case RunColumn::Kind::Indicator:
            if (run.indicators) return column.indicator(*run.indicators);
            return std::nullopt;
        default: return std::nullopt;
    }
}

std::string ColumnText(const RunColumn& column, const RunResult& run, UnitSystem system, char decimalSeparator) {
    std::string text;
    switch (column.kind) {
        case RunColumn::Kind::Outcome: return std::string(OutcomeName(run.outcome));
        case RunColumn::Kind::Message:
            for (const std::string& message : run.messages) Join(text, message);
            if (run.outcome == RunOutcome::Fault) Join(text, run.fault);
            return text;
        case RunColumn::Kind::Warnings:
            if (system == UnitSystem::Metric)
                for (const std::string& warning : run.warnings) Join(text, warning);
            else
                for (const RunWarning& warning : run.warningData) Join(text, WarningText(warning, system, decimalSeparator));
            return text;
        default: return text;
    }
}

namespace {

// Whether the run read the input of `field`: reading stops at the box whose
// text does not convert, and leaves it and the boxes after it unread.
template <class Member>
bool InputRead(const RunResult& run, Member field) {
    if (run.rejectedBox == 0) return true;
    const auto& inputs = InputFields();
    const auto input = std::find_if(inputs.begin(), inputs.end(), [field](const InputField& f) {
        if constexpr (std::is_same_v<Member, double CaseData::*>) return f.real == field;
        else return f.integer == field;
    });
    return input == inputs.end() || input->box < run.rejectedBox;
}

}  // namespace

bool RunComputed(const RunResult& run, double CaseData::*field) {
    const auto in = [field](const std::vector<ReportedValue>& block) {
        return std::any_of(block.begin(), block.end(),
                           [field](const ReportedValue& value) { return value.field == field; });
    };
    if (in(ChannelValues())) return HoldsChannelBlock(run.outcome);
    if (in(ResultValues())) return run.outcome == RunOutcome::Complete;
    return InputRead(run, field);
}

bool RunComputed(const RunResult& run, std::int32_t CaseData::*field) { return InputRead(run, field); }

std::string_view OutcomeName(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::Complete: return "complete";
        case RunOutcome::InputRejected: return "input";
        case RunOutcome::FileNotOpened: return "file";
        case RunOutcome::ChannelRejected: return "channel";
        case RunOutcome::PressureTooLow: return "pressure";
        case RunOutcome::NotConverged: return "nonconvergent";
        case RunOutcome::Fault: return "fault";
    }
    return "fault";
}

}  // namespace vortane
