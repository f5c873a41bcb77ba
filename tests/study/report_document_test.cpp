#include "study/report_document.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "report/report_layout.h"
#include "study/html_document.h"
#include "study/run_summary.h"
#include "study/svg_chart.h"
#include "support/case_request.h"

namespace vortane {
namespace {

const DocumentSource Source{"designs/<a&b>.vcase", "2026-12-08 12:00 +0000"};

std::string Row(std::string_view caption, std::string_view text) {
    return "<tr><th scope=\"row\">" + EscapeXml(caption) + "</th><td class=\"value\">" + EscapeXml(text) +
           "</td></tr>";
}

bool Holds(const std::string& html, const std::string& part) { return html.find(part) != std::string::npos; }

// What a page may not do: load anything from elsewhere.
void ExpectSelfContained(const std::string& html) {
    for (const char* external : {"http:", "https:", "src=", "href=", "<link", "<script", "url(", "@import"})
        EXPECT_FALSE(Holds(html, external)) << external;
}

std::string PageOf(const testing::Texts& texts, const FittedRanges& ranges = {}) {
    const RunRequest request = testing::UnreportedRequest(texts);
    return HtmlDocument(RunDocument(RunCalculation(request), request.texts, ranges, Source, '.'));
}

// Every value the window shows of a complete run stands in the page under its
// caption, as the report writes it, with the inputs, the case and the chart.
TEST(ReportDocument, CompleteRunHoldsEveryValueUnderItsCaption) {
    const RunRequest request = testing::UnreportedRequest();
    const RunResult run = RunCalculation(request);
    const std::string html = HtmlDocument(RunDocument(run, request.texts, {}, Source, '.'));
    const RunSummary summary = SummarizeRun(run, '.');
    for (const auto* values : {&summary.channel, &summary.results, &summary.indicators})
        for (const SummaryValue& value : *values) EXPECT_TRUE(Holds(html, Row(value.caption, value.text))) << value.name;
    EXPECT_TRUE(Holds(html, Row("Output (kg/hr)", "267.0")));
    EXPECT_TRUE(Holds(html, Row("Temperature Difference (℃)", "29.55")));
    EXPECT_TRUE(Holds(html, "<td class=\"value\">&lt;a&amp;b&gt;.vcase</td>"));
    EXPECT_FALSE(Holds(html, "<a&b>"));
    EXPECT_TRUE(Holds(html, Row("Case file", Source.caseFile)));
    EXPECT_TRUE(Holds(html, Row("Date and time", Source.dateTime)));
    EXPECT_TRUE(Holds(html, Row("Program", "Vortane " + std::string(ProgramVersion()))));
    EXPECT_TRUE(Holds(html, "<figure>\n<svg width="));
    EXPECT_TRUE(Holds(html, "<meta charset=\"utf-8\"/>"));
    EXPECT_TRUE(Holds(html, "@media print"));
    EXPECT_FALSE(Holds(html, "<?xml"));
    ExpectSelfContained(html);
}

// The number a page shows under `caption`; none when it has no such row.
std::optional<double> Shown(const std::string& html, std::string_view caption) {
    const std::string head = "<th scope=\"row\">" + EscapeXml(caption) + "</th><td class=\"value\">";
    const std::size_t at = html.find(head);
    if (at == std::string::npos) return std::nullopt;
    return std::stod(html.substr(at + head.size(), html.find("</td>", at) - at - head.size()));
}

// SI and US pages show the run's values in their units: the factors here are
// the units' definitions, written out independently of the core's table; the
// technical metric page is the report's (above).
TEST(ReportDocument, PagesInEverySystemShowTheRunsValuesConverted) {
    const RunRequest request = testing::UnreportedRequest();
    const RunResult run = RunCalculation(request);
    const CaseData& d = run.data;
    const double kgf = 9.80665, lb = 0.45359237, inch = 2.54, hp = 0.74569987158227022;
    struct Expected {
        std::string_view caption;
        double value;
    };
    const std::vector<std::pair<UnitSystem, std::vector<Expected>>> systems{
        {UnitSystem::SI,
         {{"Total Pressure Drop (MPa)", d.TotalPressureDrop * kgf / 100},
          {"Inlet Pressure (MPa)", d.InletPressure * kgf / 100},
          {"Output (kg/h)", d.OutputRate},
          {"Temperature Difference (K)", d.TemperatureRise},
          {"Channel Width (mm)", d.ChannelWidth * 10},
          {"Specific Heat of Melt (kJ/kg.K)", d.MeltSpecificHeat * 4.1868},
          {"Density of Melt (kg/m3)", d.MeltDensity * 1000}}},
        {UnitSystem::US,
         {{"Total Pressure Drop (psi)", d.TotalPressureDrop * kgf / (lb * kgf) * inch * inch},
          {"Output (lb/hr)", d.OutputRate / lb},
          {"Inlet Melt Temperature (°F)", d.InletMeltTemp * 9 / 5 + 32},
          {"Temperature Difference (°F)", d.TemperatureRise * 9 / 5},
          {"Channel Width (in)", d.ChannelWidth / inch},
          {"Power Consumption at Mix. Part (hp)", d.PowerKW / hp}}},
    };
    for (const auto& [system, expected] : systems) {
        const std::string html = HtmlDocument(RunDocument(run, request.texts, {}, Source, '.', system));
        for (const Expected& e : expected) {
            const std::optional<double> shown = Shown(html, e.caption);
            ASSERT_TRUE(shown) << e.caption;
            EXPECT_NEAR(*shown, e.value, std::abs(e.value) * 1e-6) << e.caption;  // seven digits
        }
        const std::string unit = system == UnitSystem::SI ? "MPa" : "psi";
        EXPECT_TRUE(Holds(html, "Pressure (" + unit + ")")) << unit;  // the chart's axis
        EXPECT_TRUE(Holds(html, Row("Number of Revolution (rpm)", "80.00")));
    }
}

TEST(ReportDocument, WarningsAndFittedRangesAreListed) {
    const FittedRanges ranges{ValueRange{150, 230}, std::nullopt};
    const std::string html = PageOf({{"ScrewSpeed", "20"}}, ranges);
    EXPECT_TRUE(Holds(html, Row("Fitted on temperatures (℃)", "150 to 230")));
    EXPECT_TRUE(Holds(html, Row("Fitted on shear rates (1/s)", "not given")));
    EXPECT_TRUE(Holds(html, "<li>the pressure in the outlet channel falls to -213.78 kgf/cm2"));
    EXPECT_TRUE(Holds(PageOf({}), "<li>None: every input"));
}

// A stopped run's page says what stopped it and why, shows what it computed
// and no chart; a rejected text is shown as typed.
TEST(ReportDocument, StoppedRunHoldsItsMessageAndDetail) {
    const std::string pressure = PageOf({{"InletPressure", "21"}});
    EXPECT_TRUE(Holds(pressure, Row("Message", "Assumed inlet pressure is too low!")));
    EXPECT_TRUE(Holds(pressure, Row("Why", "the inlet pressure test passes in every pass above "
                                           "InletPressure = 21.13058 kgf/cm2")));
    EXPECT_TRUE(Holds(pressure, "<h2>Channel characteristics</h2>"));
    EXPECT_FALSE(Holds(pressure, "<h2>Results</h2>"));
    EXPECT_FALSE(Holds(pressure, "<svg"));

    const std::string rejected = PageOf({{"BarrierClearance1", "0.0x<5"}});
    EXPECT_TRUE(Holds(rejected, Row("Barrier Clearance - 1 (cm)", "0.0x<5")));
    EXPECT_TRUE(Holds(rejected, Row("Message", "Input data is not proper, change and try again!")));
    EXPECT_TRUE(Holds(rejected, "is not a real number"));
    ExpectSelfContained(rejected);
}

// The table holds the first points and says how many there are (its cells
// against the CSV's: tests/python).
TEST(ReportDocument, SweepTableIsCapped) {
    const SweepPlan plan = MakeSweepPlan(testing::UnreportedRequest().texts,
                                         {ParseSweepAxis("OutputRate=100:300:100", '.')}, '.', std::nullopt);
    SweepTable table(plan);
    SweepCurves curves(table, MainSweepQuantities());
    for (std::size_t i = 0; i < PointCount(plan); ++i) table.Add(RunPoint(plan, i));
    const ReportDocument document = SweepDocument(table, curves, {}, 2);
    ASSERT_EQ(document.sections.size(), 1u);
    const DocumentSection& points = document.sections.front();
    EXPECT_EQ(points.columns.front(), "Point");
    EXPECT_EQ(points.columns[1], "OutputRate");
    ASSERT_EQ(points.rows.size(), 2u);
    EXPECT_EQ(points.rows[1][1], "200");
    EXPECT_EQ(points.notes, std::vector<std::string>{"The first 2 of 3 points; the CSV holds them all."});
    const std::string html = HtmlDocument(document);
    EXPECT_TRUE(Holds(html, "<title>Study of Untitled: OutputRate 100 to 300 (3 values)</title>"));
    EXPECT_TRUE(Holds(html, "<svg width="));
    ExpectSelfContained(html);
}

}  // namespace
}  // namespace vortane
