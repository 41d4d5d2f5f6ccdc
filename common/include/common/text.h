#pragma once
// Small text rules shared by both programs.
#include <string>
#include <string_view>

namespace mt {

// Removes leading and trailing space characters (U+0020 only; tabs stay).
std::string TrimSpaces(std::string_view text);

// Upper case for the ASCII letters; every other byte stays as it is.
std::string UpperAscii(std::string_view text);

}  // namespace mt
