#include "support/case_request.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/prepare_channel.h"
#include "run/input_reading.h"

namespace vortane::testing {

RunRequest CaseRequest(std::string resultFileName, const Texts& texts, char separator) {
    RunRequest request{DefaultTexts(separator), std::move(resultFileName), separator};
    for (const auto& [name, text] : texts) {
        const InputField* field = FindInputField(name);
        if (field == nullptr) throw std::invalid_argument("no input " + name);
        request.texts[field->box - 1] = text;
    }
    return request;
}

RunRequest UnreportedRequest(const Texts& texts) {
    RunRequest request = CaseRequest("", texts);
    request.report = ReportTarget::None;
    return request;
}

CaseData DefaultInputs(const Texts& overrides) {
    CaseData data;
    Messages messages;
    ReadInputData(data, CaseRequest("", overrides).texts, '.', messages);
    EXPECT_TRUE(data.InputOk);
    return data;
}

CaseData PreparedCase(const Texts& overrides) {
    CaseData data = DefaultInputs(overrides);
    Messages messages;
    PrepareChannel(data, messages);
    EXPECT_TRUE(data.WidthOk && data.SectionOk);
    return data;
}

}  // namespace vortane::testing
