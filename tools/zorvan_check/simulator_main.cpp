// zorvan-contest-sim [--seed N] [--stations N] [--lines N] LOGS_DIR [TRUTH.csv]
// Writes a simulated contest's logs into LOGS_DIR and, when asked, what every QSO line
// should be found to be (station, line in its log, finding) into TRUTH.csv.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "zorvan_check/check_run.h"
#include "zorvan_check/simulator.h"

int main(int argc, char** argv) {
  zd::check::SimSettings s;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto number = [&](auto& target) {
      if (i + 1 >= argc) return false;
      target = static_cast<std::remove_reference_t<decltype(target)>>(std::stoll(argv[++i]));
      return true;
    };
    bool ok = true;
    if (a == "--seed") {
      ok = number(s.seed);
    } else if (a == "--stations") {
      ok = number(s.stations);
    } else if (a == "--lines") {
      ok = number(s.linesPerStation);
    } else if (!a.empty() && a[0] == '-') {
      ok = false;
    } else {
      files.push_back(a);
    }
    if (!ok || files.size() > 2) {
      std::fputs(
          "Usage: zorvan-contest-sim [--seed N] [--stations N] [--lines N] LOGS_DIR [TRUTH.csv]\n",
          stderr);
      return 2;
    }
  }
  if (files.empty() || s.stations < 2 || s.linesPerStation < 1) {
    std::fputs(
        "Usage: zorvan-contest-sim [--seed N] [--stations N] [--lines N] LOGS_DIR [TRUTH.csv]\n",
        stderr);
    return 2;
  }
  try {
    const zd::check::SimContest sim = zd::check::SimulateContest(s, files[0]);
    if (files.size() == 2) {
      std::ofstream truth(files[1], std::ios::binary);
      truth << "station,line,finding\n";
      for (const auto& [call, lines] : sim.truth) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
          truth << call << "," << i + 1 << "," << zd::check::FindingOption(lines[i].expected)
                << "\n";
        }
      }
    }
    std::fprintf(stderr, "zorvan-contest-sim: %zu logs with %lld QSO lines in %s\n",
                 sim.files.size(), static_cast<long long>(sim.lines), files[0].c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zorvan-contest-sim: %s\n", e.what());
    return 1;
  }
  return 0;
}
