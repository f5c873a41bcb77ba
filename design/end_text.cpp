#include "design/end_text.h"

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

}  // namespace vortane
