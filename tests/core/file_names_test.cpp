#include "core/file_names.h"

#include <gtest/gtest.h>

#include "support/scoped_environment.h"

// CleanFileName and BaseName are pinned through the export file names
// (tests/reports).

namespace {

TEST(FileNameTest, WithExtensionReplacesOnlyTheLastExtension) {
  EXPECT_EQ(WithExtension("/jobs/a.b.stk", ".cut"), "/jobs/a.b.cut");
  EXPECT_EQ(WithExtension("out", ".bxl"), "out.bxl");
}

TEST(FileNameTest, UserDataFolderPrefersUserProfile) {
  ScopedEnvironment environment;
  environment.Set("USERPROFILE", "/tmp/u1");
  EXPECT_EQ(UserDataFolder(), "/tmp/u1/BRX");
  environment.Unset("USERPROFILE");
  environment.Set("HOME", "/tmp/h1");
  EXPECT_EQ(UserDataFolder(), "/tmp/h1/BRX");
}

}  // namespace
