#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/job_state.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"
#include "support/unit_flags.h"

inline constexpr const char* kCutHeader = "Mark(Bin),Material,Qty,Length\r\n";
inline constexpr const char* kOldCutFile = "Mark(Bin),Material,Qty,Length\r\nOLD,W8X31,1,10\r\n";
inline constexpr const char* kNotProcessed =
    "Brx|Some line items were not processed due to unrecognized file formatting.";

using Texts = std::vector<std::string>;

// A whole input file, the data lines of the cut file it gives (after the
// header) and the messages shown as title|text.
struct FileRow {
  std::string name;
  std::string input;
  std::string cutLines;
  Texts messages;
};

inline void PrintTo(const FileRow& row, std::ostream* os) { *os << row.name; }

// One input line in a unit mode, and the cut line it gives.
struct LineRow {
  UnitFlags unit;
  std::string line;
  std::string cutLine;
};

inline void PrintTo(const LineRow& row, std::ostream* os) { *os << "'" << row.line << "'"; }

using ImportReader = bool (*)(const JobState&, MessageView&, const std::string&,
                              const std::string&);

// A job, a recording frontend and a folder for tests of one reader, which
// imports "job.in" into "job.cut".
class ReaderTest : public ::testing::Test {
 protected:
  explicit ReaderTest(ImportReader reader) : reader_(reader) {}

  bool Import(std::string_view text) {
    return reader_(job, frontend, folder.Write("job.in", text), cutPath);
  }
  bool ImportPath(const std::string& path) { return reader_(job, frontend, path, cutPath); }
  std::string CutFile() const { return FileBytes(cutPath); }
  // Imports the row's input over an old cut file and checks the result.
  void ExpectImported(const FileRow& row) {
    folder.Write("job.cut", kOldCutFile);
    ASSERT_TRUE(Import(row.input));
    EXPECT_EQ(CutFile(), kCutHeader + row.cutLines);
    EXPECT_EQ(Messages(), row.messages);
    EXPECT_EQ(folder.Names(), (Texts{"job.cut", "job.in"}));
  }
  // Imports the input over an old cut file, which must stay as it was.
  void ExpectFailed(std::string_view input, const Texts& messages) {
    folder.Write("job.cut", kOldCutFile);
    EXPECT_FALSE(Import(input));
    EXPECT_EQ(Messages(), messages);
    EXPECT_EQ(CutFile(), kOldCutFile);
    EXPECT_EQ(folder.Names(), (Texts{"job.cut", "job.in"}));
  }
  // Each message as title|text.
  Texts Messages() const {
    Texts texts;
    for (const auto& message : frontend.messages)
      texts.push_back(message.title + "|" + message.text);
    return texts;
  }

  TempFolder folder;
  std::string cutPath = folder.Path("job.cut");
  JobState job;
  RecordingFrontend frontend;

 private:
  ImportReader reader_;
};
