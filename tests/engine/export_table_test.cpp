// The built module offers the host its twelve functions under their plain names and, in
// the Windows build, under their decorated names too, and nothing else.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "host_boundary/stats_module.h"
#include "support/export_names.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using zd::host::StatsModule;

TEST(ExportTable, PlainNamesOfTheBuiltModule) {
  // Loading binds all twelve by their plain names, or names the one that is missing.
  std::string error;
  const auto stats = StatsModule::Load(zd::host::ModuleBesideProgram(), error);
  ASSERT_TRUE(stats) << error;
  EXPECT_EQ(std::string(stats->exports().GetSetName(0)), "ZORVAN-DIGI (C)");
  EXPECT_EQ(std::string(stats->exports().GetSetName(3)), "");
  EXPECT_EQ(stats->exports().GetNumberOfSets(), 1);
#ifdef _WIN32
  // The export directory of the loaded module: the plain names and the decorated ones,
  // each decorated name at the address of its plain name.
  const auto* base = reinterpret_cast<const unsigned char*>(GetModuleHandleW(L"Stats.dll"));
  ASSERT_NE(base, nullptr);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  const auto* table = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  const auto* names = reinterpret_cast<const DWORD*>(base + table->AddressOfNames);
  std::set<std::string> exported, expected;
  for (DWORD i = 0; i < table->NumberOfNames; ++i) {
    exported.insert(reinterpret_cast<const char*>(base + names[i]));
  }
  const auto module = reinterpret_cast<HMODULE>(const_cast<unsigned char*>(base));
  for (std::size_t i = 0; i < std::size(zd::host::kExportNames); ++i) {
    const char* plain = zd::host::kExportNames[i];
    const char* decorated = zd::test::kDecoratedExportNames[i];
    expected.insert({plain, decorated});
    EXPECT_EQ(GetProcAddress(module, decorated), GetProcAddress(module, plain)) << decorated;
  }
  EXPECT_EQ(exported, expected);
#endif
}

TEST(ExportTable, AModuleThatCannotBeLoadedIsNamed) {
  std::string error;
  EXPECT_FALSE(StatsModule::Load("no-such-folder/" + zd::host::ModuleFileName(), error));
  EXPECT_EQ(
      error.rfind("no-such-folder/" + zd::host::ModuleFileName() + ": cannot load the module: ", 0),
      0u)
      << error;
}

TEST(ExportTable, ALibraryWithoutTheExportsIsRefused) {
#ifdef _WIN32
  const std::string other = "kernel32.dll";
#else
  const std::string other = "libm.so.6";
#endif
  std::string error;
  EXPECT_FALSE(StatsModule::Load(other, error));
  EXPECT_EQ(error, other + ": the export setVersion is missing");
}

}  // namespace
