#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "case/input_fields.h"
#include "case/limit.h"
#include "case/units.h"
#include "case/warning_kind.h"
#include "run/calculation_run.h"

namespace vortane {

// A table of chosen designs (the designs of a front), written as a sweep's
// CSV is: Point (the design's number), the varied fields as typed, the
// columns of RunColumns, Feasible and a margin per limit, then one more
// column of booleans marking some designs ("Knee"). Feasible is there even
// without limits: a design is judged by its run and its warnings then.
struct DesignRow {
    std::vector<std::string> texts;  // the varied fields', in order
    const RunResult* run = nullptr;
    bool marked = false;
};

struct DesignTable {
    std::vector<const InputField*> fields;  // the varied inputs
    std::vector<DesignRow> rows;
    std::string markName;  // the last column's name
    char decimalSeparator = '.';
    std::vector<Limit> limits;
    WarningKinds acceptedWarnings;
};

// The table as CSV; with a decimal comma, as CommaDecimalCsv writes it.
std::string DesignTableCsv(const DesignTable& table, UnitSystem system = UnitSystem::Metric);

// A table of whole cases (the designs of a scale-up), a row each: Design (its
// name), the 28 input fields as typed, the columns of RunColumns, then a
// number per extra column, empty where it has none.
struct CaseRow {
    std::string name;
    const InputTexts* texts = nullptr;
    const RunResult* run = nullptr;
    std::vector<std::optional<double>> extras;
};

struct CaseTable {
    std::vector<CaseRow> rows;
    std::vector<std::string> extraNames;
    char decimalSeparator = '.';
};

// The table as CSV, in `system` as a sweep's is; with a decimal comma, as
// CommaDecimalCsv writes it.
std::string CaseTableCsv(const CaseTable& table, UnitSystem system = UnitSystem::Metric);

}  // namespace vortane
