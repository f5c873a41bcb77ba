#include "model/arithmetic.h"

namespace vortane {

void ClearArithmeticFaults() { std::feclearexcept(TrappedFaults); }

void ThrowArithmeticFault(int faults) {
    std::feclearexcept(TrappedFaults);
    // An infinity from a division by zero or an overflow may go on to raise an
    // invalid operation, never the reverse: name the one that came first.
    if (faults & FE_DIVBYZERO) throw ArithmeticFault("Floating point division by zero");
    if (faults & FE_OVERFLOW) throw ArithmeticFault("Floating point overflow");
    throw ArithmeticFault("Invalid floating point operation");
}

}  // namespace vortane
