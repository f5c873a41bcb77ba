#include "run/run_warnings.h"

#include "report/value_format.h"

namespace vortane {

namespace {

std::string NegativePressureText(const char* channel, const LeastPressure& least, char sep) {
    return std::string("the pressure in the ") + channel + " channel falls to " +
           FormatFixed(least.pressure, 7, 2, sep) + " kgf/cm2 at z = " +
           FormatFixed(least.z, 4, 3, sep) + ": below zero the channel cannot run full";
}

}  // namespace

std::string BreachText(const DomainBreach& breach, char sep) {
    std::string text = std::string(breach.field) + " = " + FormatShortest(breach.value, sep) +
                       " is outside its sound range, " + std::string(breach.soundRange);
    if (!breach.limitField.empty())
        text += ' ' + std::string(breach.limitField) + " = " + FormatShortest(breach.limit, sep);
    return text;
}

std::vector<std::string> RunWarnings(const RunResult& run, char decimalSeparator) {
    const char sep = decimalSeparator;
    std::vector<std::string> warnings;
    if (run.outcome == RunOutcome::InputRejected) return warnings;
    const CaseData& d = run.data;
    for (const DomainBreach& breach : InputDomainBreaches(d)) warnings.push_back(BreachText(breach, sep));
    if (!HoldsChannelBlock(run.outcome)) return warnings;
    if (d.InletAverageMeltTemp < d.MeltingPoint)
        warnings.push_back("the feed cannot melt completely: its average melt temperature at the inlet, " +
                           FormatFixed(d.InletAverageMeltTemp, 15, 2, sep) +
                           " \u2103, lies below MeltingPoint = " + FormatShortest(d.MeltingPoint, sep) +
                           " \u2103");
    if (run.outcome != RunOutcome::Complete) return warnings;
    if (run.indicators) {
        if (run.indicators->leastInlet.pressure < 0)
            warnings.push_back(NegativePressureText("inlet", run.indicators->leastInlet, sep));
        if (run.indicators->leastOutlet.pressure < 0)
            warnings.push_back(NegativePressureText("outlet", run.indicators->leastOutlet, sep));
    }
    if (d.PowerKW < 0)
        warnings.push_back("the power comes out negative, " + FormatFixed(d.PowerKW, 15, 3, sep) +
                           " kW: the section would give energy back to the screw");
    return warnings;
}

}  // namespace vortane
