#include "support/killed_write.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "records/atomic_file.h"

namespace balancer::test {

#ifndef _WIN32
namespace {

int killStep = -1;

void KillAtStep(int step) {
  if (step == killStep) raise(SIGKILL);
}

}  // namespace

KilledWrite RunWriteKilledAtStep(int step, const std::function<void()>& write) {
  pid_t child = fork();
  if (child < 0) return KilledWrite::kFailed;
  if (child == 0) {
    killStep = step;
    SetWriteStepHook(KillAtStep);
    write();
    _exit(0);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) return KilledWrite::kFailed;
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) return KilledWrite::kKilled;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return KilledWrite::kFinished;
  return KilledWrite::kFailed;
}

int KillAtEveryStep(const std::function<void()>& reset, const std::function<void()>& write,
                    const std::function<void(int step)>& check) {
  int kills = 0;
  for (int step = 0; step < 1000; ++step) {
    reset();
    KilledWrite result = RunWriteKilledAtStep(step, write);
    if (result != KilledWrite::kKilled) break;
    ++kills;
    check(step);
  }
  return kills;
}
#else
KilledWrite RunWriteKilledAtStep(int, const std::function<void()>&) {
  return KilledWrite::kFailed;
}
int KillAtEveryStep(const std::function<void()>&, const std::function<void()>&,
                    const std::function<void(int)>&) {
  return 0;
}
#endif

}  // namespace balancer::test
