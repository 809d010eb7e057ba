#include "support/stats_library.h"

#include <utility>

namespace zd::test {
namespace {

template <typename Fn>
void Resolve(void* handle, const char* name, Fn& out, std::string& error) {
  out = reinterpret_cast<Fn>(LibrarySymbol(handle, name));
  if (!out) error += std::string(error.empty() ? "" : ", ") + "missing export " + name;
}

}  // namespace

StatsLibrary::StatsLibrary() : StatsLibrary(ProgramFolder() + LibraryFileName()) {}

StatsLibrary::StatsLibrary(std::string path) : path_(std::move(path)) {
  handle_ = OpenLibrary(path_, error_);
  if (!handle_) {
    if (error_.empty()) error_ = "cannot load " + path_;
    return;
  }
  StatsExports& e = exports_;
  Resolve(handle_, "setVersion", e.setVersion, error_);
  Resolve(handle_, "GetNumberOfSets", e.GetNumberOfSets, error_);
  Resolve(handle_, "GetSetName", e.GetSetName, error_);
  Resolve(handle_, "SetupSet0", e.SetupSet0, error_);
  Resolve(handle_, "RunCommand0", e.RunCommand0, error_);
  Resolve(handle_, "CheckCall0", e.CheckCall0, error_);
  Resolve(handle_, "IsValidExchg0", e.IsValidExchg0, error_);
  Resolve(handle_, "GetExchgCount0", e.GetExchgCount0, error_);
  Resolve(handle_, "AddData0", e.AddData0, error_);
  Resolve(handle_, "RemoveData0", e.RemoveData0, error_);
  Resolve(handle_, "ResetStats0", e.ResetStats0, error_);
  Resolve(handle_, "GetResult0", e.GetResult0, error_);
}

StatsLibrary::~StatsLibrary() { Unload(); }

void StatsLibrary::Unload() {
  if (handle_) CloseLibrary(handle_);
  handle_ = nullptr;
  exports_ = StatsExports{};
}

}  // namespace zd::test
