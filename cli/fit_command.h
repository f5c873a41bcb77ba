#pragma once

#include <iosfwd>
#include <string_view>
#include <vector>


namespace vortane::cli {

// vortane-calc --fit-viscosity DATA.csv [--viscosity-unit U] [--plot FIT.svg]:
// the viscosity law fitted to measured points, printed as a case file.

extern const std::string_view FitUsageText;

// Prints the fitted coefficients and the fit's figures to `out`, writes the
// chart, and returns the exit status: 0 done, 2 a bad argument or data that
// cannot be fitted, 3 a chart that cannot be written. Messages go to `err`,
// one line each.
int FitCommand(const std::vector<std::string_view>& arguments, std::ostream& out, std::ostream& err);

}  // namespace vortane::cli
