#include "model/arithmetic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

void StoreQuotient(double& field, const Operands& in) { Store(field, 5.0L / in.zero); }
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

TEST_F(ArithmeticFaults, LogarithmOfZeroIsADivisionByZero) {
    EXPECT_THROW(Store(field, std::exp(std::log(Real{in.zero}) * 2)), ArithmeticFault);
}

TEST_F(ArithmeticFaults, UnderflowAndInexactResultsPass) {
    EXPECT_NO_THROW(Store(field, Real{in.tiny} * in.tiny));
    EXPECT_EQ(field, 0.0);
    EXPECT_NO_THROW(Store(field, 1.0L / 3));
    // A long double beyond a double's range overflows only when stored.
    const double large = Stored(Real{in.huge} * in.huge / in.huge);
    EXPECT_EQ(large, 1e300);
}

TEST_F(ArithmeticFaults, FlagsAreClearedAfterAFault) {
    EXPECT_THROW(StoreQuotient(field, in), ArithmeticFault);
    EXPECT_NO_THROW(Store(field, 2.0L));
    EXPECT_EQ(field, 2.0);
}

}  // namespace
}  // namespace vortane
