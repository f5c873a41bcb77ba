#include "study/sweep_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <set>
#include <thread>

#include "support/case_request.h"
#include "support/same_case.h"
#include "support/scratch_dir.h"
#include "support/sweep_plans.h"

namespace vortane {
namespace {

using testing::DefaultPlan;

SweepPlan TwoFieldPlan() {
    return DefaultPlan({{"OutputRate", "100", "300", "100"}, {"ScrewSpeed", "40", "80", "40"}});
}

std::string AxisError(std::string_view from, std::string_view to, std::string_view step) {
    try {
        MakeSweepAxis(*FindInputField("OutputRate"), from, to, step, '.');
    } catch (const SweepError& error) {
        return error.what();
    }
    return "";
}

// A bound is taken exactly when the same text converts in an input box.
TEST(SweepAxis, BoundsReadAsTheBoxesReadThem) {
    const InputField& rate = *FindInputField("OutputRate");
    EXPECT_EQ(MakeSweepAxis(rate, " 1", "2 ", "+1", '.').texts, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(MakeSweepAxis(rate, "1.", ".5e1", "2", '.').texts,
              (std::vector<std::string>{"1", "3", "5"}));
    EXPECT_EQ(AxisError("1E400", "2", "1"),
              "'1E400' is not a decimal number of at most 18 digits");  // beyond a double
    EXPECT_EQ(AxisError("1", "2", "1 x"), "'1 x' is not a decimal number of at most 18 digits");
    EXPECT_EQ(AxisError("1", "", "1"), "'' is not a decimal number of at most 18 digits");
    EXPECT_EQ(AxisError("1.0000000000000000001", "2", "1"),
              "'1.0000000000000000001' is not a decimal number of at most 18 digits");
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

    EXPECT_THROW(DefaultPlan({{"OutputRate", "1", "2", "1"}, {"Edit3", "1", "2", "1"}}), SweepError);
    EXPECT_THROW(DefaultPlan({{"OutputRate", "1", "2000", "1"}, {"ScrewSpeed", "1", "1000", "1"}}),
                 SweepError);
}

TEST(SweepPlan, ReportNames) {
    EXPECT_EQ(ReportName("run-{n}.txt", 12), "run-12.txt");
    EXPECT_EQ(ReportName("{n}/{n}.txt", 3), "3/3.txt");
    EXPECT_EQ(ReportName("{n", 3), "{n");
}

// A single run of the point's texts, as the command line makes it.
RunResult SingleRun(const InputTexts& texts, const std::string& report) {
    return RunCalculation({texts, report, '.'});
}

std::vector<PointResult> Swept(const SweepPlan& plan, unsigned threads) {
    std::vector<PointResult> points;
    EXPECT_EQ(RunSweep(plan, {threads, {}, {}},
                       [&](const PointResult& point) { points.push_back(point); }),
              SweepEnd::Complete);
    return points;
}

// Every point of a sweep is the run of its texts: outcome, passes, messages
// and every field of the case, to the last bit; whatever the threads.
TEST(Sweep, PointsEqualSingleRunsToTheLastBit) {
    testing::ScratchDir dir;
    const std::string report = dir.Path("single.txt").string();
    const SweepPlan plans[] = {
        DefaultPlan({{"OutputRate", "30", "300", "10"}}),
        // Faults, non-convergence, low pressure and rejected channels on one grid.
        DefaultPlan({{"InletPressure", "0", "40", "20"}, {"OutputRate", "0", "300", "10"}}),
        DefaultPlan({{"BarrierWidth1", "1", "9", "4"}, {"ChannelAngle", "0", "30", "15"}}),
    };
    for (const SweepPlan& plan : plans) {
        const std::vector<PointResult> points = Swept(plan, 2);
        ASSERT_EQ(points.size(), PointCount(plan));
        for (std::size_t i = 0; i < points.size(); ++i) {
            SCOPED_TRACE(::testing::Message() << "point " << i + 1);
            const RunResult single = SingleRun(PointTexts(plan, i), report);
            EXPECT_EQ(points[i].index, i);
            EXPECT_EQ(points[i].run.outcome, single.outcome);
            EXPECT_EQ(points[i].run.passes, single.passes);
            EXPECT_EQ(points[i].run.messages, single.messages);
            EXPECT_EQ(points[i].run.fault, single.fault);
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
    const SweepPlan plan =
        DefaultPlan({{"OutputRate", "100", "400", "50"}, {"ScrewSpeed", "40", "120", "10"}});
    const std::vector<PointResult> one = Swept(plan, 1);
    const std::vector<PointResult> three = Swept(plan, 3);
    ASSERT_EQ(one.size(), three.size());
    for (std::size_t i = 0; i < one.size(); ++i) {
        EXPECT_EQ(three[i].index, i);
        EXPECT_EQ(one[i].run.passes, three[i].run.passes);
        testing::ExpectSameCase(one[i].run.data, three[i].run.data);
    }
}

// Texts made on the workers arrive with their own points, in point order.
TEST(Sweep, TextsFormattedOnTheWorkersFollowTheirPoints) {
    const SweepPlan plan =
        DefaultPlan({{"OutputRate", "10", "400", "30"}, {"InletPressure", "5", "200", "65"}});
    const PointFormat text = [](const PointResult& point) {
        return std::to_string(point.index) + ':' + std::to_string(point.run.passes);
    };
    for (const unsigned threads : {1U, 3U}) {
        std::size_t next = 0;
        RunSweep(plan, {threads, {}, {}}, text, [&](const PointResult& point, const std::string& made) {
            EXPECT_EQ(point.index, next++);
            EXPECT_EQ(made, text(point));
        });
        EXPECT_EQ(next, PointCount(plan));
    }
    EXPECT_THROW(RunSweep(plan, {2, {}, {}},
                          [](const PointResult& point) -> std::string {
                              if (point.index == 7) throw std::runtime_error("no memory");
                              return {};
                          },
                          [](const PointResult&, const std::string&) {}),
                 std::runtime_error);
}

TEST(Sweep, ReportsPerPointAreTheSingleRunsReports) {
    testing::ScratchDir dir;
    const std::string pattern = dir.Path("point-{n}.txt").string();
    const SweepPlan plan = DefaultPlan({{"InletPressure", "20", "22", "1"}}, pattern);
    Swept(plan, 2);
    for (std::size_t i = 0; i < PointCount(plan); ++i) {
        const std::string single = dir.Path("single.txt").string();
        SingleRun(PointTexts(plan, i), single);
        EXPECT_EQ(testing::ReadBytes(ReportName(pattern, i + 1)), testing::ReadBytes(single)) << i;
    }
    // Without a pattern no report is written.
    Swept(DefaultPlan({{"OutputRate", "30", "40", "10"}}), 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 4);
}

TEST(Sweep, AFailingConsumerStopsTheSweep) {
    const SweepPlan plan = DefaultPlan({{"OutputRate", "100", "400", "1"}});
    std::size_t seen = 0;
    EXPECT_THROW(RunSweep(plan, {2, {}, {}},
                          [&](const PointResult& point) {
                              ++seen;
                              if (point.index == 5) throw std::runtime_error("disk full");
                          }),
                 std::runtime_error);
    EXPECT_EQ(seen, 6u);
}

// Progress counts the points handed on, in order, up to the whole plan.
TEST(Sweep, ProgressCountsEveryPoint) {
    const SweepPlan plan = DefaultPlan({{"OutputRate", "100", "400", "10"}});
    std::vector<std::size_t> done;
    std::size_t handed = 0;
    const SweepControl control{2, [&](std::size_t d, std::size_t total) {
                                   EXPECT_EQ(total, 31u);
                                   EXPECT_EQ(d, handed);
                                   done.push_back(d);
                               },
                               {}};
    EXPECT_EQ(RunSweep(plan, control, [&](const PointResult&) { ++handed; }), SweepEnd::Complete);
    EXPECT_EQ(done.size(), 31u);
    EXPECT_EQ(done.back(), 31u);
}

// A stop request ends the sweep soon: the points handed on are the first ones
// in order, no other follows, and the workers are done when the call returns.
TEST(Sweep, AStopRequestEndsTheSweepAfterThePointsUnderWay) {
    const SweepPlan plan = DefaultPlan({{"OutputRate", "100", "400", "0.01"}});  // 30001 points
    for (const unsigned threads : {1u, 2u, 4u}) {
        SCOPED_TRACE(threads);
        std::stop_source stop;
        std::vector<std::size_t> indices;
        const SweepEnd end = RunSweep(plan, {threads, {}, stop.get_token()},
                                      [&](const PointResult& point) {
                                          indices.push_back(point.index);
                                          if (indices.size() == 100) stop.request_stop();
                                      });
        EXPECT_EQ(end, SweepEnd::Stopped);
        ASSERT_EQ(indices.size(), 100u);
        for (std::size_t i = 0; i < indices.size(); ++i) EXPECT_EQ(indices[i], i);
    }
}

// A stop from another thread, while the caller waits for a point, ends the
// sweep too.
TEST(Sweep, AStopFromAnotherThreadEndsTheSweep) {
    const SweepPlan plan = DefaultPlan({{"OutputRate", "10", "10.2", "0.01"}});  // slow points
    std::stop_source stop;
    std::atomic<std::size_t> handed = 0;
    std::jthread stopper([&] {
        while (handed.load() == 0) std::this_thread::yield();
        stop.request_stop();
    });
    const SweepEnd end = RunSweep(plan, {2, {}, stop.get_token()},
                                  [&](const PointResult&) { ++handed; });
    EXPECT_EQ(end, SweepEnd::Stopped);
    EXPECT_LT(handed.load(), PointCount(plan));
}

// While the caller waits for slow points (each runs to the pass limit), it is
// called on its own thread, where it can stop the sweep before the first
// chunk of points is done.
TEST(Sweep, TheCallerLooksInWhileItWaits) {
    const SweepPlan plan = DefaultPlan({{"OutputRate", "5", "9", "0.01"}});  // 401 slow points
    std::stop_source stop;
    const std::thread::id caller = std::this_thread::get_id();
    std::size_t looks = 0, handed = 0;
    const SweepControl control{2, {}, stop.get_token(), [&] {
                                   EXPECT_EQ(std::this_thread::get_id(), caller);
                                   if (++looks == 2) stop.request_stop();
                               }};
    EXPECT_EQ(RunSweep(plan, control, [&](const PointResult&) { ++handed; }), SweepEnd::Stopped);
    EXPECT_EQ(looks, 2u);
    EXPECT_LT(handed, PointCount(plan));
}

TEST(Sweep, AStopBeforeTheStartRunsNothing) {
    std::stop_source stop;
    stop.request_stop();
    std::size_t handed = 0;
    EXPECT_EQ(RunSweep(DefaultPlan({{"OutputRate", "100", "400", "10"}}),
                       {2, {}, stop.get_token()}, [&](const PointResult&) { ++handed; }),
              SweepEnd::Stopped);
    EXPECT_EQ(handed, 0u);
}

// A cursor runs the points in order, each as the threaded sweep hands it on,
// and runs none past the last.
TEST(SweepCursor, RunsThePointsOneByOneAsTheSweepDoes) {
    const SweepPlan plan = TwoFieldPlan();
    const std::vector<PointResult> swept = Swept(plan, 2);
    SweepCursor cursor(plan);
    EXPECT_EQ(cursor.Total(), swept.size());
    for (const PointResult& expected : swept) {
        ASSERT_FALSE(cursor.Done());
        const PointResult point = cursor.Next();
        EXPECT_EQ(point.index, expected.index);
        EXPECT_EQ(point.run.outcome, expected.run.outcome);
        EXPECT_EQ(point.run.messages, expected.run.messages);
        testing::ExpectSameCase(point.run.data, expected.run.data);
        EXPECT_EQ(cursor.Position(), point.index + 1);
    }
    EXPECT_TRUE(cursor.Done());
    EXPECT_THROW(cursor.Next(), std::logic_error);
}

}  // namespace
}  // namespace vortane
