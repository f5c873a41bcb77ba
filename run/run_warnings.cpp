#include "run/run_warnings.h"

#include <utility>

#include "case/input_fields.h"

namespace vortane {

std::vector<RunWarning> RunWarnings(const RunResult& run) {
    std::vector<RunWarning> warnings;
    if (run.outcome == RunOutcome::InputRejected) return warnings;
    const CaseData& d = run.data;
    for (const DomainBreach& breach : InputDomainBreaches(d)) {
        RunWarning warning{WarningKind::SoundRange, breach.field, {}, breach};
        const Quantity quantity = FindInputField(breach.field)->quantity;
        warning.values.push_back({breach.value, quantity});
        if (!breach.limitField.empty()) warning.values.push_back({breach.limit, quantity});
        warnings.push_back(std::move(warning));
    }
    if (!HoldsChannelBlock(run.outcome)) return warnings;
    if (d.InletAverageMeltTemp < d.MeltingPoint)
        warnings.push_back({WarningKind::UnmeltedFeed,
                            {},
                            {{d.InletAverageMeltTemp, Quantity::Temperature}, {d.MeltingPoint, Quantity::Temperature}}});
    if (run.outcome != RunOutcome::Complete) return warnings;
    if (run.indicators) {
        const std::pair<const char*, const LeastPressure*> channels[] = {
            {"inlet", &run.indicators->leastInlet},
            {"outlet", &run.indicators->leastOutlet},
        };
        for (const auto& [channel, least] : channels)
            if (least->pressure < 0)
                warnings.push_back({WarningKind::NegativePressure,
                                    channel,
                                    {{least->pressure, Quantity::Pressure}, {least->z, Quantity::Dimensionless}}});
    }
    if (d.PowerKW < 0) warnings.push_back({WarningKind::NegativePower, {}, {{d.PowerKW, Quantity::Power}}});
    return warnings;
}

// The law is evaluated at the working temperature of each pass and at the
// surface shear rates π D N / (60 gap) of the channel depth and the two
// barrier clearances (the inlet balance's channel flow, and the power
// stage's, which takes the same three rates again). The rates do not change
// from pass to pass; the temperature of the viscosities the results come
// from is the last pass's, which the record keeps unless a non-converging
// iteration has moved it on to the next.
std::vector<RunWarning> ViscosityRangeWarnings(const RunResult& run, const FittedRanges& ranges) {
    std::vector<RunWarning> warnings;
    if (!HoldsChannelBlock(run.outcome)) return warnings;
    const CaseData& d = run.data;
    const bool lastPassTemperature =
        run.outcome == RunOutcome::Complete || run.outcome == RunOutcome::PressureTooLow;
    const auto outside = [&](const char* where, double value, const ValueRange& range, Quantity quantity) {
        warnings.push_back(
            {WarningKind::FittedRange, where, {{value, quantity}, {range.low, quantity}, {range.high, quantity}}});
    };
    if (ranges.temperature && lastPassTemperature && !ranges.temperature->Holds(d.WorkingTemp))
        outside("", d.WorkingTemp, *ranges.temperature, Quantity::Temperature);
    if (!ranges.shearRate) return warnings;
    const std::pair<const char*, double> rates[] = {
        {"the channel", d.ChannelShearRate},
        {"the clearance of barrier 1", d.Barrier1ShearRate},
        {"the clearance of barrier 2", d.Barrier2ShearRate},
    };
    for (const auto& [where, rate] : rates)
        if (!ranges.shearRate->Holds(rate)) outside(where, rate, *ranges.shearRate, Quantity::ShearRate);
    return warnings;
}

std::vector<std::string> WarningTexts(const RunResult& run, UnitSystem system, char decimalSeparator) {
    std::vector<std::string> texts;
    texts.reserve(run.warningData.size());
    for (const RunWarning& warning : run.warningData) texts.push_back(WarningText(warning, system, decimalSeparator));
    return texts;
}

}  // namespace vortane
