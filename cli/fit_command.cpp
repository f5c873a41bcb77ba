#include "cli/fit_command.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "cli/output_file.h"
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
    bool help = false;
};

bool IsHelp(std::string_view argument) { return argument == "--help" || argument == "-h"; }

FitOptions ParseFitArguments(const std::vector<std::string_view>& arguments) {
    FitOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (IsHelp(argument)) {
            options.help = true;
        } else if (argument == "--fit-viscosity") {
            // "--fit-viscosity --help" asks for this text, not for a file of that name.
            if (i + 1 < arguments.size() && IsHelp(arguments[i + 1])) continue;
            options.dataFile = OptionValue(arguments, i);
        } else if (argument == "--viscosity-unit") {
            const std::string_view name = OptionValue(arguments, i);
            options.unit = FindViscosityUnit(name);
            if (!options.unit)
                throw UsageError("unknown viscosity unit " + std::string(name) +
                                 "; use Pa.s, mPa.s, P or gf.s/cm2");
        } else if (argument == "--plot") {
            options.plotFile = OptionValue(arguments, i);
            if (!IsSvgName(*options.plotFile)) throw UsageError(NotSvg(*options.plotFile));
        } else {
            throw UsageError("--fit-viscosity takes --viscosity-unit and --plot, not " +
                             std::string(argument));
        }
    }
    return options;
}

}  // namespace

bool IsFitCommand(const std::vector<std::string_view>& arguments) {
    return std::find(arguments.begin(), arguments.end(), "--fit-viscosity") != arguments.end();
}

int FitCommand(const std::vector<std::string_view>& arguments, std::ostream& out, std::ostream& err) {
    try {
        const FitOptions options = ParseFitArguments(arguments);
        if (options.help) {
            out << FitUsageText;
            return Complete;
        }
        const Measurements measurements = ReadMeasurementFile(options.dataFile, options.unit);
        const ViscosityFit fit = FitMeasurements(measurements);
        out << FittedCaseText(measurements, fit) << std::flush;
        if (!out) throw OutputError("cannot write the coefficients to standard output");
        if (options.plotFile) {
            OutputFile plot(*options.plotFile);
            plot.Write(SvgDocument(FitChart(measurements, fit, '.')));
            plot.Close();
        }
        return Complete;
    } catch (...) {
        return ReportFailure(err, {});
    }
}

}  // namespace vortane::cli
