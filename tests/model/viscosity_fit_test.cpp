#include "model/viscosity_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace vortane {
namespace {

constexpr ViscosityCoefficients DefaultLaw{6.83729, -0.661828, -0.0158406,
                                           -0.0149381, -4.7079E-7, 1.1946E-3};

// The law's η on a grid of temperatures (degC) by shear rates (1/s), each
// viscosity multiplied by exp(σ z), z standard normal from a fixed seed.
std::vector<ViscosityPoint> Grid(const std::vector<double>& temperatures,
                                 const std::vector<double>& shearRates, double sigma = 0) {
    std::mt19937 random(20240611);
    std::normal_distribution<double> z;
    std::vector<ViscosityPoint> points;
    for (const double T : temperatures)
        for (const double rate : shearRates)
            points.push_back({T, rate, ViscosityOf(DefaultLaw, rate, T) * std::exp(sigma * z(random))});
    return points;
}

const std::vector<double> Temperatures{150, 170, 190, 210, 230};
const std::vector<double> ShearRates{1, 3, 10, 30, 100, 300, 1000, 3000, 10000};

std::string Refusal(const std::vector<ViscosityPoint>& points) {
    try {
        FitViscosityLaw(points);
    } catch (const ViscosityFitError& error) {
        return error.what();
    }
    return "(fitted)";
}

TEST(ViscosityFit, ExactPointsGiveBackTheirLaw) {
    const std::vector<ViscosityPoint> points = Grid(Temperatures, ShearRates);
    const ViscosityFit fit = FitViscosityLaw(points);
    for (std::size_t j = 0; j < 6; ++j)
        EXPECT_NEAR(fit.coefficients[j], DefaultLaw[j], 1e-6 * std::fabs(DefaultLaw[j]))
            << ViscosityTermNames[j];
    for (const ViscosityPoint& p : points)
        EXPECT_NEAR(std::log(ViscosityOf(fit.coefficients, p.shearRate, p.temperature)),
                    std::log(p.viscosity), 1e-9);
    EXPECT_NEAR(fit.rSquared, 1, 1e-12);
    EXPECT_LT(fit.rmsRelativeError, 1e-9);
    EXPECT_LT(fit.maxRelativeError, 1e-9);
    EXPECT_EQ(fit.pointCount, 45u);
    EXPECT_EQ(fit.temperatureLow, 150);
    EXPECT_EQ(fit.temperatureHigh, 230);
    EXPECT_EQ(fit.shearRateLow, 1);
    EXPECT_EQ(fit.shearRateHigh, 10000);
}

// Three temperatures and three shear rates, scattered rather than on a grid,
// far from zero: the centred columns keep the solve well conditioned.
TEST(ViscosityFit, ScatteredPointsFarFromTheOrigin) {
    std::vector<ViscosityPoint> points;
    points.reserve(7);
    const double T[] = {240, 241, 242, 240, 241, 242, 240.5};
    const double rate[] = {500, 520, 540, 540, 500, 520, 510};
    for (int i = 0; i < 7; ++i) points.push_back({T[i], rate[i], ViscosityOf(DefaultLaw, rate[i], T[i])});
    const ViscosityFit fit = FitViscosityLaw(points);
    for (const ViscosityPoint& p : points)
        EXPECT_NEAR(std::log(ViscosityOf(fit.coefficients, p.shearRate, p.temperature)),
                    std::log(p.viscosity), 1e-9);
}

// With 2 % log-normal noise the residuals are about the noise: the RMS of 45
// points minus six fitted terms is σ √(39/45) ≈ 0.93 σ on average.
TEST(ViscosityFit, NoisyPointsShowTheirNoise) {
    constexpr double Sigma = 0.02;
    const ViscosityFit fit = FitViscosityLaw(Grid(Temperatures, ShearRates, Sigma));
    EXPECT_LT(fit.rSquared, 1);
    EXPECT_GT(fit.rSquared, 0.999);  // ln η spans about 7, the noise 0.02
    EXPECT_GT(fit.rmsRelativeError, 0.6 * Sigma);
    EXPECT_LT(fit.rmsRelativeError, 1.3 * Sigma);
    EXPECT_GT(fit.maxRelativeError, fit.rmsRelativeError);
    EXPECT_LT(fit.maxRelativeError, 4 * Sigma);
    EXPECT_NEAR(fit.coefficients[1], DefaultLaw[1], 0.05);  // the power-law slope
}

TEST(ViscosityFit, RefusesTooFewOrUnphysicalPoints) {
    std::vector<ViscosityPoint> points = Grid({150, 190, 230}, {10, 100});
    points.resize(5);
    EXPECT_EQ(Refusal(points), "5 points: the six coefficients need at least six");
    EXPECT_EQ(Refusal({}), "0 points: the six coefficients need at least six");

    points = Grid(Temperatures, ShearRates);
    points[2].viscosity = 0;
    EXPECT_EQ(Refusal(points), "point 3: the viscosity must be positive and finite");
    points[2].viscosity = 1;
    points[4].shearRate = -5;
    EXPECT_EQ(Refusal(points), "point 5: the shear rate must be positive and finite");
    points[4].shearRate = 5;
    points[6].temperature = NAN;
    EXPECT_EQ(Refusal(points), "point 7: the temperature is not a finite number");
}

// A quadratic in T needs three temperatures, one in ln γ three shear rates;
// the message names the terms that the data leave open.
TEST(ViscosityFit, RefusesTooFewTemperaturesOrShearRates) {
    EXPECT_EQ(Refusal(Grid({170}, ShearRates)),
              "all points are at one temperature, 170 degC: the temperature terms A2, A22 and "
              "A12 cannot be fitted; measure at three temperatures and three shear rates or more");
    EXPECT_EQ(Refusal(Grid({170, 200}, ShearRates)),
              "the points are at two temperatures only: the term A22 (T squared) cannot be "
              "fitted; measure at three temperatures and three shear rates or more");
    EXPECT_EQ(Refusal(Grid({150, 170, 190, 210, 230, 250}, {100})),
              "all points are at one shear rate, 100 1/s: the shear-rate terms A1, A11 and A12 "
              "cannot be fitted; measure at three temperatures and three shear rates or more");
    const std::string both = Refusal(Grid({170}, {100, 100, 100, 100, 100, 100}));
    EXPECT_NE(both.find("A2, A22 and A12 cannot be fitted; all points are at one shear rate"),
              std::string::npos)
        << both;
    EXPECT_EQ(Refusal(Grid(Temperatures, {10, 1000})).find("the points are at two shear rates only: "
                                                           "the term A11"),
              0u);
}

// Three temperatures and three shear rates that always come in the same pairs:
// ln γ is a function of T at every point, so the terms cannot be told apart.
TEST(ViscosityFit, RefusesTermsThatVaryTogether) {
    std::vector<ViscosityPoint> points;
    for (int repeat = 0; repeat < 3; ++repeat)
        for (const auto& [T, rate] : {std::pair{150.0, 10.0}, {190.0, 100.0}, {230.0, 1000.0}})
            points.push_back({T, rate, ViscosityOf(DefaultLaw, rate, T) * (1 + 0.01 * repeat)});
    const std::string refusal = Refusal(points);
    EXPECT_NE(refusal.find(" cannot be fitted: at these points they vary together"), std::string::npos)
        << refusal;
    EXPECT_EQ(refusal.find("the terms "), 0u) << refusal;
}

}  // namespace
}  // namespace vortane
