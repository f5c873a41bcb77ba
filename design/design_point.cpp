#include "design/design_point.h"

#include <cmath>

#include "case/number_format.h"
#include "case/number_text.h"
#include "result/limit_check.h"

namespace vortane {

void CheckVariedInput(const InputField* field, double low, double high) {
    if (field == nullptr) throw DesignError("no input is varied");
    const std::string name(field->name);
    if (field->conversion != InputField::Conversion::Real)
        throw DesignError(name + " holds a whole number; only an input of real numbers can be varied");
    if (!std::isfinite(low) || !std::isfinite(high) || !(low < high))
        throw DesignError(name + ": the bounds " + ValueText(low) + ":" + ValueText(high) +
                          " are no range; give LOW:HIGH with LOW below HIGH");
}

const RunColumn& QuantityColumn(const std::string& quantity) {
    if (const RunColumn* column = LimitColumn(quantity)) return *column;
    throw DesignError(UnknownQuantityText(quantity));
}

std::string InputText(double value, char decimalSeparator) { return FormatShortest(value, decimalSeparator); }

std::string ValueText(double value) { return SignificantText(value, 6); }

std::string StopMessage(const RunResult& run) {
    if (run.outcome == RunOutcome::Complete) return {};
    if (run.outcome == RunOutcome::Fault) return run.fault;
    if (!run.messages.empty()) return run.messages.back();
    return std::string(OutcomeName(run.outcome));
}

RunResult RunDesign(const RunRequest& base, std::span<const InputField* const> fields,
                    std::span<const std::string> texts) {
    RunRequest request = base;
    request.report = ReportTarget::None;
    for (std::size_t i = 0; i < fields.size(); ++i) request.texts[fields[i]->box - 1] = texts[i];
    return RunCalculation(request);
}

RunResult RunMemo::Run(const RunRequest& base, std::span<const InputField* const> fields,
                       std::span<const std::string> texts) {
    std::vector<std::string> key(texts.begin(), texts.end());
    {
        const std::scoped_lock lock(mutex_);
        if (const auto found = runs_.find(key); found != runs_.end()) return found->second;
    }
    // Made outside the lock; two threads asking at once both run, and keep one.
    RunResult run = RunDesign(base, fields, texts);
    const std::scoped_lock lock(mutex_);
    return runs_.try_emplace(std::move(key), std::move(run)).first->second;
}

std::size_t RunMemo::RunsMade() const {
    const std::scoped_lock lock(mutex_);
    return runs_.size();
}

}  // namespace vortane
