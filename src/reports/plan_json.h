#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "reports/material_plan.h"

struct JobState;
class MessageView;

// The plan of one or more materials as one JSON document (layout in
// docs/json.md), for programs that read it.
std::string PlanJson(const JobState& job, MessageView& frontend,
                     const std::vector<MaterialPlan>& plans);

// A JSON string literal, quotes included. Valid UTF-8 passes through; any
// other byte is taken as a Latin-1 character.
std::string JsonString(std::string_view text);
