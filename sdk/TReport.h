#pragma once
// The one way the game reports bad content or a failed operation: one line on
// stderr, prefixed "tolvane: ". Tests can count reports.

#include <cstddef>

void Report(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
size_t ReportCount();
