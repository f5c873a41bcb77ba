#include "measurement/measurement_file.h"

#include <algorithm>
#include <cctype>

#include "case/blanks.h"
#include "case/excerpt.h"
#include "case/file_read.h"
#include "case/number_text.h"
#include "measurement/text_decoding.h"
#include "model/arithmetic.h"

namespace vortane {

namespace {

constexpr double PascalSecondsPerModelUnit = 98.0665;  // 1 gf.s/cm2 = 9.80665 N · 1 s / 1e-4 m2

enum class Column { Temperature, ShearRate, Viscosity };
constexpr std::array<std::string_view, 3> ColumnNames{"temperature", "shear rate", "viscosity"};

// The text with the spellings of a product's dot ("·", "⋅", "*", a blank)
// written as ".".
std::string WithPlainDots(std::string_view text) {
    std::string plain(text);
    for (const std::string_view dot : {"·", "⋅", "*", " "}) {
        for (std::size_t at; (at = plain.find(dot)) != std::string::npos;) plain.replace(at, dot.size(), ".");
    }
    return plain;
}

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lowered;
}

class LineError {
public:
    LineError(std::string_view fileName, int line) : file_(fileName), line_(line) {}
    [[noreturn]] void operator()(const std::string& what) const {
        throw MeasurementError(file_ + ":" + std::to_string(line_) + ": " + what, {file_, line_, nullptr});
    }

private:
    std::string file_;
    int line_;
};

// The separator of a header line: a semicolon, else a comma, else a tab;
// none when it holds none of them.
std::optional<char> HeaderSeparator(std::string_view line) {
    for (const char separator : {';', ',', '\t'})
        if (line.find(separator) != std::string_view::npos) return separator;
    return std::nullopt;
}

std::string SeparatorName(char separator) {
    return separator == '\t' ? "tabs" : "'" + std::string(1, separator) + "'";
}

std::vector<std::string_view> Fields(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(Trimmed(line.substr(start, end - start)));
        if (end == std::string_view::npos) return fields;
        start = end + 1;
    }
}

// A header cell: the column it names and the unit in parentheses or brackets
// after the name, if any.
Column HeaderColumn(std::string_view cell, std::string& unit, const LineError& fail) {
    std::string_view name = cell;
    unit.clear();
    if (const std::size_t open = cell.find_first_of("(["); open != std::string_view::npos) {
        const char close = cell[open] == '(' ? ')' : ']';
        if (cell.back() != close) fail("the unit of column \"" + Excerpt(cell) + "\" lacks its closing " + close);
        name = Trimmed(cell.substr(0, open));
        unit = Trimmed(cell.substr(open + 1, cell.size() - open - 2));
    }
    std::string key;
    for (const char c : Lowered(name))
        if (!IsBlank(c) && c != '_' && c != '-' && c != '.') key += c;
    for (const auto& [column, names] :
         {std::pair{Column::Temperature, std::array<std::string_view, 3>{"temperature", "temp", "t"}},
          {Column::ShearRate, {"shearrate", "rate", "gamma"}},
          {Column::Viscosity, {"viscosity", "eta", "visc"}}}) {
        if (std::find(names.begin(), names.end(), key) != names.end()) return column;
    }
    if (key == "γ") return Column::ShearRate;
    if (key != "η")
        fail("unknown column \"" + Excerpt(cell) +
             "\"; the header names Temperature, ShearRate and Viscosity");
    return Column::Viscosity;
}

// Blanks aside, degC, C, °C or ℃; ºC too, the ordinal sign that keyboards
// without a degree sign offer in its place.
void CheckTemperatureUnit(const std::string& unit, const LineError& fail) {
    std::string key;
    for (const char c : unit)
        if (!IsBlank(c)) key += c;
    for (const std::string_view known : {"", "degC", "C", "°C", "℃", "ºC"})
        if (key == known) return;
    fail("the temperature must be in degC, not " + unit);
}

void CheckShearRateUnit(const std::string& unit, const LineError& fail) {
    for (const std::string_view known : {"", "1/s", "s-1", "s^-1", "/s", "s⁻¹"})
        if (unit == known) return;
    fail("the shear rate must be in 1/s, not " + unit);
}

struct Header {
    std::array<std::size_t, 3> at;  // the field of each column
    std::optional<ViscosityUnit> unit;
};

Header ParseHeader(const std::vector<std::string_view>& cells, const LineError& fail) {
    if (ParseRealText(cells.front(), '.') || ParseRealText(cells.front(), ','))
        fail("expected a header naming the columns, such as Temperature,ShearRate,Viscosity");
    if (cells.size() == 1)
        fail("the header line holds no comma, semicolon or tab between its names: \"" + Excerpt(cells.front()) +
             "\"");
    if (cells.size() != 3)
        fail("the header names " + std::to_string(cells.size()) +
             " columns; expected three: Temperature, ShearRate and Viscosity");
    Header header{};
    std::array<bool, 3> seen{};
    for (std::size_t i = 0; i < 3; ++i) {
        std::string unit;
        const Column column = HeaderColumn(cells[i], unit, fail);
        const auto index = static_cast<std::size_t>(column);
        if (seen[index]) fail("the " + std::string(ColumnNames[index]) + " is named twice");
        seen[index] = true;
        header.at[index] = i;
        if (column == Column::Temperature) CheckTemperatureUnit(unit, fail);
        if (column == Column::ShearRate) CheckShearRateUnit(unit, fail);
        if (column == Column::Viscosity && !unit.empty()) {
            header.unit = FindViscosityUnit(unit);
            if (!header.unit)
                fail("unknown viscosity unit " + unit + "; use Pa.s, mPa.s, P or gf.s/cm2");
        }
    }
    return header;
}

double FieldValue(std::string_view text, Column column, char separator, const LineError& fail) {
    const std::string name(ColumnNames[static_cast<std::size_t>(column)]);
    std::optional<double> value = ConvertReal(text, '.');
    const bool decimalComma = separator != ',';
    if (!value && decimalComma) value = ConvertReal(text, ',');
    if (!value && (ParseRealText(text, '.') || (decimalComma && ParseRealText(text, ','))))
        fail("the " + name + " " + std::string(text) + " is beyond the range of a double");
    if (!value) fail("the " + name + " \"" + Excerpt(text) + "\" is not a number");
    if (column != Column::Temperature && !(*value > 0))
        fail("the " + name + " must be positive, not " + std::string(text));
    return *value;
}

// The content in UTF-8; bytes of no encoding taken are refused with their line.
std::string TextOf(std::string_view content, std::string_view fileName) {
    try {
        return DecodeText(content);
    } catch (const TextDecodingError& error) {
        LineError(fileName, error.Context().line.value_or(1))(error.what());
    }
}

}  // namespace

std::string_view UnitName(ViscosityUnit unit) {
    switch (unit) {
        case ViscosityUnit::PascalSecond: return "Pa.s";
        case ViscosityUnit::MilliPascalSecond: return "mPa.s";
        case ViscosityUnit::Poise: return "P";
        case ViscosityUnit::GramForceSecondPerSquareCentimetre: return "gf.s/cm2";
    }
    return {};
}

std::optional<ViscosityUnit> FindViscosityUnit(std::string_view text) {
    const std::string plain = WithPlainDots(Trimmed(text));
    if (plain == "Pa.s" || plain == "Pas") return ViscosityUnit::PascalSecond;
    if (plain == "mPa.s" || plain == "mPas" || plain == "cP") return ViscosityUnit::MilliPascalSecond;
    if (plain == "P" || Lowered(plain) == "poise") return ViscosityUnit::Poise;
    if (plain == "gf.s/cm2" || plain == "gf.s/cm^2" || plain == "gf.s/cm²")
        return ViscosityUnit::GramForceSecondPerSquareCentimetre;
    return std::nullopt;
}

double ToModelViscosity(double value, ViscosityUnit unit) {
    switch (unit) {
        case ViscosityUnit::PascalSecond: return value / PascalSecondsPerModelUnit;
        case ViscosityUnit::MilliPascalSecond: return value / (PascalSecondsPerModelUnit * 1000);
        case ViscosityUnit::Poise: return value / (PascalSecondsPerModelUnit * 10);
        case ViscosityUnit::GramForceSecondPerSquareCentimetre: return value;
    }
    return value;
}

double FromModelViscosity(double value, ViscosityUnit unit) {
    switch (unit) {
        case ViscosityUnit::PascalSecond: return value * PascalSecondsPerModelUnit;
        case ViscosityUnit::MilliPascalSecond: return value * (PascalSecondsPerModelUnit * 1000);
        case ViscosityUnit::Poise: return value * (PascalSecondsPerModelUnit * 10);
        case ViscosityUnit::GramForceSecondPerSquareCentimetre: return value;
    }
    return value;
}

Measurements ParseMeasurements(std::string_view content, std::string_view fileName,
                               std::optional<ViscosityUnit> unit) {
    const std::string text = TextOf(content, fileName);
    std::string_view rest = text;
    Measurements measurements{std::string(fileName), {}, {}, unit.value_or(ViscosityUnit::PascalSecond), false};
    std::optional<Header> header;
    char separator = ',';
    for (int number = 1; !rest.empty(); ++number) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = Trimmed(line);
        if (line.empty() || line.front() == '#') continue;

        const LineError fail(fileName, number);
        if (!header) {
            separator = HeaderSeparator(line).value_or(',');
            header = ParseHeader(Fields(line, separator), fail);
            if (header->unit && unit && *header->unit != *unit)
                fail("the header gives the viscosity in " + std::string(UnitName(*header->unit)) +
                     ", not in " + std::string(UnitName(*unit)));
            if (header->unit) measurements.unit = *header->unit;
            measurements.unitInHeader = header->unit.has_value();
            continue;
        }
        const std::vector<std::string_view> fields = Fields(line, separator);
        if (fields.size() != 3)
            fail("expected three fields separated by " + SeparatorName(separator) + ", found " +
                 std::to_string(fields.size()));
        std::array<double, 3> values{};
        for (const Column column : {Column::Temperature, Column::ShearRate, Column::Viscosity}) {
            const auto index = static_cast<std::size_t>(column);
            values[index] = FieldValue(fields[header->at[index]], column, separator, fail);
        }
        const double viscosity = ToModelViscosity(values[2], measurements.unit);
        if (!(viscosity > 0)) fail("the viscosity " + std::string(fields[header->at[2]]) + " is too small");
        measurements.points.push_back({values[0], values[1], viscosity});
        measurements.lines.push_back(number);
    }
    if (!header)
        throw MeasurementError(std::string(fileName) +
                                   ": no header; expected Temperature,ShearRate,Viscosity and the points",
                               {std::string(fileName), {}, nullptr});
    return measurements;
}

Measurements ReadMeasurementFile(const std::string& path, std::optional<ViscosityUnit> unit) {
    return ParseMeasurements(ReadWholeFileAs<MeasurementError>(path, path), path, unit);
}

ViscosityFit FitMeasurements(const Measurements& measurements) {
    try {
        return FitViscosityLaw(measurements.points);
    } catch (const ViscosityFitError& error) {
        throw MeasurementError(measurements.fileName + ": " + error.what(), {measurements.fileName, {}, nullptr});
    } catch (const ArithmeticFault& fault) {
        throw MeasurementError(measurements.fileName + ": the points are beyond the law in doubles: " +
                                   fault.what(),
                               {measurements.fileName, {}, nullptr});
    }
}

}  // namespace vortane
