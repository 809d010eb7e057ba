#include <exception>
#include <string>

#include "zorvan_replay/replay.h"
#include "zorvan_replay/replay_platform.h"

int main(int argc, char** argv) {
  try {
    return zd::replay::RunReplay(zd::replay::Utf8Arguments(argc, argv));
  } catch (const std::exception& e) {
    zd::replay::WriteError(std::string("zorvan-replay: ") + e.what() + "\n");
    return 1;
  }
}
