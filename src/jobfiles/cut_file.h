#pragma once

struct JobState;
class Frontend;

// The cut file: rows mark, material, quantity, length for many materials.
bool ReadCutFile(JobState& job, Frontend& frontend);
void WriteCutFile(JobState& job, Frontend& frontend);
