#include "app/settings_store.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "core/job_state.h"
#include "support/recording_frontend.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Points the store and the user data folder at a fresh folder for each test.
class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStoreTest() {
    environment_.Set("XDG_CONFIG_HOME", (root_ / "config").string());
    environment_.Set("USERPROFILE", (root_ / "u1").string());
    environment_.Set("HOME", (root_ / "home").string());
  }

  std::string Folder() const { return (root_ / "u1" / "BRX").string(); }
  fs::path IniPath() const { return root_ / "config" / "Brx" / "Brx.ini"; }

  static void WriteIni(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
  }
  std::string IniText() const { return FileBytes(IniPath().string()); }

  JobState Loaded() {
    JobState loaded;
    LoadSettings(loaded, frontend);
    return loaded;
  }

  TempFolder folder_;
  const fs::path& root_ = folder_.Root();
  ScopedEnvironment environment_;
  RecordingFrontend frontend;
};

TEST_F(SettingsStoreTest, EmptyStoreGivesTheDefaults) {
  JobState job;
  job.stockCount = 12;
  LoadSettings(job, frontend);
  EXPECT_EQ(job.stock_filename, Folder() + "/MyStock.stk");
  EXPECT_EQ(job.cut_filename, Folder() + "/MyCuts.cut");
  EXPECT_EQ(job.export_filename, Folder() + "/Export.txt");
  EXPECT_EQ(job.filename, Folder());
  EXPECT_EQ(job.matl, "");
  EXPECT_EQ(job.reportFileName, Folder() + "/.bxl");
  EXPECT_EQ(job.batchDir, QCoreApplication::applicationDirPath().toStdString());
  EXPECT_EQ(job.ver, "2.8");
  EXPECT_EQ(job.drop_length, "5");
  EXPECT_EQ(job.kerf, "0.0");
  EXPECT_EQ(job.UnuseableLen, "0.0");
  EXPECT_EQ(job.linesPerPage, "63");
  EXPECT_EQ(job.unit_flag + job.stk_update + job.inputReportFlag + job.FastModeFlag +
                job.inch32Flag + job.inchOnlyFlag,
            "000000");
  EXPECT_EQ(job.ownerName, "");
  EXPECT_EQ(job.optimizer, "classic");
  EXPECT_EQ(job.stockCount, 0);
  EXPECT_EQ(frontend.statuses, std::vector<std::string>{"SETTINGS RESTORED"});
  EXPECT_EQ(frontend.optimizationLevel, 5);
}

TEST_F(SettingsStoreTest, HomeStandsInForUnsetVariables) {
  environment_.Unset("USERPROFILE");
  environment_.Unset("XDG_CONFIG_HOME");
  WriteIni(root_ / "home" / ".config" / "Brx" / "Brx.ini", "[Settings]\nmatl=L3\n");
  const JobState job = Loaded();
  EXPECT_EQ(job.matl, "L3");
  EXPECT_EQ(job.stock_filename, (root_ / "home" / "BRX" / "MyStock.stk").string());
}

TEST_F(SettingsStoreTest, SavedTextsLoadUnchanged) {
  JobState saved;
  std::string JobState::*const texts[] = {
      &JobState::ver,          &JobState::unit_flag,       &JobState::stk_update,
      &JobState::matl,         &JobState::stock_filename,  &JobState::cut_filename,
      &JobState::filename,     &JobState::export_filename, &JobState::drop_length,
      &JobState::kerf,         &JobState::inputReportFlag, &JobState::FastModeFlag,
      &JobState::linesPerPage, &JobState::inch32Flag,      &JobState::inchOnlyFlag,
      &JobState::batchDir,     &JobState::UnuseableLen,    &JobState::ownerName,
      &JobState::optimizer};
  const std::string odd[] = {" a, b ", "\"q\"", "@x", "\xC3\x84 ", "semi;colon", "back\\slash"};
  int i = 0;
  for (std::string JobState::*text : texts) {
    saved.*text = odd[i % 6] + std::to_string(i);
    ++i;
  }
  SaveSettings(saved);
  const JobState loaded = Loaded();
  for (std::string JobState::*text : texts) EXPECT_EQ(loaded.*text, saved.*text);
  const std::string ini = IniText();
  for (const char* key : {"[Settings]", "\nLinesPerPage=", "\nUnitFlag=", "\noutput_filename=",
                          "\nfilepath=", "\nunit_flag=", "\noptimizer="}) {
    EXPECT_NE(ini.find(key), std::string::npos) << key;
  }
  EXPECT_EQ(ini.find("linesPerPage"), std::string::npos);
}

TEST_F(SettingsStoreTest, KeyNamesIgnoreCase) {
  WriteIni(IniPath(),
           "[Settings]\nLINESPERPAGE=80\nMatl=\"  L3X3X1/4 \"\nKERF=0.125\nunitflag=1\n");
  JobState job = Loaded();
  EXPECT_EQ(job.linesPerPage, "80");
  EXPECT_EQ(job.matl, "  L3X3X1/4 ");
  EXPECT_EQ(job.reportFileName, Folder() + "/L3X3X1_4.bxl");
  EXPECT_EQ(job.kerf, "0.125");
  job.kerf = "0.25";
  SaveSettings(job);
  const std::string ini = IniText();
  EXPECT_EQ(ini.find("LINESPERPAGE"), std::string::npos);
  EXPECT_EQ(ini.find("KERF"), std::string::npos);
  EXPECT_NE(ini.find("\nLinesPerPage=80\n"), std::string::npos);
  EXPECT_EQ(Loaded().kerf, "0.25");
}

TEST_F(SettingsStoreTest, SingleKeysMeetWhateverTheirCase) {
  WriteSetting("Output_FileName", "/a/b.bxl");
  EXPECT_EQ(ReadSetting("output_filename", "none"), "/a/b.bxl");
  EXPECT_EQ(ReadSetting("export_filename", "export.txt"), "export.txt");
  WriteSetting("OUTPUT_FILENAME", "/c.bxl");
  EXPECT_EQ(IniText(), "[Settings]\nOUTPUT_FILENAME=/c.bxl\n");
}

TEST_F(SettingsStoreTest, StoredTextsOutliveLoadsAndSaves) {
  WriteIni(IniPath(), "[Settings]\nver=3.1\nfilename=/elsewhere/job\nkerf=1,5\n");
  for (int round = 0; round < 2; ++round) SaveSettings(Loaded());
  const JobState job = Loaded();
  EXPECT_EQ(job.ver, "3.1");
  EXPECT_EQ(job.filename, "/elsewhere/job");
  EXPECT_EQ(job.stock_filename, Folder() + "/MyStock.stk");
  EXPECT_EQ(job.kerf, "1,5");
}

TEST_F(SettingsStoreTest, DeleteSettingsRemovesOnlyTheSection) {
  WriteIni(IniPath(), "[Other]\nkeep=1\n\n[Settings]\nmatl=W8X31\ndrop_length=9\n");
  DeleteSettings();
  const JobState job = Loaded();
  EXPECT_EQ(job.matl, "");
  EXPECT_EQ(job.drop_length, "5");
  EXPECT_NE(IniText().find("keep=1"), std::string::npos);
}

// The stored text stays as it is; the slider takes it rounded half to even
// and kept within 0 to 10. Each case gets its own store file: QSettings keeps
// a file it has read cached until its size or time changes, and two cases of
// the same size can be written within one tick of the file time.
TEST_F(SettingsStoreTest, SliderLevelOfTheStoredDropLength) {
  const std::pair<std::string, int> levels[] = {{"7.5", 8},  {"6.5", 6}, {"10.5", 10}, {"12", 10},
                                                {"1e9", 10}, {"-3", 0},  {"abc", 0},   {"0.5", 0}};
  int store = 0;
  for (const auto& [dropLength, level] : levels) {
    const fs::path configHome = root_ / ("config" + std::to_string(++store));
    environment_.Set("XDG_CONFIG_HOME", configHome.string());
    WriteIni(configHome / "Brx" / "Brx.ini", "[Settings]\ndrop_length=" + dropLength + "\n");
    EXPECT_EQ(Loaded().drop_length, dropLength);
    EXPECT_EQ(frontend.optimizationLevel, level) << dropLength;
  }
}

}  // namespace
