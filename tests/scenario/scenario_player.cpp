// Plays a scenario through the module's exports as a host would and writes a transcript
// of every call's result and out-buffers. The same scenario played against the headless
// libStats.so and against Stats.dll under Wine must leave the same transcript and the
// same files (report, settings, Cabrillo) behind.
//
//   scenario_player SCENARIO OUTPUT_FOLDER [--expect EXPECTED_FOLDER]
//
// OUTPUT_FOLDER becomes the host's working folder (with a Plugins subfolder); the
// transcript goes to transcript.txt in it. With --expect, every file of the output folder
// must equal the file of the same name in EXPECTED_FOLDER, byte for byte, and the two
// folders must hold the same files. To renew the expected folder, play the scenario
// natively into it.
//
// Scenario lines (fields separated by "|"; "~" stands for a null pointer where the host
// may pass one; "#" starts a comment line, copied to the transcript):
//   file|PATH|TEXT                   write a file; TEXT takes \r \n \t \\ \xHH escapes
//   reset|NEW|CALL|PREFIX|CONTINENT|START|END      ResetStats0, path prefix "" (this folder)
//   add|CALL|TIME|FREQ_HZ|MODE|RST_SENT|RST_RCVD|EXCH_SENT|EXCH_RCVD|PREFIX|CONTINENT|BAND
//   remove|<as add>                  AddData0 / RemoveData0, own call from the last reset
//   check|CALL|MODE|PREFIX|CONTINENT|REGION|BAND|BAND2|EXCH_BUFFER   CheckCall0; BAND2 and
//                                    EXCH_BUFFER may be ~ (EXCH_BUFFER otherwise "buf")
//   valid|EXCH|CALL|PREFIX           IsValidExchg0
//   result                           GetResult0
//   version|TEXT                     setVersion
//   sets                             GetNumberOfSets, GetSetName(0), (1), (-1)
//   exchcount                        GetExchgCount0
//   command|TEXT                     RunCommand0 (not SHOWINFO: no windows in a scenario)
// TIME is "YYYY-MM-DD HH:MM", "invalid", "null", or "now" with an optional offset such as
// "now-90s", "now-2m" or "now+1h": "now" is read once when the player starts, so
// differences between such times do not depend on the wall clock. Text and fields are
// bytes (code page 1251 where Cyrillic occurs), written as \xHH in the scenario.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "host_boundary/host_calls.h"
#include "scenario/dialog_confirmer.h"

namespace fs = std::filesystem;

namespace zd::test {
namespace {

using namespace host;

constexpr unsigned char kSentinel = 0xA5;
constexpr std::size_t kHostBuffer = 100;  // what the host's buffers hold
constexpr std::size_t kGuardedBuffer = 256;

struct Failure {
  std::string what;
};

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const auto bar = line.find('|', start);
    fields.push_back(
        line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) return fields;
    start = bar + 1;
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The control characters written as a letter after a backslash.
constexpr std::pair<char, char> kLetterEscapes[] = {{'r', '\r'}, {'n', '\n'}, {'t', '\t'}};

// \r \n \t \\ \| and \xHH.
std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char c = s[++i];
    const auto letter = std::find_if(std::begin(kLetterEscapes), std::end(kLetterEscapes),
                                     [c](const auto& e) { return e.first == c; });
    if (letter != std::end(kLetterEscapes)) {
      out += letter->second;
    } else if (c == 'x' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2]));
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

// Bytes as printable ASCII: control and non-ASCII bytes as escapes.
std::string Escape(std::string_view s) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    const auto letter = std::find_if(std::begin(kLetterEscapes), std::end(kLetterEscapes),
                                     [ch](const auto& e) { return e.second == ch; });
    if (c == '\\' || c == '"') {
      out += '\\';
      out += ch;
    } else if (letter != std::end(kLetterEscapes)) {
      out += '\\';
      out += letter->first;
    } else if (c < 0x20 || c >= 0x7F) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// A line as it stands, only its control and non-ASCII bytes escaped.
std::string Printable(std::string_view s) {
  std::string out;
  for (const char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    out += (c < 0x20 || c >= 0x7F) ? Escape(std::string_view(&ch, 1)) : std::string(1, ch);
  }
  return out;
}

std::string Quoted(std::string_view s) { return "\"" + Escape(s) + "\""; }

// A text of the module as transcript lines, one per line of the text.
std::string Block(std::string_view text) {
  std::string out;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto nl = text.find('\n', start);
    const std::size_t end = nl == std::string_view::npos ? text.size() : nl + 1;
    out += "| " + Escape(text.substr(start, end - start)) + "\n";
    start = end;
  }
  return out;
}

class Player {
 public:
  Player(const Exports& e, double now) : e_(e), now_(now) {}

  std::string Play(const std::string& line) {
    const std::vector<std::string> f = Split(line);
    const std::string& op = f[0];
    auto need = [&](std::size_t n) {
      if (f.size() != n + 1) {
        throw Failure{op + " takes " + std::to_string(n) + " fields, got " +
                      std::to_string(f.size() - 1)};
      }
    };
    if (op == "file") {
      need(2);
      std::string path = f[1];
#ifndef _WIN32
      for (char& c : path) {
        if (c == '\\') c = '/';
      }
#endif
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out << Unescape(f[2]);
      if (!out) throw Failure{"cannot write " + f[1]};
      return "";
    }
    if (op == "reset") {
      need(6);
      Reset r;
      r.newContest = std::stoi(f[1]);
      r.ownCall = Unescape(f[2]);
      r.ownPrefix = f[3];
      r.ownContinent = f[4];
      r.start = Time(f[5]);
      r.end = Time(f[6]);
      ownCall_ = r.ownCall;
      return "= " + std::to_string(ResetContest(e_, r)) + "\n";
    }
    if (op == "add" || op == "remove") {
      need(11);
      Qso q;
      q.ownCall = ownCall_;
      q.call = Unescape(f[1]);
      q.time = Time(f[2]);
      q.freqHz = static_cast<unsigned>(std::stoul(f[3]));
      q.mode = f[4];
      q.rstSent = f[5];
      q.rstRcvd = f[6];
      q.exchSent = Unescape(f[7]);
      q.exchRcvd = Unescape(f[8]);
      q.prefix = f[9];
      q.continent = f[10];
      q.band = f[11];
      const int r = op == "add" ? AddQso(e_, q) : RemoveQso(e_, q);
      return "= " + std::to_string(r) + "\n";
    }
    if (op == "check") {
      need(8);
      return Check(f);
    }
    if (op == "valid") {
      need(3);
      const std::string exch = Unescape(f[1]), call = Unescape(f[2]);
      return "= " + std::to_string(ValidExchange(e_, exch, call, f[3])) + "\n";
    }
    if (op == "result") {
      need(0);
      int status = 0;
      const char* text = e_.GetResult0(&status);
      return "= status " + std::to_string(status) + "\n" + Block(text ? text : "<null>");
    }
    if (op == "version") {
      need(1);
      return "= " + std::to_string(e_.setVersion(f[1].c_str())) + "\n";
    }
    if (op == "sets") {
      need(0);
      return "= " + std::to_string(e_.GetNumberOfSets()) + " " + Name(e_.GetSetName(0)) + " " +
             Name(e_.GetSetName(1)) + " " + Name(e_.GetSetName(-1)) + "\n";
    }
    if (op == "exchcount") {
      need(0);
      return "= " + std::to_string(e_.GetExchgCount0("", "", "")) + "\n";
    }
    if (op == "command") {
      need(1);
      if (f[1] == "SHOWINFO") throw Failure{"a scenario opens no windows"};
      return "= " + Name(e_.RunCommand0(0, f[1].c_str())) + "\n";
    }
    throw Failure{"unknown command " + op};
  }

 private:
  static std::string Name(const char* text) { return text ? Quoted(text) : "<null>"; }

  HostDateTime Time(const std::string& t) const {
    if (t == "invalid") return HostDateTime{0.0, kInvalidStatus};
    if (t == "null") return HostDateTime{0.0, kNullStatus};
    if (t.rfind("now", 0) == 0) {
      if (t.size() == 3) return ValidTime(now_);
      const char sign = t[3];
      const char unit = t.back();
      const std::string digits = t.size() > 5 ? t.substr(4, t.size() - 5) : "";
      if ((sign != '-' && sign != '+') || (unit != 's' && unit != 'm' && unit != 'h') ||
          digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
        throw Failure{"bad time " + t};
      }
      const long seconds = std::stol(digits) * (unit == 'h' ? 3600 : unit == 'm' ? 60 : 1);
      return ValidTime(now_ + (sign == '-' ? -seconds : seconds) / 86400.0);
    }
    const auto date = ParseHostDate(t);
    if (!date) throw Failure{"bad time " + t};
    return ValidTime(*date);
  }

  // A guarded buffer: the host's 100 bytes and more, all set to a sentinel byte first.
  static std::string Describe(const std::vector<unsigned char>& buffer) {
    bool touched = false, overrun = false;
    for (std::size_t i = 0; i < buffer.size(); ++i) {
      if (buffer[i] == kSentinel) continue;
      touched = true;
      if (i >= kHostBuffer) overrun = true;
    }
    if (!touched) return "untouched";
    if (overrun) return "OVERRUN";
    const auto* text = reinterpret_cast<const char*>(buffer.data());
    const std::size_t n = strnlen(text, kHostBuffer);
    if (n == kHostBuffer) return "UNTERMINATED";
    return Quoted(std::string_view(text, n)) + " (" + std::to_string(n) + ")";
  }

  std::string Check(const std::vector<std::string>& f) {
    const std::string call = Unescape(f[1]);
    const bool band2 = f[7] != "~";
    const bool exchBuffer = f[8] != "~";
    if (exchBuffer && f[8] != "buf") throw Failure{"EXCH_BUFFER is buf or ~"};
    std::vector<unsigned char> exch(kGuardedBuffer, kSentinel), message(kGuardedBuffer, kSentinel);
    RawCheck c;
    c.call = call.c_str();
    c.mode = f[2].c_str();
    c.prefix = f[3].c_str();
    c.continent = f[4].c_str();
    c.region = f[5].c_str();
    c.band = f[6].c_str();
    c.secondBand = band2 ? f[7].c_str() : nullptr;
    c.exchangeOut = exchBuffer ? reinterpret_cast<char*>(exch.data()) : nullptr;
    c.messageOut = reinterpret_cast<char*>(message.data());
    const int r = CheckCallRaw(e_, c);
    return "= " + std::to_string(r) + " exch=" + (exchBuffer ? Describe(exch) : "~") +
           " msg=" + Describe(message) + "\n";
  }

  const Exports& e_;
  double now_;
  std::string ownCall_;
};

// The output folder: created, or emptied when it holds an earlier run (a transcript).
void PrepareOutputFolder(const fs::path& out) {
  std::error_code ec;
  if (fs::exists(out, ec)) {
    const bool empty = fs::is_empty(out, ec);
    if (!empty && !fs::exists(out / "transcript.txt", ec)) {
      throw Failure{out.string() + " holds files of something else; not touching it"};
    }
    fs::remove_all(out, ec);
    if (ec) throw Failure{"cannot empty " + out.string() + ": " + ec.message()};
  }
  fs::create_directories(out / "Plugins", ec);
  if (ec) throw Failure{"cannot create " + out.string() + ": " + ec.message()};
}

std::string ReadBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> RelativeFiles(const fs::path& root) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root).generic_string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Differences between the output and the expected folder, empty when there are none.
std::string Compare(const fs::path& out, const fs::path& expected) {
  std::string report;
  const auto got = RelativeFiles(out), want = RelativeFiles(expected);
  for (const auto& name : want) {
    if (std::find(got.begin(), got.end(), name) == got.end()) report += "missing: " + name + "\n";
  }
  for (const auto& name : got) {
    if (std::find(want.begin(), want.end(), name) == want.end()) {
      report += "not expected: " + name + "\n";
      continue;
    }
    const std::string a = ReadBytes(out / name), b = ReadBytes(expected / name);
    if (a == b) continue;
    // The first line that differs, both ways.
    std::size_t at = 0, line = 1;
    while (at < a.size() && at < b.size() && a[at] == b[at]) {
      if (a[at] == '\n') ++line;
      ++at;
    }
    auto lineAround = [at](const std::string& s) {
      const std::size_t from = s.rfind('\n', at == 0 ? 0 : at - 1);
      const std::size_t begin = from == std::string::npos || at == 0 ? 0 : from + 1;
      const std::size_t end = s.find('\n', begin);
      return Printable(
          s.substr(begin, end == std::string::npos ? std::string::npos : end - begin + 1));
    };
    report += "differs: " + name + " at line " + std::to_string(line) +
              "\n  got:      " + lineAround(a) + "\n  expected: " + lineAround(b) + "\n";
  }
  return report;
}

int Main(int argc, char** argv) {
  if (argc != 3 && !(argc == 5 && std::string(argv[3]) == "--expect")) {
    std::cerr << "usage: scenario_player SCENARIO OUTPUT_FOLDER [--expect EXPECTED_FOLDER]\n";
    return 2;
  }
  const fs::path scenarioPath = fs::absolute(argv[1]);
  const fs::path out = fs::absolute(argv[2]);
  std::ifstream scenario(scenarioPath, std::ios::binary);
  if (!scenario) throw Failure{"cannot read " + scenarioPath.string()};
  PrepareOutputFolder(out);

  std::string transcript;
  std::vector<std::string> dialogs;
  {
    std::string error;
    const auto library = StatsModule::Load(ModuleBesideProgram(), error);
    if (!library) throw Failure{error};
    const fs::path previous = fs::current_path();
    fs::current_path(out);
    const double now = NowHostDate();
    auto confirmer = StartDialogConfirmer();
    Player player(library->exports(), now);
    std::string line;
    int number = 0;
    while (std::getline(scenario, line)) {
      ++number;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty()) {
        transcript += "\n";
        continue;
      }
      if (line[0] == '#') {
        transcript += line + "\n";
        continue;
      }
      transcript += "> " + line + "\n";
      try {
        transcript += player.Play(line);
      } catch (const Failure& f) {
        throw Failure{scenarioPath.filename().string() + ":" + std::to_string(number) + ": " +
                      f.what};
      } catch (const std::exception& x) {
        throw Failure{scenarioPath.filename().string() + ":" + std::to_string(number) + ": " +
                      x.what()};
      }
    }
    dialogs = confirmer->Log();
    confirmer.reset();
    fs::current_path(previous);
  }  // the library is unloaded before the files are compared

  {
    std::ofstream t(out / "transcript.txt", std::ios::binary | std::ios::trunc);
    t << transcript;
  }
  for (const auto& d : dialogs) std::cout << "dialog: " << d << "\n";
  if (argc == 5) {
    const std::string differences = Compare(out, fs::absolute(argv[4]));
    if (!differences.empty()) {
      std::cerr << "The run in " << out.string() << " differs from " << argv[4] << ":\n"
                << differences;
      return 1;
    }
    std::cout << "same transcript and files as " << argv[4] << "\n";
  }
  return 0;
}

}  // namespace
}  // namespace zd::test

int main(int argc, char** argv) {
  try {
    return zd::test::Main(argc, argv);
  } catch (const zd::test::Failure& f) {
    std::cerr << "scenario_player: " << f.what << "\n";
  } catch (const std::exception& x) {
    std::cerr << "scenario_player: " << x.what() << "\n";
  }
  return 2;
}
