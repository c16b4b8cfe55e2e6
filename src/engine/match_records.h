#pragma once

#include <cstdint>
#include <string>

#include "engine/match_state.h"
#include "records/session_log.h"
#include "records/summary.h"

namespace qz {

// The problem line's values for the problem just judged, `now` being the time of writing.
ProblemLine ProblemLineOf(const MatchState& state, int match_length, std::int64_t now);

// The summary's values from the engine state; the level, the name and the belt line ("Green
// Belt") come from the settings and the belt.
SummaryValues SummaryValuesOf(const MatchState& state, int game_level,
                              const std::string& cadet_name, const std::string& belt_line);

}  // namespace qz
