#include "run/run_warnings.h"

#include "report/value_format.h"

namespace vortane {

namespace {

std::string NegativePressureText(const char* channel, const LeastPressure& least, char sep) {
    return std::string("the pressure in the ") + channel + " channel falls to " +
           FormatFixed(least.pressure, 7, 2, sep) + " kgf/cm2 at z = " +
           FormatFixed(least.z, 4, 3, sep) + ": below zero the channel cannot run full";
}

// "the viscosity law is used at a melt temperature of 235.30 ℃, outside the
// 150 to 230 ℃ it was fitted on"; `at` is the quantity with its value.
std::string OutsideText(const std::string& at, const ValueRange& range, const char* unit, char sep) {
    return "the viscosity law is used at " + at + ", outside the " + FormatShortest(range.low, sep) + " to " +
           FormatShortest(range.high, sep) + ' ' + unit + " it was fitted on";
}

}  // namespace

std::string BreachText(const DomainBreach& breach, char decimalSeparator) {
    const char sep = decimalSeparator;
    std::string text = std::string(breach.field) + " = " + FormatShortest(breach.value, sep) +
                       " is outside its sound range, " + std::string(breach.soundRange);
    if (!breach.limitField.empty())
        text += ' ' + std::string(breach.limitField) + " = " + FormatShortest(breach.limit, sep);
    return text;
}

std::vector<RunWarning> RunWarnings(const RunResult& run, char decimalSeparator) {
    const char sep = decimalSeparator;
    std::vector<RunWarning> warnings;
    if (run.outcome == RunOutcome::InputRejected) return warnings;
    const CaseData& d = run.data;
    for (const DomainBreach& breach : InputDomainBreaches(d)) warnings.push_back({WarningKind::SoundRange, BreachText(breach, sep)});
    if (!HoldsChannelBlock(run.outcome)) return warnings;
    if (d.InletAverageMeltTemp < d.MeltingPoint)
        warnings.push_back({WarningKind::UnmeltedFeed,
                            "the feed cannot melt completely: its average melt temperature at the inlet, " +
                                FormatFixed(d.InletAverageMeltTemp, 15, 2, sep) + " \u2103, lies below MeltingPoint = " +
                                FormatShortest(d.MeltingPoint, sep) + " \u2103"});
    if (run.outcome != RunOutcome::Complete) return warnings;
    if (run.indicators) {
        if (run.indicators->leastInlet.pressure < 0)
            warnings.push_back({WarningKind::NegativePressure, NegativePressureText("inlet", run.indicators->leastInlet, sep)});
        if (run.indicators->leastOutlet.pressure < 0)
            warnings.push_back(
                {WarningKind::NegativePressure, NegativePressureText("outlet", run.indicators->leastOutlet, sep)});
    }
    if (d.PowerKW < 0)
        warnings.push_back({WarningKind::NegativePower, "the power comes out negative, " +
                                                           FormatFixed(d.PowerKW, 15, 3, sep) +
                                                           " kW: the section would give energy back to the screw"});
    return warnings;
}

// The law is evaluated at the working temperature of each pass and at the
// surface shear rates π D N / (60 gap) of the channel depth and the two
// barrier clearances (the inlet balance's channel flow, and the power
// stage's, which takes the same three rates again). The rates do not change
// from pass to pass; the temperature of the viscosities the results come
// from is the last pass's, which the record keeps unless a non-converging
// iteration has moved it on to the next.
std::vector<RunWarning> ViscosityRangeWarnings(const RunResult& run, const FittedRanges& ranges,
                                               char decimalSeparator) {
    const char sep = decimalSeparator;
    std::vector<RunWarning> warnings;
    if (!HoldsChannelBlock(run.outcome)) return warnings;
    const CaseData& d = run.data;
    const bool lastPassTemperature =
        run.outcome == RunOutcome::Complete || run.outcome == RunOutcome::PressureTooLow;
    if (ranges.temperature && lastPassTemperature && !ranges.temperature->Holds(d.WorkingTemp))
        warnings.push_back({WarningKind::FittedRange,
                            OutsideText("a melt temperature of " + FormatFixed(d.WorkingTemp, 15, 2, sep) + " \u2103",
                                        *ranges.temperature, "\u2103", sep)});
    if (!ranges.shearRate) return warnings;
    const std::pair<const char*, double> rates[] = {
        {"the channel", d.ChannelShearRate},
        {"the clearance of barrier 1", d.Barrier1ShearRate},
        {"the clearance of barrier 2", d.Barrier2ShearRate},
    };
    for (const auto& [where, rate] : rates) {
        if (!ranges.shearRate->Holds(rate))
            warnings.push_back({WarningKind::FittedRange,
                                OutsideText("a shear rate of " + FormatGeneral(rate, 6, 0, sep) + " 1/s in " + where,
                                            *ranges.shearRate, "1/s", sep)});
    }
    return warnings;
}

}  // namespace vortane
