#pragma once

#include <cfenv>
#include <cmath>
#include <string>

#include "case/error.h"

namespace vortane {

// Formulas are evaluated in extended precision (x87 80-bit on x86, binary128
// on AArch64 Linux), or in double where the build turns VORTANE_EXTENDED off;
// every result is rounded to double when it is stored.
#if !defined(VORTANE_EXTENDED) || VORTANE_EXTENDED
using Real = long double;
#else
using Real = double;
#endif

// A literal in the precision of the formulas: 2.34302_r.
constexpr Real operator""_r(long double value) { return static_cast<Real>(value); }

inline constexpr Real Pi = 3.1415926535897932385_r;
inline constexpr Real HalfPi = 1.5707963267948966193_r;
inline constexpr Real PiOver360 = 0.0087266462599716478846_r;  // half a degree, rad

// An invalid operation, division by zero or overflow in the model. It ends the
// run at once; its text names the fault.
class ArithmeticFault : public Error {
public:
    using Error::Error;
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
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
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

// Clears the raised flags and throws the ArithmeticFault that names `faults`,
// a set of TrappedFaults: of several, the one that came first.
[[noreturn]] void ThrowArithmeticFault(int faults);

// Throws `fault` found before a maths function is called, or the fault of a
// flag raised earlier in the same formula.
[[noreturn]] inline void RaiseArithmeticFault(int fault) {
    ThrowArithmeticFault(RaisedArithmeticFaults() | fault);
}

// Rounds `value` to double into `field`, then checks it. The empty asm makes
// the stored double exist in memory before the flags are read, so the
// optimiser cannot move the arithmetic past the check.
//
// A raised flag, a NaN or an infinity is a fault. The flags name it where they
// are raised; a maths library that returns a NaN or an infinity without
// raising them (MinGW-w64's) leaves the value to name it: a NaN is an invalid
// operation, an infinity an overflow (poles are caught before the call, in
// Log, so an infinity without a flag is never a division by zero).
inline void Store(double& field, Real value) {
    field = static_cast<double>(value);
#if defined(__GNUC__)
    asm volatile("" : : "m"(field) : "memory");
#else
    field = *static_cast<volatile double*>(&field);
#endif
    const int raised = RaisedArithmeticFaults();
    if (raised != 0 || !std::isfinite(field)) [[unlikely]]
        ThrowArithmeticFault(raised != 0 ? raised : std::isnan(field) ? FE_INVALID : FE_OVERFLOW);
}

// Stores a local quantity and returns the double.
inline double Stored(Real value) {
    double field;
    Store(field, value);
    return field;
}

// The maths functions of the formulas, with the fault each raises outside its
// domain checked here, so that every platform names the same fault whether or
// not its library raises the flags.

// ln x: the pole at 0 is a division by zero, x < 0 an invalid operation.
inline Real Log(Real x) {
    if (x == 0) RaiseArithmeticFault(FE_DIVBYZERO);
    if (x < 0) RaiseArithmeticFault(FE_INVALID);
    return std::log(x);
}

// √x: x < 0 is an invalid operation.
inline Real Sqrt(Real x) {
    if (x < 0) RaiseArithmeticFault(FE_INVALID);
    return std::sqrt(x);
}

// eˣ: a result beyond the range of Real is an overflow.
inline Real Exp(Real x) {
    const Real y = std::exp(x);
    if (std::isinf(y)) RaiseArithmeticFault(FE_OVERFLOW);
    return y;
}

}  // namespace vortane
