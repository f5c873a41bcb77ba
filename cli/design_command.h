#pragma once

#include <iosfwd>

#include "case/case_file.h"
#include "case/input_fields.h"
#include "cli/command_line.h"
#include "document/report_document.h"

namespace vortane::cli {

// --solve, --optimise, --front and --scale-to over the case of `texts` and `extras` (its limits:
// the case file's and --limit's): the design
// found on `out` (and in --write-case's file, with the limits), or why none was
// on `err`. Returns the exit status: Complete when found, Stopped when not,
// Interrupted on Ctrl+C. A question it cannot take is a UsageError. A front
// with --html writes the knee's report there, carrying the front, its case
// named by `source`.
int DesignCommand(const Options& options, const InputTexts& texts, const CaseExtras& extras, char separator,
                  const DocumentSource& source, std::ostream& out, std::ostream& err);

}  // namespace vortane::cli
