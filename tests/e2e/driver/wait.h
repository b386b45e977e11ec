// Waiting for a condition with a deadline, while the driver's own windows keep being served.
#pragma once

#include <functional>

namespace e2e {

// Timeouts leave headroom for a busy two-core machine; a passing run never waits them out.
constexpr unsigned kStartTimeoutMs = 30000;
constexpr unsigned kTimeoutMs = 10000;
// Wine returns from MessageBox about 2.4 s after the box is gone; an exit may follow a box.
constexpr unsigned kExitTimeoutMs = 15000;

// Polls the condition until it holds or the time is up; returns whether it held.
bool waitUntil(const std::function<bool()>& condition, unsigned timeoutMs = kTimeoutMs);

// Serves the driver's own windows for a while; for holding a key, not for waiting on the program.
void pumpFor(unsigned milliseconds);

}  // namespace e2e
