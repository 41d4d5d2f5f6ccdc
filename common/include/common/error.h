#pragma once
// The one error type of both programs. It carries the kinds of failure the program tells
// apart; a routine with a single failure handler catches it once, a routine that ignores
// failures step by step catches it around each step.
#include <stdexcept>
#include <string>

namespace mt {

enum class ErrorKind {
  Overflow,        // a checked 16- or 32-bit operation or conversion left its range
  DivisionByZero,  // an integer division by 0
  MissingObject,   // an object reference that holds nothing was used
  TypeMismatch,    // a text that had to be wholly a number was not
  BadFile,         // a file (cursor, picture) could not be used
};

class Error : public std::runtime_error {
 public:
  Error(ErrorKind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
  ErrorKind kind() const { return kind_; }

 private:
  ErrorKind kind_;
};

[[noreturn]] inline void Fail(ErrorKind kind, const std::string& what) { throw Error(kind, what); }

}  // namespace mt
