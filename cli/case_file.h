#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "case/input_fields.h"

namespace vortane::cli {

// One line of a case file: `FIELD = TEXT`, FIELD as on the command line (field
// or box name). TEXT is taken without the blanks around it; a text in double
// quotes keeps them ("" stands for a quote inside). `#` starts a comment
// outside quotes; blank lines are ignored.
struct CaseEntry {
    const InputField* field;
    std::string text;
    int line;
};

// The entries of a case file's content; a malformed line, an unknown field or
// a field given twice is a UsageError naming `fileName` and the line.
std::vector<CaseEntry> ParseCaseFile(std::string_view content, std::string_view fileName);

// Reads and parses the file; one that cannot be read is a UsageError.
std::vector<CaseEntry> ReadCaseFile(const std::string& path);

// The 28 texts as a case file, one line per box in box order. A text holding
// a line break cannot be kept in one line: UsageError.
std::string CaseFileText(const InputTexts& texts);

// Writes CaseFileText to `path`; OutputError when it cannot.
void WriteCaseFile(const std::string& path, const InputTexts& texts);

}  // namespace vortane::cli
