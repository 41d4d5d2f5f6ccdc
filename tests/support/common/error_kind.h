// The kind of mt::Error a call throws. A call that returns fails the test, so a case
// written as EXPECT_EQ(ErrorKindOf(...), kind) cannot pass by throwing nothing.
#pragma once

#include <gtest/gtest.h>

#include "common/error.h"

namespace mt::test {

template <typename F>
mt::ErrorKind ErrorKindOf(F&& call) {
  try {
    call();
  } catch (const mt::Error& e) {
    return e.kind();
  }
  ADD_FAILURE() << "no mt::Error was thrown";
  return static_cast<mt::ErrorKind>(-1);
}

}  // namespace mt::test
