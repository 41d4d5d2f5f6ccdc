#include "common/numeric.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "common/error.h"

namespace mt {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Scans one decimal number (sign, digits, optional point and fraction) from `pos`.
// Returns the number of characters used, 0 when no digit was found.
size_t ScanNumber(std::string_view text, size_t pos, double* value) {
  size_t i = pos;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Digits are accumulated as text and converted once, so that "0.1" reads exactly as
  // the C library reads it and long digit runs lose no precision on the way.
  std::string digits;
  bool any_digit = false;
  while (i < text.size() && IsDigit(text[i])) {
    digits += text[i++];
    any_digit = true;
  }
  if (i < text.size() && text[i] == '.') {
    size_t after_point = i + 1;
    std::string fraction;
    while (after_point < text.size() && IsDigit(text[after_point])) {
      fraction += text[after_point++];
    }
    if (any_digit || !fraction.empty()) {
      digits += '.';
      digits += fraction;
      any_digit = true;
      i = after_point;
    }
  }
  if (!any_digit) return 0;
  double magnitude = std::strtod(digits.c_str(), nullptr);
  *value = negative ? -magnitude : magnitude;
  return i - pos;
}

}  // namespace

double LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  double value = 0;
  if (ScanNumber(text, i, &value) == 0) return 0;
  return value == 0 ? 0 : value;  // no negative zero
}

std::optional<double> WholeNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  double value = 0;
  size_t used = ScanNumber(text, i, &value);
  if (used == 0) return std::nullopt;
  i += used;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i != text.size()) return std::nullopt;
  return value == 0 ? 0 : value;
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  double floor = std::floor(value);
  double diff = value - floor;
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

int16_t ToInt16(double value) {
  double r = RoundHalfEven(value);
  if (!(r >= std::numeric_limits<int16_t>::min() && r <= std::numeric_limits<int16_t>::max())) {
    Fail(ErrorKind::Overflow, "value out of 16-bit range");
  }
  return static_cast<int16_t>(r);
}

int32_t ToInt32(double value) {
  double r = RoundHalfEven(value);
  if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max())) {
    Fail(ErrorKind::Overflow, "value out of 32-bit range");
  }
  return static_cast<int32_t>(r);
}

int16_t TextToInt16(std::string_view text) {
  auto number = WholeNumber(text);
  if (!number) Fail(ErrorKind::TypeMismatch, "text is not a number");
  return ToInt16(*number);
}

int32_t TextToInt32(std::string_view text) {
  auto number = WholeNumber(text);
  if (!number) Fail(ErrorKind::TypeMismatch, "text is not a number");
  return ToInt32(*number);
}

namespace {
template <typename T>
T Checked(int64_t exact) {
  if (exact < std::numeric_limits<T>::min() || exact > std::numeric_limits<T>::max()) {
    Fail(ErrorKind::Overflow, "arithmetic overflow");
  }
  return static_cast<T>(exact);
}
}  // namespace

int16_t Add16(int16_t a, int16_t b) { return Checked<int16_t>(int64_t{a} + b); }
int32_t Add32(int32_t a, int32_t b) { return Checked<int32_t>(int64_t{a} + b); }
int32_t Sub32(int32_t a, int32_t b) { return Checked<int32_t>(int64_t{a} - b); }
int32_t Mul32(int32_t a, int32_t b) { return Checked<int32_t>(int64_t{a} * b); }
int32_t Abs32(int32_t a) { return Checked<int32_t>(a < 0 ? -int64_t{a} : int64_t{a}); }

int32_t Div32(int32_t a, int32_t b) {
  if (b == 0) Fail(ErrorKind::DivisionByZero, "division by zero");
  return Checked<int32_t>(int64_t{a} / b);
}

int32_t Mod32(int32_t a, int32_t b) {
  if (b == 0) Fail(ErrorKind::DivisionByZero, "division by zero");
  return static_cast<int32_t>(int64_t{a} % b);
}

std::string NumberText(double value) {
  if (value == 0) return "0";
  char buffer[64];
  // Fifteen significant digits, trailing zeros dropped: the shortest text that reads back
  // as the same value for every whole number the program counts with.
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return buffer;
}

}  // namespace mt
