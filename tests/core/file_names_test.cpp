#include "core/file_names.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(CleanFileNameTest, ReplacesUnsafeCharactersAndTrims) {
  EXPECT_EQ(CleanFileName("  L3X3X1/4 "), "L3X3X1_4");
  EXPECT_EQ(CleanFileName("a|b?c*d\"e"), "a_b_c_d_e");
  EXPECT_EQ(CleanFileName("C:\\x"), "C:\\x");
}

TEST(FileNameTest, ExtensionOnlyInTheLastComponent) {
  EXPECT_EQ(BaseName("/home/j.doe/jobs/out"), "/home/j.doe/jobs/out");
  EXPECT_EQ(BaseName("/home/j.doe/jobs/out.txt"), "/home/j.doe/jobs/out");
  EXPECT_EQ(WithExtension("/jobs/out", ".bxl"), "/jobs/out.bxl");
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
