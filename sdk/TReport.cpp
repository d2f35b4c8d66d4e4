#include "TReport.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

#include "str.h"

namespace {
std::atomic<size_t> gReports{0};
}

void Report(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  str line = str::vformat(fmt, args);
  va_end(args);
  // Content can carry line breaks into a message; one report stays one line.
  for (char& c : line)
    if (c == '\n' || c == '\r') c = ' ';
  std::fprintf(stderr, "tolvane: %s\n", line.c_str());
  std::fflush(stderr);
  ++gReports;
}

size_t ReportCount() {
  return gReports.load();
}
