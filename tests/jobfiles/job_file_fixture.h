#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/job_state.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

// A job whose stock and cut files live in a fresh folder that is removed
// afterwards, with a Frontend that records what it was shown.
class JobFileTest : public ::testing::Test {
 protected:
  JobFileTest() {
    job.matl = "W8X31";
    job.stock_filename = Path("MyStock.stk");
    job.cut_filename = Path("MyCuts.cut");
  }

  std::string Path(const std::string& name) const { return folder.Path(name); }

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

  TempFolder folder;
  JobState job;
  RecordingFrontend frontend;
};
