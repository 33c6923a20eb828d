#pragma once

#include <string>

#include "core/job_state.h"
#include "support/random_draws.h"

// Building jobs for the bar packing search, and comparing the plans two
// searches made of the same job.

inline constexpr const char* kSearchMaterial = "W8X31";
inline constexpr double kEighthInchInFeet = 0.125 / 12;

// A length as the job files hold it: at most 15 significant digits.
double StoredLength(double length);

// Empties the lists and the plan and sets kerf and unusable length to 0, so
// one JobState can hold job after job.
void ClearJob(JobState& job);
// Adds a stock row with the next row number as its bin; quantity 0 makes the
// row orderable (30000), as the stock file reader does.
void AddStockRow(JobState& job, double length, int quantity);
void AddPieces(JobState& job, double length, int count);
// Sorts both lists longest first and sets `totalStockQuantity` as the stock
// file reader does (30000 for an orderable row, nothing for quantities below 0).
void FinishJob(JobState& job);

// The first difference between the two plans (bars, their rows and pieces in
// order, stock quantities and used counts, pieces' flags and materials, the
// used piece count and the drop tolerance), or empty text when they agree.
std::string PlanDifference(const JobState& expected, const JobState& actual);
