#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "zorvan_replay/replay.h"

int main(int argc, char** argv) {
  try {
    return zd::replay::RunReplay(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zorvan-replay: %s\n", e.what());
    return 1;
  }
}
