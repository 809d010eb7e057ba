// The built module offers the host its twelve functions under their plain names.
#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

const char* const kExportNames[] = {
    "setVersion",    "GetNumberOfSets", "GetSetName", "SetupSet0",   "RunCommand0", "CheckCall0",
    "IsValidExchg0", "GetExchgCount0",  "AddData0",   "RemoveData0", "ResetStats0", "GetResult0"};

class LoadedModule {
 public:
  explicit LoadedModule(std::string path) {
#ifdef _WIN32
    // Under Wine the build path is a Unix path: it lies on drive Z:.
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path) {
      if (c == '/') c = '\\';
    }
    handle_ = LoadLibraryA(path.c_str());
#else
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
  }
  ~LoadedModule() {
    if (!handle_) return;
#ifdef _WIN32
    FreeLibrary(static_cast<HMODULE>(handle_));
#else
    dlclose(handle_);
#endif
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  bool loaded() const { return handle_ != nullptr; }
  void* Find(const char* name) const {
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
#else
    return dlsym(handle_, name);
#endif
  }

 private:
  void* handle_ = nullptr;
};

TEST(ExportTable, PlainNamesOfTheBuiltModule) {
  LoadedModule stats(ZD_STATS_MODULE);
  ASSERT_TRUE(stats.loaded()) << ZD_STATS_MODULE;
  for (const char* name : kExportNames) EXPECT_NE(stats.Find(name), nullptr) << name;

  using SetName = const char* (*)(int);
  using Count = int (*)();
  const auto getSetName = reinterpret_cast<SetName>(stats.Find("GetSetName"));
  const auto getNumberOfSets = reinterpret_cast<Count>(stats.Find("GetNumberOfSets"));
  ASSERT_NE(getSetName, nullptr);
  ASSERT_NE(getNumberOfSets, nullptr);
  EXPECT_EQ(std::string(getSetName(0)), "ZORVAN-DIGI (C)");
  EXPECT_EQ(std::string(getSetName(3)), "");
  EXPECT_EQ(getNumberOfSets(), 1);
}

}  // namespace
