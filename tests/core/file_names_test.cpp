#include "core/file_names.h"

#include <gtest/gtest.h>

#include <cstdlib>

// CleanFileName and BaseName are pinned through the export file names
// (tests/reports).

namespace {

TEST(FileNameTest, WithExtensionReplacesOnlyTheLastExtension) {
  EXPECT_EQ(WithExtension("/jobs/a.b.stk", ".cut"), "/jobs/a.b.cut");
  EXPECT_EQ(WithExtension("out", ".bxl"), "out.bxl");
}

TEST(FileNameTest, UserDataFolderPrefersUserProfile) {
  const char* savedProfile = std::getenv("USERPROFILE");
  const std::string saved = savedProfile ? savedProfile : "";
  setenv("USERPROFILE", "/tmp/u1", 1);
  EXPECT_EQ(UserDataFolder(), "/tmp/u1/BRX");
  unsetenv("USERPROFILE");
  setenv("HOME", "/tmp/h1", 1);
  EXPECT_EQ(UserDataFolder(), "/tmp/h1/BRX");
  if (savedProfile) setenv("USERPROFILE", saved.c_str(), 1);
}

}  // namespace
