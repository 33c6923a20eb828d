#pragma once

#include <string>
#include <vector>

struct JobState;
class MessageView;

// One material's plan as a run of every material, the job summary and the
// JSON plan read it, taken from the job after the search and before the stock
// update. Lengths are in the job's unit, with their texts as the report and
// the export show them.

struct PlannedLength {
  double value = 0.0;
  std::string text;
};

struct PlannedPiece {
  std::string mark;
  PlannedLength length;
};

// A stock row as the run saw it: `used` bars were taken from it.
struct PlannedStockRow {
  std::string bin;
  bool orderable = false;
  PlannedLength length;
  int used = 0;
};

struct PlannedBar {
  int stockRow = 0;  // index into MaterialPlan::stock
  std::string bin;
  bool orderable = false;
  PlannedLength length;
  std::vector<PlannedPiece> pieces;  // in cutting order
  PlannedLength scrap;
};

struct MaterialPlan {
  std::string material;
  // Why the material was not cut; empty when it ran.
  std::string notCutReason;
  std::vector<PlannedStockRow> stock;
  std::vector<PlannedBar> bars;
  std::vector<PlannedPiece> piecesNotCut;
  int piecesCut = 0;
  double stockLength = 0.0;  // of every bar planned
  double drop = 0.0;         // the bars' scraps summed
  double lowerBound = 0.0;   // the best optimiser's bound; 0 when none
};

// Bars to order of one length: the orderable rows' bars grouped by their
// length text.
struct Purchase {
  PlannedLength length;
  int count = 0;
  double totalLength = 0.0;
};

// The material's bars to order, longest first.
std::vector<Purchase> PurchasesOf(const MaterialPlan& plan);

// The plan the job holds for its current material.
MaterialPlan CapturePlan(const JobState& job, MessageView& frontend);

// A material that was not cut, and why.
MaterialPlan NotCutPlan(const std::string& material, const std::string& reason);
