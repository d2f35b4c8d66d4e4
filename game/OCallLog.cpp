#include "OCallLog.h"

namespace {
// A long game would otherwise grow these without end; only the recent lines
// are ever read.
const size_t kKept = 4096;

std::vector<str>& Shared() {
  static std::vector<str> lines;
  return lines;
}

void Append(std::vector<str>& lines, const str& line) {
  if (lines.size() >= 2 * kKept) lines.erase(lines.begin(), lines.begin() + kKept);
  lines.push_back(line);
}
}  // namespace

void OCallLog::push_back(const str& line) {
  Append(mLines, line);
  Append(Shared(), str(mWho) + " " + line);
}

const std::vector<str>& OCallLog::All() {
  return Shared();
}
