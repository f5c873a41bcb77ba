#pragma once

namespace vortane {

// Melt viscosity, gf.s/cm2, at shear rate γ (1/s) and temperature T (degC):
// ln η = A0 + A1 ln γ + A11 (ln γ)² + A2 T + A22 T² + A12 T ln γ.
double Viscosity(double A0, double A1, double A11, double A2, double A22, double A12,
                 double shearRate, double temperature);

}  // namespace vortane
