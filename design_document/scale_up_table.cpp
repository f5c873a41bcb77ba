#include "design_document/scale_up_table.h"

namespace vortane {

CaseTable ScaleUpTable(const ScaleUpResult& result, char decimalSeparator) {
    CaseTable table{{}, {}, decimalSeparator};
    for (const std::string& column : result.columns) table.extraNames.push_back(DeviationColumnName(column));
    for (const ScaleUpRow& row : result.rows) table.rows.push_back({row.name, &row.texts, &row.run, row.deviations});
    return table;
}

}  // namespace vortane
