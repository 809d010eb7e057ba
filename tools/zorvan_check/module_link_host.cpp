// ModuleLink through the replay's loader of the module and its twelve exports.
#include "engine/stats_exports.h"
#include "zorvan_check/module_link.h"
#include "zorvan_replay/host_module.h"

namespace zd::check {
namespace {

class HostModuleLink final : public ModuleLink {
 public:
  explicit HostModuleLink(std::unique_ptr<replay::HostModule> module)
      : module_(std::move(module)), x_(module_->exports()) {}

  void Reset(const std::string& ownCall, const std::string& prefix, const std::string& continent,
             double start, double end) override {
    ZdHostDateTime s{start, 0}, e{end, 0};
    x_.ResetStats0(".\\", 0, ownCall.c_str(), &s, &e, "", "", "", "", "", "", "", "", "",
                   prefix.c_str(), 0, 0, 0, 0.0, 0.0, "", continent.c_str(), "");
  }

  bool Add(const std::string& ownCall, const ModuleQso& q) override {
    ZdHostDateTime t{q.date, 0};
    return x_.AddData0(ownCall.c_str(), q.call, &t, &t, &t, &t, 0, q.freqHz, q.mode, q.rstSent,
                       q.rstRcvd, q.exchSent, q.exchRcvd, "", "", "", "", "", "", "", "", "",
                       q.prefix, 0, 0, 0, 0.0, 0.0, "", q.continent, "", q.band, "") != 0;
  }

  std::string Result() override {
    int status = 0;
    const char* text = x_.GetResult0(&status);
    return text ? text : "";
  }

 private:
  std::unique_ptr<replay::HostModule> module_;
  const replay::StatsExports& x_;
};

}  // namespace

std::unique_ptr<ModuleLink> LoadModuleLink(const std::string& libPath, std::string& error) {
  auto module = replay::HostModule::Load(libPath, error);
  if (!module) return nullptr;
  const replay::StatsExports& x = module->exports();
  if (x.GetNumberOfSets() < 1 || x.GetSetName(0) == nullptr) {
    error = libPath + ": the module offers no contest";
    return nullptr;
  }
  return std::make_unique<HostModuleLink>(std::move(module));
}

}  // namespace zd::check
