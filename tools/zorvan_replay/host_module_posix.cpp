// Loading the module with dlopen.
#include <dlfcn.h>

#include "zorvan_replay/host_module.h"

namespace zd::replay {

struct HostModule::Platform {
  void* handle = nullptr;
};

std::unique_ptr<HostModule> HostModule::Load(const std::string& path, std::string& error) {
  dlerror();
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* e = dlerror();
    error = e ? e : ("cannot load " + path);
    return nullptr;
  }
  std::unique_ptr<HostModule> m(new HostModule);
  m->platform_ = std::make_unique<Platform>();
  m->platform_->handle = handle;
  bool ok = true;
  auto bind = [&](auto& fn, const char* name) {
    void* p = dlsym(handle, name);
    if (!p) {
      if (ok) error = path + ": the export " + name + " is missing";
      ok = false;
    }
    fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(p);
  };
  StatsExports& x = m->exports_;
  bind(x.setVersion, "setVersion");
  bind(x.GetNumberOfSets, "GetNumberOfSets");
  bind(x.GetSetName, "GetSetName");
  bind(x.SetupSet0, "SetupSet0");
  bind(x.RunCommand0, "RunCommand0");
  bind(x.CheckCall0, "CheckCall0");
  bind(x.IsValidExchg0, "IsValidExchg0");
  bind(x.GetExchgCount0, "GetExchgCount0");
  bind(x.AddData0, "AddData0");
  bind(x.RemoveData0, "RemoveData0");
  bind(x.ResetStats0, "ResetStats0");
  bind(x.GetResult0, "GetResult0");
  if (!ok) return nullptr;
  return m;
}

HostModule::~HostModule() {
  if (platform_ && platform_->handle) dlclose(platform_->handle);
}

}  // namespace zd::replay
