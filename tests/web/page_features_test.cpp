// The page's studies, limits, comparison and searches: each the core's own
// answer, as vortane-calc gives it for the same case.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/end_text.h"
#include "design/goal_seek.h"
#include "study/study_csv.h"
#include "study/sweep_run.h"
#include "support/scratch_dir.h"
#include "web/page_session.h"

namespace vortane::web {
namespace {

using testing::ScratchDir;

std::vector<std::string> Defaults() {
    const InputTexts texts = DefaultTexts('.');
    return {texts.begin(), texts.end()};
}

// Stepped a few points at a time, a study writes the CSV the threaded sweep
// writes for the same plan, limits and units, and charts what has run.
TEST(PageStudy, SteppedPointsGiveTheThreadedSweepsCsv) {
    const ScratchDir dir;
    PageSession session(dir.Path("page.txt").string());
    ASSERT_EQ(session.SetLimits("TemperatureRise <= 30\n").error, "");
    const std::vector<PageStudyAxis> axes{{"BarrierClearance1", "0.03", "0.1", "0.035"},
                                          {"ScrewSpeed", "60", "140", "40"}};
    const PageProgress started = session.StartStudy(Defaults(), axes, "us");
    ASSERT_EQ(started.error, "");
    EXPECT_EQ(started.total, 9);
    EXPECT_EQ(session.StudyChart(0, "us").error, "");  // nothing run yet: an empty chart
    EXPECT_EQ(session.StepStudy(4).done, 4);
    const PageText partial = session.StudyChart(2, "metric");
    EXPECT_EQ(partial.text.rfind("<svg", 0), 0U);
    EXPECT_EQ(session.StepStudy(100).done, 9);

    SweepPlan plan = MakeSweepPlan(DefaultTexts('.'),
                                   {MakeSweepAxis(*FindInputField("BarrierClearance1"), "0.03", "0.1", "0.035", '.'),
                                    MakeSweepAxis(*FindInputField("ScrewSpeed"), "60", "140", "40", '.')},
                                   '.', std::nullopt);
    plan.limits = {ParseLimit("TemperatureRise<=30")};
    std::string csv = SweepHeader(plan, UnitSystem::US);
    RunSweep(plan, {2, {}, {}}, [&](const PointResult& point) { csv += SweepRow(plan, point, UnitSystem::US); });
    EXPECT_EQ(session.StudyCsv().text, csv);
    EXPECT_NE(csv.find("Feasible"), std::string::npos);
}

TEST(PageStudy, RefusalsAreTheCoresAndKeepTheStudyBefore) {
    const ScratchDir dir;
    PageSession session(dir.Path("page.txt").string());
    EXPECT_EQ(session.StepStudy(1).error, "no study started");
    ASSERT_EQ(session.StartStudy(Defaults(), {{"OutputRate", "0", "300", "100"}}, "metric").error, "");
    EXPECT_EQ(session.StepStudy(10).done, 4);
    ASSERT_EQ(session.StudyStops().size(), 1U);  // no output: the run stops
    EXPECT_EQ(session.StudyStops()[0].rfind("Point 1: ", 0), 0U);

    EXPECT_NE(session.StartStudy(Defaults(), {{"Colour", "1", "2", "1"}}, "metric").error, "");
    EXPECT_EQ(session.StartStudy(Defaults(), {{"OutputRate", "300", "100", "10"}}, "metric").error.empty(), false);
    EXPECT_EQ(session.StudyChart(99, "metric").error, "no quantity 99");
    EXPECT_EQ(session.StepStudy(0).total, 4);  // the study before stands
}

// Limits are judged on each run as the HTML report judges them, refused by
// line, and kept in the saved case.
TEST(PageLimits, JudgeTheRunAndTravelWithTheCase) {
    const ScratchDir dir;
    PageSession session(dir.Path("page.txt").string());
    EXPECT_TRUE(session.Run(Defaults(), "metric").limits.empty());
    const PageText kept = session.SetLimits("TemperatureRise<=1\n\n  Barrier1ShearStress >= 0\n");
    ASSERT_EQ(kept.error, "");
    EXPECT_EQ(kept.text, "TemperatureRise<=1\nBarrier1ShearStress>=0\n");
    const PageRun judged = session.LastRun("metric");
    ASSERT_EQ(judged.limits.size(), 3U);  // two limits, then the accepted warnings
    EXPECT_EQ(judged.limits[0].cells.back(), "not met");
    EXPECT_EQ(judged.limits[1].cells.back(), "met");
    EXPECT_EQ(judged.verdict.rfind("Not feasible: Temperature Difference", 0), 0U);

    EXPECT_EQ(session.SetLimits("TemperatureRise<=40\nTemperatureRis<=3\n").error.rfind("Limit line 2: ", 0), 0U);
    EXPECT_EQ(session.SetLimits("Power <\n").error.rfind("Limit line 1: ", 0), 0U);
    EXPECT_EQ(session.LastRun("metric").limits.size(), 3U);  // unchanged
    ASSERT_EQ(session.SetLimits("TemperatureRise<=40").error, "");
    EXPECT_EQ(session.LastRun("metric").verdict, "Feasible");

    const PageText saved = session.SaveCase(Defaults());
    EXPECT_NE(saved.text.find("Limit = TemperatureRise<=40"), std::string::npos);
    EXPECT_EQ(session.OpenCase("again.vcase", saved.text).limits, "TemperatureRise<=40\n");
}

TEST(PageComparison, ThePinnedRunAgainstTheLast) {
    const ScratchDir dir;
    PageSession session(dir.Path("page.txt").string());
    EXPECT_EQ(session.Pin().error, "no run yet");
    session.Run(Defaults(), "metric");
    EXPECT_EQ(session.Compare("metric").error, "no baseline pinned");
    ASSERT_EQ(session.Pin().error, "");
    std::vector<std::string> texts = Defaults();
    texts[2] = "350";
    ASSERT_EQ(session.Run(texts, "metric").outcome, "complete");
    const PageComparison compared = session.Compare("metric");
    ASSERT_EQ(compared.error, "");
    ASSERT_EQ(compared.header.size(), 5U);  // the quantity, each design, then the difference and percentage
    EXPECT_EQ(compared.header[1], "Baseline");
    EXPECT_EQ(compared.header[2], "Current");
    ASSERT_FALSE(compared.rows.empty());
    EXPECT_EQ(compared.rows[0].cells[1], "267");  // the output, the one input that differs
    EXPECT_EQ(compared.rows[0].cells[2], "350");
    EXPECT_EQ(compared.csv.rfind("Quantity,Baseline,Current,Difference Current,Percent Current\n", 0), 0U);

    // Against the designs compared straight: the same table.
    InputTexts base = DefaultTexts('.'), changed = base;
    changed[2] = "350";
    const std::vector<ComparedDesign> designs{
        {"Baseline", base, RunCalculation({base, {}, '.', ReportTarget::None}), {}, {}},
        {"Current", changed, RunCalculation({changed, {}, '.', ReportTarget::None}), {}, {}}};
    EXPECT_EQ(compared.csv, ComparisonCsv(CompareDesigns(designs)));
    session.Unpin();
    EXPECT_EQ(session.Compare("metric").error, "no baseline pinned");
}

// A goal seek and an optimisation give vortane-calc's lines and the design's
// texts, counting their runs as they go.
TEST(PageSearch, GoalSeekAndOptimisationGiveTheCommandLinesAnswers) {
    const ScratchDir dir;
    PageSession session(dir.Path("page.txt").string());
    int counted = 0;
    const PageSearch sought =
        session.GoalSeek(Defaults(), "OutputRate=100:400", "TemperatureRise=20", [&](int runs) { counted = runs; });
    ASSERT_EQ(sought.error, "");
    ASSERT_TRUE(sought.found) << sought.text;
    EXPECT_EQ(sought.end, "Found");
    EXPECT_EQ(counted, sought.runs);
    EXPECT_EQ(sought.chart.rfind("<svg", 0), 0U);
    GoalSeekRequest request;
    request.base = {DefaultTexts('.'), {}, '.', ReportTarget::None};
    request.field = FindInputField("OutputRate");
    request.low = 100;
    request.high = 400;
    request.quantity = "TemperatureRise";
    request.target = 20;
    const GoalSeekResult direct = vortane::GoalSeek(request);
    EXPECT_EQ(sought.text, GoalSeekFoundText(request, direct));
    EXPECT_EQ(sought.texts[2], direct.text);

    EXPECT_EQ(session.GoalSeek(Defaults(), "OutputRate=400:100", "TemperatureRise=20", {}).error.empty(), false);
    EXPECT_EQ(session.GoalSeek(Defaults(), "OutputRate=100:400", "Colour=2", {}).error.empty(), false);

    std::vector<std::string> plant = Defaults();
    plant[2] = "350";
    ASSERT_EQ(session.SetLimits("TemperatureRise<=30\nBarrier1ShearStress>=120").error, "");
    const PageSearch best = session.Optimise(plant, "minimise TotalPressureDrop",
                                             {"BarrierClearance1=0.03:0.1", "ScrewSpeed=60:140"}, {});
    ASSERT_EQ(best.error, "");
    ASSERT_TRUE(best.found) << best.text;
    EXPECT_EQ(best.end.rfind("Found", 0), 0U);
    EXPECT_EQ(best.text.rfind("BarrierClearance1=", 0), 0U);
    EXPECT_NE(best.text.find("\nruns: " + std::to_string(best.runs) + "\n"), std::string::npos);
    EXPECT_EQ(best.texts[2], "350");
    EXPECT_EQ(session.Optimise(plant, "minimise Colour", {"ScrewSpeed=60:140"}, {}).error.empty(), false);
}

}  // namespace
}  // namespace vortane::web
