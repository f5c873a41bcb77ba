#pragma once

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

// The faults that end a run. Each is named from the operands or the value of
// the operation that faults first, never from the floating-point flags, so
// every platform names it alike:
// - division (Over), ln (Log) and √ (Sqrt), the only operations of the
//   formulas that give a NaN or an infinity from finite operands other than by
//   overflowing, are checked where they happen;
// - so a NaN or an infinity that reaches any other check came from an
//   overflow: an infinity, or a NaN made of one (∞ − ∞, 0 · ∞). It names an
//   overflow, and so does a finite result beyond the range of a double when it
//   is stored.
enum class FaultKind { InvalidOperation, DivisionByZero, Overflow };

[[noreturn]] void RaiseArithmeticFault(FaultKind fault);

// `fault`, unless an operand is already a NaN or an infinity: then an earlier
// overflow came first.
[[noreturn]] void RaiseArithmeticFault(FaultKind fault, Real operand);

// Returns `value`, the fault that a NaN or an infinity carries raised instead:
// for a quantity that is compared or leaves the formulas without being stored.
inline Real Finite(Real value) {
    if (!std::isfinite(value)) [[unlikely]]
        RaiseArithmeticFault(FaultKind::Overflow);
    return value;
}

// Rounds `value` to double into `field`, then checks it: a NaN or an infinity
// is an overflow (above).
inline void Store(double& field, Real value) {
    field = static_cast<double>(value);
    if (!std::isfinite(field)) [[unlikely]]
        RaiseArithmeticFault(FaultKind::Overflow);
}

// Stores a local quantity and returns the double.
inline double Stored(Real value) {
    double field;
    Store(field, value);
    return field;
}

// x / y, for every divisor that is not a constant: x / 0 is a division by
// zero, 0 / 0 an invalid operation, a quotient beyond the range of Real an
// overflow. A NaN or infinite operand (which x / ∞ = 0 would hide) is the
// overflow that made it.
[[noreturn]] void RaiseQuotientFault(Real x, Real y);

inline Real Over(Real x, Real y) {
    const Real quotient = x / y;
    if (!std::isfinite(quotient) || !std::isfinite(y)) [[unlikely]]
        RaiseQuotientFault(x, y);
    return quotient;
}

// The maths functions of the formulas, with the fault each raises outside its
// domain named here.

// ln x: the pole at 0 is a division by zero, x < 0 an invalid operation.
inline Real Log(Real x) {
    if (!(x > 0)) [[unlikely]]
        RaiseArithmeticFault(x == 0 ? FaultKind::DivisionByZero : FaultKind::InvalidOperation, x);
    return std::log(x);
}

// √x: x < 0 is an invalid operation.
inline Real Sqrt(Real x) {
    if (x < 0) [[unlikely]]
        RaiseArithmeticFault(FaultKind::InvalidOperation, x);
    return std::sqrt(x);
}

// eˣ: a result beyond the range of Real is an overflow, and so is an infinite
// x (e^−∞ = 0 would hide it).
inline Real Exp(Real x) {
    const Real y = std::exp(x);
    if (std::isinf(y) || !std::isfinite(x)) [[unlikely]]
        RaiseArithmeticFault(FaultKind::Overflow);
    return y;
}

}  // namespace vortane
