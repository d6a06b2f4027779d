// Runs a file write in a child process that is killed at a chosen step of the
// atomic writer, so tests can check what a crash at that moment leaves.
#pragma once

#include <functional>

namespace balancer::test {

enum class KilledWrite {
  kKilled,    // the child died at the step
  kFinished,  // the write was over before the step was reached
  kFailed,    // the child could not be run or ended some other way
};

// Forks; the child sets the write step hook so that it kills itself with
// SIGKILL when it reaches step `step`, runs `write`, and exits 0.
KilledWrite RunWriteKilledAtStep(int step, const std::function<void()>& write);

// Calls `reset` and then kills a child running `write` at step 0, 1, 2, ...
// until the write finishes; after each kill `check` is called (with the step).
// Returns the number of steps at which the child was killed.
int KillAtEveryStep(const std::function<void()>& reset, const std::function<void()>& write,
                    const std::function<void(int step)>& check);

}  // namespace balancer::test
