// Windows has no copies of a running process: the one process scores every log.
#include "zorvan_check/scoring_pool.h"

namespace zd::check {

long long ForkWorker(void (*)(void*), void*) { return -1; }
bool JoinWorker(long long) { return true; }

}  // namespace zd::check
