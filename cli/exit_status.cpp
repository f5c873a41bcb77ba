#include "cli/exit_status.h"

#include <ostream>

#include "case/case_file.h"
#include "case/limit.h"
#include "case/unit_text.h"
#include "cli/command_line.h"
#include "run/calculation_run.h"
#include "study/measurement_file.h"
#include "study/sweep_plan.h"

namespace vortane::cli {

namespace {

bool IsRefusal(const Error& error) {
    return dynamic_cast<const UsageError*>(&error) != nullptr ||
           dynamic_cast<const CaseFileError*>(&error) != nullptr ||
           dynamic_cast<const UnitError*>(&error) != nullptr ||
           dynamic_cast<const LimitError*>(&error) != nullptr ||
           dynamic_cast<const SweepError*>(&error) != nullptr ||
           dynamic_cast<const MeasurementError*>(&error) != nullptr ||
           dynamic_cast<const ResultFileNameError*>(&error) != nullptr;
}

}  // namespace

int ReportFailure(std::ostream& err, std::string_view usage) {
    try {
        throw;
    } catch (const MalformedCommandLine& error) {
        err << "vortane-calc: " << error.what() << '\n';
        if (!usage.empty()) err << '\n' << usage;
        return Usage;
    } catch (const Error& error) {
        err << "vortane-calc: " << error.what() << '\n';
        return IsRefusal(error) ? Usage : Fault;
    } catch (const std::exception& error) {
        err << "vortane-calc: " << error.what() << '\n';
        return Fault;
    } catch (...) {
        err << "vortane-calc: unexpected failure\n";
        return Fault;
    }
}

}  // namespace vortane::cli
