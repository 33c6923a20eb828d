#pragma once

#include <string>
#include <string_view>

struct JobState;
class Frontend;

// Opening a job: the one sequence that start-up, File Open, the imports, the
// cutting run and batch mode use to load a job's files into the job.

// The default job in the user data folder. Its cut file does not share the
// stock file's base name.
inline constexpr const char* kDefaultStockFile = "MyStock.stk";
inline constexpr const char* kDefaultCutFile = "MyCuts.cut";

// A job's files, all named from one base path.
struct JobFileNames {
  std::string base;
  std::string stockFile;   // base + ".stk"
  std::string cutFile;     // base + ".cut"
  std::string exportFile;  // base + "_cutlist.txt"
};

// The names of the job a chosen file belongs to. The base is the path
// without its extension, looked for only in the last component, so both
// "/jobs/Tower" and "/jobs/Tower.txt" name the job "/jobs/Tower". The
// default job's stock file names the default job, MyCuts.cut included.
JobFileNames JobFileNamesFor(std::string_view path);

// Why a file chosen to open a job cannot be: "The job file PATH does not
// exist" or "... is not a regular file"; empty when it is a regular file.
std::string JobFileProblem(const std::string& path);

struct OpenedJob {
  bool stockRead = false;  // the stock reader succeeded (a missing file counts)
  bool cutRead = false;    // the cut reader succeeded
};

// The order of the rows read. Batch mode keeps the files' order until the
// cutting run's own save and reload, so the stock file it writes back holds
// the rows as the user wrote them.
enum class ListOrder { LongestFirst, AsInFiles };

// Reads the current material's stock and cut rows from the job's files,
// longest first unless told otherwise. Switching the material reads this way.
OpenedJob ReadJobLists(JobState& job, Frontend& frontend,
                       ListOrder order = ListOrder::LongestFirst);

// Opens the job the job's file names give: fills the material box from both
// files, reads the current material's stock and cut rows and sorts them
// longest first, shows the stock file name, drops any earlier plan and
// rebuilds the lists. Afterwards the job counts as unchanged.
OpenedJob OpenJob(JobState& job, Frontend& frontend, ListOrder order = ListOrder::LongestFirst);

// Takes the names, then opens the job as above.
OpenedJob OpenJob(JobState& job, Frontend& frontend, const JobFileNames& names);

// The number of records after the header of a cut file; 0 when it is
// missing or cannot be read.
int CutFileRecordCount(const std::string& path);
