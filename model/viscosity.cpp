#include "model/viscosity.h"

#include <cmath>

#include "model/arithmetic.h"

namespace vortane {

double Viscosity(double A0, double A1, double A11, double A2, double A22, double A12,
                 double shearRate, double temperature) {
    const Real L = Log(Real{shearRate});
    const Real T = temperature;
    Real S = A0 + A1 * L;
    S = S + A11 * L * L;
    S = S + A2 * T;
    S = S + A22 * T * T;
    S = S + A12 * L * T;
    return Stored(Exp(S));
}

}  // namespace vortane
