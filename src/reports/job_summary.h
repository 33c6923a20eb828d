#pragma once

#include <string>
#include <vector>

#include "reports/cutting_report.h"
#include "reports/material_plan.h"

struct JobState;
class MessageView;

// The job summary of a run of every material: one line per material cut and
// the job's totals, the materials that were not cut and why, the purchase
// list (the bars to order, by material and length) and the pieces that could
// not be cut, by material; written as the cutting report is, line by line.
std::string JobSummaryText(const JobState& job, MessageView& frontend,
                           const std::vector<MaterialPlan>& plans, const std::string& reportTime);

// Writes the summary to `path`. False when it could not be written (reported
// through ShowError; the old file stays as it was).
bool WriteJobSummary(const JobState& job, MessageView& frontend, const std::string& path,
                     const std::vector<MaterialPlan>& plans,
                     const std::string& reportTime = CurrentReportTime());
