// Generated jobs run through the two ways a user starts a run: a batch run
// (RunBatchJob on a fresh job) and the window's Cut (RunCutting on one job
// that runs job after job, optimizers mixed). Each run is checked from the
// files it wrote alone, and each window run must write exactly what the
// fresh batch run of the same job wrote.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>

#include "app/batch_frontend.h"
#include "app/batch_run.h"
#include "core/job_state.h"
#include "core/number_text.h"
#include "jobfiles/cut_file.h"
#include "jobfiles/stock_file.h"
#include "lists/length_entry.h"
#include "optimizer/cutting_run.h"
#include "optimizer/search_jobs.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace {

constexpr int kJobs = BRX_TEST_SCALE_SMALL ? 25 : 120;
constexpr const char* kMaterial = "W8X31";
constexpr double kFit = 1e-6;

using Lines = std::vector<std::string>;

Lines SplitLines(const std::string& text) {
  Lines lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// One generated job: the lines of its two files, and which of them no run
// may load (other materials, lines without four fields, rows past a list's
// capacity), so every rewrite must keep them.
struct Job {
  Lines stock{"MATERIAL, MARK, QTY, LENGTH"};
  Lines cut{"Mark,Material,Qty,Length"};
  Lines keptStock;
  Lines keptCut;
  bool metric = true;
  double kerf = 0.0;      // as the settings hold it, possibly negative
  double unusable = 0.0;  // likewise
  std::string optimizer = "classic";
  int level = 5;
  bool stockUpdate = false;
};

class JobMaker : public JobRandom {
 public:
  explicit JobMaker(unsigned seed) : JobRandom(seed) {}

  Job Make() {
    Job job;
    job.metric = OneIn(2);
    unit_ = job.metric ? 1.0 : 1.0 / 192;  // a millimetre, or a sixteenth of an inch in feet
    job.kerf = OneIn(5) ? -Pick({1, 0.5}) : Pick({0, 0, 2, 3}) * unit_;
    job.unusable = OneIn(5) ? -Pick({20, 100}) * unit_ : Pick({0, 0, 0, 48}) * unit_;
    job.optimizer = OneIn(2) ? "best" : "classic";
    job.level = Between(0, 10);
    job.stockUpdate = OneIn(2);
    const int kind = Between(1, 12);
    if (kind == 1) {
      OverCapacityCuts(job);
    } else if (kind == 2) {
      OverCapacityStock(job);
    } else {
      RandomRows(job);
    }
    return job;
  }

 private:
  std::string Length(int units) const { return ShortestDecimal(units * unit_); }
  int StockUnits() { return static_cast<int>(Pick({3000, 4000, 6000, 6100, 9000})) * 2; }
  int PieceUnits() { return OneIn(12) ? 25000 : Between(150, 6000); }

  // Another material's row, or a line without four fields, at a random place.
  void Noise(Lines& lines, Lines& kept, const std::string& other, const Lines& malformed) {
    std::string line = OneIn(3) ? malformed[Between(0, 1)] : other;
    lines.push_back(line);
    kept.push_back(line);
  }

  void RandomRows(Job& job) {
    const int stockRows = Between(1, 6);
    for (int i = 0; i < stockRows; ++i) {
      const std::string quantity =
          ShortestDecimal(Pick({-3, -1, 0, 1, 1, 2, 3, 5, 0.5, 1.5, 2.5, 1000, 5000}));
      job.stock.push_back(std::string(kMaterial) + ",S" + std::to_string(i) + "," + quantity + "," +
                          Length(StockUnits()));
      if (OneIn(3)) {
        Noise(job.stock, job.keptStock, "L3X3,B3,6," + Length(8000),
              {std::string(kMaterial) + ",A14,2," + Length(9000) + ",note",
               std::string(kMaterial) + ",A15,2"});
      }
    }
    const int cutRows = Between(1, 10);
    for (int i = 0; i < cutRows; ++i) {
      const std::string quantity = ShortestDecimal(Pick({-2, 0, 1, 1, 2, 3, 4, 2.5, 0.5}));
      job.cut.push_back("P" + std::to_string(i) + "," + kMaterial + "," + quantity + "," +
                        Length(PieceUnits()));
      if (OneIn(3)) {
        Noise(job.cut, job.keptCut, "Q7,L3X3,2," + Length(3000),
              {"P9," + std::string(kMaterial) + ",2," + Length(900) + ",x",
               "P9," + std::string(kMaterial) + ",2"});
      }
    }
  }

  // 1,100 rows of 2 pieces: the list holds 1,000 rows and 2,000 pieces, so
  // the last 100 rows are never loaded.
  void OverCapacityCuts(Job& job) {
    job.stock.push_back(std::string(kMaterial) + ",S0,0," + Length(12000));
    job.level = Between(0, 2);
    for (int i = 0; i < 1100; ++i) {
      const std::string line = "C" + std::to_string(1000 + i) + "," + kMaterial + ",2," +
                               Length(static_cast<int>(Pick({2000, 3000, 3900})));
      job.cut.push_back(line);
      if (i >= 1000) job.keptCut.push_back(line);
    }
  }

  // 1,005 stock rows of one bar: the last 5 are never loaded.
  void OverCapacityStock(Job& job) {
    for (int i = 0; i < 1005; ++i) {
      const std::string line =
          std::string(kMaterial) + ",S" + std::to_string(1000 + i) + ",1," + Length(StockUnits());
      job.stock.push_back(line);
      if (i >= 1000) job.keptStock.push_back(line);
    }
    for (int i = 0; i < 4; ++i) {
      job.cut.push_back("P" + std::to_string(i) + "," + kMaterial + ",3," + Length(PieceUnits()));
    }
  }

  double unit_ = 1.0;
};

// The files of one run of a job in its own folder.
struct RunFolder {
  explicit RunFolder(const Job& job) {
    for (const auto& [path, lines] : {std::pair{Stock(), job.stock}, {Cut(), job.cut}}) {
      std::string text;
      for (const std::string& line : lines) text += line + "\r\n";
      WriteBytes(path, text);
    }
  }
  std::string Stock() const { return folder.Path("job.stk"); }
  std::string Cut() const { return folder.Path("job.cut"); }
  std::string Report() const { return folder.Path("out.bxl"); }
  std::string Export() const { return folder.Path(std::string("out_") + kMaterial + ".txt"); }
  // Everything the run left, the report's time line taken out.
  Lines Results() const {
    Lines results;
    for (const std::string& path : {Stock(), Cut(), Report(), Export()}) {
      std::string text = FileBytes(path);
      text.erase(std::min(text.size(), text.find("End of report: ")));
      results.push_back(text);
    }
    return results;
  }

  TempFolder folder;
};

void SetUp(JobState& state, const Job& job, const RunFolder& files) {
  state.matl = kMaterial;
  state.unit_flag = job.metric ? "1" : "0";
  state.UnuseableLen = ShortestDecimal(job.unusable);
  state.optimizer = job.optimizer;
  state.stk_update = job.stockUpdate ? "1" : "0";
  state.stock_filename = files.Stock();
  state.cut_filename = files.Cut();
  state.export_filename = files.folder.Path("out.txt");
  state.reportFileName = files.Report();
}

// The batch run: the kerf argument is a plain length, so a negative kerf
// from the settings is given as the 0 it counts as.
int RunInBatch(const Job& job, const RunFolder& files) {
  JobState state;
  SetUp(state, job, files);
  state.kerf = ShortestDecimal(std::max(0.0, job.kerf));
  state.drop_length = std::to_string(job.level);
  std::ostringstream output;
  std::ostringstream errors;
  BatchFrontend frontend(errors);
  return RunBatchJob(state, frontend, output, errors);
}

// The window's Cut after the job was opened, on the window's one job.
int RunInWindow(JobState& state, RecordingFrontend& frontend, const Job& job,
                const RunFolder& files) {
  SetUp(state, job, files);
  state.kerf = ShortestDecimal(job.kerf);
  state.inputReportFlag = "1";
  ReadStockFile(state, frontend);
  ReadCutFile(state, frontend);
  const CuttingRunOutcome outcome = RunCutting(state, frontend, job.level);
  return outcome == CuttingRunOutcome::Completed      ? kExitJobRan
         : outcome == CuttingRunOutcome::OutputFailed ? kExitOutputFailed
                                                      : kExitJobNotRun;
}

struct StockRow {
  std::string bin;
  int quantity = 0;  // as entered; 0 orderable
  double length = 0.0;
  int used = 0;  // bars of the plan cut from it
};

struct Bar {
  std::string status;
  std::string bin;
  std::string lengthText;
  Lines pieces;  // "mark|length text", in order
  std::string scrapText;
};

// Checks one run's files against the rules every plan must keep.
class RunChecker {
 public:
  RunChecker(const Job& job, const RunFolder& files)
      : job_(job),
        files_(files),
        kerf_(std::max(0.0, job.kerf)),
        unusable_(std::max(0.0, job.unusable)) {}

  std::vector<std::string> Problems(int status) {
    KeepsLines(job_.stock, files_.Stock(), job_.keptStock);
    KeepsLines(job_.cut, files_.Cut(), job_.keptCut);
    if (status == kExitJobNotRun) {
      Expect(!std::filesystem::exists(files_.Report()), "a run that did not start wrote a report");
      return problems_;
    }
    Expect(status == kExitJobRan, "exit status " + std::to_string(status));
    ReadReport(SplitLines(FileBytes(files_.Report())));
    CompareExport(SplitLines(FileBytes(files_.Export())));
    CheckPieces();
    CheckBars();
    CheckStockFile();
    return problems_;
  }

 private:
  void Expect(bool holds, const std::string& problem) {
    if (!holds) problems_.push_back(problem);
  }

  double Length(const std::string& text) const {
    if (job_.metric) return LeadingNumber(text);
    return ParseShownLength(text, false).value_or(-1.0);
  }
  // Half the last shown digit: how far a shown length may be from its value.
  double Shown() const { return job_.metric ? 5e-6 : 1.0 / 384; }

  bool Fits(double pieces, int count, double stockLength) const {
    const double usable = stockLength - unusable_;
    return pieces + count * kerf_ <= usable + kFit ||
           std::fabs(pieces + (count - 1) * kerf_ - usable) <= kFit;
  }

  void KeepsLines(const Lines& before, const std::string& path, const Lines& kept) {
    Lines after = SplitLines(FileBytes(path));
    for (const std::string& line : kept) {
      const auto found = std::find(after.begin(), after.end(), line);
      Expect(found != after.end(), path + " lost the line " + line);
      if (found != after.end()) after.erase(found);
    }
    Expect(!after.empty() && after.front() == before.front(), path + " lost its header");
  }

  void ReadReport(const Lines& lines) {
    static const std::regex stockLine(R"(Bin: +(\S+) +(-?\d+) pcs @ +(.+))");
    static const std::regex cutLine(R"(Cut +(-?\d+)  pcs +(\S+)  @ +(.+))");
    static const std::regex barLine(
        R"((NON-INVENTORY|INVENTORY) Stock No\. (\S+) length of (.+)  cut:)");
    static const std::regex groupLine(R"( +(\d+) piece[s ] +(\S+) +(.+))");
    static const std::regex totalLine(
        R"(Total stock length of (.+) cutting (\d+) pieces with a TOTAL DROP of (.+)%)");
    static const std::regex boundLine(
        R"(Lower bound on stock length: (.+) \(this plan is within (.+)% of it\))");
    static const std::regex uncutLine(R"(Unable to cut 1 pc \((\S+)\) of (.+))");
    static const std::regex usedLine(R"(Bin: (\S+) (used|Order) +(\d+) item\(s\) +(.+))");
    std::smatch m;
    for (const std::string& line : lines) {
      if (line.rfind("Kerf ", 0) == 0) {
        Expect(std::fabs(Length(line.substr(line.find('=') + 2)) - kerf_) <= Shown(),
               "kerf shown as " + line);
      } else if (line.rfind("Unuseable stock length = ", 0) == 0) {
        Expect(std::fabs(Length(line.substr(25)) - unusable_) <= Shown(), "shown " + line);
        unusableShown_ = true;
      } else if (std::regex_match(line, m, stockLine) && cuts_.empty() && bars_.empty()) {
        stock_.push_back({m[1], std::stoi(m[2]), Length(m[3]), 0});
      } else if (std::regex_match(line, m, cutLine)) {
        for (int i = 0; i < std::stoi(m[1]); ++i) cuts_.push_back(m[2].str() + "|" + m[3].str());
      } else if (std::regex_match(line, m, barLine)) {
        bars_.push_back({m[1], m[2], m[3], {}, {}});
      } else if (std::regex_match(line, m, groupLine) && !bars_.empty()) {
        for (int i = 0; i < std::stoi(m[1]); ++i) {
          bars_.back().pieces.push_back(m[2].str() + "|" + m[3].str());
        }
      } else if (line.rfind("      Scrap = ", 0) == 0 && !bars_.empty()) {
        bars_.back().scrapText = line.substr(14);
      } else if (std::regex_match(line, m, totalLine)) {
        totalStock_ = Length(m[1]);
        totalPieces_ = std::stoi(m[2]);
        dropPercent_ = LeadingNumber(m[3].str());
      } else if (std::regex_match(line, m, boundLine)) {
        bound_ = Length(m[1]);
        gapPercent_ = LeadingNumber(m[2].str());
      } else if (std::regex_match(line, m, uncutLine)) {
        uncut_.push_back(m[1].str() + "|" + m[2].str());
      } else if (std::regex_match(line, m, usedLine)) {
        listed_[m[1]] += std::stoi(m[3]);
        Expect((m[2] == "Order") == (Row(m[1]).quantity == 0), "listed in the wrong list: " + line);
      }
    }
    Expect(unusableShown_ == (unusable_ > 0), "the unusable length line");
    Expect(!stock_.empty() && !cuts_.empty(), "no input section");
  }

  StockRow& Row(const std::string& bin) {
    for (StockRow& row : stock_) {
      if (row.bin == bin) return row;
    }
    problems_.push_back("no stock row " + bin);
    static StockRow none;
    return none;
  }

  void CompareExport(const Lines& lines) {
    std::vector<Bar> exported;
    bool open = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
      std::vector<std::string> f;
      std::stringstream fields(lines[i]);
      for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
      if (f.size() == 4 && f[0] == "SCRAP") {
        if (open) exported.back().scrapText = f[3];
        open = false;
      } else if (f.size() == 6) {
        if (!open) exported.push_back({f[0], f[1], f[3], {}, {}});
        open = true;
        exported.back().pieces.push_back(f[4] + "|" + f[5]);
        Expect(f[2] == kMaterial, "export shape " + f[2]);
      } else {
        problems_.push_back("export line " + lines[i]);
      }
    }
    Expect(exported.size() == bars_.size(), "export and report bar counts differ");
    for (std::size_t b = 0; b < std::min(exported.size(), bars_.size()); ++b) {
      const Bar& a = exported[b];
      const Bar& r = bars_[b];
      Expect(a.status == r.status && a.bin == r.bin && a.lengthText == r.lengthText &&
                 a.pieces == r.pieces && a.scrapText == r.scrapText,
             "export bar " + std::to_string(b) + " differs from the report");
    }
  }

  // Every piece of the cut list is on a bar or listed as not cut.
  void CheckPieces() {
    Lines placed = uncut_;
    for (const Bar& bar : bars_) placed.insert(placed.end(), bar.pieces.begin(), bar.pieces.end());
    Lines wanted = cuts_;
    std::sort(placed.begin(), placed.end());
    std::sort(wanted.begin(), wanted.end());
    Expect(placed == wanted, "pieces on bars and not cut do not make up the cut list");
  }

  void CheckBars() {
    double stockSum = 0.0;
    double dropSum = 0.0;
    int pieceSum = 0;
    for (const Bar& bar : bars_) {
      StockRow& row = Row(bar.bin);
      const double stockLength = Length(bar.lengthText);
      Expect(std::fabs(stockLength - row.length) <= Shown(), "bar length of " + bar.bin);
      Expect((bar.status == "NON-INVENTORY") == (row.quantity == 0), "bar status of " + bar.bin);
      ++row.used;
      double cut = 0.0;
      for (const std::string& piece : bar.pieces) cut += Length(piece.substr(piece.find('|') + 1));
      const int count = static_cast<int>(bar.pieces.size());
      Expect(Fits(cut, count, stockLength), "over-full bar of " + bar.bin);
      const double scrap = std::max(0.0, stockLength - cut - count * kerf_);
      Expect(std::fabs(Length(bar.scrapText) - scrap) <= Shown(), "scrap of " + bar.bin);
      stockSum += stockLength;
      dropSum += scrap;
      pieceSum += count;
    }
    for (StockRow& row : stock_) {
      // Rows of 1000 or more never run out, and the input section shows
      // them with the bars used added.
      if (row.quantity >= 1000) row.quantity -= row.used;
      Expect(row.quantity == 0 || row.quantity >= 1000 || row.used <= std::max(0, row.quantity),
             "stock row " + row.bin + " used more than it had");
      Expect(listed_[row.bin] == row.used, "inventory or order count of " + row.bin);
    }
    if (bars_.empty()) return;
    Expect(std::fabs(totalStock_ - stockSum) <= Shown() * static_cast<double>(bars_.size()),
           "total stock length");
    Expect(totalPieces_ == pieceSum, "total piece count");
    const double drop = dropSum * 100 / stockSum;
    Expect(dropPercent_ <= drop + 1e-6 && drop - dropPercent_ <= (drop < 10 ? 0.011 : 0.11),
           "drop percentage");
    Expect(bound_ <= stockSum + Shown() && (bound_ == 0 || job_.optimizer == "best"),
           "lower bound");
    if (bound_ > 0) {
      const double gap = (stockSum - bound_) / bound_ * 100;
      // The bound is shown rounded, which moves the gap it gives.
      Expect(std::fabs(gapPercent_ - gap) <= 0.01 + 100 * stockSum * Shown() / (bound_ * bound_),
             "bound gap " + ShortestDecimal(gapPercent_) + " for " + ShortestDecimal(gap));
    }
    // Only the plan's capacity may leave a piece uncut that fits stock still on hand.
    if (bars_.size() >= static_cast<std::size_t>(kMaxBars)) return;
    for (const std::string& piece : uncut_) {
      const double length = Length(piece.substr(piece.find('|') + 1));
      for (const StockRow& row : stock_) {
        const bool barsLeft = row.quantity == 0 || row.quantity >= 1000 || row.used < row.quantity;
        Expect(!barsLeft || !Fits(length, 1, row.length),
               "piece " + piece + " not cut though it fits row " + row.bin);
      }
    }
  }

  // The current material's rows written back, with the bars the run used
  // subtracted when the stock is updated.
  void CheckStockFile() {
    Lines rows = SplitLines(FileBytes(files_.Stock()));
    for (const std::string& line : job_.keptStock) {
      if (auto found = std::find(rows.begin(), rows.end(), line); found != rows.end()) {
        rows.erase(found);
      }
    }
    std::map<std::string, std::string> written;
    for (const std::string& line : rows) {
      const std::string prefix = std::string(kMaterial) + ",";
      if (line.rfind(prefix, 0) != 0) continue;
      const std::size_t comma = line.find(',', prefix.size());
      written[line.substr(prefix.size(), comma - prefix.size())] = line.substr(comma + 1);
    }
    Expect(written.size() == stock_.size(), "stock rows written back");
    for (const StockRow& row : stock_) {
      const bool counts = job_.stockUpdate && row.quantity >= 1 && row.quantity <= 999;
      const std::string expected = std::to_string(row.quantity - (counts ? row.used : 0)) + ",";
      Expect(written[row.bin].rfind(expected, 0) == 0,
             "stock row " + row.bin + " written as " + written[row.bin] + ", not " + expected);
    }
  }

  const Job& job_;
  const RunFolder& files_;
  const double kerf_;
  const double unusable_;
  std::vector<StockRow> stock_;
  Lines cuts_;
  std::vector<Bar> bars_;
  Lines uncut_;
  std::map<std::string, int> listed_;
  bool unusableShown_ = false;
  double totalStock_ = 0.0;
  int totalPieces_ = 0;
  double dropPercent_ = 0.0;
  double bound_ = 0.0;
  double gapPercent_ = 0.0;
  std::vector<std::string> problems_;
};

void ExpectSameFiles(const Lines& expected, const Lines& actual, const std::string& context) {
  const char* names[] = {"stock file", "cut file", "report", "export"};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_TRUE(expected[i] == actual[i]) << context << ": the " << names[i] << " differs";
  }
}

TEST(RunPropertyTest, EveryRunKeepsThePlanRulesAndEqualsAFreshRun) {
  JobState window;
  RecordingFrontend frontend;
  for (int n = 0; n < kJobs; ++n) {
    JobMaker make(static_cast<unsigned>(7919 * n + 13));
    const Job job = make.Make();
    const std::string context = "job " + std::to_string(n) + " (" + job.optimizer + ", level " +
                                std::to_string(job.level) + ")";
    const RunFolder batch(job);
    const int status = RunInBatch(job, batch);
    for (const std::string& problem : RunChecker(job, batch).Problems(status)) {
      ADD_FAILURE() << context << ": " << problem;
    }
    const RunFolder session(job);
    EXPECT_EQ(RunInWindow(window, frontend, job, session), status) << context;
    ExpectSameFiles(batch.Results(), session.Results(), context + ", the window run");
    // Running it again on what the run left gives the same plan.
    if (!job.stockUpdate && make.OneIn(3)) {
      const Lines first = session.Results();
      RunInWindow(window, frontend, job, session);
      ExpectSameFiles(first, session.Results(), context + ", a second run");
    }
  }
}

}  // namespace
