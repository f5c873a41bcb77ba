#pragma once

#include <map>
#include <string>
#include <vector>

#include "run/calculation_run.h"
#include "run/case_data.h"
#include "run/input_fields.h"

namespace vortane::testing {

// A run host that records what the run shows. Box texts start at the defaults;
// Set overrides one by field or box name.
class RecordingHost : public RunHost {
public:
    explicit RecordingHost(std::string resultFileName = "result.txt", char separator = '.');

    RecordingHost& Set(std::string_view field, std::string text);

    std::string BoxText(int box) const override { return texts_[box - 1]; }
    std::string ResultFileText() const override { return resultFileName_; }
    char DecimalSeparator() const override { return separator_; }
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    void ShowFault(std::string_view text) override { faults.emplace_back(text); }
    void RunCompleted() override { ++completions; }

    std::vector<std::string> messages;
    std::vector<std::string> faults;
    int completions = 0;

private:
    InputTexts texts_;
    std::string resultFileName_;
    char separator_;
};

// A message sink that records.
class RecordingSink : public MessageSink {
public:
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
};

// The default case read from the default texts, with optional overrides.
CaseData DefaultInputs(const std::map<std::string, std::string>& overrides = {});

// The default case (with overrides) prepared for its first pass: inputs read,
// channel prepared, arithmetic flags cleared.
CaseData PreparedCase(const std::map<std::string, std::string>& overrides = {});

}  // namespace vortane::testing
