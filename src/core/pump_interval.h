#pragma once

#include <chrono>

// During long work, window events run at most this often: often enough for
// repainting and a prompt Cancel, seldom enough not to slow the search. The
// optimisers pump after about this much work, and the window lets events
// through no more often.
inline constexpr std::chrono::milliseconds kPumpInterval{30};
