#include "cli/fit_command.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "cli/output_file.h"

namespace vortane::cli {

const std::string_view FitUsageText =
    "usage: vortane-calc --fit-viscosity DATA.csv [--viscosity-unit U] [--plot FIT.svg]\n"
    "\n"
    "Fits the six coefficients A0 ... A12 of the viscosity law to measured points\n"
    "and prints them as a case file, the fit's quality and ranges as # comments.\n"
    "\n"
    "  DATA.csv                 a header, Temperature,ShearRate,Viscosity, then one\n"
    "                           point a line: degC, 1/s, viscosity; separated by\n"
    "                           commas, or semicolons (then decimal commas too)\n"
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

FitOptions ParseFitArguments(const std::vector<std::string_view>& arguments) {
    FitOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--fit-viscosity") {
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

Chart FitChart(const Measurements& measurements, const ViscosityFit& fit) {
    const std::vector<FitCurve> curves = FitCurves(measurements, fit, '.');
    Panel panel{"Viscosity (" + std::string(UnitName(measurements.unit)) + ")", "", {}, true};
    for (std::size_t c = 0; c < curves.size(); ++c) {
        const FitCurve& curve = curves[c];
        const std::string colour =
            curves.size() <= 6 ? PaletteColour(c)
                               : RampColour(static_cast<double>(c) / static_cast<double>(curves.size() - 1));
        Series points, law;
        points.label = law.label = curve.label;
        points.colour = law.colour = colour;
        points.x = curve.measuredShearRate;
        points.y = curve.measuredViscosity;
        points.markers = true;
        points.line = false;
        law.x = curve.lawShearRate;
        law.y = curve.lawViscosity;
        panel.series.push_back(std::move(points));
        panel.series.push_back(std::move(law));
    }
    return {"Viscosity law fitted to " + measurements.fileName + ": points measured, lines fitted",
            "Shear rate (1/s)",
            {panel},
            true};
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
            plot.Write(RenderSvg(FitChart(measurements, fit)));
            plot.Close();
        }
        return Complete;
    } catch (...) {
        return ReportFailure(err, {});
    }
}

}  // namespace vortane::cli
