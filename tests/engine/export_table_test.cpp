// The built module offers the host its twelve functions under their plain names and, in
// the Windows build, under their decorated names too, and nothing else.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/export_names.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

using zd::test::kExportNames;

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
#ifdef _WIN32
  // The names in the loaded module's export directory.
  std::set<std::string> ExportedNames() const {
    const auto* base = static_cast<const unsigned char*>(handle_);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::set<std::string> names;
    if (dir.Size == 0) return names;
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    const auto* rvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
      names.insert(reinterpret_cast<const char*>(base + rvas[i]));
    }
    return names;
  }
#endif
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
  for (const auto& name : kExportNames) EXPECT_NE(stats.Find(name.plain), nullptr) << name.plain;
#ifdef _WIN32
  std::set<std::string> expected;
  for (const auto& name : kExportNames) {
    expected.insert(name.plain);
    expected.insert(name.decorated);
    EXPECT_EQ(stats.Find(name.decorated), stats.Find(name.plain)) << name.decorated;
  }
  EXPECT_EQ(stats.ExportedNames(), expected);
#endif

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
