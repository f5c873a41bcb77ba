#include "material/grade.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "case/blanks.h"
#include "case/excerpt.h"
#include "case/file_read.h"
#include "case/input_fields.h"
#include "case/number_format.h"
#include "case/number_text.h"
#include "case/unit_text.h"
#include "case/units.h"

namespace vortane {

namespace {

constexpr std::string_view LawPrefix = "Law.";
constexpr std::string_view SourceSuffix = ".Source";

// A unit as written, in one spelling: no blanks, degrees as degC.
std::string UnitSpelling(std::string_view unit) {
    std::string text;
    for (const char c : unit)
        if (!IsBlank(c)) text += c;
    for (const auto& [from, to] : {std::pair<std::string_view, std::string_view>{"℃", "degC"}, {"°C", "degC"}})
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    return text;
}

class GradeReader {
public:
    GradeReader(std::string_view content, std::string fileName) : file_(std::move(fileName)) { Split(content); }

    Grade Read() {
        Grade grade;
        grade.file = file_;
        grade.name = Required("Name").text;
        grade.family = Required("Family").text;
        grade.description = Optional("Description");
        grade.notes = Optional("Notes");
        grade.runNote = Optional("RunNote");
        ReadLaw(grade);
        ReadCheck(grade);
        ReadRanges(grade);
        ReadThermal(grade);
        ReadFit(grade);
        // Every key given has been taken: what is left is unknown.
        for (const auto& [key, value] : entries_)
            if (!taken_.contains(key)) Fail(value.line, "unknown key " + Excerpt(key));
        return grade;
    }

private:
    [[noreturn]] void Fail(int line, const std::string& what) const {
        if (line == 0) throw GradeFileError(file_ + ": " + what, {file_, std::nullopt, nullptr});
        throw GradeFileError(file_ + ":" + std::to_string(line) + ": " + what, {file_, line, nullptr});
    }

    void Split(std::string_view content) {
        if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);  // UTF-8 mark
        int number = 0;
        while (!content.empty()) {
            const std::size_t end = content.find('\n');
            std::string_view line = content.substr(0, end);
            content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            ++number;
            line = Trimmed(line);
            if (line.empty() || line.front() == '#') continue;
            const std::size_t equals = line.find('=');
            if (equals == std::string_view::npos) Fail(number, "expected Key = value");
            const std::string key(Trimmed(line.substr(0, equals)));
            const std::string_view value = Trimmed(line.substr(equals + 1));
            if (key.empty()) Fail(number, "expected Key = value");
            if (value.empty()) Fail(number, key + " has no value");
            if (const auto earlier = entries_.find(key); earlier != entries_.end())
                Fail(number, key + " is already given on line " + std::to_string(earlier->second.line));
            entries_.emplace(key, GradeText{std::string(value), number});
        }
    }

    const GradeText* Find(const std::string& key) {
        const auto found = entries_.find(key);
        if (found == entries_.end()) return nullptr;
        taken_.insert(key);
        return &found->second;
    }

    const GradeText& Required(const std::string& key) {
        if (const GradeText* value = Find(key)) return *value;
        Fail(0, key + " is missing");
    }

    std::string Optional(const std::string& key) {
        const GradeText* value = Find(key);
        return value ? value->text : std::string();
    }

    // The source of KEY, required when KEY is given; KEY.Source alone is refused.
    std::string SourceOf(const std::string& key, const GradeText* value) {
        const GradeText* source = Find(key + std::string(SourceSuffix));
        if (value && !source) Fail(value->line, key + " has no source: give " + key + std::string(SourceSuffix));
        if (!value && source) Fail(source->line, key + std::string(SourceSuffix) + " is given without " + key);
        return source ? source->text : std::string();
    }

    // A number with a point, nothing else.
    double Number(const GradeText& value, std::string_view text, const std::string& what) const {
        const std::optional<double> number = ReadNumber(Trimmed(text));
        if (!number || !std::isfinite(*number))
            Fail(value.line, what + ": " + Excerpt(Trimmed(text)) + " is not a number with a point");
        return *number;
    }

    // "NUMBER UNIT", the unit the one `unit` names ("" for a pure number).
    double NumberIn(const GradeText& value, std::string_view text, std::string_view unit, const std::string& what) const {
        text = Trimmed(text);
        const std::size_t blank = text.find_first_of(" \t");
        const std::string_view given = blank == std::string_view::npos ? "" : Trimmed(text.substr(blank));
        const double number = Number(value, text.substr(0, blank), what);
        if (UnitSpelling(given) != UnitSpelling(unit)) {
            if (unit.empty()) Fail(value.line, what + " is a pure number, without a unit");
            Fail(value.line, what + " is given in " + std::string(unit) +
                                 (given.empty() ? ": add the unit after the number" : ", not " + Excerpt(given)));
        }
        return number;
    }

    void ReadLaw(Grade& grade) {
        const GradeText& law = Required("Law");
        const GradeText* shift = Find("Law.shift");
        grade.law.family = FindLawFamily(law.text, shift ? shift->text : "");
        if (grade.law.family == nullptr) {
            const std::vector<std::string_view> shifts = ShiftsOf(law.text);
            if (!shifts.empty()) {
                std::string list;
                for (const std::string_view s : shifts) list += (list.empty() ? "" : " or ") + std::string(s);
                Fail(shift ? shift->line : law.line, "Law " + law.text + " needs Law.shift = " + list);
            }
            if (shift && FindLawFamily(law.text, ""))
                Fail(shift->line, "Law " + law.text + " takes no Law.shift");
            std::vector<std::string_view> names;
            for (const LawFamily* family : LawFamilies())
                if (std::find(names.begin(), names.end(), family->name) == names.end()) names.push_back(family->name);
            Fail(law.line, "unknown law " + UnknownName(law.text, names));
        }
        const LawFamily& family = *grade.law.family;
        grade.lawSource = SourceOf("Law", &law);
        // The six coefficients' parameters are the fit's own keys (ReadFit).
        for (const LawParameter& parameter : family.sixCoefficients ? std::span<const LawParameter>() : family.parameters) {
            const std::string key = std::string(LawPrefix) + std::string(parameter.key);
            const GradeText& value = Required(key);
            grade.law.values.push_back(NumberIn(value, value.text, parameter.unit, key));
            grade.lawTexts.push_back(value.text);
        }
        // A Law.* key the family does not take.
        for (const auto& [key, value] : entries_)
            if (key.starts_with(LawPrefix) && !key.ends_with(SourceSuffix) && !taken_.contains(key))
                Fail(value.line, "Law " + law.text + " takes no " + key);
    }

    void ReadCheck(Grade& grade) {
        const GradeText* check = Find("Check");
        const std::string source = SourceOf("Check", check);
        if (!check) return;
        std::vector<std::string_view> parts;
        std::string_view rest = check->text;
        for (std::size_t comma; (comma = rest.find(',')) != std::string_view::npos; rest.remove_prefix(comma + 1))
            parts.push_back(rest.substr(0, comma));
        parts.push_back(rest);
        if (parts.size() != 3) Fail(check->line, "Check is TEMPERATURE degC, SHEAR RATE 1/s, VISCOSITY Pa.s");
        GradeCheck value;
        value.temperature = NumberIn(*check, parts[0], "degC", "the check's temperature");
        value.shearRate = NumberIn(*check, parts[1], "1/s", "the check's shear rate");
        value.viscosity = NumberIn(*check, parts[2], "Pa.s", "the check's viscosity");
        const std::string_view viscosity = Trimmed(parts[2]);
        value.viscosityText = std::string(viscosity.substr(0, viscosity.find_first_of(" \t")));
        if (!(value.shearRate > 0) || !(value.viscosity > 0))
            Fail(check->line, "the check's shear rate and viscosity must lie above 0");
        value.source = source;
        grade.check = value;
    }

    ValueRange Range(const std::string& key, std::string_view unit, std::string& text) {
        const GradeText& value = Required(key);
        text = value.text;
        const std::size_t to = value.text.find(" to ");
        if (to == std::string::npos) Fail(value.line, key + " is LOW to HIGH " + std::string(unit));
        const double low = Number(value, std::string_view(value.text).substr(0, to), key);
        const double high = NumberIn(value, std::string_view(value.text).substr(to + 4), unit, key);
        if (!(low < high)) Fail(value.line, key + ": LOW must lie below HIGH");
        return {low, high};
    }

    // Both ranges and their source, or none: a law printed without them
    // cannot be fitted, and says so when it is used.
    void ReadRanges(Grade& grade) {
        const bool temperature = entries_.contains("TemperatureRange");
        const bool shearRate = entries_.contains("ShearRateRange");
        const GradeText* source = Find("Range.Source");
        if (!temperature && !shearRate) {
            if (source) Fail(source->line, "Range.Source is given without TemperatureRange and ShearRateRange");
            return;
        }
        if (!temperature || !shearRate)
            Fail(entries_.at(temperature ? "TemperatureRange" : "ShearRateRange").line,
                 "give both TemperatureRange and ShearRateRange, or neither");
        grade.temperatureRange = Range("TemperatureRange", "degC", grade.temperatureRangeText);
        if (grade.temperatureRange.low < AbsoluteZero)
            Fail(entries_.at("TemperatureRange").line, "TemperatureRange lies below absolute zero, -273.15 degC");
        grade.shearRateRange = Range("ShearRateRange", "1/s", grade.shearRateRangeText);
        if (!(grade.shearRateRange.low > 0))
            Fail(entries_.at("ShearRateRange").line, "ShearRateRange must lie above 0");
        if (!source) Fail(0, "Range.Source is missing: the source of the ranges");
        grade.rangeSource = source->text;
        grade.rangesStated = true;
    }

    void ReadThermal(Grade& grade) {
        for (const std::string_view name : ThermalFieldNames) {
            const std::string key(name);
            const GradeText* value = Find(key);
            const std::string source = SourceOf(key, value);
            if (!value) continue;
            const InputField& field = InputFieldNamed(name);
            try {
                const std::string number = TextInBoxUnit(field, value->text, '.');
                if (!ConvertReal(number, '.'))
                    Fail(value->line, key + ": " + Excerpt(value->text) + " is not a number with a unit");
            } catch (const UnitError& error) {
                Fail(value->line, error.what());
            }
            grade.thermal.push_back({key, value->text, source});
        }
    }

    void ReadFit(Grade& grade) {
        std::array<std::string, 6> texts;
        ViscosityCoefficients values{};
        int given = 0;
        int firstLine = 0;
        for (std::size_t j = 0; j < ViscosityTermNames.size(); ++j) {
            const std::string key(ViscosityTermNames[j]);
            if (const GradeText* value = Find(key)) {
                values[j] = Number(*value, value->text, key);
                texts[j] = value->text;
                ++given;
                if (firstLine == 0) firstLine = value->line;
            }
        }
        if (given != 0 && given != 6) Fail(firstLine, "the fit needs all six coefficients A0 ... A12");
        const GradeText* fitError = Find("FitError");
        if (fitError && given == 0) Fail(fitError->line, "FitError is given without the coefficients");
        const bool six = grade.law.family->sixCoefficients;
        if (six && given == 0) Fail(0, "Law Six needs the six coefficients A0 ... A12");
        if (given == 6 && !six && !grade.rangesStated && !grade.law.family->ownForm)
            Fail(firstLine, "the fit needs the ranges it was made over: TemperatureRange and ShearRateRange");
        if (given == 6) {
            grade.coefficientTexts = texts;
            grade.coefficients = values;
        }
        if (fitError) {
            const double error = Number(*fitError, fitError->text, "FitError");
            if (error < 0) Fail(fitError->line, "FitError cannot be negative");
            grade.fitError = error;
        }
        if (six) {
            grade.law.values.assign(values.begin(), values.end());
            grade.lawTexts.assign(texts.begin(), texts.end());
            if (!grade.fitError) grade.fitError = 0;
        }
    }

    std::string file_;
    std::map<std::string, GradeText> entries_;
    std::set<std::string> taken_;
};

}  // namespace

std::vector<std::pair<std::string, std::string>> Grade::Sources() const {
    std::vector<std::pair<std::string, std::string>> sources{{"Viscosity law", lawSource}};
    if (check) sources.emplace_back("Check value", check->source);
    if (rangesStated) sources.emplace_back("Temperature and shear-rate ranges", rangeSource);
    for (const ThermalValue& value : thermal) sources.emplace_back(value.field, value.source);
    return sources;
}

Grade ParseGrade(std::string_view content, const std::string& fileName) {
    return GradeReader(content, fileName).Read();
}

std::string ReadGradeFile(const std::string& path) {
    return ReadWholeFileAs<GradeFileError>(path, "grade file " + path);
}

Grade ReadGrade(const std::string& path) { return ParseGrade(ReadGradeFile(path), path); }

double PrintedTolerance(std::string_view number) {
    const std::optional<double> value = ReadNumber(number);
    if (!value || *value == 0) return 0;
    const std::size_t exponentAt = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, exponentAt);
    std::string_view exponentText = exponentAt == std::string_view::npos ? "0" : number.substr(exponentAt + 1);
    if (exponentText.starts_with('+')) exponentText.remove_prefix(1);
    const std::optional<double> exponent = ReadNumber(exponentText);
    const std::size_t point = mantissa.find('.');
    const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    return 0.5 * std::pow(10.0, exponent.value_or(0) - decimals) / std::abs(*value);
}

}  // namespace vortane
