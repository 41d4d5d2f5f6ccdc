#pragma once
// Runs a piece of a test in a child process under a deadline, so that a call that hangs or
// dies fails that test instead of stalling or ending the whole suite.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace mt::test {

// Success when `body` returned true in the child within `seconds`.
inline ::testing::AssertionResult InChild(const std::function<bool()>& body, int seconds = 10) {
  const pid_t child = fork();
  if (child < 0) return ::testing::AssertionFailure() << "fork failed";
  if (child == 0) {
    bool ok = false;
    try {
      ok = body();
    } catch (...) {
      _exit(3);
    }
    _exit(ok ? 0 : 1);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return ::testing::AssertionFailure() << "still running after " << seconds << " s";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (WIFSIGNALED(status)) {
    return ::testing::AssertionFailure() << "killed by signal " << WTERMSIG(status);
  }
  switch (WEXITSTATUS(status)) {
    case 0:
      return ::testing::AssertionSuccess();
    case 3:
      return ::testing::AssertionFailure() << "an exception escaped";
    default:
      return ::testing::AssertionFailure() << "wrong result";
  }
}

}  // namespace mt::test
