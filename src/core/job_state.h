#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The one in-memory job: the current material's stock and cut lists, the
// pieces expanded from the cut list, the plan of cut bars and every setting
// text. Lists are fixed-capacity arrays with a separate count; entries at and
// above the count may hold stale data and are never read.

inline constexpr int kMaxStockRows = 1000;
inline constexpr int kMaxCutRows = 1000;
inline constexpr int kMaxPieces = 2000;
inline constexpr int kMaxBars = 1000;
inline constexpr int kPieceSlotsPerBar = 1501;
// A bar with more pieces than this is reported as an error by the reports.
inline constexpr int MAX_STK_CUTS = 1500;
// Quantity held by an orderable (non-inventory) stock row: unlimited supply.
inline constexpr std::int16_t kOrderableQuantity = 30000;

struct StockItem {
  bool nonInventory = false;   // entered or read with quantity 0: orderable
  std::int16_t usedCount = 0;  // bars taken by the current cutting run
  std::int16_t quantity = 0;   // bars still available; 30000 when orderable
  double length = 0.0;         // one bar, in the job's unit
  std::string material;
  std::string bin;
};

struct CutItem {
  std::int16_t quantity = 0;
  double length = 0.0;
  std::string mark;
  std::string material;
};

struct CutPiece {
  double length = 0.0;
  bool used = false;  // assigned to a bar
  std::string mark;
  std::string material;  // empty until assigned; then the stock row's material
};

struct BarPlan {
  std::string bin;
  bool nonInventory = false;
  double stockLength = 0.0;
  std::int16_t pieceCount = 0;
  // Piece indices in the order chosen; entries below pieceCount are meaningful.
  std::array<std::int16_t, kPieceSlotsPerBar> pieceIndex{};
};

// What the last read or write of a job file left for the writes and reads
// that follow: the places (record indices, the header being 0) of the current
// material's rows that were not loaded, so that writes carry them over
// unchanged while `material` is current, and a digest of the file's content,
// so that reading back a file the job already knows tells the user nothing new.
struct UnloadedRecords {
  std::string path;
  std::string material;
  std::vector<int> places;
  // 0 when no earlier read of `path` for `material` told the user about it.
  std::size_t digest = 0;
};

struct JobState {
  JobState();

  std::vector<StockItem> stock;  // kMaxStockRows + 1 entries
  std::int16_t stockCount = 0;
  std::int32_t totalStockQuantity = 0;

  std::vector<CutItem> cuts;  // kMaxCutRows + 1 entries
  std::int16_t cutCount = 0;

  std::vector<CutPiece> pieces;  // kMaxPieces + 1 entries
  std::int16_t pieceCount = 0;

  std::vector<std::int16_t> freePieces;  // kMaxPieces + 1 entries
  std::int16_t usedPieceCount = 0;

  std::vector<BarPlan> bars;  // kMaxBars + 1 entries
  std::int16_t barCount = 0;
  std::int16_t barPieceCursor = 0;

  double dropTolerance = 0.0;
  // No plan cutting the same pieces uses less stock length than this; set by
  // a run of the best optimiser, 0 after any other run.
  double planLowerBound = 0.0;
  bool cancelRequested = false;
  bool batchMode = false;
  bool dataChanged = false;
  // The cut list was edited in the window since it was last read, so a run
  // saves it even when it is now empty.
  bool cutListEdited = false;

  // Setting texts, each under its store key.
  std::string ver = "2.8";
  std::string unit_flag = "0";
  std::string stk_update = "0";
  std::string matl;
  std::string stock_filename;
  std::string cut_filename;
  std::string export_filename;
  std::string filename;
  std::string drop_length = "5";
  std::string kerf = "0.0";
  std::string inputReportFlag = "0";
  std::string FastModeFlag = "0";
  std::string linesPerPage = "63";
  std::string inch32Flag = "0";
  std::string inchOnlyFlag = "0";
  std::string batchDir;
  std::string UnuseableLen = "0.0";
  std::string ownerName;
  std::string optimizer = "classic";  // "classic" or "best"

  std::string reportFileName;

  // The on/off settings as the program acts on them: the text "1" is on,
  // any other text off. The stored texts themselves stay as they were read.
  bool UpdatesStockList() const { return stk_update == "1"; }
  bool PrintsInputData() const { return inputReportFlag == "1"; }
  bool InchesOnly() const { return inchOnlyFlag == "1"; }
  bool Shows32nds() const { return inch32Flag == "1"; }

  // Set by ReadStockFile and ReadCutFile, used by the matching writers.
  UnloadedRecords stockUnloaded;
  UnloadedRecords cutUnloaded;
};

// The kerf and the unusable stock length a run works with, in the job's
// unit: the `kerf` and `UnuseableLen` texts read by the leading-number rule,
// a negative value counting as 0 so that no bar is ever planned over full.
double KerfLength(const JobState& job);
double UnusableLength(const JobState& job);

// Stable insertion sorts, longest first, over entries 0 to count - 1 only.
void SortStockByLength(int count, std::vector<StockItem>& stock);
void SortPiecesByLength(int count, std::vector<CutPiece>& pieces);
