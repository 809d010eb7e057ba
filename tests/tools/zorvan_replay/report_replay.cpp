#include "report_replay.h"

#include "host_boundary/host_calls.h"
#include "platform/files.h"
#include "zorvan_replay/replay.h"

namespace zd::replay::test {

std::unique_ptr<host::StatsModule> ModuleReplay::module_;

std::string Adif(const std::string& call, const std::string& time, const std::string& band,
                 const std::string& mode, const std::string& rcvd, const std::string& sent) {
  const auto field = [](const char* name, const std::string& value) {
    return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + value + " ";
  };
  const bool psk = mode == "BPSK63";
  return field("CALL", call) + field("QSO_DATE", "20240316") + field("TIME_ON", time) +
         field("BAND", band) + field("MODE", psk ? "PSK" : mode) +
         (psk ? field("SUBMODE", "PSK63") : std::string()) + field("RST_SENT", "599") +
         field("RST_RCVD", "599") + field("STX_STRING", sent) + field("SRX_STRING", rcvd) +
         field("STATION_CALLSIGN", "R3DZV") + "<EOR>\n";
}

const CountryFile& SmallCountryFile() {
  static const CountryFile cty = CountryFile::Parse(
      "Fed. Rep. of Germany:     14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"
      "    DA,DB,DC,DD,DE,DF,DG,DH,DI,DJ,DK,DL;\n"
      "European Russia:          16:  29:  EU:   53.65:   -41.37:    -4.0:  UA:\n"
      "    R,U;\n"
      "Kaliningrad:              15:  29:  EU:   54.72:   -20.52:    -3.0:  UA2:\n"
      "    R2F,UA2;\n"
      "Asiatic Russia:           17:  30:  AS:   55.88:   -84.08:    -7.0:  UA9:\n"
      "    R8,R9,R0,RA9,UA0,UA9;\n"
      "United States:            05:  08:  NA:   37.53:    91.67:     5.0:  K:\n"
      "    AA,K,N,W;\n"
      "Japan:                    25:  45:  AS:   36.40:  -138.38:    -9.0:  JA:\n"
      "    JA,JH,JR;\n",
      "small-cty.dat");
  return cty;
}

void ModuleReplay::SetUpTestSuite() {
  std::string error;
  module_ = host::StatsModule::Load(host::ModuleBesideProgram(), error);
  ASSERT_TRUE(module_) << error;
}

void ModuleReplay::TearDownTestSuite() { module_.reset(); }

std::unique_ptr<Replayed> ModuleReplay::Replay(const std::string& records, const CountryFile& cty,
                                               const std::string& specialCalls,
                                               const std::vector<std::string>& knownCalls) {
  auto r = std::make_unique<Replayed>();
  r->log = ParseAdif("hand-made log\n<EOH>\n" + records, "test.adi");
  zd::test::TempFolder folder(zd::test::TempFolder::kWithPlugins);
  // "Start" armed: the reset opens no control window (Windows).
  zd::test::WriteFileBytes("Plugins/ZORVAN-DIGI.ini", "[Settings]\r\nStart=1\r\n");
  if (!specialCalls.empty()) zd::test::WriteFileBytes("Plugins/call_special.dat", specialCalls);
  const host::Exports& x = module_->exports();
  const auto [first, last] = ContestSpan(r->log);
  host::Reset reset;
  reset.pathPrefix = ".\\";
  reset.ownCall = "R3DZV";
  reset.start = host::ValidTime(first->date);
  reset.end = host::ValidTime(last->date);
  reset.ownPrefix = "UA";
  reset.ownContinent = "EU";
  host::ResetContest(x, reset);

  AnalysisInput& in = r->in;
  in.ownCall = "R3DZV";
  in.ownPrefix = "UA";
  in.ownContinent = "EU";
  for (const LogQso& q : r->log.qsos) {
    HostQso h;
    h.qso = &q;
    if (const auto c = cty.Resolve(q.call)) {
      h.prefix = c->prefix;
      h.continent = c->continent;
    }
    in.qsos.push_back(std::move(h));
  }
  RunSettings settings;
  settings.checkEachCall = true;
  settings.hourlySummaries = true;
  r->run = RunThroughModule(x, "R3DZV", in.qsos, BadQsoReportName(last->time), settings);
  in.verdicts = r->run.verdicts;
  in.summary = ParseModuleSummary(r->run.summary);
  in.hourly = r->run.hourly;
  if (!specialCalls.empty()) in.specialCalls = SplitTextLines(specialCalls);
  r->knownCalls.insert(knownCalls.begin(), knownCalls.end());
  if (!knownCalls.empty()) in.knownCalls = &r->knownCalls;
  r->a = Analyse(in);
  return r;
}

}  // namespace zd::replay::test
