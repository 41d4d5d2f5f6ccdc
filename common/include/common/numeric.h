#pragma once
// The numeric rules every part of the program follows, in one place:
//  - integer division truncates toward zero;
//  - a fractional value becomes an integer by rounding half to even;
//  - 16- and 32-bit addition, subtraction and multiplication fail on overflow;
//  - a number read from text is its leading decimal number, 0 when there is none.
// Failures are thrown as mt::Error (see error.h).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mt {

// Leading decimal number of a text: blanks (spaces and tabs) skipped, then an optional
// sign, digits, an optional point and fraction. No exponent, no hexadecimal. 0 when the
// text holds no number there.
double LeadingNumber(std::string_view text);

// The whole text as a number, apart from surrounding blanks; nothing when any other
// character is present or no digit is.
std::optional<double> WholeNumber(std::string_view text);

// Round to the nearest integer, a tie going to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

// Conversions that fail: round half to even, then Overflow when out of range.
int16_t ToInt16(double value);
int32_t ToInt32(double value);

// Text conversions that fail: TypeMismatch when the text is not wholly a number
// (surrounding blanks allowed), Overflow when it is out of range after rounding.
int16_t TextToInt16(std::string_view text);
int32_t TextToInt32(std::string_view text);

// Checked arithmetic: Overflow when the exact result does not fit.
int16_t Add16(int16_t a, int16_t b);
int32_t Add32(int32_t a, int32_t b);
int32_t Sub32(int32_t a, int32_t b);
int32_t Mul32(int32_t a, int32_t b);
int32_t Abs32(int32_t a);

// Truncating division: DivisionByZero for a zero divisor, Overflow for INT_MIN / -1.
int32_t Div32(int32_t a, int32_t b);
// Remainder that takes the sign of the dividend, as truncating division leaves it.
int32_t Mod32(int32_t a, int32_t b);

// Shortest decimal text of a number, as the program writes numbers back to text
// (8 -> "8", 2.5 -> "2.5", -3 -> "-3").
std::string NumberText(double value);

}  // namespace mt
