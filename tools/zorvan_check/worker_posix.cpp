// Workers as copies of this process (fork): each has its own copy of the loaded module
// and its own current folder.
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <exception>

#include "zorvan_check/scoring_pool.h"

namespace zd::check {

long long ForkWorker(void (*body)(void*), void* context) {
  std::fflush(nullptr);  // nothing buffered is written twice
  const pid_t pid = fork();
  if (pid != 0) return pid;  // the parent, or -1 when no copy could be made
  int status = 0;
  try {
    body(context);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zorvan-check: scoring worker: %s\n", e.what());
    status = 1;
  } catch (...) {
    status = 1;
  }
  std::fflush(nullptr);
  _exit(status);
}

bool JoinWorker(long long handle) {
  int status = 0;
  while (waitpid(static_cast<pid_t>(handle), &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace zd::check
