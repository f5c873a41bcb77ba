#include "design/end_text.h"

namespace vortane {

std::string GoalSeekEndText(GoalSeekEnd end) {
    switch (end) {
        case GoalSeekEnd::Found: return "Found";
        case GoalSeekEnd::OutOfRange: return "Not found: the target lies beyond the values at both ends";
        case GoalSeekEnd::InStep: return "Not found: the quantity jumps across the target";
        case GoalSeekEnd::NotMonotonic: return "Not found: the quantity turns between the ends";
        case GoalSeekEnd::RunLimit: return "Not found: the runs allowed were spent";
        case GoalSeekEnd::Cancelled: break;
    }
    return "Cancelled: nothing found";
}

std::string OptimisationEndText(OptimisationEnd end, bool limitsSet) {
    const std::string best = limitsSet ? "the best design" : "the best design (no limits set)";
    switch (end) {
        case OptimisationEnd::Converged: return "Found: " + best + ", to the tolerance";
        case OptimisationEnd::RunLimit: return "Found: " + best + " the runs allowed reached (they were spent first)";
        case OptimisationEnd::Infeasible: return "Not found: no run met every limit";
        case OptimisationEnd::Cancelled: break;
    }
    return "Cancelled: nothing found";
}

}  // namespace vortane
