#include <string>
#include <vector>

#include "zorvan_check/check_run.h"

int main(int argc, char** argv) {
  return zd::check::RunCheck(std::vector<std::string>(argv + 1, argv + argc));
}
