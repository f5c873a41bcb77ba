#include "design_document/front_document.h"

#include <algorithm>
#include <string>
#include <vector>

#include "design/design_point.h"
#include "design/front_chart.h"
#include "design_document/front_table.h"
#include "result/limit_check.h"
#include "result/unit_caption.h"

namespace vortane {

namespace {

// "BarrierClearance1 0.03 to 0.1 mm; ScrewSpeed 60 to 140 rpm": the bounds
// as the boxes take them.
std::string VariedInputsText(const std::vector<VariedInput>& inputs, char sep) {
    std::string text;
    for (const VariedInput& input : inputs) {
        if (!text.empty()) text += "; ";
        text += std::string(input.field->name) + " " + InputText(input.low, sep) + " to " + InputText(input.high, sep);
        if (input.field->quantity != Quantity::Dimensionless)
            text += " " + std::string(UnitIn(input.field->quantity, UnitSystem::Metric).symbol);
    }
    return text;
}

std::string PointText(std::size_t design) { return "Point " + std::to_string(design + 1); }

DocumentSection FrontQuestion(const FrontRequest& request, const FrontResult& front,
                              std::optional<std::size_t> chosen, char sep, UnitSystem system) {
    DocumentSection section{"Trade-off front", {}, {}, {}};
    section.rows.push_back({"Objectives", ObjectivesText(request.objectives)});
    section.rows.push_back({"Varied inputs", VariedInputsText(request.inputs, sep)});
    std::string limits;
    for (const Limit& limit : request.limits) limits += (limits.empty() ? "" : "; ") + LimitCaption(limit, system, sep);
    section.rows.push_back({"Limits", limits.empty() ? std::string("none") : limits});
    section.rows.push_back({"Accepted warnings", request.acceptedWarnings.Empty()
                                                     ? std::string("none")
                                                     : WarningKindsText(request.acceptedWarnings)});
    section.rows.push_back({"Designs on the front", std::to_string(front.designs.size())});
    section.rows.push_back({"Runs made", std::to_string(front.runs)});
    if (front.knee) section.rows.push_back({"The knee", PointText(*front.knee)});
    section.rows.push_back({"This case", chosen ? PointText(*chosen) : std::string("on no design of the front")});
    section.notes.emplace_back(
        "The knee is the design nearest the ideal point, each objective scaled to 0 to 1 over the front.");
    return section;
}

}  // namespace

DocumentSection FrontDesignsSection(const FrontRequest& request, const FrontResult& front,
                                    std::optional<std::size_t> chosen, char decimalSeparator, UnitSystem system) {
    DocumentSection section{"Designs of the front", {"Point"}, {}, {}};
    for (const VariedInput& input : request.inputs) section.columns.emplace_back(input.field->name);
    std::vector<const RunColumn*> columns;
    for (const Objective& objective : request.objectives) {
        columns.push_back(&QuantityColumn(objective.quantity));
        section.columns.push_back(QuantityCaption(objective.quantity, system));
    }
    section.columns.emplace_back("");
    for (std::size_t i = 0; i < front.designs.size(); ++i) {
        const FrontDesign& design = front.designs[i];
        std::vector<std::string>& row = section.rows.emplace_back(std::vector<std::string>{std::to_string(i + 1)});
        row.insert(row.end(), design.inputTexts.begin(), design.inputTexts.end());
        for (std::size_t k = 0; k < columns.size(); ++k)
            row.push_back(ValueTextIn(design.objectives[k], columns[k]->quantity, system, decimalSeparator));
        std::string mark = front.knee == i ? "Knee" : "";
        if (chosen == i) mark += mark.empty() ? "This case" : ", this case";
        row.push_back(std::move(mark));
    }
    return section;
}

std::optional<std::size_t> FrontDesignOf(const FrontResult& front, const InputTexts& texts) {
    const auto found = std::find_if(front.designs.begin(), front.designs.end(),
                                    [&texts](const FrontDesign& design) { return design.texts == texts; });
    if (found == front.designs.end()) return std::nullopt;
    return static_cast<std::size_t>(found - front.designs.begin());
}

void AppendFront(ReportDocument& document, const FrontRequest& request, const FrontResult& front,
                 std::optional<std::size_t> chosen, char decimalSeparator, UnitSystem system) {
    document.sections.push_back(FrontQuestion(request, front, chosen, decimalSeparator, system));
    document.sections.push_back(FrontDesignsSection(request, front, chosen, decimalSeparator, system));
    for (Chart& chart : FrontCharts(front, request.objectives))
        document.moreCharts.push_back({std::move(chart), document.sections.size()});
}

}  // namespace vortane
