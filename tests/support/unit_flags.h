#pragma once

#include "core/job_state.h"

// The unit settings unit_flag, inchOnlyFlag and inch32Flag of each unit mode.
struct UnitFlags {
  const char* unit;
  const char* inchOnly;
  const char* inch32;
};
inline constexpr UnitFlags kFeet16{"0", "0", "0"};
inline constexpr UnitFlags kFeet32{"0", "0", "1"};
inline constexpr UnitFlags kInch16{"0", "1", "0"};
inline constexpr UnitFlags kInch32{"0", "1", "1"};
inline constexpr UnitFlags kMetric{"1", "0", "0"};

inline void UseUnits(JobState& job, UnitFlags flags) {
  job.unit_flag = flags.unit;
  job.inchOnlyFlag = flags.inchOnly;
  job.inch32Flag = flags.inch32;
}
