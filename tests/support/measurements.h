#pragma once

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "model/viscosity_fit.h"

namespace vortane::testing {

inline constexpr ViscosityCoefficients DefaultCoefficients{6.83729, -0.661828, -0.0158406,
                                                           -0.0149381, -4.7079E-7, 1.1946E-3};

inline std::string Shortest(double value) {
    char text[32];
    return {text, std::to_chars(text, text + sizeof text, value).ptr};
}

// A measurement file of the default law: every temperature (degC) with every
// shear rate (1/s), each viscosity multiplied by exp(σ z), z standard normal
// from a fixed seed, and written in a unit of which `perModelUnit` make one
// gf.s/cm2 (Pa.s by default).
inline std::string DefaultLawMeasurements(const std::vector<double>& temperatures = {150, 170, 190, 210, 230},
                                          const std::vector<double>& shearRates = {1, 3, 10, 100, 1000, 10000},
                                          double sigma = 0, double perModelUnit = 98.0665) {
    std::mt19937 random(7);
    std::normal_distribution<double> z;
    std::string content = "Temperature,ShearRate,Viscosity\n";
    for (const double T : temperatures) {
        for (const double rate : shearRates) {
            const double eta = ViscosityOf(DefaultCoefficients, rate, T) * perModelUnit * std::exp(sigma * z(random));
            content += Shortest(T) + "," + Shortest(rate) + "," + Shortest(eta) + "\n";
        }
    }
    return content;
}

}  // namespace vortane::testing
