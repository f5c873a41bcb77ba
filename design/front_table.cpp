#include "design/front_table.h"

#include <string>
#include <utility>
#include <vector>

#include "case/number_text.h"
#include "report/report_layout.h"
#include "result/limit_check.h"

namespace vortane {

FrontCells FrontTableCells(const FrontResult& front, const FrontRequest& request) {
    FrontCells cells;
    cells.header.emplace_back("Point");
    for (const VariedInput& input : request.inputs) cells.header.emplace_back(ReportCaption(*input.field));
    for (const Objective& objective : request.objectives) cells.header.push_back(QuantityCaption(objective.quantity));
    cells.header.emplace_back(FrontKneeColumn);
    const char separator = request.base.decimalSeparator;
    for (std::size_t i = 0; i < front.designs.size(); ++i) {
        const FrontDesign& design = front.designs[i];
        std::vector<std::string> row{std::to_string(i + 1)};
        row.insert(row.end(), design.inputTexts.begin(), design.inputTexts.end());
        for (const double value : design.objectives) row.push_back(FormatSignificant(value, 6, separator));
        row.emplace_back(front.knee == i ? FrontKneeColumn : "");
        cells.rows.push_back(std::move(row));
    }
    return cells;
}

}  // namespace vortane
