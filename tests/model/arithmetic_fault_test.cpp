#include "model/arithmetic.h"

#include <gtest/gtest.h>

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
};

class ArithmeticFaults : public ::testing::Test {
protected:
    void SetUp() override { ClearArithmeticFaults(); }
    Operands in;
    double field = 7;
};

void StoreQuotient(double& field, const Operands& in) { Store(field, 5.0_r / in.zero); }
void StoreRoot(double& field, const Operands& in) { Store(field, std::sqrt(Real{in.minusOne})); }
void StoreSquare(double& field, const Operands& in) {
    Store(field, Real{in.huge} * in.huge);  // 1e600 exceeds a double
}

TEST_F(ArithmeticFaults, EachTrappedFaultIsNamed) {
    try {
        StoreQuotient(field, in);
        FAIL() << "no fault";
    } catch (const ArithmeticFault& fault) {
        EXPECT_STREQ(fault.what(), "Floating point division by zero");
    }
    try {
        StoreRoot(field, in);
        FAIL() << "no fault";
    } catch (const ArithmeticFault& fault) {
        EXPECT_STREQ(fault.what(), "Invalid floating point operation");
    }
    try {
        StoreSquare(field, in);
        FAIL() << "no fault";
    } catch (const ArithmeticFault& fault) {
        EXPECT_STREQ(fault.what(), "Floating point overflow");
    }
}

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

// A maths library may return a NaN or an infinity without raising a flag
// (MinGW-w64's does): the stored value names the fault.
TEST_F(ArithmeticFaults, NonFiniteValueWithTheFlagsClearIsAFault) {
    ASSERT_EQ(RaisedArithmeticFaults(), 0);
    EXPECT_EQ(FaultOf([&] { Store(field, std::numeric_limits<Real>::quiet_NaN()); }),
              "Invalid floating point operation");
    ASSERT_EQ(RaisedArithmeticFaults(), 0);
    EXPECT_EQ(FaultOf([&] { Store(field, -std::numeric_limits<Real>::infinity()); }),
              "Floating point overflow");
}

// Log, Sqrt and Exp name their faults themselves, whatever the library does
// outside the domain; a flag raised earlier in the formula names an earlier
// fault.
TEST_F(ArithmeticFaults, MathsFunctionsNameTheirOwnFaults) {
    EXPECT_EQ(FaultOf([&] { Store(field, Exp(Log(in.zero) * 2)); }),
              "Floating point division by zero");
    EXPECT_EQ(FaultOf([&] { Store(field, Log(in.minusOne)); }), "Invalid floating point operation");
    EXPECT_EQ(FaultOf([&] { Store(field, Sqrt(in.minusOne)); }), "Invalid floating point operation");
    EXPECT_EQ(FaultOf([&] { Store(field, Exp(std::numeric_limits<Real>::max_exponent)); }),
              "Floating point overflow");
    EXPECT_EQ(FaultOf([&] { Store(field, Exp(5 / Real{in.zero})); }),
              "Floating point division by zero");
    // The edges of each domain.
    EXPECT_EQ(FaultOf([&] { Store(field, Sqrt(in.zero) + Exp(-Real{in.huge}) + Log(1)); }), "none");
    EXPECT_EQ(field, 0.0);
}

TEST_F(ArithmeticFaults, UnderflowAndInexactResultsPass) {
    EXPECT_NO_THROW(Store(field, Real{in.tiny} * in.tiny));
    EXPECT_EQ(field, 0.0);
    EXPECT_NO_THROW(Store(field, 1.0_r / 3));
    // Extended precision beyond a double's range overflows only when stored.
    if constexpr (std::numeric_limits<Real>::max_exponent > std::numeric_limits<double>::max_exponent) {
        const double large = Stored(Real{in.huge} * in.huge / in.huge);
        EXPECT_EQ(large, 1e300);
    }
}

TEST_F(ArithmeticFaults, FlagsAreClearedAfterAFault) {
    EXPECT_THROW(StoreQuotient(field, in), ArithmeticFault);
    EXPECT_NO_THROW(Store(field, 2.0_r));
    EXPECT_EQ(field, 2.0);
}

}  // namespace
}  // namespace vortane
