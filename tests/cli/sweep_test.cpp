#include "cli/sweep.h"

#include <gtest/gtest.h>

#include "cli/command_line.h"
#include "support/recording_host.h"
#include "support/same_case.h"
#include "support/scratch_dir.h"

namespace vortane::cli {
namespace {

using Texts = std::vector<std::string>;

Texts ValuesOf(std::string_view argument, char separator = '.') {
    return ParseSweepAxis(argument, separator).texts;
}

std::string ErrorOf(std::string_view argument, char separator = '.') {
    try {
        ParseSweepAxis(argument, separator);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "";
}

TEST(SweepAxis, ValuesInTheUsersNotation) {
    const Texts rates = ValuesOf("OutputRate=30:300:10");
    ASSERT_EQ(rates.size(), 28u);
    EXPECT_EQ(rates.front(), "30");
    EXPECT_EQ(rates[1], "40");
    EXPECT_EQ(rates.back(), "300");
    EXPECT_EQ(ParseSweepAxis("Edit3=30:300:10", '.').field->name, "OutputRate");

    // Formed exactly in decimal: 0.1 + 2 x 0.1 is 0.3, which is TO.
    EXPECT_EQ(ValuesOf("SolidRatio=0.1:0.3:0.1"), (Texts{"0.1", "0.2", "0.3"}));
    EXPECT_EQ(ValuesOf("SolidRatio=0:1:0.3"), (Texts{"0.0", "0.3", "0.6", "0.9"}));
    EXPECT_EQ(ValuesOf("ScrewSpeed=1:2:0.25"), (Texts{"1.00", "1.25", "1.50", "1.75", "2.00"}));
    EXPECT_EQ(ValuesOf("ChannelAngle=1:-1:-1"), (Texts{"1", "0", "-1"}));
    EXPECT_EQ(ValuesOf("ChannelAngle=-0.5:0.5:0.5"), (Texts{"-0.5", "0.0", "0.5"}));
    EXPECT_EQ(ValuesOf("A12=1E-3:3e-3:1E-3"), (Texts{"0.001", "0.002", "0.003"}));
    EXPECT_EQ(ValuesOf("OutputRate=1E2:3E2:1E2"), (Texts{"100", "200", "300"}));
    EXPECT_EQ(ValuesOf("OutputRate=267:267:5"), (Texts{"267"}));
    EXPECT_EQ(ValuesOf("OutputRate=30,5:31,5:0,5", ','), (Texts{"30,5", "31,0", "31,5"}));
}

TEST(SweepAxis, UsageErrors) {
    EXPECT_EQ(ErrorOf("Speed=1:2:1"), "--sweep Speed=1:2:1: unknown field Speed");
    EXPECT_EQ(ErrorOf("OutputRate"), "--sweep OutputRate: expected FIELD=FROM:TO:STEP");
    EXPECT_EQ(ErrorOf("OutputRate=1:2"), "--sweep OutputRate=1:2: expected FIELD=FROM:TO:STEP");
    EXPECT_EQ(ErrorOf("OutputRate=1:2:3:4"),
              "--sweep OutputRate=1:2:3:4: expected FIELD=FROM:TO:STEP");
    EXPECT_EQ(ErrorOf("OutputRate=1:2:0"), "--sweep OutputRate=1:2:0: STEP must not be zero");
    EXPECT_EQ(ErrorOf("OutputRate=1:2:-1"), "--sweep OutputRate=1:2:-1: STEP leads away from TO");
    EXPECT_EQ(ErrorOf("OutputRate=1:2:1x"),
              "--sweep OutputRate=1:2:1x: '1x' is not a decimal number of at most 18 digits");
    EXPECT_NE(ErrorOf("OutputRate=1.5:2:1", ','), "");  // a point where the comma is the separator
    EXPECT_NE(ErrorOf("OutputRate= 1:2:1"), "");
    EXPECT_NE(ErrorOf("OutputRate=:2:1"), "");
    EXPECT_EQ(ErrorOf("OutputRate=0:1:0.000001"),
              "--sweep OutputRate=0:1:0.000001: more than 1000000 values");
    EXPECT_EQ(ErrorOf("OutputRate=1E-20:1E20:1"),
              "--sweep OutputRate=1E-20:1E20:1: the range is too wide for the precision of its "
              "numbers");
    EXPECT_NE(ErrorOf("OutputRate=1:2:1", ':'), "");
}

SweepPlan TwoFieldPlan() {
    return MakeSweepPlan(DefaultTexts('.'), {"OutputRate=100:300:100", "ScrewSpeed=40:80:40"}, '.',
                         std::nullopt);
}

TEST(SweepPlan, FirstFieldVariesSlowest) {
    const SweepPlan plan = TwoFieldPlan();
    ASSERT_EQ(PointCount(plan), 6u);
    const InputField& rate = *FindInputField("OutputRate");
    const InputField& speed = *FindInputField("ScrewSpeed");
    const std::pair<const char*, const char*> expected[] = {
        {"100", "40"}, {"100", "80"}, {"200", "40"}, {"200", "80"}, {"300", "40"}, {"300", "80"}};
    for (std::size_t i = 0; i < 6; ++i) {
        const InputTexts texts = PointTexts(plan, i);
        EXPECT_EQ(texts[rate.box - 1], expected[i].first) << i;
        EXPECT_EQ(texts[speed.box - 1], expected[i].second) << i;
        EXPECT_EQ(texts[0], "11.43");
    }
    EXPECT_EQ(AxisPositions(plan, 3), (std::vector<std::size_t>{1, 1}));

    EXPECT_THROW(MakeSweepPlan(DefaultTexts('.'), {"OutputRate=1:2:1", "Edit3=1:2:1"}, '.', {}),
                 UsageError);
    EXPECT_THROW(
        MakeSweepPlan(DefaultTexts('.'), {"OutputRate=1:2000:1", "ScrewSpeed=1:1000:1"}, '.', {}),
        UsageError);
}

TEST(SweepPlan, ReportNames) {
    EXPECT_EQ(ReportName("run-{n}.txt", 12), "run-12.txt");
    EXPECT_EQ(ReportName("{n}/{n}.txt", 3), "3/3.txt");
    EXPECT_EQ(ReportName("{n", 3), "{n");
}

// A single run of the point's texts, as the command line makes it.
RunResult SingleRun(const InputTexts& texts, const std::string& report,
                    std::vector<std::string>& shown) {
    testing::RecordingHost host(report);
    for (const InputField& field : InputFields()) host.Set(field.name, texts[field.box - 1]);
    const RunResult result = RunCalculation(host);
    shown = host.messages;
    shown.insert(shown.end(), host.faults.begin(), host.faults.end());
    return result;
}

std::vector<PointResult> Swept(const SweepPlan& plan, unsigned threads) {
    std::vector<PointResult> points;
    RunSweep(plan, threads, [&](const PointResult& point) { points.push_back(point); });
    return points;
}

// Every point of a sweep is the run of its texts: outcome, passes, messages
// and every field of the case, to the last bit; whatever the threads.
TEST(Sweep, PointsEqualSingleRunsToTheLastBit) {
    testing::ScratchDir dir;
    const std::string report = dir.Path("single.txt").string();
    const SweepPlan plans[] = {
        MakeSweepPlan(DefaultTexts('.'), {"OutputRate=30:300:10"}, '.', std::nullopt),
        // Faults, non-convergence, low pressure and rejected channels on one grid.
        MakeSweepPlan(DefaultTexts('.'), {"InletPressure=0:40:20", "OutputRate=0:300:10"}, '.',
                      std::nullopt),
        MakeSweepPlan(DefaultTexts('.'), {"BarrierWidth1=1:9:4", "ChannelAngle=0:30:15"}, '.',
                      std::nullopt),
    };
    for (const SweepPlan& plan : plans) {
        const std::vector<PointResult> points = Swept(plan, 2);
        ASSERT_EQ(points.size(), PointCount(plan));
        for (std::size_t i = 0; i < points.size(); ++i) {
            SCOPED_TRACE(::testing::Message() << "point " << i + 1);
            std::vector<std::string> shown;
            const RunResult single = SingleRun(PointTexts(plan, i), report, shown);
            EXPECT_EQ(points[i].index, i);
            EXPECT_EQ(points[i].run.outcome, single.outcome);
            EXPECT_EQ(points[i].run.passes, single.passes);
            EXPECT_EQ(points[i].messages, shown);
            testing::ExpectSameCase(points[i].run.data, single.data);
        }
    }
    const std::vector<PointResult> rates = Swept(plans[0], 2);
    EXPECT_EQ(rates[0].run.outcome, RunOutcome::Complete);
    EXPECT_EQ(rates[0].run.passes, 17);  // 30 kg/hr takes 17 passes

    // The outcomes on the mixed grid cover every stage that can stop a run.
    std::set<RunOutcome> outcomes;
    for (const PointResult& point : Swept(plans[1], 2)) outcomes.insert(point.run.outcome);
    for (const PointResult& point : Swept(plans[2], 2)) outcomes.insert(point.run.outcome);
    EXPECT_EQ(outcomes, (std::set<RunOutcome>{RunOutcome::Complete, RunOutcome::ChannelRejected,
                                              RunOutcome::PressureTooLow, RunOutcome::NotConverged,
                                              RunOutcome::Fault}));
}

TEST(Sweep, OneThreadOrManyGiveTheSameRows) {
    const SweepPlan plan = MakeSweepPlan(
        DefaultTexts('.'), {"OutputRate=100:400:50", "ScrewSpeed=40:120:10"}, '.', std::nullopt);
    const std::vector<PointResult> one = Swept(plan, 1);
    const std::vector<PointResult> three = Swept(plan, 3);
    ASSERT_EQ(one.size(), three.size());
    for (std::size_t i = 0; i < one.size(); ++i) {
        EXPECT_EQ(three[i].index, i);
        EXPECT_EQ(one[i].run.passes, three[i].run.passes);
        testing::ExpectSameCase(one[i].run.data, three[i].run.data);
    }
}

TEST(Sweep, ReportsPerPointAreTheSingleRunsReports) {
    testing::ScratchDir dir;
    const std::string pattern = dir.Path("point-{n}.txt").string();
    const SweepPlan plan =
        MakeSweepPlan(DefaultTexts('.'), {"InletPressure=20:22:1"}, '.', pattern);
    Swept(plan, 2);
    for (std::size_t i = 0; i < PointCount(plan); ++i) {
        std::vector<std::string> shown;
        const std::string single = dir.Path("single.txt").string();
        SingleRun(PointTexts(plan, i), single, shown);
        EXPECT_EQ(testing::ReadBytes(ReportName(pattern, i + 1)), testing::ReadBytes(single)) << i;
    }
    // Without a pattern no report is written.
    Swept(MakeSweepPlan(DefaultTexts('.'), {"OutputRate=30:40:10"}, '.', std::nullopt), 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 4);
}

TEST(Sweep, AFailingConsumerStopsTheSweep) {
    const SweepPlan plan =
        MakeSweepPlan(DefaultTexts('.'), {"OutputRate=100:400:1"}, '.', std::nullopt);
    std::size_t seen = 0;
    EXPECT_THROW(RunSweep(plan, 2,
                          [&](const PointResult& point) {
                              ++seen;
                              if (point.index == 5) throw std::runtime_error("disk full");
                          }),
                 std::runtime_error);
    EXPECT_EQ(seen, 6u);
}

}  // namespace
}  // namespace vortane::cli
