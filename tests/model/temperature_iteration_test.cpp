#include "model/temperature_iteration.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/case_request.h"
#include "support/significant.h"

namespace vortane {
namespace {

using testing::PreparedCase;

struct PassRecord {
    double workingTemp, powerKW, rise, outlet, mean;
};

struct Iteration {
    CaseData data;
    std::vector<PassRecord> passes;
};

// Passes until convergence, a pressure failure or `limit` passes.
Iteration Iterate(const std::map<std::string, std::string>& overrides, int limit = 1000) {
    Iteration it{PreparedCase(overrides), {}};
    Messages sink;
    do {
        const double working = it.data.WorkingTemp;
        SolvePressureAndTemperature(it.data, sink);
        it.passes.push_back({working, it.data.PowerKW, it.data.TemperatureRise,
                             it.data.OutletAverageMeltTemp, it.data.MeanMeltTemp});
    } while (!it.data.Converged && it.data.PressureOk && static_cast<int>(it.passes.size()) < limit);
    EXPECT_TRUE(sink.empty());
    return it;
}

// Reference values: the iteration's reference case, seven significant digits.
TEST(TemperatureIteration, DefaultCaseConvergesInThreePasses) {
    const auto [d, passes] = Iterate({});
    ASSERT_EQ(passes.size(), 3u);
    const PassRecord expected[] = {
        {156.5477, 6.480725, 33.63878, 190.1865, 173.3671},
        {173.3671, 5.575458, 28.93991, 185.4877, 171.0177},
        {171.0177, 5.693695, 29.55363, 186.1014, 171.3246},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_SIGNIFICANT(passes[i].workingTemp, expected[i].workingTemp, 7);
        EXPECT_SIGNIFICANT(passes[i].powerKW, expected[i].powerKW, 7);
        EXPECT_SIGNIFICANT(passes[i].rise, expected[i].rise, 7);
        EXPECT_SIGNIFICANT(passes[i].outlet, expected[i].outlet, 7);
        EXPECT_SIGNIFICANT(passes[i].mean, expected[i].mean, 7);
    }
    EXPECT_TRUE(d.Converged);
    EXPECT_SIGNIFICANT(d.WorkingTemp, 171.0177, 7);
    EXPECT_SIGNIFICANT(d.PowerCalPerSec, 1358.974, 7);
    EXPECT_SIGNIFICANT(d.RelPressureInletEnd, 0.9084478, 7);
    EXPECT_SIGNIFICANT(d.RelPressureOutletStart, 0.9830852, 7);
    EXPECT_SIGNIFICANT(d.RelPressureOutletEnd, 0.8915329, 7);
    EXPECT_SIGNIFICANT(d.TotalPressureDrop, 21.69341, 7);
}

TEST(TemperatureIteration, AxialChannelsConvergeInThreePasses) {
    const auto [d, passes] = Iterate({{"ChannelAngle", "0"}});
    ASSERT_EQ(passes.size(), 3u);
    EXPECT_SIGNIFICANT(passes[0].workingTemp, 156.5477, 7);
    EXPECT_SIGNIFICANT(passes[1].workingTemp, 174.6746, 7);
    EXPECT_SIGNIFICANT(passes[2].workingTemp, 171.9340, 7);
    EXPECT_SIGNIFICANT(passes[2].mean, 172.3195, 7);
    EXPECT_SIGNIFICANT(d.RelPressureInletEnd, 0.7740646, 7);
    EXPECT_SIGNIFICANT(d.RelPressureOutletStart, 0.9941102, 7);
    EXPECT_SIGNIFICANT(d.RelPressureOutletEnd, 0.7681749, 7);
    EXPECT_SIGNIFICANT(d.TotalPressureDrop, 46.36503, 7);
    EXPECT_SIGNIFICANT(d.PowerKW, 6.077070, 7);
    EXPECT_SIGNIFICANT(d.OutletAverageMeltTemp, 188.0913, 7);
    EXPECT_SIGNIFICANT(d.TemperatureRise, 31.54357, 7);
}

TEST(TemperatureIteration, SmallThroughputsSwingBeforeConverging) {
    const auto [d, passes] = Iterate({{"OutputRate", "30"}});
    EXPECT_EQ(passes.size(), 17u);
    EXPECT_SIGNIFICANT(d.WorkingTemp, 234.8170, 7);
    EXPECT_SIGNIFICANT(d.MeanMeltTemp, 235.2734, 7);
    EXPECT_SIGNIFICANT(d.TemperatureRise, 157.4514, 7);
    EXPECT_SIGNIFICANT(d.PowerKW, 3.408317, 7);
    EXPECT_SIGNIFICANT(d.TotalPressureDrop, -96.93, 4);
    // Working temperatures alternate about the converged value.
    EXPECT_GT(passes[1].workingTemp, d.WorkingTemp);
    EXPECT_LT(passes[2].workingTemp, d.WorkingTemp);

    EXPECT_EQ(Iterate({{"OutputRate", "20"}}).passes.size(), 44u);
    EXPECT_EQ(Iterate({{"OutputRate", "17"}}).passes.size(), 104u);
}

TEST(TemperatureIteration, TenKilogramsPerHourNeverSettles) {
    const auto [d, passes] = Iterate({{"OutputRate", "10"}}, 2000);
    EXPECT_FALSE(d.Converged);
    ASSERT_EQ(passes.size(), 2000u);
    const double early[] = {156.5477, 634.2, 165.2, 598.4, 168.0, 587.6};
    EXPECT_SIGNIFICANT(passes[0].workingTemp, early[0], 7);
    for (int i = 1; i < 6; ++i) EXPECT_SIGNIFICANT(passes[i].workingTemp, early[i], 4) << i;
    const double low = std::min(passes[1998].workingTemp, passes[1999].workingTemp);
    const double high = std::max(passes[1998].workingTemp, passes[1999].workingTemp);
    EXPECT_SIGNIFICANT(low, 169.57, 5);
    EXPECT_SIGNIFICANT(high, 581.36, 5);
    EXPECT_SIGNIFICANT(std::fabs(passes[1999].mean - passes[1999].workingTemp), 411.8, 4);
}

TEST(TemperatureIteration, ToleranceOfHalfADegreeIsInclusive) {
    CaseData d;
    d.InletAverageMeltTemp = 100;
    d.MeltSpecificHeat = 1;
    d.MassFlowRate = 1;
    ApplyTemperatureRise(d, 1e5);
    // Make the rise exactly 1 degC: the heat flow over itself.
    d.MassFlowRate = d.PowerCalPerSec;
    d.WorkingTemp = 100;
    ApplyTemperatureRise(d, 1e5);
    EXPECT_EQ(d.TemperatureRise, 1.0);
    EXPECT_EQ(d.MeanMeltTemp, 100.5);
    EXPECT_TRUE(d.Converged);
    EXPECT_EQ(d.WorkingTemp, 100.0);

    d.WorkingTemp = std::nextafter(100.0, 0.0);
    ApplyTemperatureRise(d, 1e5);
    EXPECT_FALSE(d.Converged);
    EXPECT_EQ(d.WorkingTemp, 100.5);
}

TEST(TemperatureIteration, PowerConvertsAtTheFixedFactors) {
    CaseData d;
    d.InletAverageMeltTemp = 150;
    d.MeltSpecificHeat = 0.5;
    d.MassFlowRate = 10;
    d.WorkingTemp = 150;
    ApplyTemperatureRise(d, 5e7);
    EXPECT_DOUBLE_EQ(d.PowerCalPerSec, 5e7 * 2.34302 / 100000);
    EXPECT_DOUBLE_EQ(d.PowerKW, 0.0041897 * d.PowerCalPerSec);
    EXPECT_DOUBLE_EQ(d.TemperatureRise, d.PowerCalPerSec / 5);
    EXPECT_DOUBLE_EQ(d.OutletAverageMeltTemp, 150 + d.TemperatureRise);
}

TEST(TemperatureIteration, FailedPressureLeavesTheTemperatures) {
    CaseData d = PreparedCase({{"InletPressure", "21"}});
    d.Converged = true;
    Messages sink;
    SolvePressureAndTemperature(d, sink);
    EXPECT_FALSE(d.PressureOk);
    EXPECT_TRUE(d.Converged);
    EXPECT_EQ(d.WorkingTemp, d.InletAverageMeltTemp);
    EXPECT_EQ(d.PowerKW, 0.0);
    EXPECT_EQ(sink, std::vector<std::string>{"Assumed inlet pressure is too low!"});
}

}  // namespace
}  // namespace vortane
