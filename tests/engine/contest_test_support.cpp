#include "engine/contest_test_support.h"

#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>

#include "engine/ole_date.h"

namespace zd::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() : previous_(fs::current_path()) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = fs::temp_directory_path() / ("zd-test-" + std::to_string(random()) +
                                                            "-" + std::to_string(attempt));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      path_ = fs::canonical(candidate);
      fs::current_path(path_);
      return;
    }
  }
  throw std::runtime_error("no temporary folder could be created");
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::current_path(previous_, ec);
  fs::remove_all(path_, ec);
}

std::string ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const fs::path& path, std::string_view bytes) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

double Utc(int year, int month, int day, int hour, int minute, int second) {
  const auto date = DateFromCivil(year, month, day, hour, minute, second);
  if (!date) throw std::invalid_argument("no such calendar time");
  return *date;
}

OleDateTime At(int hour, int minute, int second) {
  return OleDateTime{Utc(2022, 3, 19, hour, minute, second), kDateValid};
}

QsoArgs Qso::Args() const {
  QsoArgs a;
  a.ownCall = ownCall;
  a.call = call;
  a.time = time;
  a.freqHz = freqHz;
  a.mode = mode;
  a.rstSent = rstSent;
  a.rstRcvd = rstRcvd;
  a.exchSent = exchSent;
  a.exchRcvd = exchRcvd;
  a.prefix = prefix;
  a.continent = continent;
  a.band = band;
  return a;
}

int ContestTest::DoReset(const Reset& r) {
  ResetArgs a;
  a.pathPrefix = r.pathPrefix;
  a.newContest = r.newContest;
  a.ownCall = r.ownCall;
  a.start = r.start;
  a.end = r.end;
  a.ownPrefix = r.ownPrefix;
  a.ownContinent = r.ownContinent;
  return contest.ResetStats(a);
}

}  // namespace zd::test
