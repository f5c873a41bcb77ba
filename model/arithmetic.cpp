#include "model/arithmetic.h"

namespace vortane {

void RaiseArithmeticFault(FaultKind fault) {
    switch (fault) {
    case FaultKind::InvalidOperation: throw ArithmeticFault("Invalid floating point operation");
    case FaultKind::DivisionByZero: throw ArithmeticFault("Floating point division by zero");
    case FaultKind::Overflow: break;
    }
    throw ArithmeticFault("Floating point overflow");
}

void RaiseArithmeticFault(FaultKind fault, Real operand) {
    RaiseArithmeticFault(std::isfinite(operand) ? fault : FaultKind::Overflow);
}

void RaiseQuotientFault(Real x, Real y) {
    if (!std::isfinite(x) || !std::isfinite(y)) RaiseArithmeticFault(FaultKind::Overflow);
    if (y == 0) RaiseArithmeticFault(x == 0 ? FaultKind::InvalidOperation : FaultKind::DivisionByZero);
    RaiseArithmeticFault(FaultKind::Overflow);  // a finite quotient too large for Real
}

}  // namespace vortane
