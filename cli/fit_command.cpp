#include "cli/fit_command.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "case/file_write.h"
#include "document/svg_chart.h"
#include "measurement/fit_chart.h"
#include "measurement/material_fit.h"

namespace vortane::cli {

const std::string_view FitUsageText =
    "usage: vortane-calc --fit-viscosity DATA.csv [--viscosity-unit U] [--plot FIT.svg]\n"
    "\n"
    "Fits the six coefficients A0 ... A12 of the viscosity law to measured points\n"
    "and prints them as a case file, the fit's quality and ranges as # comments.\n"
    "\n"
    "  DATA.csv                 a header, Temperature,ShearRate,Viscosity, then one\n"
    "                           point a line: degC, 1/s, viscosity; separated by\n"
    "                           commas, or semicolons or tabs (then decimal commas\n"
    "                           too); UTF-8, UTF-16 or Windows-1252 text\n"
    "  --viscosity-unit U       Pa.s (default), mPa.s, P or gf.s/cm2, unless the\n"
    "                           header names it: Viscosity (mPa.s)\n"
    "  --plot FIT.svg           the points and the fitted law, viscosity against\n"
    "                           shear rate on log-log axes, a curve per temperature\n"
    "\n"
    "Exit status: 0 fitted; 2 bad arguments or data that cannot be fitted; 3 the\n"
    "output cannot be written.\n";

namespace {

struct FitOptions {
    std::string dataFile;
    std::optional<ViscosityUnit> unit;
    std::optional<std::string> plotFile;
};

// Help asked for anywhere, even where the data file would stand, is the usage.
std::optional<FitOptions> ParseFitArguments(const std::vector<std::string_view>& arguments) {
    if (std::any_of(arguments.begin(), arguments.end(), [](std::string_view a) { return a == "--help" || a == "-h"; }))
        return std::nullopt;
    FitOptions options;
    std::optional<std::string> unit;
    CLI::App app;
    app.set_help_flag();
    app.allow_extras();
    app.add_option("--fit-viscosity", options.dataFile);
    app.add_option("--viscosity-unit", unit);
    app.add_option("--plot", options.plotFile);
    if (const std::vector<std::string> extra = ParseWith(app, arguments); !extra.empty())
        throw UsageError("--fit-viscosity takes --viscosity-unit and --plot, not " + extra.front());
    if (unit && !(options.unit = FindViscosityUnit(*unit)))
        throw UsageError("unknown viscosity unit " + *unit + "; use Pa.s, mPa.s, P or gf.s/cm2");
    if (options.plotFile && !IsSvgName(*options.plotFile)) throw UsageError(NotSvg(*options.plotFile));
    return options;
}

}  // namespace

int FitCommand(const std::vector<std::string_view>& arguments, std::ostream& out, std::ostream& err) {
    try {
        const std::optional<FitOptions> options = ParseFitArguments(arguments);
        if (!options) {
            out << FitUsageText;
            return Complete;
        }
        const Measurements measurements = ReadMeasurementFile(options->dataFile, options->unit);
        const ViscosityFit fit = FitMeasurements(measurements);
        out << FittedCaseText(measurements, fit) << std::flush;
        if (!out) throw OutputError("cannot write the coefficients to standard output");
        if (options->plotFile) WriteWholeFile(*options->plotFile, SvgDocument(FitChart(measurements, fit, '.')));
        return Complete;
    } catch (...) {
        return ReportFailure(err, {});
    }
}

}  // namespace vortane::cli
