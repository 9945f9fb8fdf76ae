#pragma once
// Replays a list of recorded platform calls straight against the Win32 API: the same functions
// with the same arguments, nothing around them. What a pass costs at the least.
#include <vector>

#include "tests/bench/recorded_calls.h"

namespace varnex::bench {

// Runs every call once, in order. slots is Recording::slots() of the recording.
void replay(const std::vector<Call>& calls, int slots);

}  // namespace varnex::bench
