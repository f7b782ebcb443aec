// `veltrim --report`: how a script's segments went over all its kept runs.
#pragma once

#include <span>
#include <string>

#include "app/rehearsal/rehearsal.h"

namespace veltrim {

class Script;

// One line per segment of `script`: its number, its planned length as the
// script file writes it, the last run's actual time, the median actual time of
// the runs that reached it, how many runs did, and its title; then "total"
// with the same columns but the title. Tabs between columns, LF line ends.
// `runs` oldest first; a run without a row for a segment did not reach it.
std::string rehearsal_summary(const Script& script, std::span<const Rehearsal> runs);

}  // namespace veltrim
