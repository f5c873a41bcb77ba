#pragma once

#include <stdexcept>
#include <string>

namespace vortane {

// Formulas are evaluated in x87 extended precision; every result is rounded to
// double when it is stored.
using Real = long double;

inline constexpr Real Pi = 3.1415926535897932385L;
inline constexpr Real HalfPi = 1.5707963267948966193L;
inline constexpr Real PiOver360 = 0.0087266462599716478846L;  // half a degree, rad

// An invalid operation, division by zero or overflow in the model. It ends the
// run at once; its text names the fault.
class ArithmeticFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Clears the sticky invalid, division-by-zero and overflow flags.
void ClearArithmeticFaults();

// Throws ArithmeticFault when one of those flags is raised.
void CheckArithmeticFaults();

// Rounds `value` to double into `field`, then checks for a fault. The empty asm
// makes the stored double exist in memory before the flags are read, so the
// optimiser cannot move the arithmetic past the check.
inline void Store(double& field, Real value) {
    field = static_cast<double>(value);
    asm volatile("" : : "m"(field) : "memory");
    CheckArithmeticFaults();
}

// Stores a local quantity and returns the double.
inline double Stored(Real value) {
    double field;
    Store(field, value);
    return field;
}

}  // namespace vortane
