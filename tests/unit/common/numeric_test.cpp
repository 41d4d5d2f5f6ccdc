#include "common/numeric.h"

#include <gtest/gtest.h>

#include <cmath>

#include "error_kind.h"

namespace {

using mt::ErrorKind;
using mt::test::ErrorKindOf;

TEST(NumericLeadingNumber, ReadsSignDigitsPointAndFraction) {
  EXPECT_EQ(mt::LeadingNumber("42"), 42);
  EXPECT_EQ(mt::LeadingNumber("  \t-12.75xyz"), -12.75);
  EXPECT_EQ(mt::LeadingNumber("+7"), 7);
  EXPECT_EQ(mt::LeadingNumber(".5"), 0.5);
  EXPECT_EQ(mt::LeadingNumber("3."), 3);
  EXPECT_EQ(mt::LeadingNumber("007"), 7);
}

TEST(NumericLeadingNumber, StopsAtWhatIsNotPartOfADecimalNumber) {
  EXPECT_EQ(mt::LeadingNumber(":1234"), 0);   // the colon ends it before it starts
  EXPECT_EQ(mt::LeadingNumber("1e3"), 1);     // no exponent
  EXPECT_EQ(mt::LeadingNumber("0x1F"), 0);    // no hexadecimal
  EXPECT_EQ(mt::LeadingNumber("12 34"), 12);  // blanks only skipped in front
  EXPECT_EQ(mt::LeadingNumber("1.2.3"), 1.2);
  EXPECT_EQ(mt::LeadingNumber(""), 0);
  EXPECT_EQ(mt::LeadingNumber("abc"), 0);
  EXPECT_EQ(mt::LeadingNumber("-"), 0);
  EXPECT_EQ(mt::LeadingNumber("-.x"), 0);
  EXPECT_FALSE(std::signbit(mt::LeadingNumber("-0")));
}

TEST(NumericRounding, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(mt::RoundHalfEven(0.5), 0);
  EXPECT_EQ(mt::RoundHalfEven(1.5), 2);
  EXPECT_EQ(mt::RoundHalfEven(2.5), 2);
  EXPECT_EQ(mt::RoundHalfEven(-0.5), 0);
  EXPECT_EQ(mt::RoundHalfEven(-1.5), -2);
  EXPECT_EQ(mt::RoundHalfEven(-2.5), -2);
  EXPECT_EQ(mt::RoundHalfEven(2.4999), 2);
  EXPECT_EQ(mt::RoundHalfEven(2.5001), 3);
  EXPECT_EQ(mt::RoundHalfEven(-7.6), -8);
}

TEST(NumericConversion, OutOfRangeAfterRoundingFails) {
  EXPECT_EQ(mt::ToInt16(32767), 32767);
  EXPECT_EQ(mt::ToInt16(-32768), -32768);
  EXPECT_EQ(mt::ToInt16(32766.5), 32766);
  EXPECT_EQ(mt::ToInt16(-32767.5), -32768);
  EXPECT_EQ(ErrorKindOf([] { mt::ToInt16(32768); }), ErrorKind::Overflow);
  EXPECT_EQ(ErrorKindOf([] { mt::ToInt16(-32768.6); }), ErrorKind::Overflow);
  EXPECT_EQ(ErrorKindOf([] { mt::ToInt32(2147483647.5); }), ErrorKind::Overflow);
  EXPECT_EQ(mt::ToInt32(2147483646.5), 2147483646);
  EXPECT_EQ(mt::ToInt32(-2147483648.0), INT32_MIN);
  EXPECT_EQ(ErrorKindOf([] { mt::ToInt32(-2147483648.6); }), ErrorKind::Overflow);
}

TEST(NumericTextConversion, WholeTextMustBeANumberApartFromBlanks) {
  EXPECT_EQ(mt::TextToInt16(" 40 "), 40);
  EXPECT_EQ(mt::TextToInt16("1.5"), 2);
  EXPECT_EQ(mt::TextToInt16("2.5"), 2);
  EXPECT_EQ(mt::TextToInt16("-3"), -3);
  EXPECT_EQ(mt::TextToInt16("007"), 7);
  EXPECT_EQ(ErrorKindOf([] { mt::TextToInt16(""); }), ErrorKind::TypeMismatch);
  EXPECT_EQ(ErrorKindOf([] { mt::TextToInt16("   "); }), ErrorKind::TypeMismatch);
  EXPECT_EQ(ErrorKindOf([] { mt::TextToInt16("abc"); }), ErrorKind::TypeMismatch);
  EXPECT_EQ(ErrorKindOf([] { mt::TextToInt16("12abc"); }), ErrorKind::TypeMismatch);
  EXPECT_EQ(ErrorKindOf([] { mt::TextToInt16("1 2"); }), ErrorKind::TypeMismatch);
  EXPECT_EQ(ErrorKindOf([] { mt::TextToInt16("40000"); }), ErrorKind::Overflow);
  EXPECT_EQ(mt::TextToInt32("40000"), 40000);
  EXPECT_EQ(ErrorKindOf([] { mt::TextToInt32("3000000000"); }), ErrorKind::Overflow);
}

TEST(NumericCheckedArithmetic, FailsExactlyBeyondTheLimits) {
  EXPECT_EQ(mt::Add16(32766, 1), 32767);
  EXPECT_EQ(ErrorKindOf([] { mt::Add16(32767, 1); }), ErrorKind::Overflow);
  EXPECT_EQ(mt::Add32(INT32_MAX - 1, 1), INT32_MAX);
  EXPECT_EQ(ErrorKindOf([] { mt::Add32(INT32_MAX, 1); }), ErrorKind::Overflow);
  EXPECT_EQ(ErrorKindOf([] { mt::Sub32(INT32_MIN, 1); }), ErrorKind::Overflow);
  EXPECT_EQ(ErrorKindOf([] { mt::Mul32(65536, 32768); }), ErrorKind::Overflow);
  EXPECT_EQ(mt::Mul32(-65536, 32768), INT32_MIN);
  EXPECT_EQ(ErrorKindOf([] { mt::Abs32(INT32_MIN); }), ErrorKind::Overflow);
}

TEST(NumericDivision, TruncatesTowardZeroAndFailsOnZero) {
  EXPECT_EQ(mt::Div32(7, 2), 3);
  EXPECT_EQ(mt::Div32(-7, 2), -3);
  EXPECT_EQ(mt::Div32(7, -2), -3);
  EXPECT_EQ(mt::Mod32(-7, 3), -1);  // remainder takes the dividend's sign
  EXPECT_EQ(mt::Div32(1000, 20), 50);
  EXPECT_EQ(mt::Div32(1000, 1001), 0);
  EXPECT_EQ(ErrorKindOf([] { mt::Div32(1, 0); }), ErrorKind::DivisionByZero);
  EXPECT_EQ(ErrorKindOf([] { mt::Mod32(1, 0); }), ErrorKind::DivisionByZero);
  EXPECT_EQ(ErrorKindOf([] { mt::Div32(INT32_MIN, -1); }), ErrorKind::Overflow);
}

TEST(NumericText, ShortestDecimalText) {
  EXPECT_EQ(mt::NumberText(8), "8");
  EXPECT_EQ(mt::NumberText(-3), "-3");
  EXPECT_EQ(mt::NumberText(2.5), "2.5");
  EXPECT_EQ(mt::NumberText(0), "0");
  EXPECT_EQ(mt::NumberText(40001), "40001");
  EXPECT_EQ(mt::NumberText(0.1 + 0.2), "0.3");
}

}  // namespace
