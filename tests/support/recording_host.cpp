#include "support/recording_host.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/arithmetic.h"
#include "model/prepare_channel.h"
#include "run/input_reading.h"

namespace vortane::testing {

RecordingHost::RecordingHost(std::string resultFileName, char separator)
    : texts_(DefaultTexts(separator)),
      resultFileName_(std::move(resultFileName)),
      separator_(separator) {}

RecordingHost& RecordingHost::Set(std::string_view field, std::string text) {
    const InputField* input = FindInputField(field);
    if (input == nullptr) throw std::invalid_argument("no input " + std::string(field));
    texts_[input->box - 1] = std::move(text);
    return *this;
}

CaseData DefaultInputs(const std::map<std::string, std::string>& overrides) {
    InputTexts texts = DefaultTexts('.');
    for (const auto& [name, text] : overrides) texts[FindInputField(name)->box - 1] = text;
    CaseData data;
    RecordingSink sink;
    ReadInputData(data, texts, '.', sink);
    EXPECT_TRUE(data.InputOk);
    return data;
}

CaseData PreparedCase(const std::map<std::string, std::string>& overrides) {
    CaseData data = DefaultInputs(overrides);
    ClearArithmeticFaults();
    RecordingSink sink;
    PrepareChannel(data, sink);
    EXPECT_TRUE(data.WidthOk && data.SectionOk);
    return data;
}

}  // namespace vortane::testing
