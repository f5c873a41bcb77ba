#pragma once

#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "case/error.h"
#include "case/input_fields.h"
#include "result/run_table.h"
#include "run/calculation_run.h"

namespace vortane {

// A design question the search cannot take: an input that is no real box,
// bounds that are no range, a quantity of no column, a tolerance of nothing.
class DesignError : public Refusal {
public:
    using Refusal::Refusal;
};

// The inputs a search varies, checked: each a real box, named once, its
// bounds finite with low below high. DesignError names what is wrong.
void CheckVariedInput(const InputField* field, double low, double high);

// The numeric column a quantity names; DesignError naming the quantities
// there are when it names none.
const RunColumn& QuantityColumn(const std::string& quantity);

// A value as a box text: its shortest digits, with the case's separator.
std::string InputText(double value, char decimalSeparator);

// A value for a message: six significant digits.
std::string ValueText(double value);

// Why a run stopped, as it says so: the fault's text, or the message of the
// stage that stopped it; empty for a complete run.
std::string StopMessage(const RunResult& run);

// The case of `base` with the given boxes' texts replaced, run without a
// report.
RunResult RunDesign(const RunRequest& base, std::span<const InputField* const> fields,
                    std::span<const std::string> texts);

// The runs of one case and one set of varied boxes, kept by the boxes' texts:
// searches that share it (the optimisations of a front) make each run once.
// Safe to share among threads.
class RunMemo {
public:
    // RunDesign's run: the one made before for these texts, or made now.
    RunResult Run(const RunRequest& base, std::span<const InputField* const> fields,
                  std::span<const std::string> texts);
    // The runs made, each once.
    std::size_t RunsMade() const;

private:
    mutable std::mutex mutex_;
    std::map<std::vector<std::string>, RunResult, std::less<>> runs_;
};

}  // namespace vortane
