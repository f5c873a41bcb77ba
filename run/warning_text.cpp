#include "run/warning_text.h"

#include "case/input_fields.h"
#include "report/value_format.h"
#include "report/value_in_system.h"

namespace vortane {

namespace {

// How the numbers of a sentence read in one unit system.
class Numbers {
public:
    Numbers(UnitSystem system, char decimalSeparator) : system_(system), sep_(decimalSeparator) {}

    char Separator() const { return sep_; }
    std::string Unit(Quantity quantity) const { return std::string(UnitIn(quantity, system_).symbol); }

    // A computed value; `metric` is its text in technical metric.
    std::string Computed(const WarningValue& v, std::string metric) const {
        if (KeepsMetricUnit(v.quantity, system_)) return metric;
        return ValueTextIn(v.value, v.quantity, system_, sep_);
    }
    // A typed value.
    std::string Typed(const WarningValue& v) const { return TypedValueTextIn(v.value, v.quantity, system_, sep_); }
    // A typed value as a sound range names it: its unit only where converted,
    // as technical metric names none.
    std::string TypedBare(const WarningValue& v) const {
        if (KeepsMetricUnit(v.quantity, system_)) return Typed(v);
        return Typed(v) + ' ' + Unit(v.quantity);
    }
    // The sound range's text; a range from absolute zero converted.
    std::string Range(std::string_view range) const {
        if (range != AbsoluteZeroRange || KeepsMetricUnit(Quantity::Temperature, system_)) return std::string(range);
        return TypedBare({AbsoluteZero, Quantity::Temperature}) + " or more (absolute zero)";
    }

private:
    UnitSystem system_;
    char sep_;
};

std::string SoundRangeText(const DomainBreach& breach, Quantity quantity, const Numbers& n) {
    std::string text = std::string(breach.field) + " = " + n.TypedBare({breach.value, quantity}) +
                       " is outside its sound range, " + n.Range(breach.soundRange);
    if (!breach.limitField.empty())
        text += ' ' + std::string(breach.limitField) + " = " + n.TypedBare({breach.limit, quantity});
    return text;
}

Quantity QuantityOfInput(std::string_view field) {
    const InputField* input = FindInputField(field);
    return input != nullptr ? input->quantity : Quantity::Dimensionless;
}

// "the viscosity law is used at a melt temperature of 235.30 ℃, outside the
// 150 to 230 ℃ it was fitted on".
std::string FittedRangeText(const RunWarning& w, const Numbers& n) {
    const char sep = n.Separator();
    const WarningValue& at = w.values.at(0);
    const std::string unit = n.Unit(at.quantity);
    std::string text = "the viscosity law is used at ";
    if (w.subject.empty())
        text += "a melt temperature of " + n.Computed(at, FormatFixed(at.value, 15, 2, sep)) + ' ' + unit;
    else
        text += "a shear rate of " + n.Computed(at, FormatGeneral(at.value, 6, 0, sep)) + ' ' + unit + " in " +
                std::string(w.subject);
    return text + ", outside the " + n.Typed(w.values.at(1)) + " to " + n.Typed(w.values.at(2)) + ' ' + unit +
           " it was fitted on";
}

}  // namespace

std::string BreachText(const DomainBreach& breach, char decimalSeparator, UnitSystem system) {
    return SoundRangeText(breach, QuantityOfInput(breach.field), Numbers(system, decimalSeparator));
}

std::string WarningText(const RunWarning& w, UnitSystem system, char decimalSeparator) {
    const Numbers n(system, decimalSeparator);
    const char sep = decimalSeparator;
    switch (w.kind) {
        case WarningKind::SoundRange: return BreachText(w.breach, sep, system);
        case WarningKind::UnmeltedFeed: {
            const WarningValue& inlet = w.values.at(0);
            const std::string unit = n.Unit(inlet.quantity);
            return "the feed cannot melt completely: its average melt temperature at the inlet, " +
                   n.Computed(inlet, FormatFixed(inlet.value, 15, 2, sep)) + ' ' + unit +
                   ", lies below MeltingPoint = " + n.Typed(w.values.at(1)) + ' ' + unit;
        }
        case WarningKind::NegativePressure: {
            const WarningValue& least = w.values.at(0);
            const WarningValue& z = w.values.at(1);
            return "the pressure in the " + std::string(w.subject) + " channel falls to " +
                   n.Computed(least, FormatFixed(least.value, 7, 2, sep)) + ' ' + n.Unit(least.quantity) +
                   " at z = " + n.Computed(z, FormatFixed(z.value, 4, 3, sep)) +
                   ": below zero the channel cannot run full";
        }
        case WarningKind::NegativePower: {
            const WarningValue& power = w.values.at(0);
            return "the power comes out negative, " + n.Computed(power, FormatFixed(power.value, 15, 3, sep)) + ' ' +
                   n.Unit(power.quantity) + ": the section would give energy back to the screw";
        }
        case WarningKind::FittedRange: return FittedRangeText(w, n);
    }
    return {};
}

}  // namespace vortane
