#include "run/input_reading.h"

#include "case/number_text.h"

namespace vortane {

namespace {

bool Convert(CaseData& data, const InputField& field, const std::string& text,
             char decimalSeparator) {
    if (field.conversion == InputField::Conversion::Integer) {
        const auto value = ConvertInteger(text);
        if (value) data.*field.integer = *value;
        return value.has_value();
    }
    const auto value = ConvertReal(text, decimalSeparator);
    if (value) data.*field.real = *value;
    return value.has_value();
}

}  // namespace

int ReadInputData(CaseData& data, const InputTexts& texts, char decimalSeparator,
                   Messages& messages) {
    for (const InputField& field : InputFields()) {
        if (!Convert(data, field, texts[field.box - 1], decimalSeparator)) {
            data.InputOk = false;
            messages.emplace_back(message::InputNotProper);
            return field.box;
        }
    }
    data.InputOk = true;
    return 0;
}

}  // namespace vortane
