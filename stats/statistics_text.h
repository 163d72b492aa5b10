// The statistics page's report: every counter scope as plain text lines.
#pragma once

#include <string>

#include "statistics_snapshot.h"

namespace corvale {

// Lines end with "\r\n" because the text goes straight into a multi-line
// edit control. Seconds and ink lengths carry one decimal; the previous board
// and run appear only once something was folded into them.
std::wstring composeStatisticsText(const StatisticsSnapshot& snapshot);

}  // namespace corvale
