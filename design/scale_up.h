#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "case/input_fields.h"
#include "case/limit.h"
#include "design/design_notation.h"
#include "design/goal_seek.h"
#include "design/optimisation.h"
#include "run/calculation_run.h"

namespace vortane {

// Scale-up: a mixing section proven at one barrel diameter carried to
// another. Geometric similarity multiplies every length of the section
// (barrel diameter, channel length, barrier widths and clearances, channel
// depth, corner radius) by r = D₂/D₁; angle, channel counts, material and
// temperatures stay. Each classic rule then sets the speed, N₂ = N₁ r^a, and
// the drag flow W H πDN of the similar channels carries the output with it,
// Q₂ = Q₁ r^(3+a). Beside the rules, a design at the output asked for that
// holds chosen columns of the run as close to the reference as it can.

enum class ScaleRule {
    ConstantSpeed,            // N₂ = N₁
    ConstantPeripheralSpeed,  // πDN kept: N ∝ r⁻¹
    ConstantShearRate,        // πDN/H with H ∝ D: N₂ = N₁
    ConstantResidenceTime,    // volume ∝ D³ over Q ∝ N D³: N₂ = N₁
    ConstantSpecificEnergy,   // power ∝ η γ̇² D³ over Q ∝ N D³, γ̇ ∝ N: N₂ = N₁
};

inline constexpr std::array<ScaleRule, 5> ScaleRules{
    ScaleRule::ConstantSpeed, ScaleRule::ConstantPeripheralSpeed, ScaleRule::ConstantShearRate,
    ScaleRule::ConstantResidenceTime, ScaleRule::ConstantSpecificEnergy};

// The rule's name as its row is called: "Constant speed", "Constant
// peripheral speed", "Constant shear rate", "Constant residence time",
// "Constant specific energy".
std::string_view ScaleRuleName(ScaleRule rule);

// a in N₂ = N₁ r^a: −1 for constant peripheral speed, 0 for the others.
double SpeedExponent(ScaleRule rule);

// The names of the rows beside the rules'.
inline constexpr std::string_view ReferenceRowName = "Reference";
inline constexpr std::string_view KeptRowName = "Kept";

// Whether geometric similarity scales the input: a length.
bool IsScaledLength(const InputField& field);

// The columns watched when none are named: the shear stress over barrier 1,
// the temperature rise, the residence time, the specific energy and the
// pressure drop.
std::vector<std::string> DefaultWatchedColumns();

struct ScaleUpRequest {
    RunRequest base;              // the reference case; its report is not written
    double barrelDiameter = 0;    // cm, the new diameter
    double outputRate = 0;        // kg/hr, the Kept design's output
    std::vector<std::string> keep;   // columns held at the reference's values
    std::vector<std::string> watch;  // columns shown beside them
    // The inputs the Kept design may move, with bounds in the boxes' units;
    // none: ScrewSpeed, ChannelDepth and both barrier clearances around their
    // similar values (DefaultScaleUpInputs).
    std::vector<VariedInput> inputs;
    std::vector<Limit> limits;           // the Kept design meets them; the rules' rows are judged by them
    WarningKinds acceptedWarnings = {};  // the kinds a feasible design may raise
    double tolerance = 1.0;              // %: a kept column within it of the reference counts as kept
    int runLimit = 600;                  // the Kept search's runs at most
    int threads = 0;                     // 0: the processors there are
};

// One design of the table.
struct ScaleUpRow {
    std::string name;  // "Reference", a rule's name, "Kept"
    InputTexts texts;  // its 28 boxes
    RunResult run;     // its run, without a report
    // The kept, then the watched columns' values, and their deviations from
    // the reference's in %; none where the run has no value.
    std::vector<std::optional<double>> values;
    std::vector<std::optional<double>> deviations;
    bool feasible = false;  // as Feasible judges its run against the limits
};

struct ScaleUpResult {
    std::vector<std::string> columns;  // the kept, then the watched columns
    std::size_t keptCount = 0;         // how many of `columns` are kept
    std::vector<VariedInput> inputs;   // what the Kept search varied
    // Reference, each rule in ScaleRules' order, then Kept when the search
    // found a feasible design.
    std::vector<ScaleUpRow> rows;
    // How the Kept search ended; Converged when the similar start already
    // held every kept column and no search was needed.
    OptimisationEnd end = OptimisationEnd::Converged;
    bool kept = false;       // whether every kept column is within the tolerance
    std::string verdict;     // what could (not) be kept together, and by how much; why no Kept design
    std::size_t runs = 0;    // runs of the Kept search
};

// The Kept search's inputs when none are given: ScrewSpeed from half to twice
// the similar speed at the output asked for, ChannelDepth from 0.5 to 1.5
// times its similar value and each barrier clearance from 0.5 to 2 times.
std::vector<VariedInput> DefaultScaleUpInputs(const InputTexts& similar, char decimalSeparator);

// The reference, the five rules at the output each implies, and the Kept
// design: from geometric similarity at the output asked for (speed N₁ (Q/Q₁)/r³),
// least squares on the kept columns' relative deviations over the inputs it
// may move (Optimise), unless the start already holds them all. Where more
// inputs move than columns are kept, many designs hold them alike; a small
// pull towards the similar design picks the one that departs least from it. Texts of
// scaled values keep the reference's where the value is the same, else the
// fewest significant digits within 1e-10 of it. `cancel` and `progress` as
// Optimise takes them. A question it cannot take (a diameter or output not
// above 0, an unknown column, a kept column that is 0 in the reference, a
// reference that does not run through, BarrelDiameter or OutputRate varied)
// is a DesignError or a LimitError.
ScaleUpResult ScaleUp(const ScaleUpRequest& request, const std::atomic<bool>* cancel = nullptr,
                      const std::function<void(const Evaluation&)>& progress = {});

// The row of `name`, or null.
const ScaleUpRow* ScaleUpRowNamed(const ScaleUpResult& result, std::string_view name);

// A deviation in %, signed, two decimals: "+0.09 %", "-0.26 %", "0.00 %"; "" for none.
std::string DeviationText(std::optional<double> percent);

// "Deviation Barrier1ShearStress": a deviation column's name in a table.
std::string DeviationColumnName(std::string_view column);

// The table as vortane-calc prints it: a column per design, a line per input
// that differs between them (the box texts), then per kept or watched column
// its value and a line of deviations; then the verdict and the runs.
std::string ScaleUpTableText(const ScaleUpResult& result);

// "--scale-to" as given: "BarrelDiameter=VALUE", VALUE in cm with the case's
// decimal separator; the value, or a DesignError.
double ParseScaleTo(std::string_view notation, char decimalSeparator);

// "--output" as given: the Kept design's output in kg/hr, a number above 0
// with the case's decimal separator; the value, or a DesignError.
double ParseScaleOutput(std::string_view text, char decimalSeparator);

}  // namespace vortane
