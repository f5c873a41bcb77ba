#pragma once

#include <string>

#include "run/calculation_run.h"
#include "run/input_fields.h"

namespace vortane::cli {

// The command line's host: box texts and save-file name given up front,
// messages and faults to standard error, one line each.
class TerminalHost final : public RunHost {
public:
    TerminalHost(InputTexts texts, std::string fileName, char separator);

    std::string BoxText(int box) const override;
    std::string ResultFileText() const override;
    char DecimalSeparator() const override;
    void ShowMessage(std::string_view text) override;
    void ShowFault(std::string_view text) override;
    void RunCompleted() override {}

private:
    InputTexts texts_;
    std::string fileName_;
    char separator_;
};

}  // namespace vortane::cli
