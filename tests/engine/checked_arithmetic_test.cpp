#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <utility>

#include "engine/design_state.h"
#include "engine/real.h"

namespace folix {
namespace {

ErrorKind kindOf(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const ArithmeticError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "no error raised";
    return ErrorKind::SubscriptOutOfRange;
}

TEST(CheckedArithmetic, EachFaultRaisesItsOwnKind)
{
    const double big = std::numeric_limits<double>::max();
    EXPECT_EQ(kindOf([] { (void)(Real(1) / 0); }), ErrorKind::DivisionByZero);
    EXPECT_EQ(kindOf([] { (void)(Real(0) / 0); }), ErrorKind::DivisionByZero);
    EXPECT_EQ(kindOf([] { (void)pow(0, -1); }), ErrorKind::DivisionByZero);
    EXPECT_EQ(kindOf([] { (void)sqrt(-1e-300); }), ErrorKind::InvalidArgument);
    EXPECT_EQ(kindOf([] { (void)pow(-0.5, 1.9); }), ErrorKind::InvalidArgument);
    EXPECT_EQ(kindOf([&] { (void)(Real(big) * 2); }), ErrorKind::Overflow);
    EXPECT_EQ(kindOf([&] { (void)(Real(big) + big); }), ErrorKind::Overflow);
    EXPECT_EQ(kindOf([&] { (void)(Real(big) / 0.5); }), ErrorKind::Overflow);
    EXPECT_EQ(kindOf([] { (void)pow(10, 400); }), ErrorKind::Overflow);
    EXPECT_EQ(kindOf([] { (void)checked(std::numeric_limits<double>::infinity()); }), ErrorKind::Overflow);
}

TEST(CheckedArithmetic, LegalEdgeValuesPass)
{
    EXPECT_EQ(pow(-2, 2).value(), 4.0);
    EXPECT_EQ(pow(-2, 3).value(), -8.0);
    EXPECT_EQ(pow(0, 0).value(), 1.0);
    EXPECT_EQ(pow(0, 2).value(), 0.0);
    EXPECT_EQ(sqrt(0).value(), 0.0);
    EXPECT_EQ((Real(1e-300) * 1e-300).value(), 0.0);  // underflow is no error
}

TEST(CheckedArithmetic, MessagesNameTheKind)
{
    EXPECT_STREQ(ArithmeticError(ErrorKind::DivisionByZero).what(), "Division by zero");
    EXPECT_STREQ(ArithmeticError(ErrorKind::InvalidArgument).what(), "Invalid argument");
    EXPECT_STREQ(ArithmeticError(ErrorKind::Overflow).what(), "Overflow");
    EXPECT_STREQ(ArithmeticError(ErrorKind::SubscriptOutOfRange).what(), "Subscript out of range");
}

TEST(DesignState, StartsUnsetAndTablesHaveBoundsZeroToHundred)
{
    DesignState state;
    EXPECT_EQ(state.Pi, 0.0);
    EXPECT_EQ(state.Tau, 0.0);
    EXPECT_EQ(state.EM, 0.0);
    EXPECT_TRUE(state.AirfoilType.empty());
    state.XU[0] = 1;
    state.YL[100] = 2;
    EXPECT_EQ(state.XU[0] + state.YL[100], 3.0);
    for (int bad : {-1, 101, 1000}) {
        EXPECT_EQ(kindOf([&] { state.XU[bad] = 1; }), ErrorKind::SubscriptOutOfRange) << bad;
        EXPECT_EQ(kindOf([&] { (void)std::as_const(state).YU[bad]; }), ErrorKind::SubscriptOutOfRange) << bad;
    }
}

}  // namespace
}  // namespace folix
