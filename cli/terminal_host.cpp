#include "cli/terminal_host.h"

#include <iostream>

namespace vortane::cli {

TerminalHost::TerminalHost(InputTexts texts, std::string fileName, char separator)
    : texts_(std::move(texts)), fileName_(std::move(fileName)), separator_(separator) {}

std::string TerminalHost::BoxText(int box) const { return texts_[box - 1]; }
std::string TerminalHost::ResultFileText() const { return fileName_; }
char TerminalHost::DecimalSeparator() const { return separator_; }
void TerminalHost::ShowMessage(std::string_view text) { std::cerr << text << '\n'; }
void TerminalHost::ShowFault(std::string_view text) { std::cerr << text << '\n'; }

}  // namespace vortane::cli
