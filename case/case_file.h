#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "case/error.h"
#include "case/fitted_ranges.h"
#include "case/input_fields.h"
#include "case/limit.h"
#include "case/warning_kind.h"

namespace vortane {

// Case files: the texts of the 28 input boxes, one `FIELD = TEXT` a line,
// FIELD a field or box name. TEXT is taken without the blanks around it; a
// text in double quotes keeps them ("" stands for a quote inside). `#` starts
// a comment outside quotes; blank lines are ignored.
//
// Beside the boxes a case may say what its viscosity law was fitted on:
//   ViscosityTemperatureRange = 150:230     (degC)
//   ViscosityShearRateRange   = 1:10000     (1/s)
// LOW:HIGH, two numbers with a point, LOW not above HIGH, shear rates above 0;
// the limits its design must meet, one line each, in the order given:
//   Limit = TemperatureRise<=30
// and each kind of warning its runs may raise and still count as feasible:
//   AcceptWarning = negative-pressure
// and the grade of the material library its material values came from:
//   Material = LDPE (Rao and Schumacher example)
//
// Numbers in a file always use a point as decimal separator, whatever the
// locale that wrote it: a real box's text that reads as a number in the
// user's notation is written with a point, and one that reads as a number
// with a point is read back in the user's notation. Other texts are kept as
// they are, so files written before this rule (in a comma locale, say) load
// as they always did.

// A case file that cannot be read or taken; the text names the file and, for
// a line, its number, as the context does.
class CaseFileError : public Refusal {
public:
    using Refusal::Refusal;
};

struct CaseEntry {
    const InputField* field;
    std::string text;  // as the file holds it
    int line;
};

// What a case holds beside the texts of its boxes; each part is written only
// when it is known.
struct CaseExtras {
    FittedRanges viscosityRanges;
    std::vector<Limit> limits;
    WarningKinds acceptedWarnings = {};
    std::string material = {};  // the grade's name; empty for none
    friend bool operator==(const CaseExtras&, const CaseExtras&) = default;
};

// A case file's content: the boxes it gives, and the rest; the line of each
// of its limits, in their order, for a refusal of one to name.
struct CaseFile {
    std::vector<CaseEntry> entries;
    CaseExtras extras;
    std::vector<int> limitLines;
};

// The content of a case file; a malformed line, an unknown field, a field
// given twice or a malformed range is a CaseFileError naming `fileName` and
// the line.
CaseFile ParseCaseFile(std::string_view content, std::string_view fileName);

// Reads and parses the file; one that cannot be read (a directory, say) is a
// CaseFileError.
CaseFile ReadCaseFile(const std::string& path);

// `texts` with the entries put in their boxes, each in the user's notation.
InputTexts ApplyCaseEntries(InputTexts texts, const std::vector<CaseEntry>& entries,
                            char decimalSeparator);

// The 28 texts, in the user's notation, as a case file: one line per box in
// box order, then a line for each known extra. A text holding a line break
// cannot be kept in one line: CaseFileError.
std::string CaseFileText(const InputTexts& texts, const CaseExtras& extras, char decimalSeparator);

// The lines of the known extras alone, as a case file holds them.
std::string CaseExtrasText(const CaseExtras& extras);

// `text` as one comment line of a case file, "# TEXT\n": every control
// character (line breaks, tabs, escapes, NEL and the other C1 controls) and
// the Unicode line and paragraph separators become U+FFFD, so that a text
// taken from elsewhere (a file's name) can neither end the comment nor start
// a line of its own.
std::string CaseCommentLine(std::string_view text);

}  // namespace vortane
