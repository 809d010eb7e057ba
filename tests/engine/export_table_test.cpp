// The built module offers the host its twelve functions under their plain names.
#include <gtest/gtest.h>

#include <string>

#include "host_boundary/stats_module.h"

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
