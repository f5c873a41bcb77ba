#include "design/end_text.h"

#include "case/limit.h"
#include "design/design_point.h"

namespace vortane {

std::string GoalSeekEndText(GoalSeekEnd end) {
    switch (end) {
        case GoalSeekEnd::Found: return "Found";
        case GoalSeekEnd::Unsound: return "Not found: the target is reached only where the run warns";
        case GoalSeekEnd::OutOfRange: return "Not found: the target lies beyond the values at both ends";
        case GoalSeekEnd::InStep: return "Not found: the quantity jumps across the target";
        case GoalSeekEnd::NotMonotonic: return "Not found: the quantity turns between the ends";
        case GoalSeekEnd::RunLimit: return "Not found: the runs allowed were spent";
        case GoalSeekEnd::EveryRunStopped: return "Not found";  // the reason says why
        case GoalSeekEnd::Cancelled: break;
    }
    return "Cancelled: nothing found";
}

std::string OptimisationStopText(OptimisationEnd end, bool limitsSet) {
    const std::string stop = end == OptimisationEnd::Converged  ? "by the tolerance"
                             : end == OptimisationEnd::Roundoff ? "by roundoff, short of the tolerance"
                                                                : "the runs allowed were spent";
    return limitsSet ? stop : stop + " (no limits set)";
}

std::string OptimisationEndText(OptimisationEnd end, bool limitsSet) {
    switch (end) {
        case OptimisationEnd::Converged:
        case OptimisationEnd::Roundoff: return "Found: the best design, stopped " + OptimisationStopText(end, limitsSet);
        case OptimisationEnd::RunLimit:
            return "Found: the best design, stopped when " + OptimisationStopText(end, limitsSet);
        case OptimisationEnd::Infeasible: return "Not found: no run was feasible";
        case OptimisationEnd::EveryRunStopped: return "Not found";  // the reason says why
        case OptimisationEnd::Cancelled: break;
    }
    return "Cancelled: nothing found";
}

std::string FrontEndText(const FrontResult& result) {
    switch (result.end) {
        case FrontEnd::Complete: {
            std::string text = "Found: " + std::to_string(result.designs.size()) + " designs on the front";
            if (result.knee) text += ", the knee at Point " + std::to_string(*result.knee + 1);
            return text;
        }
        case FrontEnd::Infeasible: return "Not found: no run was feasible";
        case FrontEnd::EveryRunStopped: return "Not found";  // the reason says why
        case FrontEnd::Cancelled: break;
    }
    return "Cancelled: nothing found";
}

std::string FrontOutcomeText(const FrontResult& result) {
    std::string text = FrontEndText(result) + '\n';
    if (!result.reason.empty()) text += result.reason + '\n';
    return text + "Runs made: " + std::to_string(result.runs);
}

namespace {

std::string RunsLine(const std::vector<Evaluation>& history) { return "runs: " + std::to_string(history.size()) + '\n'; }

}  // namespace

std::string GoalSeekFoundText(const GoalSeekRequest& request, const GoalSeekResult& result) {
    return std::string(request.field->name) + '=' + result.text + '\n' + request.quantity + '=' +
           ValueText(request.target + *result.residual) + " (residual " + ValueText(*result.residual) + ")\n" +
           RunsLine(result.history);
}

std::string GoalSeekNotFoundText(std::string_view varied, const GoalSeekResult& result) {
    return "no solution in " + std::string(varied) + ": " + result.reason;
}

std::string OptimisationNotFoundText(const OptimisationResult& result) {
    return "no feasible design in the bounds: " + result.reason;
}

std::string OptimisationFoundText(const OptimisationRequest& request, const OptimisationResult& result) {
    std::string text;
    for (std::size_t i = 0; i < request.inputs.size(); ++i)
        text += std::string(request.inputs[i].field->name) + '=' + result.inputTexts[i] + '\n';
    text += request.objective + '=' + ValueText(*result.objective) + '\n';
    for (std::size_t i = 0; i < request.limits.size(); ++i)
        text += LimitText(request.limits[i]) + ": " + ValueText(*result.margins[i].value) + " (margin " +
                ValueText(*result.margins[i].margin) + ")\n";
    return text + RunsLine(result.history) + "stopped: " + OptimisationStopText(result.end, !request.limits.empty()) +
           '\n';
}

}  // namespace vortane
