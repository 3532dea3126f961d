#pragma once
// Tests wait on the condition they need, never on the clock: a busy machine may make them slower,
// never make them fail.
#include <QTest>
#include <utility>

namespace kelvane::test {

inline constexpr int kGenerousWaitMs = 10'000;

// Runs events until `done()` holds; false if it still does not after `timeoutMs`.
template <typename Predicate>
bool WaitUntil(Predicate&& done, int timeoutMs = kGenerousWaitMs) {
  return QTest::qWaitFor(std::forward<Predicate>(done), timeoutMs);
}

}  // namespace kelvane::test
