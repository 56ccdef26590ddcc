#pragma once
// The problems of a restore plan in brisel-ctl's English, which scripts read.

#include "settings/restore_plan.h"

#include <string>
#include <vector>

// "basic.delay_time_ms: 3000 is outside 0 to 2550 ms; ..."
std::string problemText(const settings::PlanProblem& problem);

// "NAME:LINE: what" for each problem (or "NAME: what" without a line; the
// text alone without a name), one a line.
std::string problemLines(const std::vector<settings::PlanProblem>& problems, const std::string& name);
