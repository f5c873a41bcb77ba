#pragma once

#include <cfenv>
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

inline constexpr int TrappedFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// Clears the sticky invalid, division-by-zero and overflow flags.
void ClearArithmeticFaults();

// Which of those flags are raised, in the x87 status word or in MXCSR. On x86
// the FE_ constants are the bits of both registers, which are read inline:
// MXCSR through memory, then the status word into a register (in this order the
// MXCSR store has settled when it is loaded). Like the library call it
// replaces, the asm clobbers memory and the whole x87 stack, so no arithmetic
// moves across it.
inline int RaisedArithmeticFaults() {
#if defined(__x86_64__) || defined(__i386__)
    unsigned short status;
    unsigned int control;
    asm volatile("stmxcsr %1\n\tfnstsw %0"
                 : "=a"(status), "=m"(control)
                 :
                 : "memory", "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)", "st(7)");
    return (status | static_cast<int>(control)) & TrappedFaults;
#else
    return std::fetestexcept(TrappedFaults);
#endif
}

// Clears the raised flags and throws the ArithmeticFault that names them.
[[noreturn]] void ThrowArithmeticFault(int raised);

// Throws ArithmeticFault when one of those flags is raised.
inline void CheckArithmeticFaults() {
    if (const int raised = RaisedArithmeticFaults(); raised != 0) [[unlikely]]
        ThrowArithmeticFault(raised);
}

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
