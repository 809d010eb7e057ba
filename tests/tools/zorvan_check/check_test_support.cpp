#include "check_test_support.h"

#include <stdexcept>

#include "platform/ole_date.h"

namespace zd::check::testing {

const replay::CountryFile& SmallCountryFile() {
  static const replay::CountryFile cty = replay::CountryFile::Parse(
      "European Russia: 16: 29: EU: 53.65: -41.37: -4.0: UA:\n"
      "    R,U;\n"
      "Fed. Rep. of Germany: 14: 28: EU: 51.00: -10.00: -1.0: DL:\n"
      "    DA,DL;\n"
      "Czech Republic: 15: 28: EU: 50.00: -16.00: -1.0: OK:\n"
      "    OK,OL;\n"
      "United States: 05: 08: NA: 37.53: 91.67: 5.0: K:\n"
      "    K,N,W;\n"
      "Ukraine: 16: 29: EU: 50.00: -30.00: -2.0: UR:\n"
      "    UR,UT;\n",
      "small-cty");
  return cty;
}

const replay::CountryFile& FullCountryFile() {
  static const replay::CountryFile cty = replay::CountryFile::Load(ZD_CTY_FILE);
  return cty;
}

const host::Exports& TheModule() {
  static const std::unique_ptr<host::StatsModule> module = [] {
    std::string error;
    auto m = host::StatsModule::Load(ZD_STATS_MODULE, error);
    if (!m) throw std::runtime_error(error);
    return m;
  }();
  return module->exports();
}

replay::ReplayLog MakeLog(const std::string& own, const std::vector<Line>& lines) {
  replay::ReplayLog log;
  log.ownCall = own;
  int n = 0;
  for (const Line& l : lines) {
    replay::LogQso q;
    q.call = l.call;
    const int hour = std::stoi(l.time.substr(0, 2)), minute = std::stoi(l.time.substr(3, 2));
    q.time = {2024, 3, 16, hour, minute, 0};
    q.date = *DateFromCivil(2024, 3, 16, hour, minute, 0);
    q.band = l.band;
    q.mode = l.mode;
    q.freqHz = l.band == "40m" ? 7035000 : l.band == "80m" ? 3585000 : 14085000;
    q.rstSent = q.rstRcvd = "599";
    q.exchRcvd = l.exchRcvd;
    q.exchSent = l.exchSent;
    q.stationCall = own;
    q.line = ++n;
    log.qsos.push_back(q);
  }
  return log;
}

ContestLogs MakeContest(const std::vector<replay::ReplayLog>& logs) {
  ContestLogs c;
  for (const replay::ReplayLog& log : logs) {
    AddLog(c, log, log.ownCall + ".cbr", "START-OF-LOG: 3.0\n", SmallCountryFile());
  }
  return c;
}

}  // namespace zd::check::testing
