// Properties of whole runs over many cases drawn at random around the defaults.
// The generator is seeded, so every failure names a reproducible case.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "model/inlet_balance.h"
#include "model/power.h"
#include "model/pressure_profile.h"
#include "run/calculation_run.h"
#include "case/number_text.h"
#include "support/case_request.h"
#include "support/scratch_dir.h"

namespace vortane {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;

constexpr unsigned Seed = 20261208;
constexpr int CaseCount = 300;

// Box texts of one random case: each real input scaled by up to ±15 % of its
// default, the channel angle anywhere from 0 to 30 degrees, 3 to 5 channels.
std::map<std::string, std::string> RandomTexts(std::mt19937& random) {
    std::uniform_real_distribution<double> scale(0.85, 1.15);
    std::map<std::string, std::string> texts;
    for (const InputField& field : InputFields()) {
        if (field.box > 22 || field.conversion == InputField::Conversion::Integer) continue;
        const double value = *ConvertReal(field.defaultText, '.') * scale(random);
        std::ostringstream text;
        text.precision(6);
        text << value;
        texts[std::string(field.name)] = text.str();
    }
    texts["ChannelAngle"] = std::to_string(std::uniform_real_distribution<double>(0, 30)(random));
    const int channels = std::uniform_int_distribution<int>(3, 5)(random);
    texts["InletChannelCount"] = std::to_string(channels);
    texts["EffectiveChannelCount"] = std::to_string(channels);
    return texts;
}

std::string Describe(const std::map<std::string, std::string>& texts) {
    std::string out;
    for (const auto& [field, text] : texts) out.append(field).append("=").append(text).append(" ");
    return out;
}

RunResult RunCase(const std::map<std::string, std::string>& texts, const std::string& report) {
    return RunCalculation(testing::CaseRequest(report, texts));
}

class RandomCases : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string report = dir.Path("result.txt").string();

    // Runs CaseCount random cases drawn from `seed` and calls `check` with the
    // texts and result of each that completes; most of them must.
    template <class Check>
    void ForEachCompleteRun(unsigned seed, Check check) {
        std::mt19937 random(seed);
        int complete = 0;
        for (int i = 0; i < CaseCount; ++i) {
            const auto texts = RandomTexts(random);
            const RunResult result = RunCase(texts, report);
            if (result.outcome != RunOutcome::Complete) continue;
            ++complete;
            SCOPED_TRACE(Describe(texts));
            check(texts, result);
        }
        EXPECT_GT(complete, CaseCount * 8 / 10);
    }
};

TEST_F(RandomCases, ProfileMeetsItsBoundaryValuesAndIsSymmetric) {
    ForEachCompleteRun(Seed, [](const auto&, const RunResult& result) {
        const CaseData& d = result.data;
        const double s = std::sqrt(d.ProfileK);
        EXPECT_NEAR(d.ProfileCoefA + d.ProfileCoefB + d.ProfileOffset, 1, 1e-12);
        EXPECT_NEAR(InletFlowFraction(d, 1), 0, 1e-12);
        EXPECT_NEAR(d.ProfileCoefA * std::exp(s) + d.ProfileCoefB * std::exp(-s) + d.ProfileOffset,
                    0, 1e-12);
        EXPECT_NEAR(d.ProfileOffset, 0.5, 1e-12);
        for (double z = 0.05; z < 1; z += 0.1)
            EXPECT_NEAR(InletFlowFraction(d, z), 1 - InletFlowFraction(d, 1 - z), 1e-12) << z;
    });
}

TEST_F(RandomCases, DropAndPowerDoNotDependOnTheInletPressure) {
    ForEachCompleteRun(Seed + 1, [&](auto texts, const RunResult& base) {
        texts["InletPressure"] = "1000";
        const RunResult high = RunCase(texts, report);
        ASSERT_EQ(high.outcome, RunOutcome::Complete);
        EXPECT_EQ(high.passes, base.passes);
        EXPECT_NEAR(high.data.TotalPressureDrop, base.data.TotalPressureDrop,
                    1e-9 * std::fabs(base.data.TotalPressureDrop) + 1e-9);
        EXPECT_NEAR(high.data.PowerKW, base.data.PowerKW, 1e-9 * base.data.PowerKW);
    });
}

TEST_F(RandomCases, PowerIsProportionalToTheChannelCountAtFixedGeometry) {
    std::mt19937 counts(Seed + 2);
    std::uniform_int_distribution<int> count(1, 12);
    ForEachCompleteRun(Seed + 2, [&](const auto&, const RunResult& result) {
        CaseData one = result.data;
        CaseData many = one;
        one.InletChannelCount = 1;
        many.InletChannelCount = count(counts);
        EXPECT_NEAR(ComputePower(many), many.InletChannelCount * ComputePower(one),
                    1e-12 * many.InletChannelCount * ComputePower(one));
    });
}

// The value of a report line: the text after the first "=  ".
std::vector<std::string> ReportValues(const std::string& report) {
    std::vector<std::string> values;
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.back(), '\r');
        line.pop_back();
        const std::size_t equals = line.find("=  ");
        if (equals != std::string::npos) values.push_back(line.substr(equals + 3));
    }
    return values;
}

// Half a unit in the last digit of a printed value ("0.8915" → 0.00005,
// "1.234E-005" → 0.0005E-005).
double PrintedResolution(const std::string& text) {
    const std::size_t e = text.find('E');
    const std::string mantissa = text.substr(0, e);
    const std::size_t point = mantissa.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    const int exponent = e == std::string::npos ? 0 : std::stoi(text.substr(e + 1));
    return 0.5 * std::pow(10.0, exponent - decimals) * (1 + 1e-9);
}

TEST_F(RandomCases, ReportReadsBackToThePrintedDigits) {
    using C = CaseData;
    const std::vector<double C::*> computed = {
        &C::ChannelWidth,           &C::EquivalentWidth,      &C::SectionArea,
        &C::DragShapeFactor,        &C::PressureShapeFactor,  &C::RelPressureInletEnd,
        &C::RelPressureOutletStart, &C::RelPressureOutletEnd, &C::TotalPressureDrop,
        &C::PowerKW,                &C::InletAverageMeltTemp, &C::OutletAverageMeltTemp,
        &C::TemperatureRise};
    ForEachCompleteRun(Seed + 3, [&](const auto&, const RunResult& result) {
        const std::string bytes = ReadBytes(report);
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 49);
        const std::vector<std::string> values = ReportValues(bytes);
        ASSERT_EQ(values.size(), 28u + computed.size());

        std::vector<double> stored;
        for (const InputField& field : InputFields())
            stored.push_back(field.real ? result.data.*field.real : result.data.*field.integer);
        for (auto field : computed) stored.push_back(result.data.*field);
        for (std::size_t v = 0; v < values.size(); ++v) {
            const auto parsed = ConvertReal(values[v], '.');
            ASSERT_TRUE(parsed.has_value()) << values[v];
            EXPECT_NEAR(*parsed, stored[v], PrintedResolution(values[v])) << values[v];
        }
    });
}

}  // namespace
}  // namespace vortane
