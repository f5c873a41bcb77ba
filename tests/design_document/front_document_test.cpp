#include "design_document/front_document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "design_document/front_table.h"
#include "support/case_request.h"

namespace vortane {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

FrontRequest SmallFront(std::vector<Objective> objectives) {
    FrontRequest request;
    request.base = testing::UnreportedRequest({{"OutputRate", "350"}});
    request.inputs = {{FindInputField("BarrierClearance1"), 0.03, 0.1}, {FindInputField("ScrewSpeed"), 60, 140}};
    request.objectives = std::move(objectives);
    request.limits = {{"TemperatureRise", LimitBound::AtMost, 30}};
    request.divisions = 3;
    request.threads = 2;
    return request;
}

// The row of the section titled `title` whose first cell is `caption`.
std::vector<std::string> RowOf(const ReportDocument& document, const std::string& title, const std::string& caption) {
    for (const DocumentSection& section : document.sections)
        if (section.title == title)
            for (const std::vector<std::string>& row : section.rows)
                if (!row.empty() && row.front() == caption) return row;
    return {};
}

// A case chosen from the front carries the question, every design with the
// knee and itself marked, and the front's chart after them; a design's boxes
// find it again, and a case altered in one box is on no design.
TEST(AppendFront, CarriesTheQuestionTheDesignsAndTheChart) {
    const FrontRequest request = SmallFront({{"TotalPressureDrop", false}, {"Barrier1ShearStress", true}});
    const FrontResult front = ParetoFront(request);
    ASSERT_GE(front.designs.size(), 3U);
    ASSERT_TRUE(front.knee);
    const std::size_t chosen = *front.knee == 0 ? 1 : 0;
    EXPECT_EQ(FrontDesignOf(front, front.designs[chosen].texts), chosen);
    InputTexts altered = front.designs[chosen].texts;
    altered[0] += "1";
    EXPECT_EQ(FrontDesignOf(front, altered), std::nullopt);

    ReportDocument document{"Case", {}, {{"Results", {}, {}, {}}}, {}};
    AppendFront(document, request, front, chosen, ',', UnitSystem::US);
    ASSERT_EQ(document.sections.size(), 3U);
    EXPECT_THAT(RowOf(document, "Trade-off front", "Objectives"),
                ElementsAre("Objectives", "minimise TotalPressureDrop, maximise Barrier1ShearStress"));
    EXPECT_THAT(RowOf(document, "Trade-off front", "Varied inputs"),
                ElementsAre("Varied inputs", "BarrierClearance1 0,03 to 0,1 cm; ScrewSpeed 60 to 140 rpm"));
    EXPECT_THAT(RowOf(document, "Trade-off front", "This case"),
                ElementsAre("This case", "Point " + std::to_string(chosen + 1)));
    const DocumentSection& designs = document.sections[2];
    EXPECT_EQ(designs.title, "Designs of the front");
    ASSERT_EQ(designs.rows.size(), front.designs.size());
    EXPECT_THAT(designs.columns[3], HasSubstr("psi"));  // the pressure drop in the document's system
    for (std::size_t i = 0; i < designs.rows.size(); ++i) {
        const std::vector<std::string>& row = designs.rows[i];
        ASSERT_EQ(row.size(), designs.columns.size());
        EXPECT_EQ(row[1], front.designs[i].inputTexts[0]);
        EXPECT_EQ(row.back(), front.knee == i ? "Knee" : i == chosen ? "This case" : "");
    }
    ASSERT_EQ(document.moreCharts.size(), 1U);
    EXPECT_EQ(document.moreCharts[0].position, 3U);

    // The CSV's table: its rows are the front's designs, the knee marked.
    const DesignTable table = FrontTable(request, front, '.');
    ASSERT_EQ(table.rows.size(), front.designs.size());
    EXPECT_TRUE(table.rows[*front.knee].marked);
    EXPECT_EQ(table.rows[chosen].run, &front.designs[chosen].run);
}

TEST(AppendFront, ThreeObjectivesGiveTheirProjectionsAndACaseOnNoDesignSaysSo) {
    const FrontRequest request = SmallFront(
        {{"TotalPressureDrop", false}, {"Barrier1ShearStress", true}, {"TemperatureRise", false}});
    const FrontResult front = ParetoFront(request);
    ASSERT_TRUE(front.knee);
    ReportDocument document;
    AppendFront(document, request, front, std::nullopt, '.');
    EXPECT_THAT(RowOf(document, "Trade-off front", "This case"),
                ElementsAre("This case", "on no design of the front"));
    EXPECT_EQ(document.sections[1].rows[*front.knee].back(), "Knee");
    EXPECT_EQ(document.moreCharts.size(), 2U);
}

}  // namespace
}  // namespace vortane
