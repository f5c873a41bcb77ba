#include "document/report_document.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "document/html_document.h"
#include "comparison/comparison_chart.h"
#include "document/svg_chart.h"
#include "study/sweep_charts.h"
#include "model/design_indicators.h"
#include "report/report_layout.h"
#include "result/run_summary.h"
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
        EXPECT_TRUE(Holds(html, Row("Number of Revolution (rpm)", "80.0")));  // the default text as typed
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

// The cell texts of a page's row under `caption`, the caption left out, as
// the page's reader sees them (entities read back); none without such a row.
std::optional<std::vector<std::string>> Cells(const std::string& html, std::string_view caption) {
    const std::string head = "<tr><th scope=\"row\">" + EscapeXml(caption) + "</th>";
    const std::size_t at = html.find(head);
    if (at == std::string::npos) return std::nullopt;
    const std::size_t end = html.find("</tr>", at);
    std::vector<std::string> cells;
    const std::string open = "<td class=\"value\">";
    for (std::size_t cell = html.find(open, at); cell < end; cell = html.find(open, cell + 1)) {
        const std::size_t from = cell + open.size();
        std::string text = html.substr(from, html.find("</td>", from) - from);
        for (const auto& [entity, character] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""},
                                                {"&apos;", "'"}, {"&amp;", "&"}})
            for (std::size_t e = text.find(entity); e != std::string::npos; e = text.find(entity, e + 1))
                text.replace(e, std::string_view(entity).size(), character);
        cells.push_back(text);
    }
    return cells;
}

// The plant design found at 350 kg/hr: its sheet holds the texts as typed,
// and a run of the texts read back from the page shows every value the page
// shows, to its digits. Under the report's rounding (0.093 for 0.0934533)
// the pressure drop would be another.
TEST(ReportDocument, SheetsInputsReproduceItsResults) {
    const RunRequest request = testing::UnreportedRequest(
        {{"OutputRate", "350"}, {"BarrierClearance1", "0.0934533"}, {"ScrewSpeed", "100.8615"}});
    const RunResult run = RunCalculation(request);
    ASSERT_EQ(run.outcome, RunOutcome::Complete);
    const std::string html = HtmlDocument(RunDocument(run, request.texts, {}, Source, '.'));
    EXPECT_EQ(Cells(html, "Barrier Clearance - 1 (cm)"), std::vector<std::string>{"0.0934533"});
    EXPECT_NE(ReportedInputText(run.data, *FindInputField("BarrierClearance1"), '.'), "0.0934533");

    InputTexts read;
    for (const InputField& field : InputFields()) {
        const auto cells = Cells(html, ReportCaption(field));
        ASSERT_TRUE(cells && cells->size() == 1) << field.name;
        read[field.box - 1] = cells->front();
    }
    EXPECT_EQ(read, request.texts);
    const RunResult again = RunCalculation({read, {}, '.', ReportTarget::None, {}});
    const RunSummary summary = SummarizeRun(again, '.');
    std::size_t compared = 0;
    for (const auto* values : {&summary.channel, &summary.results, &summary.indicators})
        for (const SummaryValue& value : *values) {
            EXPECT_EQ(Cells(html, value.caption), std::vector<std::string>{value.text}) << value.name;
            ++compared;
        }
    EXPECT_GT(compared, 20u);

    // In US units the converted value stands beside the text as typed, with its box's unit.
    const std::string us = HtmlDocument(RunDocument(run, request.texts, {}, Source, '.', UnitSystem::US));
    const auto clearance = Cells(us, "Barrier Clearance - 1 (in)");
    ASSERT_TRUE(clearance && clearance->size() == 2);
    EXPECT_NEAR(std::stod((*clearance)[0]), 0.0934533 / 2.54, 1e-7);
    EXPECT_EQ((*clearance)[1], "as typed: 0.0934533 cm");
    EXPECT_EQ(Cells(us, "Number of Revolution (rpm)"), std::vector<std::string>{"100.8615"});
}

// The section of a document titled `title`; none when it has no such section.
const DocumentSection* SectionOf(const ReportDocument& document, std::string_view title) {
    for (const DocumentSection& section : document.sections)
        if (section.title == title) return &section;
    return nullptr;
}

// The number at the front of a cell ("margin -55.87159 kgf/cm2": -55.87159)
// and the unit after it.
std::pair<double, std::string> NumberAndUnit(std::string cell) {
    if (cell.starts_with("margin ")) cell.erase(0, 7);
    std::size_t used = 0;
    const double number = std::stod(cell, &used);
    return {number, used < cell.size() ? cell.substr(used + 1) : std::string()};
}

// At 350 kg/hr the temperature rise and the barrier's shear stress meet their
// limits and the pressure drop does not. Each value and margin stands beside
// its limit, to seven digits, in the document's units; the verdict names the
// limit that fails. Expected values are the run's own numbers, the margins
// worked out here (bound − value for at most, value − bound for at least).
TEST(ReportDocument, LimitsStandWithValuesMarginsAndTheVerdict) {
    const RunRequest request = testing::UnreportedRequest({{"OutputRate", "350"}});
    const RunResult run = RunCalculation(request);
    const std::vector<Limit> limits{ParseLimit("TemperatureRise<=30"), ParseLimit("Barrier1ShearStress>=135"),
                                    ParseLimit("TotalPressureDrop<=30"), ParseLimit("OutletAverageMeltTemp<=250")};
    const double shear = DesignIndicatorsOf(run.data).barrier1ShearStress;
    const CaseData& d = run.data;
    struct Expected {
        std::string unit;
        double shown, left;
        const char* met;
    };
    const Expected metric[] = {{"℃", d.TemperatureRise, 30 - d.TemperatureRise, "met"},
                               {"kPa", shear, shear - 135, "met"},
                               {"kgf/cm2", d.TotalPressureDrop, 30 - d.TotalPressureDrop, "not met"},
                               {"℃", d.OutletAverageMeltTemp, 250 - d.OutletAverageMeltTemp, "met"}};
    const ReportDocument document = RunDocument(run, request.texts, {}, Source, '.', UnitSystem::Metric, {limits, {}});
    const DocumentSection* section = SectionOf(document, "Limits");
    ASSERT_NE(section, nullptr);
    ASSERT_EQ(section->rows.size(), 5u);
    EXPECT_EQ(section->rows[4], (std::vector<std::string>{"Accepted warnings", "none"}));
    for (std::size_t i = 0; i < 4; ++i) {
        const std::vector<std::string>& row = section->rows[i];
        ASSERT_EQ(row.size(), 4u);
        EXPECT_EQ(row[0], LimitCaption(limits[i], UnitSystem::Metric, '.'));
        const auto [value, unit] = NumberAndUnit(row[1]);
        const auto [margin, marginUnit] = NumberAndUnit(row[2]);
        EXPECT_NEAR(value, metric[i].shown, std::abs(metric[i].shown) * 1e-6) << row[0];
        EXPECT_NEAR(margin, metric[i].left, std::abs(metric[i].left) * 1e-6) << row[0];
        EXPECT_EQ(unit, metric[i].unit);
        EXPECT_EQ(marginUnit, metric[i].unit);
        EXPECT_EQ(row[3], metric[i].met);
    }
    EXPECT_EQ(section->notes, std::vector<std::string>{"Not feasible: Total Pressure Drop (kgf/cm2) ≤ 30 (85.87159)"});
    const std::string html = HtmlDocument(document);
    EXPECT_TRUE(Holds(html, "<h2>Limits</h2>\n<table>\n<tr><th scope=\"row\">Temperature Difference (℃) ≤ 30</th>"));
    EXPECT_TRUE(Holds(html, "<li>Not feasible: Total Pressure Drop (kgf/cm2) ≤ 30 (85.87159)</li>"));

    // In US units a margin is a difference: the outlet temperature's value
    // takes the offset, its margin does not.
    const DocumentSection us =
        *SectionOf(RunDocument(run, request.texts, {}, Source, '.', UnitSystem::US, {limits, {}}), "Limits");
    const auto [outlet, fahrenheit] = NumberAndUnit(us.rows[3][1]);
    EXPECT_EQ(fahrenheit, "°F");
    EXPECT_NEAR(outlet, d.OutletAverageMeltTemp * 9 / 5 + 32, 1e-3);
    EXPECT_NEAR(NumberAndUnit(us.rows[3][2]).first, (250 - d.OutletAverageMeltTemp) * 9 / 5, 1e-3);
    // 1 kgf/cm2 = 6.4516 / 0.45359237 psi: 1 lbf is the weight of 0.45359237 kg, 1 in2 is 6.4516 cm2.
    EXPECT_NEAR(NumberAndUnit(us.rows[2][2]).first, (30 - d.TotalPressureDrop) * 6.4516 / 0.45359237, 0.01);
    // The limits themselves convert: the bound, the failing one's value too.
    EXPECT_EQ(us.rows[0][0], "Temperature Difference (°F) ≤ 54");
    EXPECT_TRUE(us.notes.back().starts_with("Not feasible: Total Pressure Drop (psi) ≤ 426.7")) << us.notes.back();

    // Without limits or accepted warnings the document has no such section.
    EXPECT_EQ(SectionOf(RunDocument(run, request.texts, {}, Source, '.'), "Limits"), nullptr);
}

// A run raising a kind of warning the case does not accept is not feasible
// for that reason, whatever its limits; accepted, the kind is named and the
// design is feasible. A run that stopped is not judged.
TEST(ReportDocument, AcceptedWarningsAndStoppedRunsInTheLimits) {
    const RunRequest slow = testing::UnreportedRequest({{"ScrewSpeed", "20"}});  // outlet below zero pressure
    const RunResult run = RunCalculation(slow);
    ASSERT_TRUE(run.warningKinds.Has(WarningKind::NegativePressure));
    const std::vector<Limit> limits{ParseLimit("TemperatureRise<=30")};
    const DocumentSection warned =
        *SectionOf(RunDocument(run, slow.texts, {}, Source, '.', UnitSystem::Metric, {limits, {}}), "Limits");
    EXPECT_EQ(warned.rows[0][3], "met");
    EXPECT_EQ(warned.notes, std::vector<std::string>{"Not feasible: warns of negative-pressure"});

    const DocumentSection accepted = *SectionOf(
        RunDocument(run, slow.texts, {}, Source, '.', UnitSystem::Metric, {{}, WarningKind::NegativePressure}),
        "Limits");
    EXPECT_EQ(accepted.rows, (std::vector<std::vector<std::string>>{{"Accepted warnings", "negative-pressure"}}));
    EXPECT_EQ(accepted.notes, std::vector<std::string>{"Feasible"});

    const RunRequest low = testing::UnreportedRequest({{"InletPressure", "21"}});
    const DocumentSection stopped = *SectionOf(
        RunDocument(RunCalculation(low), low.texts, {}, Source, '.', UnitSystem::Metric, {limits, {}}), "Limits");
    EXPECT_EQ(stopped.rows, (std::vector<std::vector<std::string>>{{"Temperature Difference (℃) ≤ 30", "not computed"},
                                                                    {"Accepted warnings", "none"}}));
    EXPECT_EQ(stopped.notes, std::vector<std::string>{"Not feasible: the run stopped; its limits are not judged."});
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

// Over two inputs the page's chart carries the feasible map of the plan's
// limits, as --plot draws it; over one, none.
TEST(ReportDocument, TwoInputSweepCarriesItsMap) {
    SweepPlan plan = MakeSweepPlan(testing::UnreportedRequest().texts,
                                   {ParseSweepAxis("OutputRate=200:300:100", '.'),
                                    ParseSweepAxis("ScrewSpeed=60:80:20", '.')},
                                   '.', std::nullopt);
    plan.limits = {ParseLimit("TemperatureRise<=25")};
    SweepTable table(plan);
    SweepCurves curves(table, MainSweepQuantities());
    for (std::size_t i = 0; i < PointCount(plan); ++i) table.Add(RunPoint(plan, i));
    const ReportDocument document = SweepDocument(table, curves, {});
    ASSERT_TRUE(document.chart && document.chart->map);
    EXPECT_EQ(document.chart->map->xValues.size() * document.chart->map->yValues.size(), 4u);
    EXPECT_EQ(SvgDocument(*document.chart), SvgDocument(StudyChart(table, curves)));
    plan.axes.pop_back();
    SweepTable line(plan);
    EXPECT_FALSE(StudyChart(line, SweepCurves(line, MainSweepQuantities())).map);
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
    return n;
}

// A run compared with a pinned baseline: its own page stays as it was, then
// the table against the baseline in the chosen units, the two designs'
// profiles in a second chart, and the baseline's warnings.
TEST(ReportDocument, ComparisonFollowsTheRunsOwnPage) {
    std::vector<ComparedDesign> designs;
    for (const auto& [name, texts] : {std::pair<std::string, testing::Texts>{"Baseline", {}},
                                      {"Current", {{"OutputRate", "350"}}}}) {
        const RunRequest request = testing::UnreportedRequest(texts);
        designs.push_back({name, request.texts, RunCalculation(request), {}, {}});
    }
    const ComparedDesign& current = designs.back();
    ReportDocument document = RunDocument(current.run, current.texts, {}, Source, '.', UnitSystem::US);
    const std::string alone = HtmlDocument(document);
    AppendComparison(document, CompareDesigns(designs, UnitSystem::US, '.'),
                     ProfileComparisonChart(designs, UnitSystem::US), '.');
    const std::string html = HtmlDocument(document);

    const std::string end = "</body>\n</html>\n";
    ASSERT_TRUE(html.starts_with(alone.substr(0, alone.size() - end.size())));
    const std::string added = html.substr(alone.size() - end.size());
    EXPECT_TRUE(Holds(added, "<h2>Compared with Baseline</h2>"));
    EXPECT_TRUE(Holds(added, "<th scope=\"col\">Baseline</th><th scope=\"col\">Current</th>"));
    // 267 and 350 kg/hr in pounds (1 lb = 0.45359237 kg), and (350 - 267) / 267.
    EXPECT_TRUE(Holds(added, "<tr><td>Output (lb/hr)</td><td>588.6"));
    EXPECT_TRUE(Holds(added, "</td><td>771.6"));
    EXPECT_TRUE(Holds(added, "<td>+31.09 %</td>"));
    EXPECT_TRUE(Holds(added, "<li>Δ and Δ %: against Baseline.</li>"));
    // The second chart, after the table: both designs' pressures in psi.
    EXPECT_EQ(Count(html, "<figure>"), 2u);
    ASSERT_EQ(Count(added, "<figure>"), 1u);
    EXPECT_LT(added.find("<h2>Compared with Baseline</h2>"), added.find("<figure>"));
    for (const char* curve : {"Baseline p1", "Baseline p2", "Current p1", "Current p2"})
        EXPECT_TRUE(Holds(added, std::string(">") + curve + "</text>")) << curve;
    EXPECT_TRUE(Holds(added, "(psi)"));
    EXPECT_TRUE(Holds(added, "<h2>Warnings of Baseline</h2>"));
    EXPECT_FALSE(Holds(added, "Warnings of Current"));  // the run's own stand above
    ExpectSelfContained(html);
}

// Further charts keep their order; one placed before the first chart follows it.
TEST(ReportDocument, FurtherChartsStandWhereTheyArePlaced) {
    ReportDocument document{"t", {}, {{"A", {}, {}, {}}, {"B", {}, {}, {}}}, Chart{"first", {}, {}}};
    document.chartPosition = 1;
    document.moreCharts = {{Chart{"early", {}, {}}, 0}, {Chart{"after B", {}, {}}, 2}};
    const std::string html = HtmlDocument(document);
    const auto at = [&html](const std::string& part) { return html.find(part); };
    EXPECT_LT(at("<h2>A</h2>"), at("<title>first</title>"));
    EXPECT_LT(at("<title>first</title>"), at("<title>early</title>"));
    EXPECT_LT(at("<title>early</title>"), at("<h2>B</h2>"));
    EXPECT_LT(at("<h2>B</h2>"), at("<title>after B</title>"));
    EXPECT_NE(at("<title>after B</title>"), std::string::npos);
}

}  // namespace
}  // namespace vortane

namespace vortane {
namespace {

// A case naming a grade: the page names it with each of its sources, escaped;
// a grade the library does not hold is named as such; none, no section.
TEST(ReportDocument, MaterialSectionNamesTheGradeAndItsSources) {
    const Grade grade = ParseGrade(
        "Name = PP <homo>\nFamily = PP\nLaw = PowerLaw\nLaw.n = 0.35\nLaw.beta = 0.01 1/degC\n"
        "Law.K = 20000 Pa.s^n\nLaw.T0 = 200 degC\nLaw.Source = Book & co., p. 3\n"
        "TemperatureRange = 200 to 260 degC\nShearRateRange = 10 to 10000 1/s\nRange.Source = Table 2\n"
        "MeltDensity = 0.75 g/cm3\nMeltDensity.Source = Handbook, p. 9\nFitError = 0.0125\n"
        "A0 = 1\nA1 = 1\nA11 = 1\nA2 = 1\nA22 = 1\nA12 = 1\n",
        "/lib/PP-homo.vgrade");
    const RunRequest request = testing::UnreportedRequest();
    const RunResult run = RunCalculation(request);
    DocumentSource source = Source;
    source.material = grade.name;
    source.grade = &grade;
    const std::string html = HtmlDocument(RunDocument(run, request.texts, {}, source, '.'));
    EXPECT_TRUE(Holds(html, Row("Grade", "PP <homo>")));
    EXPECT_TRUE(Holds(html, Row("Source: Viscosity law", "Book & co., p. 3")));
    EXPECT_TRUE(Holds(html, Row("Source: Temperature and shear-rate ranges", "Table 2")));
    EXPECT_TRUE(Holds(html, Row("Source: MeltDensity", "Handbook, p. 9")));
    EXPECT_TRUE(Holds(html, Row("Fit of the viscosity law", "within 1.25 % of the printed law over its ranges")));
    EXPECT_TRUE(Holds(html, "PP-homo.vgrade"));
    source.grade = nullptr;
    const std::string unknown = HtmlDocument(RunDocument(run, request.texts, {}, source, '.'));
    EXPECT_TRUE(Holds(unknown, Row("Grade", "PP <homo>")));
    EXPECT_TRUE(Holds(unknown, "The grade is not in the material library here: its sources are not at hand."));
    EXPECT_FALSE(Holds(HtmlDocument(RunDocument(run, request.texts, {}, Source, '.')), "<h2>Material</h2>"));
}

}  // namespace
}  // namespace vortane
