#include "design_document/front_table.h"

namespace vortane {

DesignTable FrontTable(const FrontRequest& request, const FrontResult& front, char decimalSeparator) {
    DesignTable table{{}, {}, "Knee", decimalSeparator, request.limits, request.acceptedWarnings};
    for (const VariedInput& input : request.inputs) table.fields.push_back(input.field);
    for (std::size_t i = 0; i < front.designs.size(); ++i)
        table.rows.push_back({front.designs[i].inputTexts, &front.designs[i].run, front.knee == i});
    return table;
}

std::string ObjectivesText(const std::vector<Objective>& objectives) {
    std::string text;
    for (const Objective& objective : objectives)
        text += (text.empty() ? "" : ", ") + std::string(objective.maximise ? "maximise " : "minimise ") +
                objective.quantity;
    return text;
}

}  // namespace vortane
