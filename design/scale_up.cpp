#include "design/scale_up.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <span>

#include "case/blanks.h"
#include "case/excerpt.h"
#include "case/number_format.h"
#include "case/number_text.h"
#include "design/design_point.h"
#include "design/end_text.h"
#include "design/parallel_runs.h"
#include "result/limit_check.h"
#include "result/run_table.h"

namespace vortane {

namespace {

// A kept column within this share of the tolerance is held: the similar
// start holding every one needs no search, and the search does not chase a
// column further at the cost of departing from similarity.
constexpr double HeldShare = 0.1;
// Relative distance of a scaled value's text from the value.
constexpr double ScaleTextPrecision = 1e-10;

// A scaled value's text: the reference's where the value is unchanged, else
// the fewest significant digits within ScaleTextPrecision of it.
std::string ScaledText(const std::string& reference, double from, double to, char separator) {
    if (to == from) return reference;
    for (int digits = 1; digits < 17; ++digits) {
        const double rounded = RoundedToSignificant(to, digits);
        if (std::fabs(rounded - to) <= ScaleTextPrecision * std::fabs(to)) return InputText(rounded, separator);
    }
    return InputText(to, separator);
}

double ScaleInputValue(const CaseData& data, const InputField& field) {
    return field.real != nullptr ? data.*field.real : static_cast<double>(data.*field.integer);
}

// The reference's boxes with every length times r, and the speed and output given.
InputTexts SimilarTexts(const RunRequest& reference, const CaseData& data, double ratio, double speed,
                        double output) {
    InputTexts texts = reference.texts;
    const char separator = reference.decimalSeparator;
    for (const InputField& field : InputFields()) {
        std::string& text = texts[field.box - 1];
        const double from = ScaleInputValue(data, field);
        if (IsScaledLength(field))
            text = ScaledText(text, from, from * ratio, separator);
        else if (field.name == "ScrewSpeed")
            text = ScaledText(text, from, speed, separator);
        else if (field.name == "OutputRate")
            text = ScaledText(text, from, output, separator);
    }
    return texts;
}

// The columns of the table, each checked: the kept, then the watched ones
// not kept.
std::vector<std::string> ScaleColumnsOf(const ScaleUpRequest& request) {
    std::set<std::string> kept;
    for (const std::string& name : request.keep)
        if (!kept.insert(name).second) throw DesignError(name + " is kept twice");
    std::vector<std::string> columns;
    const std::vector<std::string> watch = request.watch.empty() ? DefaultWatchedColumns() : request.watch;
    for (const std::vector<std::string>* list : {&request.keep, &watch}) {
        for (const std::string& name : *list) {
            QuantityColumn(name);
            if (std::find(columns.begin(), columns.end(), name) == columns.end()) columns.push_back(name);
        }
    }
    return columns;
}

void CheckScaleUp(const ScaleUpRequest& request) {
    if (!std::isfinite(request.barrelDiameter) || request.barrelDiameter <= 0)
        throw DesignError("the new barrel diameter must be a number above 0, not " + ValueText(request.barrelDiameter));
    if (!std::isfinite(request.outputRate) || request.outputRate <= 0)
        throw DesignError("the output must be a number above 0, not " + ValueText(request.outputRate));
    if (request.inputs.size() > MaxVariedInputs) throw DesignError("a scale-up varies at most 6 inputs");
    std::set<const InputField*> seen;
    for (const VariedInput& input : request.inputs) {
        CheckVariedInput(input.field, input.low, input.high);
        if (input.field->name == "BarrelDiameter" || input.field->name == "OutputRate")
            throw DesignError(std::string(input.field->name) + " is set by the scale-up and cannot be varied");
        if (!seen.insert(input.field).second) throw DesignError(std::string(input.field->name) + " is varied twice");
    }
    if (!std::isfinite(request.tolerance) || request.tolerance <= 0)
        throw DesignError("the tolerance must be a number of % above 0");
    LimitColumns(request.limits);
}

// The design of `texts` as a row: its run, values, deviations and feasibility.
class ScaleTable {
public:
    ScaleTable(const ScaleUpRequest& request, std::vector<std::string> columns)
        : request_(request), columns_(std::move(columns)) {}

    ScaleUpRow Row(std::string name, const InputTexts& texts) const {
        RunRequest run = request_.base;
        run.texts = texts;
        run.report = ReportTarget::None;
        return RowOf(std::move(name), texts, RunCalculation(run));
    }

    ScaleUpRow RowOf(std::string name, const InputTexts& texts, RunResult run) const {
        ScaleUpRow row{std::move(name), texts, std::move(run), {}, {}, false};
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            std::optional<double> value = ColumnNumber(QuantityColumn(columns_[i]), row.run);
            if (value && !std::isfinite(*value)) value.reset();
            row.values.push_back(value);
            const std::optional<double> base = reference_.empty() ? value : reference_[i];
            row.deviations.push_back(value && base && *base != 0
                                         ? std::optional<double>((*value - *base) / std::fabs(*base) * 100)
                                         : std::nullopt);
        }
        const std::vector<LimitMargin> margins =
            LimitMargins(request_.limits, LimitColumns(request_.limits), row.run);
        row.feasible = Feasible(row.run.outcome, row.run.warningKinds, request_.acceptedWarnings, margins);
        return row;
    }

    void SetReference(const ScaleUpRow& row) { reference_ = row.values; }
    const std::vector<std::optional<double>>& Reference() const { return reference_; }

private:
    const ScaleUpRequest& request_;
    std::vector<std::string> columns_;
    std::vector<std::optional<double>> reference_;
};

// The reference, refused unless it runs through with a value in every kept column.
ScaleUpRow ReferenceRow(ScaleTable& table, const ScaleUpRequest& request) {
    ScaleUpRow row = table.Row(std::string(ReferenceRowName), request.base.texts);
    if (row.run.outcome != RunOutcome::Complete)
        throw DesignError("the reference case does not run through: " + StopMessage(row.run));
    if (!(row.run.data.OutputRate > 0) || !(row.run.data.BarrelDiameter > 0))
        throw DesignError("the reference's output and barrel diameter must be above 0 to scale from");
    for (std::size_t i = 0; i < request.keep.size(); ++i) {
        if (!row.values[i] || *row.values[i] == 0)
            throw DesignError(request.keep[i] + " is 0 in the reference: a deviation from it means nothing");
    }
    table.SetReference(row);
    return row;
}

// Whether every kept column of `row` lies within `percent` of the reference.
bool HoldsKept(const ScaleUpRow& row, std::size_t kept, double percent) {
    return std::all_of(row.deviations.begin(), row.deviations.begin() + static_cast<std::ptrdiff_t>(kept),
                       [percent](const std::optional<double>& d) { return d && std::fabs(*d) <= percent; });
}

// "Barrier1ShearStress -0.26 %, TemperatureRise +0.09 %": the kept columns' deviations.
std::string KeptDeviationsText(const ScaleUpResult& result, const ScaleUpRow& row) {
    std::string text;
    for (std::size_t i = 0; i < result.keptCount; ++i) {
        const std::string deviation = DeviationText(row.deviations[i]);
        text += (i == 0 ? "" : ", ") + result.columns[i] + " " + (deviation.empty() ? "none" : deviation);
    }
    return text;
}

// Names joined as a sentence says them: "A", "A and B", "A, B and C".
std::string KeptJoinedNames(std::span<const std::string> names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

// The deviation, in %, within which a kept column is held.
double HeldPercent(const ScaleUpRequest& request) { return HeldShare * request.tolerance; }

// The search's sum without its pull: each kept column's DeviationSquare
// beyond the held share.
double KeptSquares(const ScaleUpRow& row, std::size_t kept, const ScaleUpRequest& request) {
    double sum = 0;
    for (std::size_t i = 0; i < kept; ++i)
        sum += DeviationSquare(row.deviations[i].value_or(1e9) / 100, HeldPercent(request) / 100);
    return sum;
}

// Whether the similar design is one the search could choose: feasible, its
// varied inputs within their bounds.
bool SimilarInBounds(const ScaleUpRow& similar, std::span<const VariedInput> inputs, char separator) {
    return similar.feasible && std::all_of(inputs.begin(), inputs.end(), [&](const VariedInput& input) {
               const std::optional<double> value = ConvertReal(similar.texts[input.field->box - 1], separator);
               return value && *value >= input.low && *value <= input.high;
           });
}

std::string KeptVerdict(const ScaleUpResult& result, const ScaleUpRow& row, double tolerance) {
    const std::string within = "within " + ValueText(tolerance) + " %: ";
    const std::span<const std::string> kept(result.columns.data(), result.keptCount);
    if (result.kept) return "Kept together " + within + KeptDeviationsText(result, row);
    return KeptJoinedNames(kept) + (kept.size() == 1 ? " cannot be kept " : " cannot be kept together ") + within +
           "the closest design in the bounds misses by " + KeptDeviationsText(result, row);
}

// The pull towards the similar design: a design at the far end of every
// input's range weighs as much as one kept column missing by this share of
// the tolerance beyond the held share; so it chooses among the designs that
// hold the columns alike and moves none of them past the tolerance.
constexpr double PullShare = 0.4;

// The Kept design by least squares around the similar design, which stays
// when the search finds none better within the bounds.
void SearchKept(ScaleUpResult& result, const ScaleTable& table, const ScaleUpRequest& request,
                ScaleUpRow similar, const std::atomic<bool>* cancel,
                const std::function<void(const Evaluation&)>& progress) {
    OptimisationRequest search;
    search.base = request.base;
    search.base.texts = similar.texts;
    search.base.report = ReportTarget::None;
    search.inputs = result.inputs;
    for (std::size_t i = 0; i < result.keptCount; ++i)
        search.deviations.push_back({result.columns[i], *table.Reference()[i]});
    for (const VariedInput& input : result.inputs)
        search.anchor.push_back(ConvertReal(similar.texts[input.field->box - 1], request.base.decimalSeparator)
                                    .value_or((input.low + input.high) / 2));
    search.anchorWeight = std::pow(PullShare * request.tolerance / 100, 2) / static_cast<double>(result.inputs.size());
    search.deviationSlack = HeldPercent(request) / 100;
    search.limits = request.limits;
    search.acceptedWarnings = request.acceptedWarnings;
    search.runLimit = request.runLimit;
    search.threads = request.threads;
    OptimisationResult found = Optimise(search, cancel, progress);
    result.end = found.end;
    result.runs = found.history.size();
    if (found.end == OptimisationEnd::Cancelled) {
        result.verdict = "Cancelled: no Kept design";
        return;
    }
    const bool similarFits = SimilarInBounds(similar, result.inputs, request.base.decimalSeparator);
    if (!found.found && !similarFits) {
        result.verdict = "No Kept design: " + OptimisationNotFoundText(found);
        return;
    }
    if (found.found) {
        ScaleUpRow kept = table.RowOf(std::string(KeptRowName), found.texts, std::move(found.run));
        if (!similarFits ||
            KeptSquares(kept, result.keptCount, request) < KeptSquares(similar, result.keptCount, request))
            similar = std::move(kept);
    }
    result.rows.push_back(std::move(similar));
    result.kept = HoldsKept(result.rows.back(), result.keptCount, request.tolerance);
    result.verdict = KeptVerdict(result, result.rows.back(), request.tolerance);
}

}  // namespace

std::string_view ScaleRuleName(ScaleRule rule) {
    switch (rule) {
        case ScaleRule::ConstantSpeed: return "Constant speed";
        case ScaleRule::ConstantPeripheralSpeed: return "Constant peripheral speed";
        case ScaleRule::ConstantShearRate: return "Constant shear rate";
        case ScaleRule::ConstantResidenceTime: return "Constant residence time";
        case ScaleRule::ConstantSpecificEnergy: return "Constant specific energy";
    }
    return "Constant speed";
}

double SpeedExponent(ScaleRule rule) { return rule == ScaleRule::ConstantPeripheralSpeed ? -1 : 0; }

bool IsScaledLength(const InputField& field) { return field.quantity == Quantity::Length; }

std::vector<std::string> DefaultWatchedColumns() {
    return {"Barrier1ShearStress", "TemperatureRise", "ResidenceTime", "SpecificEnergy", "TotalPressureDrop"};
}

std::vector<VariedInput> DefaultScaleUpInputs(const InputTexts& similar, char decimalSeparator) {
    const auto around = [&](std::string_view name, double low, double high) {
        const InputField& field = InputFieldNamed(name);
        const double value = ConvertReal(similar[field.box - 1], decimalSeparator).value_or(0);
        return VariedInput{&field, value * low, value * high};
    };
    return {around("ScrewSpeed", 0.5, 2), around("ChannelDepth", 0.5, 1.5), around("BarrierClearance1", 0.5, 2),
            around("BarrierClearance2", 0.5, 2)};
}

ScaleUpResult ScaleUp(const ScaleUpRequest& request, const std::atomic<bool>* cancel,
                      const std::function<void(const Evaluation&)>& progress) {
    CheckScaleUp(request);
    ScaleUpResult result;
    result.columns = ScaleColumnsOf(request);
    result.keptCount = request.keep.size();
    ScaleTable table(request, result.columns);
    result.rows.push_back(ReferenceRow(table, request));
    // A copy: the rows grow below.
    const CaseData data = result.rows.front().run.data;
    const double ratio = request.barrelDiameter / data.BarrelDiameter;
    const char separator = request.base.decimalSeparator;

    result.rows.resize(1 + ScaleRules.size());
    InParallel(ScaleRules.size(), ThreadCount(request.threads), [&](std::size_t i) {
        const double speed = std::pow(ratio, SpeedExponent(ScaleRules[i]));
        const InputTexts texts = SimilarTexts(request.base, data, ratio, data.ScrewSpeed * speed,
                                              data.OutputRate * speed * std::pow(ratio, 3));
        result.rows[1 + i] = table.Row(std::string(ScaleRuleName(ScaleRules[i])), texts);
    });

    // Geometric similarity at the output asked for: the drag flow's speed for it.
    const double speed = data.ScrewSpeed * request.outputRate / data.OutputRate / std::pow(ratio, 3);
    const InputTexts start = SimilarTexts(request.base, data, ratio, speed, request.outputRate);
    result.inputs = request.inputs.empty() ? DefaultScaleUpInputs(start, separator) : request.inputs;
    ScaleUpRow similar = table.Row(std::string(KeptRowName), start);
    if (request.keep.empty() || (similar.feasible && HoldsKept(similar, result.keptCount, HeldPercent(request)))) {
        result.rows.push_back(std::move(similar));
        result.kept = true;
        if (!request.keep.empty()) result.verdict = KeptVerdict(result, result.rows.back(), request.tolerance);
        return result;
    }
    SearchKept(result, table, request, std::move(similar), cancel, progress);
    return result;
}

const ScaleUpRow* ScaleUpRowNamed(const ScaleUpResult& result, std::string_view name) {
    const auto found =
        std::find_if(result.rows.begin(), result.rows.end(), [name](const ScaleUpRow& row) { return row.name == name; });
    return found == result.rows.end() ? nullptr : &*found;
}

std::string DeviationText(std::optional<double> percent) {
    if (!percent) return {};
    std::string text = FixedText(*percent, 2);
    if (text == "-0.00") text = "0.00";
    return (*percent > 0 && text != "0.00" ? "+" : "") + text + " %";
}

std::string DeviationColumnName(std::string_view column) { return "Deviation " + std::string(column); }

std::string ScaleUpTableText(const ScaleUpResult& result) {
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> header{""};
    for (const ScaleUpRow& row : result.rows) header.push_back(row.name);
    lines.push_back(header);
    for (const InputField& field : InputFields()) {
        std::vector<std::string> line{std::string(field.name)};
        for (const ScaleUpRow& row : result.rows) line.push_back(row.texts[field.box - 1]);
        if (std::adjacent_find(line.begin() + 1, line.end(), std::not_equal_to<>()) != line.end())
            lines.push_back(line);
    }
    for (std::size_t c = 0; c < result.columns.size(); ++c) {
        std::vector<std::string> values{result.columns[c] + (c < result.keptCount ? " (kept)" : "")};
        std::vector<std::string> deviations{"  deviation"};
        for (const ScaleUpRow& row : result.rows) {
            values.push_back(row.values[c] ? ValueText(*row.values[c]) : "");
            deviations.push_back(DeviationText(row.deviations[c]));
        }
        lines.push_back(values);
        lines.push_back(deviations);
    }
    std::vector<std::string> feasible{"Feasible"};
    for (const ScaleUpRow& row : result.rows) feasible.emplace_back(row.feasible ? "yes" : "no");
    lines.push_back(feasible);

    std::vector<std::size_t> widths(header.size(), 0);
    for (const std::vector<std::string>& line : lines)
        for (std::size_t i = 0; i < line.size(); ++i) widths[i] = std::max(widths[i], line[i].size());
    std::string text;
    for (const std::vector<std::string>& line : lines) {
        std::string out;
        for (std::size_t i = 0; i < line.size(); ++i)
            out += (i == 0 ? "" : "  ") + line[i] + std::string(widths[i] - line[i].size(), ' ');
        text += out.substr(0, out.find_last_not_of(' ') + 1) + '\n';
    }
    if (!result.verdict.empty()) text += result.verdict + '\n';
    return text + "runs: " + std::to_string(result.runs) + '\n';
}

double ParseScaleTo(std::string_view notation, char decimalSeparator) {
    const std::size_t equals = notation.find('=');
    if (equals == std::string_view::npos) throw DesignError(Excerpt(notation) + ": expected BarrelDiameter=VALUE");
    const InputField& field = InputFieldNamed(Trimmed(notation.substr(0, equals)));
    if (field.name != "BarrelDiameter")
        throw DesignError(Excerpt(notation) + ": a section is scaled to a new BarrelDiameter, not " +
                          std::string(field.name));
    const std::optional<double> value = ConvertReal(notation.substr(equals + 1), decimalSeparator);
    if (!value || !std::isfinite(*value) || *value <= 0)
        throw DesignError(Excerpt(notation) + ": the diameter must be a number above 0 (cm)");
    return *value;
}

double ParseScaleOutput(std::string_view text, char decimalSeparator) {
    const std::optional<double> value = ConvertReal(text, decimalSeparator);
    if (!value || !std::isfinite(*value) || *value <= 0)
        throw DesignError(Excerpt(text) + ": the output must be a number above 0 (kg/hr)");
    return *value;
}

}  // namespace vortane
