#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/job_state.h"
#include "support/recording_frontend.h"

// A job whose stock and cut files live in a fresh folder that is removed
// afterwards, with a Frontend that records what it was shown.
class JobFileTest : public ::testing::Test {
 protected:
  JobFileTest() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name =
        "brx_" + std::to_string(::getpid()) + "_" + test->test_suite_name() + "_" + test->name();
    std::replace(name.begin(), name.end(), '/', '_');
    folder_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    job.matl = "W8X31";
    job.stock_filename = Path("MyStock.stk");
    job.cut_filename = Path("MyCuts.cut");
  }
  ~JobFileTest() override {
    std::error_code ignored;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  const std::filesystem::path& Folder() const { return folder_; }

  static void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // The messages shown, in order, each as title + ": " + text, with the path
  // of the file given written as "{file}".
  std::vector<std::string> Messages(const std::string& path = "") const {
    std::vector<std::string> shown;
    for (const auto& message : frontend.messages) {
      std::string text = message.title + ": " + message.text;
      if (const std::size_t at = text.find(path); !path.empty() && at != text.npos) {
        text.replace(at, path.size(), "{file}");
      }
      shown.push_back(text);
    }
    return shown;
  }

  JobState job;
  RecordingFrontend frontend;

 private:
  std::filesystem::path folder_;
};
