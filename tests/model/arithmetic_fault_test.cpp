#include "model/arithmetic.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

namespace vortane {
namespace {

// Operands live in a record passed by reference, so the optimiser cannot fold
// the faulting arithmetic away.
struct Operands {
    double zero = 0;
    double minusOne = -1;
    double huge = 1e300;
    double tiny = 1e-300;
    Real largest = std::numeric_limits<Real>::max();
    Real infinity = std::numeric_limits<Real>::infinity();
    Real nan = std::numeric_limits<Real>::quiet_NaN();
};

constexpr const char* DivisionByZero = "Floating point division by zero";
constexpr const char* Invalid = "Invalid floating point operation";
constexpr const char* Overflow = "Floating point overflow";

// The name of the fault an expression raised, or "none".
template <typename Expression>
std::string FaultOf(Expression expression) {
    try {
        expression();
    } catch (const ArithmeticFault& fault) {
        return fault.what();
    }
    return "none";
}

class ArithmeticFaults : public ::testing::Test {
protected:
    Operands in;
    double field = 7;
};

TEST_F(ArithmeticFaults, EachOperationNamesItsOwnFault) {
    EXPECT_EQ(FaultOf([&] { Over(5, in.zero); }), DivisionByZero);
    EXPECT_EQ(FaultOf([&] { Over(-5, in.zero); }), DivisionByZero);
    EXPECT_EQ(FaultOf([&] { Over(in.zero, in.zero); }), Invalid);
    EXPECT_EQ(FaultOf([&] { Over(in.largest, 0.5_r); }), Overflow);
    EXPECT_EQ(FaultOf([&] { Log(in.zero); }), DivisionByZero);
    EXPECT_EQ(FaultOf([&] { Log(in.minusOne); }), Invalid);
    EXPECT_EQ(FaultOf([&] { Sqrt(in.minusOne); }), Invalid);
    EXPECT_EQ(FaultOf([&] { Exp(std::numeric_limits<Real>::max_exponent); }), Overflow);
    EXPECT_EQ(FaultOf([&] { Store(field, Real{in.huge} * in.huge * in.huge * in.huge * in.huge); }),
              Overflow);
    // Inside each domain, and at its edges, nothing faults: underflow and
    // inexact results pass.
    EXPECT_EQ(FaultOf([&] {
                  Store(field, Sqrt(in.zero) + Exp(-Real{in.huge}) + Log(1) + Over(in.zero, 5) +
                                   Real{in.tiny} * in.tiny);
              }),
              "none");
    EXPECT_EQ(field, 0.0);
    EXPECT_EQ(Stored(Over(1, 3)), 1.0 / 3);
}

// A NaN or an infinity that no checked operation caught comes from an earlier
// overflow, which names the fault wherever it is found: in a store, as an
// operand, or where x / ∞ or e^−∞ would hide it.
TEST_F(ArithmeticFaults, AnEarlierOverflowIsNamedFirst) {
    const Real overflowed = in.largest * 2;
    EXPECT_EQ(FaultOf([&] { Store(field, overflowed); }), Overflow);
    EXPECT_EQ(FaultOf([&] { Store(field, overflowed - overflowed); }), Overflow);
    EXPECT_EQ(FaultOf([&] { Store(field, in.nan); }), Overflow);
    EXPECT_EQ(FaultOf([&] { Over(overflowed, in.zero); }), Overflow);
    EXPECT_EQ(FaultOf([&] { Over(in.nan, in.zero); }), Overflow);
    EXPECT_EQ(FaultOf([&] { Over(1, overflowed); }), Overflow);
    EXPECT_EQ(FaultOf([&] { Log(-overflowed); }), Overflow);
    EXPECT_EQ(FaultOf([&] { Log(in.nan); }), Overflow);
    EXPECT_EQ(FaultOf([&] { Sqrt(-overflowed); }), Overflow);
    EXPECT_EQ(FaultOf([&] { Exp(-overflowed); }), Overflow);
    EXPECT_EQ(FaultOf([&] { Finite(in.infinity - in.infinity); }), Overflow);
    EXPECT_EQ(Finite(-2.5_r), -2.5_r);
}

// Extended precision beyond a double's range overflows only when stored.
TEST_F(ArithmeticFaults, ExtendedRangeOverflowsOnlyWhenStored) {
    if constexpr (std::numeric_limits<Real>::max_exponent > std::numeric_limits<double>::max_exponent) {
        EXPECT_EQ(Stored(Over(Real{in.huge} * in.huge, in.huge)), 1e300);
        EXPECT_EQ(FaultOf([&] { Stored(Real{in.huge} * in.huge); }), Overflow);
    } else {
        GTEST_SKIP() << "formulas in double";
    }
}

// Faults are named from values alone: floating-point flags that other code
// raised, or that an earlier fault left, change nothing.
TEST_F(ArithmeticFaults, RaisedFlagsChangeNothing) {
#if defined(FE_INVALID) && defined(FE_DIVBYZERO) && defined(FE_OVERFLOW)
    std::feraiseexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
#endif
    EXPECT_EQ(FaultOf([&] { Store(field, Over(Log(2), Sqrt(4)) + Exp(1)); }), "none");
    EXPECT_EQ(FaultOf([&] { Store(field, Over(0.5_r, in.zero)); }), DivisionByZero);
    EXPECT_EQ(FaultOf([&] { Store(field, 2.0_r); }), "none");
    EXPECT_EQ(field, 2.0);
}

}  // namespace
}  // namespace vortane
