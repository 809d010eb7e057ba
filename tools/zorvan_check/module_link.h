// The contest module as this tool drives it: one contest at a time, reset, fed QSO by
// QSO, asked for its result. The only place that knows how the module is loaded and
// called; everything else of the cross-check sees this small interface.
#pragma once

#include <memory>
#include <string>

namespace zd::check {

// One QSO as the host hands it over (texts as NUL-terminated strings).
struct ModuleQso {
  const char* call = "";
  double date = 0.0;
  unsigned freqHz = 0;
  const char* mode = "";
  const char* rstSent = "";
  const char* rstRcvd = "";
  const char* exchSent = "";
  const char* exchRcvd = "";
  const char* prefix = "";
  const char* continent = "";
  const char* band = "";
};

class ModuleLink {
 public:
  virtual ~ModuleLink() = default;
  // A contest reset for one station (no export pass: no Cabrillo file, no dialog).
  virtual void Reset(const std::string& ownCall, const std::string& prefix,
                     const std::string& continent, double start, double end) = 0;
  // True when the module stored the QSO.
  virtual bool Add(const std::string& ownCall, const ModuleQso& q) = 0;
  // The module's text summary.
  virtual std::string Result() = 0;
};

// Loads the module (libStats.so, or Stats.dll on Windows); empty with `error` set.
std::unique_ptr<ModuleLink> LoadModuleLink(const std::string& libPath, std::string& error);

}  // namespace zd::check
