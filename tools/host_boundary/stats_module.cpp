#include "host_boundary/stats_module.h"

#include "host_boundary/stats_module_platform.h"

namespace zd::host {

namespace {

template <typename Fn>
bool Bind(void* handle, const char* name, Fn& slot) {
  slot = reinterpret_cast<Fn>(LibrarySymbol(handle, name));
  return slot != nullptr;
}

// The path in a message, as UTF-8 (a wide Windows path in any script converts).
std::string Named(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

// Binds every export; the name of the first one missing, or null.
const char* BindAll(void* handle, Exports& x) {
  const char* const* name = kExportNames;
  if (!Bind(handle, *name, x.setVersion)) return *name;
  if (!Bind(handle, *++name, x.GetNumberOfSets)) return *name;
  if (!Bind(handle, *++name, x.GetSetName)) return *name;
  if (!Bind(handle, *++name, x.SetupSet0)) return *name;
  if (!Bind(handle, *++name, x.RunCommand0)) return *name;
  if (!Bind(handle, *++name, x.CheckCall0)) return *name;
  if (!Bind(handle, *++name, x.IsValidExchg0)) return *name;
  if (!Bind(handle, *++name, x.GetExchgCount0)) return *name;
  if (!Bind(handle, *++name, x.AddData0)) return *name;
  if (!Bind(handle, *++name, x.RemoveData0)) return *name;
  if (!Bind(handle, *++name, x.ResetStats0)) return *name;
  if (!Bind(handle, *++name, x.GetResult0)) return *name;
  return nullptr;
}

}  // namespace

std::unique_ptr<StatsModule> StatsModule::Load(const std::filesystem::path& path,
                                               std::string& error, const LoadOptions& options) {
  std::string why;
  void* handle = OpenLibrary(path, why);
  if (!handle) {
    error = Named(path) + ": cannot load the module: " + why;
    return nullptr;
  }
  std::unique_ptr<StatsModule> m(new StatsModule);
  m->path_ = path;
  if (const char* missing = BindAll(handle, m->exports_)) {
    CloseLibrary(handle);
    error = Named(path) + ": the export " + missing + " is missing";
    return nullptr;
  }
  m->handle_ = handle;
  if (options.answerDialogs) m->answerer_ = StartDialogAnswerer();
  return m;
}

StatsModule::~StatsModule() { Unload(); }

void StatsModule::Unload() {
  exports_ = Exports{};
  answerer_.reset();  // no more dialogs are answered once the library is gone
  if (handle_) CloseLibrary(handle_);
  handle_ = nullptr;
}

std::filesystem::path ModuleBesideProgram() { return ProgramFolder() / ModuleFileName(); }

}  // namespace zd::host
