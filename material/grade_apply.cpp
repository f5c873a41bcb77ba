#include "material/grade_apply.h"

#include <algorithm>

#include "case/unit_text.h"
#include "material/grade_fit.h"

namespace vortane {

namespace {

std::string InNotation(std::string text, char decimalSeparator) {
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

}  // namespace

AppliedGrade ApplyGrade(const Grade& grade, InputTexts texts, char decimalSeparator) {
    const std::array<std::string, 6> coefficients =
        grade.coefficientTexts ? *grade.coefficientTexts : FitGrade(grade).texts;
    const std::array<const InputField*, 6> fields = ViscosityCoefficientFields();
    for (std::size_t j = 0; j < fields.size(); ++j)
        texts[fields[j]->box - 1] = InNotation(coefficients[j], decimalSeparator);
    AppliedGrade applied{{}, {}, grade.name, {}};
    if (grade.rangesStated) applied.ranges = {grade.temperatureRange, grade.shearRateRange};
    for (const std::string_view name : ThermalFieldNames) {
        const InputField& field = InputFieldNamed(name);
        const auto given = std::find_if(grade.thermal.begin(), grade.thermal.end(),
                                        [&](const ThermalValue& value) { return value.field == name; });
        if (given == grade.thermal.end()) {
            applied.missing.emplace_back(name);
            continue;
        }
        texts[field.box - 1] = InNotation(TextInBoxUnit(field, given->text, '.'), decimalSeparator);
    }
    applied.texts = std::move(texts);
    return applied;
}

std::string MissingValuesText(const Grade& grade) {
    std::vector<std::string_view> missing;
    for (const std::string_view name : ThermalFieldNames)
        if (std::none_of(grade.thermal.begin(), grade.thermal.end(),
                         [&](const ThermalValue& value) { return value.field == name; }))
            missing.push_back(name);
    if (missing.empty()) return {};
    std::string text = grade.name + " gives no ";
    for (std::size_t i = 0; i < missing.size(); ++i) text += (i == 0 ? "" : ", ") + std::string(missing[i]);
    return text + (missing.size() == 1 ? ": its box keeps its text" : ": their boxes keep their texts");
}

std::vector<const InputField*> GradeFields(const Grade& grade) {
    std::vector<const InputField*> fields;
    for (const InputField* field : ViscosityCoefficientFields()) fields.push_back(field);
    for (const ThermalValue& value : grade.thermal) fields.push_back(&InputFieldNamed(value.field));
    return fields;
}

}  // namespace vortane
