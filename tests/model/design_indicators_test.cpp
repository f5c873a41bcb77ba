#include "model/design_indicators.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/profile_along_channels.h"
#include "run/calculation_run.h"
#include "support/case_request.h"

namespace vortane {
namespace {

CaseData CompletedCase(const testing::Texts& texts = {}) {
    const RunResult result = RunCalculation(testing::UnreportedRequest(texts));
    EXPECT_EQ(result.outcome, RunOutcome::Complete);
    return result.data;
}

void ExpectRelative(double actual, double expected, double tolerance) {
    EXPECT_NEAR(actual, expected, tolerance * std::fabs(expected)) << expected;
}

// Worked by hand from the default case's last pass (WorkingTemp 171.0176967 ℃):
// γ̇1 = π 11.43 80 / (60 0.052) = 920.72831 1/s, η1 from the viscosity law,
// τ1 = η1 γ̇1 · 0.0980665; E = 5.6936948 kW / 267 kg/hr; t = 2 · 5 · 1.1988296
// cm2 · 21.6 cm / cos 15° over (267 / 3.6 g/s) / 0.77 g/cm3; the least pressure
// by a golden-section search of p1(z) · 200.
TEST(DesignIndicators, DefaultCaseAgainstHandWorkedValues) {
    const DesignIndicators i = DesignIndicatorsOf(CompletedCase());
    ExpectRelative(i.barrier1ShearStress, 135.812685692, 1e-9);
    ExpectRelative(i.barrier2ShearStress, 216.983188213, 1e-9);
    ExpectRelative(i.specificEnergy, 0.0213246997355, 1e-9);
    ExpectRelative(i.residenceTime, 2.78323197184, 1e-9);
    ExpectRelative(i.leastInlet.pressure, 176.757191106, 1e-9);
    EXPECT_NEAR(i.leastInlet.z, 0.68975338835, 1e-6);  // flat at its least: z is known less well
    ExpectRelative(i.leastOutlet.pressure, 178.306589600, 1e-9);
    EXPECT_EQ(i.leastOutlet.z, 1.0);
}

// The least of p along z by a fine scan and golden-section refinement.
LeastPressure SearchedLeast(const CaseData& d, double ChannelPoint::*pressure) {
    constexpr int Steps = 2000;
    int best = 0;
    for (int k = 1; k <= Steps; ++k)
        if (ChannelPointAt(d, double(k) / Steps).*pressure < ChannelPointAt(d, double(best) / Steps).*pressure)
            best = k;
    double low = std::max(0, best - 1) / double(Steps), high = std::min(Steps, best + 1) / double(Steps);
    for (int k = 0; k < 100; ++k) {
        const double a = low + (high - low) * 0.382, b = high - (high - low) * 0.382;
        (ChannelPointAt(d, a).*pressure < ChannelPointAt(d, b).*pressure ? high : low) = (a + b) / 2;
    }
    const double z = (low + high) / 2;
    return {ChannelPointAt(d, z).*pressure, z};
}

// The closed form finds the least wherever it falls: inside the channel, at
// its ends, below zero, in both branches.
TEST(LeastPressure, ClosedFormMeetsASearch) {
    for (const testing::Texts& texts : {testing::Texts{}, {{"ChannelAngle", "0"}}, {{"ScrewSpeed", "20"}},
                                        {{"BarrierClearance1", "0.01"}}, {{"OutputRate", "30"}},
                                        {{"InletPressure", "22"}}, {{"ChannelAngle", "25"}}}) {
        const CaseData d = CompletedCase(texts);
        const auto [inlet, outlet] = LeastPressuresAlongChannels(d);
        const LeastPressure inletSearched = SearchedLeast(d, &ChannelPoint::pressureInlet);
        const LeastPressure outletSearched = SearchedLeast(d, &ChannelPoint::pressureOutlet);
        const double scale = std::fabs(d.InletPressure) * 1e-9;
        EXPECT_NEAR(inlet.pressure, inletSearched.pressure, scale) << texts.size();
        EXPECT_NEAR(outlet.pressure, outletSearched.pressure, scale) << texts.size();
        EXPECT_LE(inlet.pressure, inletSearched.pressure + scale);
        EXPECT_NEAR(inlet.z, inletSearched.z, 1e-3);
        EXPECT_NEAR(outlet.z, outletSearched.z, 1e-3);
    }
}

}  // namespace
}  // namespace vortane
