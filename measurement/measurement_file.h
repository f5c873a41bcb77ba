#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "case/error.h"
#include "model/viscosity_fit.h"

namespace vortane {

// Rheometer measurements for a fit of the viscosity law: a header row naming
// the three columns, then one point a line: temperature (degC), shear rate
// (1/s), viscosity. Fields are separated by commas, or by semicolons or tabs,
// in which case a number may also use a decimal comma; the header's first
// separator of these, in that order, is the file's. Blank lines and lines
// starting with # are skipped. The text is UTF-8, UTF-16 or Windows-1252, as
// DecodeText reads it.
//
// Header names (case, blanks, '_' and '-' ignored): Temperature, Temp, T;
// ShearRate, Rate, Gamma, γ; Viscosity, Visc, Eta, η. A name may carry its unit in
// parentheses or brackets: (degC), (°C), (℃) for the temperature; (1/s), (s-1),
// (s^-1) for the shear rate; one of the viscosity units for the viscosity.

enum class ViscosityUnit { PascalSecond, MilliPascalSecond, Poise, GramForceSecondPerSquareCentimetre };

inline constexpr std::array<ViscosityUnit, 4> ViscosityUnits{
    ViscosityUnit::PascalSecond, ViscosityUnit::MilliPascalSecond, ViscosityUnit::Poise,
    ViscosityUnit::GramForceSecondPerSquareCentimetre};

// "Pa.s", "mPa.s", "P", "gf.s/cm2".
std::string_view UnitName(ViscosityUnit unit);

// The unit a text names: Pa.s, mPa.s (or cP), P (or poise), gf.s/cm2, with '·',
// '*' or a blank for the point, or none; nullopt for any other text.
std::optional<ViscosityUnit> FindViscosityUnit(std::string_view text);

// A viscosity in `unit` in the model's gf.s/cm2 (1 gf.s/cm2 = 98.0665 Pa.s),
// and back.
double ToModelViscosity(double value, ViscosityUnit unit);
double FromModelViscosity(double value, ViscosityUnit unit);

// A file that cannot be read or taken, or points that cannot be fitted; the
// text names the file and, where one is to blame, the line, as the context does.
class MeasurementError : public Refusal {
public:
    using Refusal::Refusal;
};

struct Measurements {
    std::string fileName;
    std::vector<ViscosityPoint> points;  // viscosities in gf.s/cm2
    std::vector<int> lines;              // the line of each point
    ViscosityUnit unit;                  // the file's viscosity unit
    bool unitInHeader;                   // named by the header rather than chosen
};

// The points of a file's bytes. The viscosity unit is the header's, else
// `unit`, else Pa.s; a header unit other than `unit` is refused.
Measurements ParseMeasurements(std::string_view content, std::string_view fileName,
                               std::optional<ViscosityUnit> unit);

Measurements ReadMeasurementFile(const std::string& path, std::optional<ViscosityUnit> unit);

// The viscosity law fitted to the points; a refusal names the file.
ViscosityFit FitMeasurements(const Measurements& measurements);

}  // namespace vortane
