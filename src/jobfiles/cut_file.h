#pragma once

struct JobState;
class Frontend;

// The cut file: rows mark, material, quantity, length for many materials.
bool ReadCutFile(JobState& job, Frontend& frontend);
// True when the file was written.
bool WriteCutFile(JobState& job, Frontend& frontend);
